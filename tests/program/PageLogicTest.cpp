// The page logic inside the running program: its routing table, the refresh from the parameter
// image, and the whole path with the simulated processor (connect, a slider dragged by the
// mouse reaching the device, unplugging, closing).
#include <doctest/doctest.h>
#include <windows.h>
// After windows.h, which they need.
#include <dbt.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <set>
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
#include "ParamControls.h"
#include "ParamText.h"
#include "DebugOutputCapture.h"
#include "DeviceSteps.h"
#include "ProgramRig.h"
#include "IBitmap.h"
#include "IRenderTarget.h"
#include "control/SScrollView.h"
#include "control/SSliderBar.h"
#include "control/STabCtrl.h"
#include "controls/EventChromeTabDbClick.h"
#include "controls/EventThumbMoving.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"
#include "core/EventCmd.h"
#include "core/EventKillFocus.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

SWUI::STabCtrl* Pages() { return static_cast<SWUI::STabCtrl*>(ProgramRig::Element(L"orv_tab")); }
SWUI::SChromeTabCtrl* Strip() {
  return static_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
}
template <class T>
T* As(int id) {
  auto* typed = dynamic_cast<T*>(ProgramRig::Element(id));
  REQUIRE(typed != nullptr);
  return typed;
}

BOOL Route(SWUI::EventArgs& evt) { return ProgramRig::Logic()._HandleEvent(&evt); }
BOOL Command(int id) {
  SWUI::EventCmd evt(ProgramRig::Element(id));
  return Route(evt);
}

std::set<DWORD> ThreadsOfThisProcess() {
  std::set<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  REQUIRE(snap != INVALID_HANDLE_VALUE);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snap, &entry); more; more = Thread32Next(snap, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
  }
  CloseHandle(snap);
  return ids;
}

// Presses and releases the left button at the element's centre, the cursor put there first.
void ClickCentreOf(SWindow* element) {
  const RECT rc = element->GetWindowRect();
  POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  const HWND main = ProgramRig::MainHwnd();
  POINT screen = pt;
  ClientToScreen(main, &screen);
  SetCursorPos(screen.x, screen.y);
  const LPARAM at = MAKELPARAM(pt.x, pt.y);
  PostMessageW(main, WM_MOUSEMOVE, 0, at);
  PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(main, WM_LBUTTONUP, 0, at);
}

const int kMainMuOffset = g_ParamDesc[ParamRow::Main_MU].offset;

// The pixels of a slider's thumb as the main window paints them (printed into its surface).
std::vector<DWORD> ThumbPixels(int id) {
  auto* slider = As<ParamSlider>(id);
  int width = 0;
  int height = 0;
  const DWORD* bits = ProgramRig::PrintSurface(&width, &height);
  const RECT thumb = slider->GetPartRect(SWUI::SSliderBar::kPartThumb);
  REQUIRE(thumb.right > thumb.left);
  std::vector<DWORD> pixels;
  for (int y = thumb.top; y < thumb.bottom; ++y) {
    for (int x = thumb.left; x < thumb.right; ++x) {
      pixels.push_back(bits[y * width + x]);
    }
  }
  return pixels;
}

}  // namespace

TEST_CASE("page logic: the routing table") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  CHECK(rig.Run({Once([&] {
    // An element of no window of the program: refused whatever it says.
    SWindow* stray = new SWindow();
    SWUI::EventCmd foreign(stray);
    foreign.idFrom = 9002;
    CHECK(Route(foreign) == 0);
    stray->Release();
    CHECK(rig.boxes.empty());

    // Handles 930 .. 934 are nobody's: handled, nothing changes.
    std::vector<uint8_t> before(Image(), Image() + kParamImageSize);
    EventThumbMoving moving(nullptr);
    moving.idFrom = 930;
    moving.newLeft = 40;
    CHECK(Route(moving) != 0);
    CHECK(std::memcmp(before.data(), Image(), kParamImageSize) == 0);
    moving.idFrom = 935;
    CHECK(Route(moving) == 0);

    // "Device Mode" without a device says so and opens nothing.
    CHECK(Command(9002) != 0);
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].text == L"Device not connected");
    CHECK(rig.boxes[0].framework);
    // "containerWnd" stands beside the output pages only.
    SWindow* container = ProgramRig::Element(L"containerWnd");
    Pages()->SetCurSel(3);
    CHECK(container->IsVisible());
    Pages()->SetCurSel(1);
    CHECK_FALSE(container->IsVisible());

    // A tab renamed to nothing gets its page's default title back.
    const int position = Strip()->FindTabByOrdinal(1);
    SWUI::SChromeTab* tab = Strip()->GetTab(position);
    SWUI::EventChromeTabDbClick click(tab);
    click.idFrom = 0;
    click.iTabOrdinal = 1;
    click.iTabIndex = position;
    CHECK(Route(click) != 0);
    SWindow* edit = ProgramRig::Element(4003);
    CHECK(edit->IsVisible());
    CHECK(std::wstring(edit->GetWindowText().c_str()) == L"MIC");
    edit->SetWindowText(L"Voice");
    SWUI::EventKillFocus left(edit);
    CHECK(Route(left) != 0);
    CHECK(std::wstring(tab->GetWindowText().c_str()) == L"Voice");
    CHECK(Route(click) != 0);
    edit->SetWindowText(L"");
    CHECK(Route(left) != 0);
    CHECK(std::wstring(ProgramRig::Logic().TabTitle(1).c_str()) == L"MIC");
    CHECK(std::wstring(tab->GetWindowText().c_str()) == L"MIC");
  })}) == 0);
}

TEST_CASE("page logic: an echo tap switch writes its level to the connected processor") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  const int offset = g_ParamDesc[ParamRow::EchoTap1Level].offset;
  REQUIRE(offset == 418);
  CHECK(rig.Run({Once([&] {
                   Connect();
                   As<ParamCheck>(2370)->SetCheck(TRUE);
                   CHECK(Command(2370) != 0);
                   CHECK(GetParam(Image(), ParamRow::EchoTap1Level) == 50);
                 }),
                 Until([&] { return DeviceWrote(device, offset, 50); })}) == 0);
  CHECK_FALSE(rig.TimedOut());
}

TEST_CASE("page logic: the refresh shows the image") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    CUIEventHandler& logic = ProgramRig::Logic();
    CDeviceController& controller = Controller();

    // A muted mix level: the slider without the flag, its text, the toggle unchecked.
    SetImageParam(Image(), ParamRow::Main_MU, 0x8032);
    logic.RefreshAll();
    CHECK(As<ParamSlider>(2430)->GetValue() == 50);
    CHECK(ProgramRig::TextOf(6430) == L"50%");
    CHECK_FALSE(As<ParamCheck>(1400)->IsChecked());
    SetImageParam(Image(), ParamRow::Main_MU, 0x0032);
    logic.RefreshAll();
    CHECK(As<ParamCheck>(1400)->IsChecked());

    // A low-pass frequency beyond the x100 range is written back as its top.
    FilterControlIds ids;
    REQUIRE(GetFilterControlIds(0, true, &ids));
    int left = -1;
    int right = -1;
    CDeviceController::GetChannelLpfRows(0, &left, &right);
    // Linked "both": the left side shows, both sides are written.
    REQUIRE(controller.GetChannelLinkMode(0) == 2);
    SetImageParam(Image(), left + kFilterMultiple, 2);
    SetImageParam(Image(), left + kFilterFreq, 130);
    SetImageParam(Image(), right + kFilterFreq, 7);
    logic.RefreshAll();
    CHECK(As<ParamSlider>(ids.freqSlider)->GetValue() == 124);
    CHECK(GetParam(Image(), left + kFilterFreq) == 124);
    CHECK(GetParam(Image(), right + kFilterFreq) == 124);

    // An input port beyond the four: the first, with its gain.
    SetImageParam(Image(), ParamRow::SysMusicInPort_Gain, 5);
    SetImageParam(Image(), ParamRow::Sys_Music_AIN1Gain, 12);
    logic.RefreshAll();
    CHECK(As<ParamRadio>(19010)->IsChecked());
    CHECK(As<ParamSlider>(2132)->GetValue() == 12);
    CHECK(ProgramRig::TextOf(6132) == L"3dB");

    // Indices read from the image beyond their tables are shown clamped, nothing breaks.
    SetImageParam(Image(), left + kFilterMultiple, 200);
    SetImageParam(Image(), left + kFilterType, 200);
    logic.RefreshAll();
    // The range is taken as the last (x100): the frequency stays at its top, shown as such; the
    // combo boxes show no entry for values they do not list.
    CHECK(As<ParamSlider>(ids.freqSlider)->GetValue() == 124);
    CHECK(GetParam(Image(), left + kFilterFreq) == 124);
    CHECK(ProgramRig::TextOf(ids.freqSlider + 4000) == FilterFreqText(124, 2));
    CHECK(As<ParamCombo>(ids.multipleCombo)->GetCurSel() == -1);
    CHECK(As<ParamCombo>(ids.typeCombo)->GetCurSel() == -1);

    // "Disco" shown from the work mode swaps no bank.
    const std::vector<uint8_t> bank0(controller.Bank0Image(),
                                     controller.Bank0Image() + kParamImageSize);
    const std::vector<uint8_t> bank1(controller.Bank1Image(),
                                     controller.Bank1Image() + kParamImageSize);
    const uint8_t* current = controller.CurrentImage();
    SetImageParam(Image(), ParamRow::MainWorkMode, 1);
    logic.RefreshAll();
    CHECK(As<ParamRadio>(14600)->IsChecked());
    CHECK_FALSE(As<ParamRadio>(14601)->IsChecked());
    CHECK(As<ParamRadio>(14500)->IsChecked());
    CHECK(controller.CurrentImage() == current);
    CHECK(std::memcmp(bank0.data(), controller.Bank0Image(), kParamImageSize) == 0);
    CHECK(std::memcmp(bank1.data(), controller.Bank1Image(), kParamImageSize) == 0);
  })}) == 0);
}

TEST_CASE("page logic: a filter type without a Q greys the Q row: thumb, label and value") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    CUIEventHandler& logic = ProgramRig::Logic();
    Pages()->SetCurSel(3);
    FilterControlIds ids;
    REQUIRE(GetFilterControlIds(3, false, &ids));
    int left = -1;
    int right = -1;
    CDeviceController::GetChannelHpfRows(3, &left, &right);
    SWindow* label = ProgramRig::Element(ids.qSlider)->GetWindow(SWUI::GSW_PREVSIBLING);
    REQUIRE(label != nullptr);
    CHECK(std::wstring(label->GetWindowText(TRUE).c_str()) == L"HPF Q");
    SWindow* value = ProgramRig::Element(ids.qSlider + 4000);
    struct Case {
      uint16_t type;
      bool enabled;
    };
    // Bessel, then Custom Q 12dB; both sides alike, whichever the link shows.
    std::vector<std::vector<DWORD>> thumbs;
    for (const Case& c : {Case{0, false}, Case{3, true}}) {
      CAPTURE(c.type);
      SetImageParam(Image(), left + kFilterType, c.type);
      SetImageParam(Image(), right + kFilterType, c.type);
      logic.RefreshAll();
      CHECK(ProgramRig::Element(ids.qSlider)->IsDisabled(TRUE) == !c.enabled);
      CHECK(label->IsDisabled(TRUE) == !c.enabled);
      CHECK(value->IsDisabled(TRUE) == !c.enabled);
      thumbs.push_back(ThumbPixels(ids.qSlider));
    }
    // The disabled thumb is drawn from the skin's fourth cell.
    REQUIRE(thumbs[0].size() == thumbs[1].size());
    int differing = 0;
    for (size_t i = 0; i < thumbs[0].size(); ++i) differing += thumbs[0][i] != thumbs[1][i] ? 1 : 0;
    CHECK(differing > static_cast<int>(thumbs[0].size()) / 4);
  })}) == 0);
}

TEST_CASE("page logic: a refresh of a clean image sends nothing to the connected processor") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  size_t writes = 0;
  CHECK(rig.Run({Once([&] {
    Connect();
    Controller().FlushPendingParams();
    writes = device.ReceivedCount(CmdWriteParams);
    ProgramRig::Logic().RefreshAll();
    CHECK(Controller().PendingCount() == 0);
    Controller().FlushPendingParams();
    CHECK(device.ReceivedCount(CmdWriteParams) == writes);
  })}) == 0);
}

TEST_CASE("end to end: connect, drag a level with the mouse, unplug, close") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  // The processor's own mix level, muted flag set.
  device.Inspect([](SimProcessor& p) {
    p.banks[0][kMainMuOffset] = 0x21;
    p.banks[0][kMainMuOffset + 1] = 0x80;
    return 0;
  });
  // A first run leaves behind the threads the system starts once per process and keeps.
  CHECK(rig.Run({}) == 0);
  const std::set<DWORD> before = ThreadsOfThisProcess();
  std::set<DWORD> during;
  int clicked = -1;
  DWORD clickedAt = 0;
  DWORD landedAt = 0;
  DWORD closedAt = 0;
  CHECK(rig.Run({Once([&] {
                   REQUIRE(ProgramRig::App().DeviceManager()->IsOpen());
                   Controller().SetSessionSettleMs(0);
                   device.ClearRecords();
                   CHECK(Command(1000) != 0);
                   CHECK(device.ReceivedCount(CmdSession) > 0);
                   CHECK(device.ReceivedCount(CmdReadParams) > 0);
                   CHECK(Controller().IsConnected());
                   CHECK(As<ParamSlider>(2430)->GetValue() == 0x21);
                   CHECK(ProgramRig::TextOf(6430) == L"33%");
                   CHECK(std::wstring(ProgramRig::Element(L"dev_connect_state")
                                          ->GetWindowText(TRUE)
                                          .c_str()) == L"Connected");
                   during = ThreadsOfThisProcess();
                   SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                   Pages()->SetCurSel(3);
                 }),
                 Once([&] {
                   // The page is wider than the window: scrolled to bring the level in.
                   const RECT rc = ProgramRig::Element(2430)->GetWindowRect();
                   auto* view = dynamic_cast<SWUI::SScrollView*>(ProgramRig::Element(21003));
                   REQUIRE(view != nullptr);
                   view->SetViewOrigin(POINT{rc.right > 900 ? rc.right - 900 : 0, 0});
                 }),
                 Once([&] {
                   SWindow* slider = ProgramRig::Element(2430);
                   REQUIRE(slider->IsVisible(TRUE));
                   REQUIRE(slider->GetWindowRect().right <= 1000);
                   device.ClearRecords();
                   clickedAt = GetTickCount();
                   ClickCentreOf(slider);
                 }),
                 Until([&] {
                   clicked = As<ParamSlider>(2430)->GetValue();
                   const uint8_t lo = static_cast<uint8_t>(clicked);
                   const bool landed = device.Inspect([&](SimProcessor& p) {
                     return p.banks[0][kMainMuOffset] == lo && p.banks[0][kMainMuOffset + 1] == 0x80;
                   });
                   if (landed && clicked != 0x21) landedAt = GetTickCount();
                   return landedAt != 0;
                 }),
                 Once([&] {
                   CHECK(device.ReceivedCount(CmdWriteParams) > 0);
                   device.Unplug();
                   std::vector<BYTE> bytes(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) +
                                           device.Path().size() * sizeof(wchar_t));
                   auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
                   record->dbcc_size = static_cast<DWORD>(bytes.size());
                   record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
                   wcscpy(record->dbcc_name, device.Path().c_str());
                   ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                                    reinterpret_cast<LPARAM>(bytes.data()));
                   CHECK(std::wstring(ProgramRig::Element(L"dev_connect_state")
                                          ->GetWindowText(TRUE)
                                          .c_str()) == L"Disconnected");
                   closedAt = GetTickCount();
                 })}) == 0);
  const DWORD closing = GetTickCount() - closedAt;
  CHECK_FALSE(rig.TimedOut());
  CHECK(clicked != 0x21);
  CHECK(landedAt - clickedAt <= 500);
  CHECK(closing <= 5000);
  // Every thread the program started is gone (the receive thread among them).
  const std::set<DWORD> after = ThreadsOfThisProcess();
  int started = 0;
  for (DWORD id : during) {
    if (before.count(id) != 0) continue;
    ++started;
    CHECK(after.count(id) == 0);
  }
  CHECK(started > 0);
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CApplication::kMutexName);
  CHECK(mutex == nullptr);
  if (mutex != nullptr) CloseHandle(mutex);
  CHECK(rig.SettingsExist());
}

TEST_CASE("start-up finds every element it looks up") {
  ProgramRig rig;
  DebugOutputCapture capture;
  // The pages are built (and their controls looked up) when first shown: each is shown once.
  CHECK(rig.Run({Once([] {
          for (int position = 1; position <= 7; ++position) Strip()->SetCurSel(position % 7);
        })}) == 0);
  for (const std::string& line : capture.Lines()) {
    if (line.find("FindChildByID2 Failed") != std::string::npos) FAIL_CHECK(line);
  }
}
