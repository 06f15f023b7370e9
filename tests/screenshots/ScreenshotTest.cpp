// Screenshots of the running program against the simulated processor, for people to look at:
// the seven channel pages and the mic's second parameter tab, the main and tray menus open,
// every dialog, the explain window, About and a message box. Each is saved from inside its own
// loop (ModalDriver) while it is up; nothing is compared, and the list ends the output.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CCommonDlg.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "ModalDriver.h"
#include "ProgramRig.h"
#include "Screenshots.h"
#include "control/SMenuEx.h"
#include "control/STabCtrl.h"
#include "controls/SChromeTabCtrl.h"
#include "controls/SDlgInput.h"
#include "core/EventCmd.h"
#include "core/SHostWnd.h"
#include "core/SMessageBoxImpl.h"
#include "core/SWindow.h"

using screenshots::Shoot;

namespace {

using Steps = std::vector<ProgramRig::Step>;

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }
HWND Main() { return ProgramRig::MainHwnd(); }

BOOL Command(int id) {
  SWUI::EventCmd evt(ProgramRig::Element(id));
  return ProgramRig::Logic()._HandleEvent(&evt);
}

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
    CHECK(Command(1000) != 0);
    // The layout's own size: a start-up on a small test screen fits the window to the screen.
    SetWindowPos(Main(), nullptr, 0, 0, 1100, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    CHECK(Controller().IsConnected());
  });
}

// Selects the channel page of that ordinal through the tab strip, as a click on its tab does.
void SelectPage(int ordinal) {
  auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  REQUIRE(strip != nullptr);
  strip->SetCurSel(strip->FindTabByOrdinal(ordinal));
}

// Runs a modal loop (opened by `open`) in which the shot is taken, then ends it with WM_CLOSE
// (or the given step). A loop that does not end in time is ended by the driver's watchdog.
void ShootModal(const wchar_t* name, const std::function<void()>& open,
                ModalDriver::Step end = ModalDriver::Step()) {
  HWND shown = nullptr;
  ModalDriver drive({[] {},
                     [&] {
                       shown = screenshots::TopHostWindow(Main());
                       Shoot(shown, name);
                     },
                     [&] {
                       if (end) {
                         end();
                       } else if (shown != nullptr) {
                         PostMessageW(shown, WM_CLOSE, 0, 0);
                       }
                     }});
  open();
  CHECK_MESSAGE(!drive.TimedOut(), "the loop of a screenshot did not end");
}

// A point inside the main window, in screen coordinates.
POINT InsideMain(int x, int y) {
  POINT pt = {x, y};
  ClientToScreen(Main(), &pt);
  return pt;
}

void ShootMenu(const wchar_t* resource, const wchar_t* name) {
  SWUI::SMenuEx menu;
  REQUIRE(menu.LoadMenu(resource, Main()));
  SetForegroundWindow(Main());
  const POINT at = InsideMain(40, 60);
  ModalDriver drive({[] {}, [&] { Shoot(menu, name); }, [] { SWUI::SMenuEx::ExitPopupMenu(0); }});
  menu.TrackPopupMenu(TPM_RETURNCMD, at.x, at.y, Main());
  CHECK_FALSE(drive.TimedOut());
}

template <class Handler = CCommonEventHandler>
void ShootDialog(const wchar_t* layout, const wchar_t* name) {
  CCommonDlg<Handler> dlg(layout);
  ShootModal(name, [&] { dlg.DoModal(Main()); });
}

const wchar_t* const kPageShots[] = {L"page_1_music",  L"page_2_mic", L"page_3_effect",
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
  Steps steps = {Connect(device)};
  steps.push_back(Once([] { ShootMenu(L"smenu:menu_main", L"menu_main"); }));
  steps.push_back(Once([] { ShootMenu(L"smenu:menu_tray", L"menu_tray"); }));
  steps.push_back(Once([] { ShootDialog(L"LAYOUT:XML_ABOUT", L"dialog_about"); }));
  steps.push_back(Once([] {
    SWUI::SMessageBoxImpl box;
    ShootModal(L"message_box", [&] { box.MessageBox(Main(), L"Device not connected", L"", MB_OK); });
  }));
  steps.push_back(Once([] {
    SDlgInput input(L"Music", L"Rename", 20);
    ShootModal(L"dialog_input", [&] { input.DoModal(Main()); });
  }));
  // Dialogs shown over their layouts with the template's own handler.
  struct Layout {
    const wchar_t* layout;
    const wchar_t* name;
  };
  const Layout layouts[] = {
      {L"LAYOUT:XML_LOGIN", L"dialog_login"},
      {L"LAYOUT:XML_CHANGEPWD", L"dialog_change_password"},
      {L"LAYOUT:XML_VOLUMELIMIT", L"dialog_volume_limit"},
      {L"LAYOUT:XML_DEVICEMODE", L"dialog_device_mode"},
      {L"LAYOUT:XML_PCMODE", L"dialog_pc_mode"},
      {L"LAYOUT:XML_SETNETWORK", L"dialog_network"},
      {L"LAYOUT:XML_SETLOGO", L"dialog_logo"},
      {L"LAYOUT:XML_PROGRESS", L"dialog_progress"},
  };
  for (const Layout& l : layouts) {
    steps.push_back(Once([l] { ShootDialog(l.layout, l.name); }));
  }
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
