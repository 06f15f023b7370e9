// The network dialog inside the whole program (ProgramRig) against the simulated processor:
// the program runs in English with a processor plugged; a run connects (a session) and then
// runs its steps. The dialog is opened as the menu opens it (CDlgSetNetWork::Open over the main
// window), deferred, so that the steps after OpenDialog run inside its loop.
//
//   NetworkDialogRig r;
//   r.Run(Join({OpenDialog(),
//               {Once([] { Choose(CDlgSetNetWork::kRadioSta); }),
//                Until([] { return Page() == L"STA"; })},
//               CloseDialog()}));
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "CCommonDlg.h"
#include "CDlgSetNetWork.h"
#include "ProgramRig.h"

namespace SWUI {
class SWindow;
}

using NetworkDlg = CCommonDlg<CDlgSetNetWork>;
using Steps = std::vector<ProgramRig::Step>;

class NetworkDialogRig {
 public:
  NetworkDialogRig();

  // Runs the program: a session with the processor, then the steps; the program is closed
  // after them. Fails the test when it does not end in time.
  void Run(Steps steps, DWORD timeoutMs = 90000);
  // The messages shown, in order (message boxes of the framework).
  std::vector<std::wstring> Prompts() const;
  // What the processor's Wi-Fi module reports: its state, the visible networks, the joined one.
  void SetUpNetworks(uint8_t state, std::vector<std::string> list, const std::string& joined);

  ProgramRig rig;
  SimDevice& dev;
};

// Steps that open the dialog and wait for it; the next steps run in its loop.
Steps OpenDialog();
// Steps that close it with its close box and wait until it is gone.
Steps CloseDialog();
Steps Join(std::initializer_list<Steps> parts);

// The dialog that runs, and its handler (the test fails without one).
NetworkDlg& Dialog();
bool DialogOpen();
CDlgSetNetWork& Handler();
// The dialog's elements (the test fails without one).
SWUI::SWindow* Element(const wchar_t* name);
SWUI::SWindow* Element(int id);
bool Shown(const wchar_t* name);
std::wstring TextOf(SWUI::SWindow* element);
// The page shown: L"AP", L"STA", L"Loading", or what else is seen (L"" for none, L"many").
std::wstring Page();
// The network list's items.
std::vector<std::wstring> ListItems();

// Input as the user gives it: a radio chosen, a check box clicked, a button pressed, a text
// typed into an edit.
void Choose(int radioId);
void Toggle(int checkId);
void Press(const wchar_t* name);
void Type(const wchar_t* name, const wchar_t* text);
