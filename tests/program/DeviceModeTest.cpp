// The device mode dialog inside the running program with the simulated processor: the list of
// the sixteen slots with or without a device, Save's permission and name checks before its
// question (and nothing sent on No), a name cut to twenty characters, Recall with its read-back.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CCommonDlg.h"
#include "CDlgDeviceModeEventHandler.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "DeviceSteps.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamRows.h"
#include "ModalDriver.h"
#include "ProgramRig.h"
#include "RunningDialog.h"
#include "control/SComboBox.h"
#include "controls/CTipWnd.h"
#include "core/EventCmd.h"

namespace {

SWUI::SComboBox* Modes() { return dynamic_cast<SWUI::SComboBox*>(DialogElement(L"devMode")); }

std::wstring Item(int slot) {
  SWUI::SComboBox* modes = Modes();
  return modes != nullptr ? modes->GetLBText(slot, TRUE).c_str() : L"(no list)";
}

void Select(int slot) {
  if (SWUI::SComboBox* modes = Modes()) modes->SetCurSel(slot);
}

int Selected() {
  SWUI::SComboBox* modes = Modes();
  return modes != nullptr ? modes->GetCurSel() : -2;
}

// The text of the last message box, empty without one (steps inside a modal loop never throw).
std::wstring LastBox(const ProgramRig& rig) {
  return rig.boxes.empty() ? std::wstring() : rig.boxes.back().text;
}

std::wstring Name() { return DialogText(L"txt_input"); }

// The text of the confirmation tip that shows; empty without one.
std::wstring TipText() {
  CTipWnd* tip = CTipWnd::GetInstance();
  SWUI::SWindow* text = tip != nullptr ? tip->GetRoot()->FindChildByName(L"txt_tip") : nullptr;
  return text != nullptr ? text->GetWindowText(TRUE).c_str() : L"";
}

// Opens the dialog with the "Device Mode" button and runs the steps in it.
void RunDeviceModeDialog(std::vector<ModalDriver::Step> steps) {
  ModalDriver drive(std::move(steps));
  SWUI::EventCmd click(ProgramRig::Element(9002));
  CHECK(ProgramRig::Logic()._HandleEvent(&click) != 0);
  CHECK_FALSE(drive.TimedOut());
}

// A name as the device keeps it: padded with spaces to twenty characters.
void SetDeviceName(SimDevice& device, int slot, const char* name) {
  device.Inspect([&](SimProcessor& p) {
    std::string padded(name);
    padded.resize(SimProcessor::kNameSize, ' ');
    memcpy(p.modeNames[slot], padded.data(), SimProcessor::kNameSize);
    return 0;
  });
}

}  // namespace

TEST_CASE("device modes: without a device the slots are listed without names") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    const HWND main = ProgramRig::MainHwnd();
    CCommonDlg<CDlgDeviceModeEventHandler> dialog(L"XML_DEVICEMODE");
    ModalDriver drive({[&] {
                         CHECK((Modes() != nullptr && Modes()->GetCount() == 16));
                         for (int slot = 0; slot < 16; ++slot) {
                           CHECK(Item(slot) == std::to_wstring(slot + 1) + L" - ");
                         }
                         CHECK(Name().empty());
                         ClickDialog(L"btnRecall");
                         ClickDialog(L"btnSave");
                       },
                       [&] { ClickDialog(L"btn_close"); }});
    CHECK(dialog.DoModal(main) == IDCANCEL);
    CHECK_FALSE(drive.TimedOut());
  })}) == 0);
  REQUIRE(rig.boxes.size() == 2);
  CHECK(rig.boxes[0].text == L"Recall device mode failed");
  CHECK(rig.boxes[1].text == L"Insufficient permission, please switch to administrator mode");
}

TEST_CASE("device modes: names without their padding; saving in user mode is refused") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  SetDeviceName(device, 0, "Party");
  SetDeviceName(device, 2, "Home");
  device.Inspect([](SimProcessor& p) { return p.deviceMode = 2; });
  CHECK(rig.Run({Once([&] {
    Connect();
    size_t before = 0;
    RunDeviceModeDialog({[&] {
                           CHECK(Item(0) == L"1 - Party");
                           CHECK(Item(1) == L"2 - ");
                           CHECK(Item(2) == L"3 - Home");
                           CHECK(Selected() == 2);
                           CHECK(Name() == L"Home");
                           Select(0);
                           CHECK(Name() == L"Party");
                           before = device.ReceivedCount();
                           DialogElement(L"txt_input")->SetWindowText(L"Club");
                           ClickDialog(L"btnSave");
                           CHECK(device.ReceivedCount() == before);
                         },
                         [&] { ClickDialog(L"btn_close"); }});
  })}) == 0);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"Insufficient permission, please switch to administrator mode");
}

TEST_CASE(
    "device modes: Save checks the name before its question, sends nothing on No, cuts at 20") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  SetDeviceRow(device, ParamRow::SysControl_Mode, 0x80);
  CHECK(rig.Run({Once([&] {
                   Connect();
                   RunDeviceModeDialog(
                       {[&] {
                          Select(5);
                          const size_t before = device.ReceivedCount();
                          struct Case {
                            const wchar_t* name;
                            const wchar_t* message;
                          };
                          const Case cases[] = {
                              {L"Caf\u00e9", L"Name contains illegal charactors"},
                              {L"a\tb", L"Name contains illegal charactors"},
                              {L"\u4e2d", L"Name contains illegal charactors"},
                              {L"  \t ", L"Name cannot be empty"},
                          };
                          for (const Case& c : cases) {
                            CAPTURE(std::wstring(c.name));
                            rig.boxes.clear();
                            DialogElement(L"txt_input")->SetWindowText(c.name);
                            ClickDialog(L"btnSave");
                            CHECK(rig.boxes.size() == 1);
                            CHECK(LastBox(rig) == c.message);
                          }
                          // No: only the question was asked, nothing went out.
                          rig.boxes.clear();
                          rig.boxAnswer = IDNO;
                          DialogElement(L"txt_input")->SetWindowText(L"Club");
                          ClickDialog(L"btnSave");
                          CHECK(rig.boxes.size() == 1);
                          CHECK(LastBox(rig) ==
                                L"Do you want to replace the selected device mode?");
                          CHECK((!rig.boxes.empty() && rig.boxes.back().type == MB_YESNO));
                          CHECK(device.ReceivedCount() == before);

                          // Yes with 21 characters: the first 20 are stored.
                          rig.boxes.clear();
                          rig.boxAnswer = IDYES;
                          DialogElement(L"txt_input")->SetWindowText(L"  ABCDEFGHIJKLMNOPQRSTU ");
                          ClickDialog(L"btnSave");
                          CHECK(rig.boxes.size() == 1);
                          CHECK(Item(5) == L"6 - ABCDEFGHIJKLMNOPQRST");
                          CHECK(Selected() == 5);
                          CHECK(TipText() == L"Save device mode successfully");
                        },
                        [&] { ClickDialog(L"btn_close"); }});
                   CHECK(Controller().GetDeviceMode() == 5);
                 }),
                 // The tip goes by itself after its second; the program runs on.
                 Until([] { return CTipWnd::GetInstance() == nullptr; }),
                 Once([] { CHECK(IsWindowVisible(ProgramRig::MainHwnd())); })}) == 0);
  CHECK(rig.StepsDone() == 3);
  CHECK_FALSE(rig.TimedOut());
  CHECK(device.Inspect([](SimProcessor& p) { return std::string(p.modeNames[5]); }) ==
        "ABCDEFGHIJKLMNOPQRST");
  CHECK(device.Inspect([](SimProcessor& p) { return p.uploadSlot; }) == 6);
}

TEST_CASE("device modes: Recall reads the parameters back; a read-back that fails says so") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  CHECK(rig.Run({Once([&] {
    Connect();
    RunDeviceModeDialog({[&] {
                           const size_t reads = device.ReceivedCount(CmdReadParams);
                           Select(3);
                           ClickDialog(L"btnRecall");
                           CHECK(device.Inspect([](SimProcessor& p) { return p.deviceMode; }) == 3);
                           CHECK(device.ReceivedCount(CmdReadParams) > reads);
                           CHECK(TipText() == L"Recall device mode successfully");
                           CHECK(rig.boxes.empty());

                           CTipWnd::HideTip();
                           device.InjectFault(SimDevice::NoReply, -1, CmdReadParams);
                           Select(4);
                           ClickDialog(L"btnRecall");
                           device.ClearFaults();
                           CHECK(CTipWnd::GetInstance() == nullptr);
                         },
                         [&] { ClickDialog(L"btn_close"); }});
    // The device works in the recalled mode either way.
    CHECK(Controller().GetDeviceMode() == 4);
  })}) == 0);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"Failed to get device infomation, please try again later");
}
