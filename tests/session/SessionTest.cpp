// One session of the whole program, run as a user runs it, against the simulated processor:
// start with the processor plugged, connect, change values on four pages, export an effect
// file and import it again, log in as administrator and change its password through the
// menu's commands, unplug and plug the processor in again, connect again, log in with the old
// and the new password, close. Every stage checks what reached the processor and what the
// program shows; a stage that does not finish is named. Each stage's time and the session's
// total time are printed.
#include <doctest/doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "EditRig.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "ParamControls.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "control/SMenuEx.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SHostDialog.h"
#include "core/SWindow.h"

namespace {

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }
const uint8_t* Image() { return Controller().CurrentImage(); }

std::wstring ConnectState() {
  return ProgramRig::Element(L"dev_connect_state")->GetWindowText(TRUE).c_str();
}

// The connect toggle pressed.
void PressConnect() { ProgramRig::Element(1000)->FireCommand(); }

void SelectPage(int ordinal) {
  auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  REQUIRE(strip != nullptr);
  strip->SetCurSel(strip->FindTabByOrdinal(ordinal));
}

// The hot-plug broadcast of a device interface, as the system sends it with WM_DEVICECHANGE.
void SendDeviceChange(WPARAM event, const std::wstring& path) {
  std::vector<BYTE> bytes(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + path.size() * sizeof(wchar_t));
  auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
  record->dbcc_size = static_cast<DWORD>(bytes.size());
  record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  wcscpy(record->dbcc_name, path.c_str());
  ProgramRig::Send(WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(bytes.data()));
}

uint16_t DeviceParam(EditRig& rig, int row) { return GetParam(rig.DeviceBank().data(), row); }

// The session's stages: each a step of the program rig with a name, timed.
class Session {
 public:
  explicit Session(ProgramRig& rig) : rig_(rig) {}

  void Add(const char* name, ProgramRig::Step step) {
    const size_t index = names_.size();
    names_.push_back(name);
    steps_.push_back([this, index, step] {
      if (!step()) return false;
      ends_[index] = GetTickCount();
      return true;
    });
  }

  // Runs every stage; a stage that does not finish in time is named.
  void Run(DWORD timeoutMs) {
    ends_.assign(names_.size(), 0);
    started_ = GetTickCount();
    CHECK(rig_.Run(steps_, timeoutMs) == 0);
    finished_ = GetTickCount();
    if (rig_.StepsDone() < names_.size()) {
      FAIL_CHECK("the session stopped at the stage \""
                 << std::string(names_[rig_.StepsDone()]) << "\""
                 << std::string(rig_.TimedOut() ? " (timed out)" : ""));
    }
  }

  void PrintTimes() const {
    DWORD previous = started_;
    for (size_t i = 0; i < names_.size() && ends_[i] != 0; ++i) {
      std::printf("  %-58s %6lu ms\n", names_[i], ends_[i] - previous);
      previous = ends_[i];
    }
    std::printf("session: total time %lu ms (start to the end of the program)\n",
                finished_ - started_);
    std::fflush(stdout);
  }

 private:
  ProgramRig& rig_;
  std::vector<const char*> names_;
  std::vector<ProgramRig::Step> steps_;
  std::vector<DWORD> ends_;
  DWORD started_ = 0;
  DWORD finished_ = 0;
};

const int kMixSlider = 2430;  // the main page's mix level (Main_MU, its mute bit kept)
const int kMusicBandGain = ParamRow::MusicEQInfo0mode + 2;  // the music page's first band

}  // namespace

// Steps that open a menu from its button and wait for it, let `check` look at it, then dismiss
// it.
void AddMenu(Session& session, const char* name, std::function<void(SWUI::SMenuEx&)> check) {
  session.Add(name,
              Once([] { ProgramRig::Defer([] { ProgramRig::Element(6000)->FireCommand(); }); }));
  session.Add("  (the menu open)", Until([] { return ProgramRig::OpenMenu() != nullptr; }));
  session.Add("  (the menu looked at)", Once([check] {
                check(*ProgramRig::OpenMenu());
                SWUI::SMenuEx::ExitPopupMenu(0);
              }));
  session.Add("  (the menu closed)", Until([] { return ProgramRig::OpenMenu() == nullptr; }));
}

// Steps that run a main-menu command whose dialog the next steps drive.
void AddMenuDialog(Session& session, const char* name, int command) {
  session.Add(
      name, Once([command] {
        ProgramRig::Defer([command] { ProgramRig::Send(WM_COMMAND, MAKEWPARAM(command, 0)); });
      }));
  session.Add("  (the dialog up)", Until([] { return ProgramRig::OwnedDialog() != nullptr; }));
}

// Types the password into the login dialog and presses OK.
void LogIn(const wchar_t* password) {
  ProgramRig::DialogElement(L"txt_pwd")->SetWindowText(password);
  ProgramRig::DialogElement(L"btnOK")->FireCommand();
}

bool NoDialog() { return ProgramRig::OwnedDialog() == nullptr; }

void RunSession() {
  EditRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.Device();
  const std::wstring path = device.Path();
  // The processor's own mix level, muted flag set, so that a read shows in the controls.
  device.Inspect([](SimProcessor& p) {
    const int offset = g_ParamDesc[ParamRow::Main_MU].offset;
    p.banks[0][offset] = 0x21;
    p.banks[0][offset + 1] = 0x80;
    return 0;
  });
  Session session(rig);

  session.Add("start: the processor plugged, opened without a session", Once([&] {
                REQUIRE(ProgramRig::App().DeviceManager()->IsOpen());
                CHECK(device.ReceivedCount(CmdSession) == 0);
                CHECK(device.ReceivedCount(CmdReadParams) == 0);
                CHECK_FALSE(Controller().IsConnected());
                CHECK(ConnectState() == L"Disconnected");
              }));
  session.Add("connect: a session, both banks read", Once([&] {
                Controller().SetSessionSettleMs(0);
                PressConnect();
                CHECK(device.ReceivedCount(CmdSession) > 0);
                CHECK(device.ReceivedCount(CmdReadParams) > 0);
                CHECK(Controller().IsConnected());
                CHECK(ConnectState() == L"Connected");
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x8021);
                CHECK(ProgramRig::TextOf(6430) == L"33%");
              }));
  session.Add("main page: the mix level slider", Once([&] {
                SelectPage(3);
                EditRig::MoveSlider(kMixSlider, 60);
                CHECK(ProgramRig::TextOf(6430) == L"60%");
              }));
  session.Add("main page: the slider's row in the processor's bank",
              Until([&] { return DeviceParam(rig, ParamRow::Main_MU) == 0x803C; }));
  // What the stages below remember between them (they run after this function has set them up).
  uint16_t echoLevel = 0;
  int centerHpfType = -1;
  {
    session.Add("effect page: the echo level toggle", Once([&] {
                  SelectPage(2);
                  echoLevel = GetParam(Image(), ParamRow::EchoEFFLevel);
                  EditRig::PressSpace(1300);
                  CHECK(GetParam(Image(), ParamRow::EchoEFFLevel) == (echoLevel ^ 0x80));
                }));
    session.Add("effect page: the toggle's row in the processor's bank", Until([&] {
                  return DeviceParam(rig, ParamRow::EchoEFFLevel) == (echoLevel ^ 0x80);
                }));
    session.Add("music page: the first band's gain edit", Once([&] {
                  SelectPage(0);
                  EditRig::TypeAndLeave(4100, L"3.45");
                  CHECK(ProgramRig::TextOf(4100) == L"3.4dB");
                }));
    session.Add("music page: the band's gain row in the processor's bank",
                Until([&] { return DeviceParam(rig, kMusicBandGain) == 274; }));
    session.Add("center page: the high-pass type combo box", Once([&] {
                  SelectPage(4);
                  FilterControlIds ids;
                  REQUIRE(GetFilterControlIds(CDeviceController::kCenter, false, &ids));
                  int right = -1;
                  CDeviceController::GetChannelHpfRows(CDeviceController::kCenter, &centerHpfType,
                                                       &right);
                  centerHpfType += kFilterType;
                  EditRig::Choose(ids.typeCombo, 3);
                  CHECK(GetParam(Image(), centerHpfType) == 3);
                }));
    session.Add("center page: the filter type row in the processor's bank",
                Until([&] { return DeviceParam(rig, centerHpfType) == 3; }));
  }

  // The effect file: exported, values changed, imported again.
  TestFolder folder;
  const std::wstring effectPath = folder.Sub(L"session.orv");
  std::vector<uint8_t> exported;
  session.Add("export: an effect file through the save dialog", Once([&] {
                rig.fileAnswers = {effectPath};
                ProgramRig::Element(9001)->FireCommand();
                REQUIRE(ReadEffectIndependently(ReadBytes(effectPath), &exported));
                CHECK(std::memcmp(exported.data(), Image(), kParamTransferSize) == 0);
                CHECK(GetParam(exported.data(), ParamRow::Main_MU) == 0x803C);
              }));
  session.Add("after the export: the mix level changed again",
              Once([&] { EditRig::MoveSlider(kMixSlider, 10); }));
  session.Add("after the export: the changed row in the processor's bank",
              Until([&] { return DeviceParam(rig, ParamRow::Main_MU) == 0x800A; }));
  session.Add(
      "import: the exported file through the open dialog", Once([&] {
        rig.fileAnswers = {effectPath};
        ProgramRig::Element(9000)->FireCommand();
        const std::vector<uint8_t> bank = device.Inspect([](SimProcessor& p) {
          p.Settle();
          return std::vector<uint8_t>(p.banks[p.activeBank],
                                      p.banks[p.activeBank] + kParamTransferSize);
        });
        CHECK(std::memcmp(bank.data() + 3, exported.data() + 3, kParamTransferSize - 3) == 0);
        CHECK(ControlsDiffer(Image()) == "");
        CHECK(ProgramRig::TextOf(6430) == L"60%");
      }));

  {
    AddMenu(session, "user mode: the user's menu", [&](SWUI::SMenuEx& menu) {
      CHECK(DeviceParam(rig, ParamRow::SysControl_Mode) != 0x80);
      CHECK(menu.FindItem(16, 0) == nullptr);  // "Volume Limit": the administrator's only
    });
    AddMenuDialog(session, "login: command 41 opens the login dialog", 41);
    session.Add("login: \"123456\" and OK", Once([] { LogIn(L"123456"); }));
    session.Add("  (the dialog closed)", Until(NoDialog));
    session.Add("administrator: SysControl_Mode 0x80 on the processor",
                Until([&] { return DeviceParam(rig, ParamRow::SysControl_Mode) == 0x80; }));
    AddMenu(session, "administrator: the administrator's menu",
            [](SWUI::SMenuEx& menu) { CHECK(menu.FindItem(16, 0) != nullptr); });
    AddMenuDialog(session, "password: command 2 opens the change-password dialog", 2);
    session.Add("password: 123456 to 654321, OK", Once([] {
                  ProgramRig::DialogElement(L"txt_pwd_origin")->SetWindowText(L"123456");
                  ProgramRig::DialogElement(L"txt_pwd_new1")->SetWindowText(L"654321");
                  ProgramRig::DialogElement(L"txt_pwd_new2")->SetWindowText(L"654321");
                  ProgramRig::DialogElement(L"btnOK")->FireCommand();
                }));
    session.Add("  (the dialog closed)", Until(NoDialog));
    session.Add("password: the processor's digits changed, a confirmation", Once([&] {
                  const std::vector<uint8_t> digits = device.Inspect([](SimProcessor& p) {
                    return std::vector<uint8_t>(p.adminPassword, p.adminPassword + 6);
                  });
                  CHECK(digits == std::vector<uint8_t>{6, 5, 4, 3, 2, 1});
                  REQUIRE(rig.boxes.size() == 1);
                  CHECK(rig.boxes[0].text == L"Password has been updated");
                }));
    // Back to user mode, so that the login after the replug has something to do.
    session.Add("user mode: command 40",
                Once([] { ProgramRig::Send(WM_COMMAND, MAKEWPARAM(40, 0)); }));
    session.Add("user mode: SysControl_Mode 0 on the processor",
                Until([&] { return DeviceParam(rig, ParamRow::SysControl_Mode) != 0x80; }));
  }

  size_t writesBefore = 0;
  session.Add("unplug: the removal message, \"Disconnected\"", Once([&] {
                device.Unplug();
                SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, path);
                CHECK_FALSE(ProgramRig::App().DeviceManager()->IsOpen());
                CHECK_FALSE(Controller().IsConnected());
                CHECK(ConnectState() == L"Disconnected");
              }));
  session.Add("unplugged: a move changes only the image", Once([&] {
                writesBefore = device.ReceivedCount(CmdWriteParams);
                EditRig::MoveSlider(kMixSlider, 20);
                Controller().FlushPendingParams();
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x8014);
                CHECK(device.ReceivedCount(CmdWriteParams) == writesBefore);
                CHECK(DeviceParam(rig, ParamRow::Main_MU) == 0x803C);
              }));
  size_t sessionsBefore = 0;
  size_t readsBefore = 0;
  session.Add("replug: the arrival opens the processor", Once([&] {
                device.Plug();
                SendDeviceChange(DBT_DEVICEARRIVAL, path);
                CHECK(ProgramRig::App().DeviceManager()->IsOpen());
                CHECK_FALSE(Controller().IsConnected());
                sessionsBefore = device.ReceivedCount(CmdSession);
                readsBefore = device.ReceivedCount(CmdReadParams);
              }));
  session.Add("connect again: a session and a read", Once([&] {
                PressConnect();
                CHECK(Controller().IsConnected());
                CHECK(device.ReceivedCount(CmdSession) > sessionsBefore);
                CHECK(device.ReceivedCount(CmdReadParams) > readsBefore);
                // The processor's value again, not the one moved while unplugged.
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x803C);
                CHECK(ProgramRig::TextOf(6430) == L"60%");
              }));
  session.Add("connected again: the next move reaches the processor",
              Once([&] { EditRig::MoveSlider(kMixSlider, 45); }));
  session.Add("connected again: the moved row in the processor's bank",
              Until([&] { return DeviceParam(rig, ParamRow::Main_MU) == 0x802D; }));
  {
    AddMenuDialog(session, "login again: command 41 opens the login dialog", 41);
    session.Add(
        "login again: the old password is refused", Once([] {
          LogIn(L"123456");
          CHECK(ProgramRig::OwnedDialog() != nullptr);
          CHECK_FALSE(
              std::wstring(ProgramRig::DialogElement(L"txt_msg")->GetWindowText().c_str()).empty());
        }));
    session.Add("login again: the new password is taken", Once([] { LogIn(L"654321"); }));
    session.Add("  (the dialog closed)", Until(NoDialog));
    session.Add("login again: SysControl_Mode 0x80 on the processor",
                Until([&] { return DeviceParam(rig, ParamRow::SysControl_Mode) == 0x80; }));
  }
  session.Add("close: the main window's close", Once([&] {
                SelectPage(2);
                PostMessageW(ProgramRig::MainHwnd(), WM_CLOSE, 0, 0);
              }));

  session.Run(60000);
  session.PrintTimes();
  CHECK_FALSE(rig.TimedOut());

  // The session's end ('p' with 2) went to the processor before the program ended.
  bool ended = false;
  for (const SimDevice::Report& r : device.Received()) {
    if (r[0] == CmdSession && r[4] == 2) ended = true;
  }
  CHECK(ended);
  // The tabs' order and selection are kept.
  const std::string settings = rig.ReadSettings();
  CHECK(settings.find("[TabOrder]") != std::string::npos);
  CHECK(settings.find("[TabSel]") != std::string::npos);
  CHECK(settings.find("[TabSel]\r\nindex = 2") != std::string::npos);
  // The one message of the session: the password change's confirmation.
  CHECK(rig.boxes.size() == 1);
}

TEST_CASE("session: the whole program with the simulated processor, in English") { RunSession(); }
