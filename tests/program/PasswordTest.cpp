// The login and change-password dialogs, opened by the menu commands inside the running program
// with the simulated processor: the dialog's own checks (in their order, nothing sent), the
// device's answers, and the length text translated before it is formatted.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CDlgChangePwdEventHandler.h"
#include "CDlgLoginEventHandler.h"
#include "DeviceSteps.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ModalDriver.h"
#include "ProgramRig.h"
#include "RunningDialog.h"
#include "control/SEdit.h"

namespace {

void MenuCommand(int id) { ProgramRig::Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Type(const wchar_t* edit, const wchar_t* text) { DialogElement(edit)->SetWindowText(text); }

// Presses OK and answers what "txt_msg" then says (the program's text, before translation).
std::wstring PressOk() {
  ClickDialog(L"btnOK");
  return DialogElement(L"txt_msg")->GetWindowText(TRUE).c_str();
}

std::wstring CueOf(const wchar_t* edit) {
  auto* typed = dynamic_cast<SWUI::SEdit*>(DialogElement(edit));
  return typed != nullptr ? typed->GetCueText(TRUE).c_str() : L"(no edit)";
}

}  // namespace

TEST_CASE("passwords: the login checks the length itself and the password on the device") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.PlugProcessor();
  const int mode = g_ParamDesc[ParamRow::SysControl_Mode].offset;
  CHECK(rig.Run({Once([&] {
    Connect();
    const size_t before = device.ReceivedCount();
    size_t afterChecks = 0;
    ModalDriver drive({[&] {
                         CHECK(RunsDialogOf<CDlgLoginEventHandler>());
                         CHECK(PressOk() == L"Please enter old password");
                         Type(L"txt_pwd", L"12345");
                         CHECK(PressOk() == L"Password of 6 numbers");
                         afterChecks = device.ReceivedCount();
                         Type(L"txt_pwd", L"000000");
                         CHECK(PressOk() == L"Password is incorrect");
                         CHECK(ProgramRig::OwnedDialog() != nullptr);
                       },
                       [&] {
                         Type(L"txt_pwd", L"123456");
                         ClickDialog(L"btnOK");
                       }});
    MenuCommand(41);
    CHECK_FALSE(drive.TimedOut());
    CHECK(afterChecks == before);
    CHECK(Controller().IsLoggedIn());
    CHECK(GetParam(Image(), ParamRow::SysControl_Mode) == 0x80);
  })}) == 0);
  CHECK(DeviceWrote(device, mode, 0x80));
  CHECK(rig.boxes.empty());
}

TEST_CASE("passwords: a login the device drops ends the dialog and switches nothing") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.PlugProcessor();
  CHECK(rig.Run({Once([&] {
    Connect();
    ModalDriver drive({[&] {
      // The session ends while the dialog is open.
      Controller().EndSession();
      Type(L"txt_pwd", L"123456");
      ClickDialog(L"btnOK");
    }});
    MenuCommand(41);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"Device not connected");
  CHECK(DeviceWrites(device, g_ParamDesc[ParamRow::SysControl_Mode].offset) == 0);
}

TEST_CASE("passwords: the key password's checks come in their order before the device's") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.PlugProcessor();
  struct Case {
    const wchar_t* old;
    const wchar_t* fresh;
    const wchar_t* repeat;
    const wchar_t* message;
  };
  const std::vector<Case> cases = {
      {L"", L"1234", L"1234", L"Please enter old password"},
      {L"0000", L"", L"", L"Please enter new password"},
      {L"0000", L"1234", L"1243", L"Confirm password do not match"},
      // The letter is found before any length.
      {L"12", L"12a4", L"12a4", L"Please enter only numeric characters"},
      {L"0000", L"123", L"123", L"Password of 4 numbers"},
      // The old password's length only once the new one passed.
      {L"12", L"5678", L"5678", L"Password of 4 numbers"},
      {L"1111", L"5678", L"5678", L"Old password is incorrect"},
  };
  CHECK(rig.Run({Once([&] {
    Connect();
    ModalDriver drive({[&] {
                         CHECK(RunsDialogOf<CDlgChangePwdEventHandler>());
                         CHECK(DialogText(L"txt_title") == L"Change Key Password");
                         CHECK(CueOf(L"txt_pwd_origin") == L"Password of 4 numbers");
                         CHECK(CueOf(L"txt_pwd_new1") == L"Password of 4 numbers");
                         CHECK(CueOf(L"txt_pwd_new2") == L"Enter new password again");
                         for (const Case& c : cases) {
                           CAPTURE(std::wstring(c.message));
                           Type(L"txt_pwd_origin", c.old);
                           Type(L"txt_pwd_new1", c.fresh);
                           Type(L"txt_pwd_new2", c.repeat);
                           CHECK(PressOk() == std::wstring(c.message));
                         }
                         CHECK(device.ReceivedCount(CmdChangePassword) == 0);
                       },
                       [&] {
                         Type(L"txt_pwd_origin", L"0000");
                         Type(L"txt_pwd_new1", L"5678");
                         Type(L"txt_pwd_new2", L"5678");
                         ClickDialog(L"btnOK");
                       }});
    MenuCommand(1);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"Password has been updated");
  CHECK(device.ReceivedCount(CmdChangePassword) == 1);
  const std::vector<uint8_t> digits = device.Inspect(
      [](SimProcessor& p) { return std::vector<uint8_t>(p.keyPassword, p.keyPassword + 4); });
  CHECK(digits == std::vector<uint8_t>{5, 6, 7, 8});
}

TEST_CASE("passwords: \"Password of %d numbers\" is translated, then formatted with the length") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 0\r\n");
  rig.PlugProcessor();
  CHECK(rig.Run({Once([&] {
    Connect();
    ModalDriver drive({[&] {
                         CHECK(CueOf(L"txt_pwd_origin") == L"6位数字密码");
                         Type(L"txt_pwd_origin", L"123456");
                         Type(L"txt_pwd_new1", L"123");
                         Type(L"txt_pwd_new2", L"123");
                         CHECK(PressOk() == L"6位数字密码");
                       },
                       [&] { ClickDialog(L"btnCancel"); }});
    MenuCommand(2);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  CHECK(rig.boxes.empty());
}
