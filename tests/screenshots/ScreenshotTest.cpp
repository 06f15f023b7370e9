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
#include "CDlgProgress.h"
#include "CDlgSetLogoImage.h"
#include "CDlgSetNetWork.h"
#include "CExplainWnd.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/DefaultParamImages.h"
#include "IndependentReading.h"
#include "PCModeFiles.h"
#include "PngFixtures.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "Screenshots.h"
#include "control/SMenuEx.h"
#include "control/SRadioBox.h"
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
    SetWindowPos(Main(), nullptr, 0, 0, 1280, 720, SWP_NOZORDER | SWP_NOACTIVATE);
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

// A main-menu command, as the menu sends it.
void MenuCommand(int id) { ProgramRig::Send(WM_COMMAND, MAKEWPARAM(id, 0)); }

// A point inside the main window, in screen coordinates.
POINT InsideMain(int x, int y) {
  POINT pt = {x, y};
  ClientToScreen(Main(), &pt);
  return pt;
}

// Steps that open a menu the way the program does (with the cursor at a point of the main
// window), shoot it from inside its loop and dismiss it.
void AddMenu(Steps& steps, const wchar_t* name, std::function<void()> open) {
  steps.push_back(Once([open] {
    SetForegroundWindow(Main());
    const POINT at = InsideMain(980, 36);
    SetCursorPos(at.x, at.y);
    ProgramRig::Defer(open);
  }));
  steps.push_back(Until([] { return ProgramRig::OpenMenu() != nullptr; }));
  steps.push_back(Once([name] {
    Shoot(*ProgramRig::OpenMenu(), name);
    SWUI::SMenuEx::ExitPopupMenu(0);
  }));
  steps.push_back(Until([] { return ProgramRig::OpenMenu() == nullptr; }));
}

bool NoDialog() { return ProgramRig::OwnedDialog() == nullptr; }

void CloseDialog() { PostMessageW(ProgramRig::OwnedDialog()->m_hWnd, WM_CLOSE, 0, 0); }

// The network dialog as AP, loading (the device's answer to the query held back) and as a
// station joined to "Home", then its explain window.
void AddNetwork(Steps& steps, SimDevice& device) {
  using NetworkDialog = CCommonDlg<CDlgSetNetWork>;
  steps.push_back(Once([&device] {
    // A station joined to "Home"; the answer to the query's first request is held back.
    device.Inspect([](SimProcessor& p) {
      p.wifiState = 1;
      p.wifiList = {"Home", "Office", "Guest"};
      p.wifiConnected = "Home";
      return 0;
    });
    device.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
    ProgramRig::Defer([] { MenuCommand(80); });  // "NetWork Setting"
  }));
  steps.push_back(Until([] { return !NoDialog(); }));
  steps.push_back(Once([] {
    Shoot(*ProgramRig::OwnedDialog(), L"dialog_network_ap");
    auto* sta = dynamic_cast<SWUI::SRadioBox*>(
        ProgramRig::OwnedDialog()->GetRoot()->FindChildByID(CDlgSetNetWork::kRadioSta));
    REQUIRE(sta != nullptr);
    sta->SetCheck(TRUE);
  }));
  steps.push_back(Once([] { Shoot(*ProgramRig::OwnedDialog(), L"dialog_network_loading"); }));
  // The query's first request has reached the device, whose answer waits.
  steps.push_back(Until([&device] { return device.ReceivedCount(CmdWifiState) > 0; }));
  steps.push_back(Once([&device] { device.ReleaseHeld(); }));
  steps.push_back(Until([] {
    return std::wstring(ProgramRig::DialogElement(L"connecting_name")->GetWindowText().c_str()) ==
           L"Home";
  }));
  steps.push_back(Once([] {
    Shoot(*ProgramRig::OwnedDialog(), L"dialog_network_sta_joined");
    ProgramRig::DialogElement(L"btn_explain")->FireCommand();
  }));
  steps.push_back(Once([] {
    auto* dialog = dynamic_cast<NetworkDialog*>(ProgramRig::OwnedDialog());
    REQUIRE(dialog != nullptr);
    CExplainWnd* explain = dialog->Handler()->ExplainWindow();
    REQUIRE(explain != nullptr);
    Shoot(*explain, L"window_explain");
    CloseDialog();
  }));
  steps.push_back(Until(NoDialog));
}

// The logo dialog with two images added through its add button.
void AddLogo(Steps& steps, ProgramRig& rig, const TestFolder& folder) {
  steps.push_back(Once([&rig, &folder] {
    const fixtures::Rgba colours[] = {{0x3F, 0xA9, 0xF5, 0xFF}, {0xD9, 0x3F, 0x45, 0xFF}};
    for (int i = 0; i < 2; ++i) {
      const std::vector<BYTE> png = fixtures::EncodePng(fixtures::Fill(64, 48, colours[i]));
      rig.fileAnswers.push_back(folder.Write(L"logo" + std::to_wstring(i) + L".png",
                                             std::string(png.begin(), png.end())));
    }
    ProgramRig::Defer([] {
      CCommonDlg<CDlgSetLogoImage> dlg(L"LAYOUT:XML_SETLOGO");
      dlg.DoModal(Main());
    });
  }));
  steps.push_back(Until([] { return !NoDialog(); }));
  for (int i = 0; i < 2; ++i) {
    steps.push_back(Once([i] {
      SWUI::SWindow* add =
          ProgramRig::OwnedDialog()->GetRoot()->FindChildByID(CDlgSetLogoImage::kFirstImageId + i);
      REQUIRE(add != nullptr);
      add->FireCommand();
    }));
  }
  steps.push_back(Once([] {
    Shoot(*ProgramRig::OwnedDialog(), L"dialog_logo");
    CloseDialog();
  }));
  steps.push_back(Until(NoDialog));
}

const wchar_t* const kPageShots[] = {L"page_1_music",   L"page_2_mic",    L"page_3_effect",
                                     L"page_4_main",    L"page_5_center", L"page_6_sub",
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
  AddMenu(steps, L"menu_main", [] { ProgramRig::Element(6000)->FireCommand(); });
  // The tray icon's right button.
  AddMenu(steps, L"menu_tray", [] { ProgramRig::Send(2125, 100, WM_RBUTTONDOWN); });
  AddModal(steps, L"dialog_about", [] { MenuCommand(63); });
  AddModal(steps, L"message_box", [] {
    SWUI::SMessageBoxImpl box;
    box.MessageBox(Main(), L"Device not connected", L"", MB_OK);
  });
  AddModal(steps, L"dialog_input", [] {
    SDlgInput input(L"Music", L"Rename", 20);
    input.DoModal(Main());
  });
  AddModal(steps, L"dialog_pc_mode", [] { ProgramRig::Element(9003)->FireCommand(); });
  AddModal(steps, L"dialog_device_mode", [] { ProgramRig::Element(9002)->FireCommand(); });
  AddModal(steps, L"dialog_login", [] { MenuCommand(41); });
  AddModal(steps, L"dialog_change_password", [] { MenuCommand(2); });
  AddModal(steps, L"dialog_volume_limit", [] { MenuCommand(16); });
  AddNetwork(steps, device);
  TestFolder folder;
  AddLogo(steps, rig, folder);
  AddModal(
      steps, L"dialog_progress",
      [] {
        CDlgProgress progress;
        progress.SetValue(50);
        progress.DoModal(Main());
      },
      [](SWUI::SHostDialog& dialog) {
        // The poll that gives the bar its value, now.
        SendMessageW(dialog.m_hWnd, WM_TIMER, CDlgProgress::kTimerPoll, 0);
      });
  CHECK(rig.Run(steps, 120000) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(rig.boxes.empty());
}

TEST_CASE("screenshots: the list") { screenshots::PrintList(); }
