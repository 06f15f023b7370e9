// The program's modal dialog that runs over the main window (ProgramRig::OwnedDialog), for
// steps that a ModalDriver runs inside its loop. Nothing here throws (an exception must not
// cross the loop's dispatch): without the element the test fails and a stand-in element (of no
// window) answers.
#pragma once
#include <string>

#include "CCommonDlg.h"
#include "HostHarness.h"  // wide texts in doctest's messages
#include "ProgramRig.h"

// Whether the running dialog is a CCommonDlg over T.
template <class T>
bool RunsDialogOf() {
  return dynamic_cast<CCommonDlg<T>*>(ProgramRig::OwnedDialog()) != nullptr;
}

// An element of the running dialog by name or id.
SWUI::SWindow* DialogElement(const wchar_t* name);
SWUI::SWindow* DialogElement(int id);
std::wstring DialogText(const wchar_t* name);
// A command from the dialog's element, as its click raises it.
void ClickDialog(const wchar_t* name);
