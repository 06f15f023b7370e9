// The modal dialog of the program that runs now, for steps that a ModalDriver runs inside its
// loop: the visible, enabled window of the program's host class that the owner owns, as the
// framework object the window belongs to (a framework window keeps it in its user data).
#pragma once
#include <windows.h>

#include <string>

#include "CCommonDlg.h"
#include "HostHarness.h"  // wide texts in doctest's messages
#include "core/SHostDialog.h"

// Null when none runs over the owner.
SWUI::SHostDialog* RunningDialog(HWND owner);

// Whether the running dialog is a CCommonDlg over T.
template <class T>
bool RunsDialogOf(HWND owner) {
  return dynamic_cast<CCommonDlg<T>*>(RunningDialog(owner)) != nullptr;
}

// These run inside a modal loop, where nothing may throw: without the element the test fails
// and a stand-in element (of no window) answers.
// An element of the running dialog by name or id.
SWUI::SWindow* DialogElement(HWND owner, const wchar_t* name);
SWUI::SWindow* DialogElement(HWND owner, int id);
std::wstring DialogText(HWND owner, const wchar_t* name);
// A command from the dialog's element, as its click raises it.
void ClickDialog(HWND owner, const wchar_t* name);
