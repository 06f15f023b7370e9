// The main and tray menus inside the running program: which menu the device's state chooses and
// what it checks, the commands that need a device, the key lock, the user mode behind its login,
// the volume limits pulling the main volumes down, language, colour scheme, Show, About and Exit.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "CDlgLoginEventHandler.h"
#include "CDlgSetNetWork.h"
#include "CDlgVolumeLimitEventHandler.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "DeviceSteps.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ModalDriver.h"
#include "ProgramRig.h"
#include "RunningDialog.h"
#include "SShellNotifyIcon.h"
#include "control/EventSliderPos.h"
#include "control/SMenuEx.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRunData.h"
#include "controls/ZuSlider.h"
#include "core/EventCmd.h"

using SWUI::SMenuEx;

namespace {

void MenuCommand(int id) { ProgramRig::Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// The "check" of the item (top level, or in the sub-menu of `parent`); -1 without the item.
int CheckOf(SMenuEx& menu, int parent, int id) {
  SMenuEx* level = parent != 0 ? menu.GetSubMenu(parent) : &menu;
  SWUI::SMenuExItem* item = level != nullptr ? level->FindItem(id, MF_BYCOMMAND) : nullptr;
  return item != nullptr ? item->GetCheck() : -1;
}

bool HasItem(SMenuEx& menu, int id) { return menu.FindItem(id, MF_BYCOMMAND) != nullptr; }

// What the main menu shows now.
struct MainMenuLook {
  bool administrator;  // the administrator's menu (it has "Volume Limit")
  int keyLock;
  int chinese, english;
  int user, admin;
  int skin;  // the checked colour scheme item, 0 when none
};

MainMenuLook LookOfMainMenu() {
  SMenuEx menu;
  REQUIRE(ProgramRig::Logic().LoadMainMenu(menu));
  MainMenuLook look = {HasItem(menu, 16),
                       CheckOf(menu, 0, 3),
                       CheckOf(menu, 5, 51),
                       CheckOf(menu, 5, 52),
                       CheckOf(menu, 4, 40),
                       CheckOf(menu, 4, 41),
                       0};
  for (int id = 71; id <= 76; ++id) {
    if (CheckOf(menu, 70, id) == 1) look.skin = id;
  }
  return look;
}

// Presses the button of the running dialog (its name) once the dialog shows.
ModalDriver::Step Press(const wchar_t* name) {
  return [name] { ClickDialog(name); };
}

}  // namespace

TEST_CASE("menus: the main menu follows the device's user mode, key lock, language and scheme") {
  struct Case {
    const char* what;
    bool connect;
    uint16_t mode, keyLock;
    const char* settings;
    MainMenuLook expected;
  };
  const Case cases[] = {
      {"not connected, though the image says administrator",
       false,
       0x80,
       0x80,
       "[Config]\r\nLang = 5\r\n",
       {false, 0, 0, 1, 1, 0, 71}},
      {"administrator with the key locked",
       true,
       0x80,
       0x80,
       "[Config]\r\nLang = 0\r\ncolorIndex = 3\r\n",
       {true, 1, 1, 0, 0, 1, 74}},
      {"administrator, key unlocked",
       true,
       0x80,
       0x00,
       "[Config]\r\nLang = 1\r\n",
       {true, 0, 0, 1, 0, 1, 71}},
      {"user mode with the key locked",
       true,
       0x00,
       0x80,
       "[Config]\r\nLang = 1\r\n",
       {false, 0, 0, 1, 1, 0, 71}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ProgramRig rig;
    rig.WriteSettings(c.settings);
    SimDevice& device = rig.PlugProcessor();
    SetDeviceRow(device, ParamRow::SysControl_Mode, c.mode);
    SetDeviceRow(device, ParamRow::SysAutoKeyLockMode, c.keyLock);
    CHECK(rig.Run({Once([&] {
      if (c.connect) {
        Connect();
      } else {
        SetImageParam(Image(), ParamRow::SysControl_Mode, c.mode);
      }
      const MainMenuLook look = LookOfMainMenu();
      CHECK(look.administrator == c.expected.administrator);
      CHECK(look.keyLock == c.expected.keyLock);
      CHECK(look.chinese == c.expected.chinese);
      CHECK(look.english == c.expected.english);
      CHECK(look.user == c.expected.user);
      CHECK(look.admin == c.expected.admin);
      CHECK(look.skin == c.expected.skin);
    })}) == 0);
  }
}

TEST_CASE("menus: the menu button opens the menu at the cursor, owned by the main window") {
  ProgramRig rig;
  HWND owner = nullptr;
  HWND main = nullptr;
  bool userMenu = false;
  CHECK(rig.Run({Once([&] {
    main = ProgramRig::MainHwnd();
    SetForegroundWindow(main);
    ModalDriver drive({[&] {
      SWUI::SMenuExRunData* running = SWUI::SMenuExRunData::Current();
      if (running == nullptr) return;
      owner = running->GetOwner();
      SMenuEx* top = running->GetLastLevel();
      userMenu = top != nullptr && top->FindItem(3, MF_BYCOMMAND) != nullptr &&
                 top->FindItem(16, MF_BYCOMMAND) == nullptr;
      SMenuEx::ExitPopupMenu(0);
    }});
    SWUI::EventCmd click(ProgramRig::Element(6000));
    CHECK(ProgramRig::Logic()._HandleEvent(&click) != 0);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  CHECK(owner == main);
  CHECK(userMenu);
  CHECK(rig.boxes.empty());
}

TEST_CASE("menus: a right click on the tray icon opens the tray menu over the window") {
  ProgramRig rig;
  std::vector<int> items;
  HWND owner = nullptr;
  HWND main = nullptr;
  CHECK(rig.Run(L"-hide", {Once([&] {
                  main = ProgramRig::MainHwnd();
                  ModalDriver drive({[&] {
                    SWUI::SMenuExRunData* running = SWUI::SMenuExRunData::Current();
                    if (running == nullptr) return;
                    owner = running->GetOwner();
                    if (SMenuEx* top = running->GetLastLevel()) {
                      for (int id : {7, 8, 63, 10, 3}) {
                        if (top->FindItem(id, MF_BYCOMMAND) != nullptr) items.push_back(id);
                      }
                    }
                    SMenuEx::ExitPopupMenu(0);
                  }});
                  ProgramRig::Send(SShellNotifyIcon::kCallbackMessage, 0, WM_RBUTTONDOWN);
                  CHECK_FALSE(drive.TimedOut());
                })}) == 0);
  CHECK(owner == main);
  CHECK(items == std::vector<int>{7, 8, 63, 10});
}

TEST_CASE("menus: without a session the device's commands only say so and send nothing") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  CHECK(rig.Run({Once([&] {
    // Start-up opened the device without a session.
    const size_t before = device.ReceivedCount();
    for (int id : {1, 2, 3, 40, 41, 80}) {
      CAPTURE(id);
      rig.boxes.clear();
      MenuCommand(id);
      REQUIRE(rig.boxes.size() == 1);
      CHECK(rig.boxes[0].text == L"Device not connected");
      CHECK(rig.boxes[0].caption.empty());
      CHECK(rig.boxes[0].framework);
    }
    CHECK(device.ReceivedCount() == before);
  })}) == 0);
}

TEST_CASE("menus: \"NetWork Setting\" opens the network dialog over the main window") {
  ProgramRig rig;
  rig.PlugProcessor();
  bool shown = false;
  CHECK(rig.Run({Once([&] {
    Connect();
    ModalDriver drive({[&] { shown = RunsDialogOf<CDlgSetNetWork>(); }, Press(L"btn_close")});
    MenuCommand(80);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  CHECK(shown);
  CHECK(rig.boxes.empty());
}

TEST_CASE("menus: the key lock goes to the opposite of the device's and says which") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  const int offset = g_ParamDesc[ParamRow::SysAutoKeyLockMode].offset;
  CHECK(rig.Run({Once([&] {
    Connect();
    MenuCommand(3);
    CHECK(GetParam(Image(), ParamRow::SysAutoKeyLockMode) == 0x80);
    MenuCommand(3);
    CHECK(GetParam(Image(), ParamRow::SysAutoKeyLockMode) == 0);
    // A device that does not answer: the state stays.
    device.InjectFault(SimDevice::NoReply, -1, CmdWriteParams);
    MenuCommand(3);
    device.ClearFaults();
    CHECK(GetParam(Image(), ParamRow::SysAutoKeyLockMode) == 0);
  })}) == 0);
  REQUIRE(rig.boxes.size() == 3);
  CHECK(rig.boxes[0].text == L"Key locked");
  CHECK(rig.boxes[1].text == L"Key unlock");
  CHECK(rig.boxes[2].text == L"Set key lock status failed");
  CHECK(DeviceWrote(device, offset, 0x80));
  CHECK(DeviceWrote(device, offset, 0));
}

TEST_CASE("menus: the user mode is switched only after the administrator logged in") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.PlugProcessor();
  const int offset = g_ParamDesc[ParamRow::SysControl_Mode].offset;
  bool loginShown = false;
  CHECK(rig.Run({Once([&] {
    Connect();
    // "User" with the login cancelled: nothing is written.
    {
      ModalDriver drive(
          {[&] { loginShown = RunsDialogOf<CDlgLoginEventHandler>(); }, Press(L"btnCancel")});
      MenuCommand(40);
      CHECK_FALSE(drive.TimedOut());
    }
    CHECK(loginShown);
    CHECK(DeviceWrites(device, offset) == 0);
    CHECK_FALSE(Controller().IsLoggedIn());

    // "Administrators" with the right password.
    {
      ModalDriver drive(
          {[&] { DialogElement(L"txt_pwd")->SetWindowText(L"123456"); }, Press(L"btnOK")});
      MenuCommand(41);
      CHECK_FALSE(drive.TimedOut());
    }
    CHECK(GetParam(Image(), ParamRow::SysControl_Mode) == 0x80);
    CHECK(LookOfMainMenu().administrator);

    // Logged in: "User" asks nothing more; afterwards the login is needed again.
    MenuCommand(40);
    CHECK(GetParam(Image(), ParamRow::SysControl_Mode) == 0);
    CHECK_FALSE(Controller().IsLoggedIn());
    loginShown = false;
    {
      ModalDriver drive(
          {[&] { loginShown = RunsDialogOf<CDlgLoginEventHandler>(); }, Press(L"btn_close")});
      MenuCommand(41);
      CHECK_FALSE(drive.TimedOut());
    }
    CHECK(loginShown);
    CHECK(GetParam(Image(), ParamRow::SysControl_Mode) == 0);
  })}) == 0);
  CHECK(DeviceWrote(device, offset, 0x80));
  CHECK(DeviceWrote(device, offset, 0));
  CHECK(rig.boxes.empty());
}

TEST_CASE("menus: Volume Limit pulls a main volume above its new limit down as its slider would") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  SetDeviceRow(device, ParamRow::Musicvolume, 60);
  SetDeviceRow(device, ParamRow::SysMusicStartVolume, 30);
  SetDeviceRow(device, ParamRow::SysMusicLimterVolume, 84);
  SetDeviceRow(device, ParamRow::Micvolume, 30);
  SetDeviceRow(device, ParamRow::SysMicLimterVolume, 50);
  CHECK(rig.Run({Once([&] {
                   Connect();
                   ProgramRig::Logic().RefreshAll();
                   ModalDriver drive({[&] {
                                        SWUI::SWindow* limit = DialogElement(2011);
                                        static_cast<ZuSlider*>(limit)->SetValue(40);
                                        SWUI::EventSliderPos move(limit);
                                        move.nPos = 40;
                                        limit->FireEvent(move);
                                      },
                                      Press(L"btn_close")});
                   MenuCommand(16);
                   CHECK_FALSE(drive.TimedOut());

                   CDeviceController& c = Controller();
                   for (const uint8_t* image : {c.CurrentImage(), c.Bank0Image(), c.Bank1Image()}) {
                     CHECK(GetParam(image, ParamRow::Musicvolume) == 40);
                   }
                   CHECK(static_cast<ZuSlider*>(ProgramRig::Element(2000))->GetValue() == 40);
                   CHECK(ProgramRig::TextOf(4000) == L"40");
                   // The mic volume is under its limit and stays.
                   CHECK(GetParam(Image(), ParamRow::Micvolume) == 30);
                   CHECK(static_cast<ZuSlider*>(ProgramRig::Element(2001))->GetValue() == 30);
                 }),
                 Until([&] { return DeviceWrote(device, 0, 40); })}) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(DeviceWrites(device, g_ParamDesc[ParamRow::Micvolume].offset) == 0);
}

TEST_CASE("menus: language, colour scheme, Show, About and Exit") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 0\r\n");
  bool aboutShown = false;
  CHECK(rig.Run({Once([&] {
                   const HWND hwnd = ProgramRig::MainHwnd();
                   auto title = [&] {
                     wchar_t text[64] = {};
                     GetWindowTextW(hwnd, text, 64);
                     return std::wstring(text);
                   };
                   CHECK(title() == L"Tevaro 音效处理器");
                   MenuCommand(52);
                   CHECK(ProgramRig::App().Language() == 1);
                   CHECK(title() == L"Tevaro");
                   CHECK(std::wstring(ProgramRig::Logic().TrayIcon().GetData().szTip) == L"Tevaro");
                   CHECK(rig.ReadSettings().find("Lang = 1") != std::string::npos);
                   CHECK(LookOfMainMenu().english == 1);
                   MenuCommand(51);
                   CHECK(ProgramRig::App().Language() == 0);
                   CHECK(title() == L"Tevaro 音效处理器");
                   CHECK(LookOfMainMenu().chinese == 1);

                   MenuCommand(75);
                   CHECK(rig.ReadSettings().find("colorIndex = 4") != std::string::npos);
                   CHECK(LookOfMainMenu().skin == 75);

                   ShowWindow(hwnd, SW_HIDE);
                   MenuCommand(7);
                   CHECK(IsWindowVisible(hwnd));

                   ModalDriver drive({[&] { aboutShown = ProgramRig::OwnedDialog() != nullptr; },
                                      Press(L"btnOK")});
                   MenuCommand(63);
                   CHECK_FALSE(drive.TimedOut());
                 }),
                 // Exit: the window closes as its close box closes it.
                 Once([&] { MenuCommand(10); })}) == 0);
  CHECK(aboutShown);
  CHECK_FALSE(rig.TimedOut());
  CHECK(rig.ReadSettings().find("[TabSel]") != std::string::npos);
  CHECK(CApplication::Find() == nullptr);
  REQUIRE_FALSE(rig.trayCalls.empty());
  CHECK(rig.trayCalls.back().message == NIM_DELETE);
}
