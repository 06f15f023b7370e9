// The network dialog inside the whole program (ProgramRig) against the simulated processor:
// the program runs in English with a processor plugged; a run connects (a session) and then
// runs its body on the UI thread, where the body opens dialogs and drives them with steps.
//
//   NetworkDialogRig r;
//   r.Run([&] {
//     NetworkDlg dlg(CDlgSetNetWork::kLayout);
//     RunDialog(dlg, {Once([&] { Choose(dlg, CDlgSetNetWork::kRadioSta); }),
//                     Until([&] { return Page(dlg) == L"STA"; })});
//   });
#pragma once
#include <windows.h>

#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include "CCommonDlg.h"
#include "CDlgSetNetWork.h"
#include "PolledSteps.h"
#include "ProgramRig.h"

namespace SWUI {
class SWindow;
}

using NetworkDlg = CCommonDlg<CDlgSetNetWork>;

class NetworkDialogRig {
 public:
  NetworkDialogRig();

  // Runs the program: a session with the processor, then the body; the program is closed after
  // it. Fails the test when it does not end in time.
  void Run(std::function<void()> body, DWORD timeoutMs = 90000);
  // The messages shown, in order (message boxes of the framework).
  std::vector<std::wstring> Prompts() const;
  // What the processor's Wi-Fi module reports: its state, the visible networks, the joined one.
  void SetUpNetworks(uint8_t state, std::vector<std::string> list, const std::string& joined);

  ProgramRig rig;
  SimDevice& dev;
};

// Opens the dialog over the main window and runs the steps (ProgramRig's Once and Until make
// them) in its loop; after the last step the
// dialog is closed with its close box unless a step ended it. Fails the test when the steps do
// not finish in time. The dialog's end code.
INT_PTR RunDialog(NetworkDlg& dlg, std::vector<PolledSteps::Step> steps,
                  DWORD timeoutMs = 30000);

// The dialog's elements (the test fails without one).
SWUI::SWindow* Element(NetworkDlg& dlg, const wchar_t* name);
SWUI::SWindow* Element(NetworkDlg& dlg, int id);
bool Shown(NetworkDlg& dlg, const wchar_t* name);
std::wstring TextOf(SWUI::SWindow* element);
// The page shown: L"AP", L"STA", L"Loading", or what else is seen (L"" for none, L"many").
std::wstring Page(NetworkDlg& dlg);
// The network list's items.
std::vector<std::wstring> ListItems(NetworkDlg& dlg);

// Input as the user gives it: a radio chosen, a check box clicked, a button pressed, a text
// typed into an edit.
void Choose(NetworkDlg& dlg, int radioId);
void Toggle(NetworkDlg& dlg, int checkId);
void Press(NetworkDlg& dlg, const wchar_t* name);
void Type(NetworkDlg& dlg, const wchar_t* name, const wchar_t* text);
