// One session of the whole program, run as a user runs it, against the simulated processor:
// start with the processor plugged, connect, change values on the pages, unplug and plug it
// in again, connect again, close. Every stage checks what reached the processor and what the
// program shows; a watchdog names the stage that did not finish. The session's total time and
// each stage's are printed.
#include <doctest/doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "IndependentReading.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "control/SSliderBar.h"
#include "controls/SChromeTabCtrl.h"
#include "core/EventCmd.h"
#include "core/SWindow.h"

namespace {

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }
const uint8_t* Image() { return Controller().CurrentImage(); }

std::wstring ConnectState() {
  return ProgramRig::Element(L"dev_connect_state")->GetWindowText(TRUE).c_str();
}

BOOL Command(int id) {
  SWUI::EventCmd evt(ProgramRig::Element(id));
  return ProgramRig::Logic()._HandleEvent(&evt);
}

// A slider moved to a position as a drag leaves it: the value set, its position event fired.
void MoveSlider(int id, int position) {
  auto* slider = dynamic_cast<SWUI::SSliderBar*>(ProgramRig::Element(id));
  REQUIRE(slider != nullptr);
  slider->SetValue(position);
  slider->NotifyPos(SB_THUMBPOSITION, position);
}

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

// The processor's active bank as a parameter image.
std::vector<uint8_t> DeviceBank(SimDevice& device) {
  return device.Inspect([](SimProcessor& p) {
    std::vector<uint8_t> bank(kParamImageSize, 0);
    std::memcpy(bank.data(), p.banks[p.activeBank], SimProcessor::kBankSize);
    return bank;
  });
}

uint16_t DeviceParam(SimDevice& device, int row) { return GetParam(DeviceBank(device).data(), row); }

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
      FAIL_CHECK("the session stopped at the stage \"" << names_[rig_.StepsDone()] << "\""
                                                        << (rig_.TimedOut() ? " (timed out)" : ""));
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

}  // namespace

TEST_CASE("session: the whole program with the simulated processor, in English") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  SimDevice& device = rig.PlugProcessor();
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
                CHECK(Command(1000) != 0);
                CHECK(device.ReceivedCount(CmdSession) > 0);
                CHECK(device.ReceivedCount(CmdReadParams) > 0);
                CHECK(Controller().IsConnected());
                CHECK(ConnectState() == L"Connected");
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x8021);
                CHECK(ProgramRig::TextOf(6430) == L"33%");
              }));
  session.Add("main page: the mix level slider", Once([&] {
                SelectPage(3);
                MoveSlider(kMixSlider, 60);
                CHECK(ProgramRig::TextOf(6430) == L"60%");
              }));
  session.Add("main page: the slider's row in the processor's bank",
              Until([&] { return DeviceParam(device, ParamRow::Main_MU) == 0x803C; }));

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
  session.Add("after the export: the mix level changed again", Once([&] { MoveSlider(kMixSlider, 10); }));
  session.Add("after the export: the changed row in the processor's bank",
              Until([&] { return DeviceParam(device, ParamRow::Main_MU) == 0x800A; }));
  session.Add("import: the exported file through the open dialog", Once([&] {
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
                MoveSlider(kMixSlider, 20);
                Controller().FlushPendingParams();
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x8014);
                CHECK(device.ReceivedCount(CmdWriteParams) == writesBefore);
                CHECK(DeviceParam(device, ParamRow::Main_MU) == 0x803C);
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
                CHECK(Command(1000) != 0);
                CHECK(Controller().IsConnected());
                CHECK(device.ReceivedCount(CmdSession) > sessionsBefore);
                CHECK(device.ReceivedCount(CmdReadParams) > readsBefore);
                // The processor's value again, not the one moved while unplugged.
                CHECK(GetParam(Image(), ParamRow::Main_MU) == 0x803C);
                CHECK(ProgramRig::TextOf(6430) == L"60%");
              }));
  session.Add("connected again: the next move reaches the processor",
              Once([&] { MoveSlider(kMixSlider, 45); }));
  session.Add("connected again: the moved row in the processor's bank",
              Until([&] { return DeviceParam(device, ParamRow::Main_MU) == 0x802D; }));
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
  CHECK(rig.boxes.empty());
}
