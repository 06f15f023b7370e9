// A tour of the running program against the simulated processor, once in English and once in
// Chinese: the seven channel pages and the mic's second parameter tab at the default size, at
// the minimum size, at 1024 x 700 and at 1920 x 1080, the top bar through every placement tier
// and back, the main and tray menus open, every dialog, the explain window, About and a message
// box. Each stop is saved as a PNG for people to look at (not at 1024 x 700) and held against
// the layout audit (LayoutAudit.h), from inside its own loop while it is up; the audit's
// failures fail the test, and the list of pictures ends the output.
#include <doctest/doctest.h>
#include <windows.h>

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
#include "HidDevice/CommandReport.h"
#include "HidDevice/DefaultParamImages.h"
#include "IndependentReading.h"
#include "LayoutAudit.h"
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

namespace {

using Steps = std::vector<ProgramRig::Step>;

HWND Main() { return ProgramRig::MainHwnd(); }

// The main window's sizes: the layout's own, its minimum, a 1024-pixel screen's and a large
// screen's.
constexpr SIZE kDefaultSize = {1280, 720};
constexpr SIZE kMinimumSize = {1000, 640};
constexpr SIZE kSmallScreenSize = {1024, 700};
constexpr SIZE kLargeSize = {1920, 1080};

// What the stops of one tour share: the language, the pictures' prefix and the audit's findings.
class Tour {
 public:
  explicit Tour(bool english) : english_(english), lang_(english ? "en" : "cn") {}

  bool English() const { return english_; }

  // Audits the host as it stands and, with a picture name, saves it as <lang>_<name>.png.
  void Visit(SWUI::SHostWnd& host, const std::string& where, const wchar_t* picture) {
    LayoutAudit audit(lang_ + " " + where);
    audit.Check(host);
    Take(audit);
    if (picture != nullptr) {
      const std::wstring name = std::wstring(english_ ? L"en_" : L"cn_") + picture;
      screenshots::Shoot(host, name.c_str());
    }
  }
  void VisitTopBar(SWUI::SHostWnd& host, const std::string& where) {
    LayoutAudit audit(lang_ + " " + where);
    audit.CheckTopBar(host);
    Take(audit);
  }
  // Every finding as a failure of its own, then the count.
  void Report() const {
    for (const std::string& failure : failures_) FAIL_CHECK(failure);
    CHECK(failures_.empty());
  }

 private:
  void Take(const LayoutAudit& audit) {
    failures_.insert(failures_.end(), audit.Failures().begin(), audit.Failures().end());
  }

  bool english_;
  std::string lang_;
  std::vector<std::string> failures_;
};

// The program in the tour's language with a processor plugged.
SimDevice& Start(ProgramRig& rig, const Tour& tour) {
  rig.WriteSettings(tour.English() ? "[Config]\r\nLang = 1\r\n" : "[Config]\r\nLang = 0\r\n");
  return rig.PlugProcessor();
}

void Resize(SIZE size) {
  SetWindowPos(Main(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string SizeText(SIZE size) { return std::to_string(size.cx) + "x" + std::to_string(size.cy); }

const wchar_t* const kPageShots[] = {L"page_1_music",   L"page_2_mic",    L"page_3_effect",
                                     L"page_4_main",    L"page_5_center", L"page_6_sub",
                                     L"page_7_surround"};

// Every page and the mic's second tab at one size; pictures named with the prefix, or none.
void AddPages(Steps& steps, Tour& tour, SIZE size, const wchar_t* prefix) {
  steps.push_back(Once([size] { Resize(size); }));
  for (int page = 0; page <= 7; ++page) {
    steps.push_back(Once([page] { screenshots::ShowTourPage(page); }));
    steps.push_back(Once([&tour, page, size, prefix] {
      const std::wstring base = page == 7 ? L"page_2_mic_second_tab" : kPageShots[page];
      const std::wstring picture = prefix != nullptr ? prefix + base : L"";
      std::string where = SizeText(size) + " ";
      for (wchar_t c : base) where += static_cast<char>(c);
      tour.Visit(ProgramRig::Main(), where, prefix != nullptr ? picture.c_str() : nullptr);
    }));
  }
  steps.push_back(Once([] { screenshots::ShowTourPage(1); }));  // the mic, back on its first tab
}

// The top bar at widths through every placement tier (below 1100, 1100 .. 1200, from 1201),
// up and down again, each as a user's drag proposes it.
void AddTopBar(Steps& steps, Tour& tour) {
  const int widths[] = {1000, 1050, 1099, 1100, 1150, 1200, 1201, 1280, 1400, 1600,
                        1201, 1200, 1150, 1100, 1099, 1000, 1150, 1201, 1100, 1000};
  for (int width : widths) {
    steps.push_back(Once([&tour, width] {
      RECT proposed = {0, 0, width, kDefaultSize.cy};
      ProgramRig::Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
      Resize(SIZE{width, kDefaultSize.cy});
      tour.VisitTopBar(ProgramRig::Main(), "top bar at " + std::to_string(width));
    }));
  }
  steps.push_back(Once([] { Resize(kDefaultSize); }));
}

// Steps that open a modal window owned by the main window (from the program's loop, so that
// the next steps run inside the window's own), let `prepare` set it up, visit it and close it.
void AddModal(Steps& steps, Tour& tour, const wchar_t* name, std::function<void()> open,
              std::function<void(SWUI::SHostDialog&)> prepare = nullptr) {
  steps.push_back(Once([open] { ProgramRig::Defer(open); }));
  steps.push_back(Until([] { return ProgramRig::OwnedDialog() != nullptr; }));
  if (prepare) steps.push_back(Once([prepare] { prepare(*ProgramRig::OwnedDialog()); }));
  steps.push_back(Once([&tour, name] {
    SWUI::SHostDialog* dialog = ProgramRig::OwnedDialog();
    REQUIRE(dialog != nullptr);
    std::string where;
    for (const wchar_t* c = name; *c != 0; ++c) where += static_cast<char>(*c);
    tour.Visit(*dialog, where, name);
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
// window), visit it from inside its loop and dismiss it.
void AddMenu(Steps& steps, Tour& tour, const wchar_t* name, std::function<void()> open) {
  steps.push_back(Once([open] {
    SetForegroundWindow(Main());
    const POINT at = InsideMain(980, 36);
    SetCursorPos(at.x, at.y);
    ProgramRig::Defer(open);
  }));
  steps.push_back(Until([] { return ProgramRig::OpenMenu() != nullptr; }));
  steps.push_back(Once([&tour, name] {
    std::string where;
    for (const wchar_t* c = name; *c != 0; ++c) where += static_cast<char>(*c);
    tour.Visit(*ProgramRig::OpenMenu(), where, name);
    SWUI::SMenuEx::ExitPopupMenu(0);
  }));
  steps.push_back(Until([] { return ProgramRig::OpenMenu() == nullptr; }));
}

bool NoDialog() { return ProgramRig::OwnedDialog() == nullptr; }

void CloseDialog() { PostMessageW(ProgramRig::OwnedDialog()->m_hWnd, WM_CLOSE, 0, 0); }

// The network dialog as AP, loading (the device's answer to the query held back) and as a
// station joined to "Home", then its explain window.
void AddNetwork(Steps& steps, Tour& tour, SimDevice& device) {
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
  steps.push_back(Once([&tour] {
    tour.Visit(*ProgramRig::OwnedDialog(), "dialog_network_ap", L"dialog_network_ap");
    auto* sta = dynamic_cast<SWUI::SRadioBox*>(
        ProgramRig::OwnedDialog()->GetRoot()->FindChildByID(CDlgSetNetWork::kRadioSta));
    REQUIRE(sta != nullptr);
    sta->SetCheck(TRUE);
  }));
  steps.push_back(Once([&tour] {
    tour.Visit(*ProgramRig::OwnedDialog(), "dialog_network_loading", L"dialog_network_loading");
  }));
  // The query's first request has reached the device, whose answer waits.
  steps.push_back(Until([&device] { return device.ReceivedCount(CmdWifiState) > 0; }));
  steps.push_back(Once([&device] { device.ReleaseHeld(); }));
  steps.push_back(Until([] {
    return std::wstring(ProgramRig::DialogElement(L"connecting_name")->GetWindowText().c_str()) ==
           L"Home";
  }));
  steps.push_back(Once([&tour] {
    tour.Visit(*ProgramRig::OwnedDialog(), "dialog_network_sta_joined", L"dialog_network_sta_joined");
    ProgramRig::DialogElement(L"btn_explain")->FireCommand();
  }));
  steps.push_back(Once([&tour] {
    auto* dialog = dynamic_cast<NetworkDialog*>(ProgramRig::OwnedDialog());
    REQUIRE(dialog != nullptr);
    CExplainWnd* explain = dialog->Handler()->ExplainWindow();
    REQUIRE(explain != nullptr);
    tour.Visit(*explain, "window_explain", L"window_explain");
    CloseDialog();
  }));
  steps.push_back(Until(NoDialog));
}

// The logo dialog with two images added through its add button, the second one selected.
void AddLogo(Steps& steps, Tour& tour, ProgramRig& rig, const TestFolder& folder) {
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
  steps.push_back(Once([&tour] {
    tour.Visit(*ProgramRig::OwnedDialog(), "dialog_logo", L"dialog_logo");
    CloseDialog();
  }));
  steps.push_back(Until(NoDialog));
}

// The whole tour in one language.
void RunTour(Tour& tour) {
  ProgramRig rig;
  SimDevice& device = Start(rig, tour);
  // Two saved PC modes for the PC mode dialog's list.
  ModeFolder modes;
  {
    PCModeList list;
    const uint8_t* image = DefaultParamImages::Sing();
    for (const wchar_t* name : {L"Party", L"Ballad"}) {
      REQUIRE(SavePCMode(modes.ProgramFolder(), &list, name, image, image, image) >= 0);
    }
  }
  Steps steps = {screenshots::ConnectAtStartValues(device, kDefaultSize)};
  AddPages(steps, tour, kDefaultSize, L"");
  AddPages(steps, tour, kMinimumSize, L"min_");
  AddPages(steps, tour, kSmallScreenSize, nullptr);
  AddPages(steps, tour, kLargeSize, L"large_");
  steps.push_back(Once([] { Resize(kDefaultSize); }));
  AddTopBar(steps, tour);
  AddMenu(steps, tour, L"menu_main", [] { ProgramRig::Element(6000)->FireCommand(); });
  // The tray icon's right button.
  AddMenu(steps, tour, L"menu_tray", [] { ProgramRig::Send(2125, 100, WM_RBUTTONDOWN); });
  AddModal(steps, tour, L"dialog_about", [] { MenuCommand(63); });
  AddModal(steps, tour, L"message_box", [] {
    SWUI::SMessageBoxImpl box;
    box.MessageBox(Main(), L"Device not connected", L"", MB_OK);
  });
  AddModal(steps, tour, L"dialog_input", [] {
    SDlgInput input(L"Music", L"Rename", 20);
    input.DoModal(Main());
  });
  AddModal(steps, tour, L"dialog_pc_mode", [] { ProgramRig::Element(9003)->FireCommand(); });
  AddModal(steps, tour, L"dialog_device_mode", [] { ProgramRig::Element(9002)->FireCommand(); });
  AddModal(steps, tour, L"dialog_login", [] { MenuCommand(41); });
  AddModal(steps, tour, L"dialog_change_password", [] { MenuCommand(2); });
  AddModal(steps, tour, L"dialog_volume_limit", [] { MenuCommand(16); });
  AddNetwork(steps, tour, device);
  TestFolder folder;
  AddLogo(steps, tour, rig, folder);
  AddModal(
      steps, tour, L"dialog_progress",
      [] {
        CDlgProgress progress;
        progress.SetValue(50);
        progress.DoModal(Main());
      },
      [](SWUI::SHostDialog& dialog) {
        // The poll that gives the bar its value, now.
        SendMessageW(dialog.m_hWnd, WM_TIMER, CDlgProgress::kTimerPoll, 0);
      });
  CHECK(rig.Run(steps, 240000) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(rig.boxes.empty());
  tour.Report();
}

}  // namespace

TEST_CASE("tour in English: every page at four sizes, the top bar, the menus, every dialog") {
  Tour tour(true);
  RunTour(tour);
}

TEST_CASE("tour in Chinese: every page at four sizes, the top bar, the menus, every dialog") {
  Tour tour(false);
  RunTour(tour);
}

TEST_CASE("screenshots: the list") { screenshots::PrintList(); }
