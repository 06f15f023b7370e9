// Screenshots of the running program against the simulated processor, for people to look at:
// the seven channel pages and the mic's second parameter tab, the main and tray menus open,
// every dialog, the explain window, About and a message box. Each is saved from inside its own
// loop while it is up; nothing is compared, and the list ends the output.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CCommonDlg.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "ModalDriver.h"
#include "PCModeFiles.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "Screenshots.h"
#include "control/SMenuEx.h"
#include "control/SProgress.h"
#include "control/STabCtrl.h"
#include "controls/SChromeTabCtrl.h"
#include "controls/SDlgInput.h"
#include "core/SHostDialog.h"
#include "core/SHostWnd.h"
#include "core/SMessageBoxImpl.h"
#include "core/SWindow.h"

using screenshots::Shoot;

namespace {

using Steps = std::vector<ProgramRig::Step>;

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }
HWND Main() { return ProgramRig::MainHwnd(); }

// The program in English with a processor plugged.
SimDevice& Start(ProgramRig& rig) {
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  return rig.PlugProcessor();
}

// Presses Connect (the session starts and both banks are read), the processor's banks holding
// the program's own start values first, so that the pages show the values a user meets.
ProgramRig::Step Connect(SimDevice& device) {
  return Once([&device] {
    device.Inspect([](SimProcessor& p) {
      for (auto& bank : p.banks) std::memcpy(bank, Controller().CurrentImage(), sizeof bank);
      return 0;
    });
    Controller().SetSessionSettleMs(0);
    ProgramRig::Element(1000)->FireCommand();
    CHECK(Controller().IsConnected());
    // The layout's own size: a start-up on a small test screen fits the window to the screen.
    SetWindowPos(Main(), nullptr, 0, 0, 1100, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

// Selects the channel page of that ordinal through the tab strip, as a click on its tab does.
void SelectPage(int ordinal) {
  auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  REQUIRE(strip != nullptr);
  strip->SetCurSel(strip->FindTabByOrdinal(ordinal));
}

// Steps that open a modal window owned by the main window (from the program's loop, so that
// the next steps run inside the window's own), let `prepare` set it up, shoot it and close it.
void AddModal(Steps& steps, const wchar_t* name, std::function<void()> open,
              std::function<void(SWUI::SHostDialog&)> prepare = nullptr) {
  steps.push_back(Once([open] { ProgramRig::Defer(open); }));
  steps.push_back(Until([] { return ProgramRig::OwnedDialog() != nullptr; }));
  if (prepare) steps.push_back(Once([prepare] { prepare(*ProgramRig::OwnedDialog()); }));
  steps.push_back(Once([name] {
    SWUI::SHostDialog* dialog = ProgramRig::OwnedDialog();
    REQUIRE(dialog != nullptr);
    Shoot(*dialog, name);
    PostMessageW(dialog->m_hWnd, WM_CLOSE, 0, 0);
  }));
  steps.push_back(Until([] { return ProgramRig::OwnedDialog() == nullptr; }));
}

// A dialog shown over its layout with the template's own handler.
template <class Handler = CCommonEventHandler>
void AddLayout(Steps& steps, const wchar_t* layout, const wchar_t* name,
               std::function<void(SWUI::SHostDialog&)> prepare = nullptr) {
  AddModal(
      steps, name,
      [layout] {
        CCommonDlg<Handler> dlg(layout);
        dlg.DoModal(Main());
      },
      prepare);
}

// A point inside the main window, in screen coordinates.
POINT InsideMain(int x, int y) {
  POINT pt = {x, y};
  ClientToScreen(Main(), &pt);
  return pt;
}

// Opens the menu at a point of the main window, shoots it from inside its loop and dismisses it.
void ShootMenu(SWUI::SMenuEx& menu, POINT at, const wchar_t* name) {
  SetForegroundWindow(Main());
  const POINT screen = InsideMain(at.x, at.y);
  ModalDriver drive({[] {}, [&] { Shoot(menu, name); }, [] { SWUI::SMenuEx::ExitPopupMenu(0); }});
  menu.TrackPopupMenu(TPM_RETURNCMD, screen.x, screen.y, Main());
  CHECK_FALSE(drive.TimedOut());
}

void ShootMenu(const wchar_t* resource, POINT at, const wchar_t* name) {
  SWUI::SMenuEx menu;
  REQUIRE(menu.LoadMenu(resource, Main()));
  ShootMenu(menu, at, name);
}

const wchar_t* const kPageShots[] = {L"page_1_music",  L"page_2_mic",    L"page_3_effect",
                                     L"page_4_main",   L"page_5_center", L"page_6_sub",
                                     L"page_7_surround"};

}  // namespace

TEST_CASE("screenshots: the seven pages and the mic's second parameter tab") {
  ProgramRig rig;
  SimDevice& device = Start(rig);
  Steps steps = {Connect(device)};
  for (int page = 0; page < 7; ++page) {
    steps.push_back(Once([page] { SelectPage(page); }));
    steps.push_back(Once([page] { Shoot(ProgramRig::Main(), kPageShots[page]); }));
  }
  steps.push_back(Once([] {
    SelectPage(1);
    auto* tabs = dynamic_cast<SWUI::STabCtrl*>(ProgramRig::Element(L"micparam_tab"));
    REQUIRE(tabs != nullptr);
    tabs->SetCurSel(1);
  }));
  steps.push_back(Once([] { Shoot(ProgramRig::Main(), L"page_2_mic_second_tab"); }));
  CHECK(rig.Run(steps, 120000) == 0);
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("screenshots: the menus, the dialogs, the explain window, a message box") {
  ProgramRig rig;
  SimDevice& device = Start(rig);
  // Two saved PC modes for the PC mode dialog's list.
  ModeFolder modes;
  {
    PCModeList list;
    const uint8_t* image = DefaultParamImages::Sing();
    for (const wchar_t* name : {L"Party", L"Ballad"}) {
      REQUIRE(SavePCMode(modes.ProgramFolder(), &list, name, image, image, image) >= 0);
    }
  }
  Steps steps = {Connect(device)};
  steps.push_back(Once([] { ShootMenu(L"smenu:menu_main", POINT{1000, 30}, L"menu_main"); }));
  steps.push_back(Once([] { ShootMenu(L"smenu:menu_tray", POINT{1000, 30}, L"menu_tray"); }));
  AddLayout(steps, L"LAYOUT:XML_ABOUT", L"dialog_about");
  AddModal(steps, L"message_box", [] {
    SWUI::SMessageBoxImpl box;
    box.MessageBox(Main(), L"Device not connected", L"", MB_OK);
  });
  AddModal(steps, L"dialog_input", [] {
    SDlgInput input(L"Music", L"Rename", 20);
    input.DoModal(Main());
  });
  AddModal(steps, L"dialog_pc_mode", [] { ProgramRig::Element(9003)->FireCommand(); });
  // Dialogs whose handlers are still to come, over their layouts.
  AddLayout(steps, L"LAYOUT:XML_LOGIN", L"dialog_login");
  AddLayout(steps, L"LAYOUT:XML_CHANGEPWD", L"dialog_change_password");
  AddLayout(steps, L"LAYOUT:XML_VOLUMELIMIT", L"dialog_volume_limit");
  AddLayout(steps, L"LAYOUT:XML_DEVICEMODE", L"dialog_device_mode");
  AddLayout(steps, L"LAYOUT:XML_SETNETWORK", L"dialog_network_ap");
  AddLayout(steps, L"LAYOUT:XML_SETLOGO", L"dialog_logo");
  AddLayout(steps, L"LAYOUT:XML_PROGRESS", L"dialog_progress", [](SWUI::SHostDialog& dlg) {
    auto* bar = dynamic_cast<SWUI::SProgress*>(dlg.GetRoot()->FindChildByName(L"progress_bar"));
    REQUIRE(bar != nullptr);
    int lo = 0;
    int hi = 0;
    bar->GetRange(&lo, &hi);
    bar->SetValue(lo + (hi - lo) / 2);
  });
  steps.push_back(Once([] {
    SWUI::SHostWnd explain(L"LAYOUT:XML_EXPLAIN");
    REQUIRE(explain.Create(Main()) != nullptr);
    ShowWindow(explain.m_hWnd, SW_SHOWNOACTIVATE);
    Shoot(explain, L"window_explain");
    explain.DestroyWindow();
  }));
  CHECK(rig.Run(steps, 120000) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(rig.boxes.empty());
}

TEST_CASE("screenshots: the list") { screenshots::PrintList(); }
