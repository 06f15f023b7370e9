// The main window: tab order, names and selection from config.ini and back, panel placement,
// colour schemes, the window buttons, the tray callback, hot-plug and resume.
#include <doctest/doctest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <SimpleIni.h>
#include <dbt.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "DebugOutputCapture.h"
#include "HostHarness.h"
#include "ProgramRig.h"
#include "control/SScrollView.h"
#include "control/STabCtrl.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SWindow.h"
#include "layout/SwuiLayoutParam.h"

using SWUI::SWindow;

namespace {

SWUI::SChromeTabCtrl* Strip() {
  return static_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
}
SWUI::STabCtrl* Pages() { return static_cast<SWUI::STabCtrl*>(ProgramRig::Element(L"orv_tab")); }

std::vector<std::wstring> StripTitles() {
  std::vector<std::wstring> titles;
  for (int i = 0; i < Strip()->GetTabCount(); ++i) {
    titles.push_back(Strip()->GetTab(i)->GetWindowText().c_str());
  }
  return titles;
}

std::wstring IniValue(const std::string& bytes, const wchar_t* section, const wchar_t* key) {
  CSimpleIniW ini(true);
  ini.LoadData(bytes);
  return ini.GetValue(section, key, L"(none)");
}

// The element's position is exactly what the text gives.
bool PosIs(const wchar_t* name, const wchar_t* pos) {
  SWUI::SwuiLayoutParam expected;
  expected.SetAttribute(SWUI::SStringW(L"pos"), SWUI::SStringW(pos), TRUE);
  auto* actual = dynamic_cast<SWUI::SwuiLayoutParam*>(ProgramRig::Element(name)->GetLayoutParam());
  if (actual == nullptr) return false;
  const SWUI::SwuiLayoutParamStruct& a = actual->GetData();
  const SWUI::SwuiLayoutParamStruct& e = expected.GetData();
  auto same = [](const SWUI::PosItem& x, const SWUI::PosItem& y) {
    return x.pit == y.pit && x.nRefID == y.nRefID && x.cMinus == y.cMinus &&
           x.nPos.fSize == y.nPos.fSize && x.nPos.unit == y.nPos.unit;
  };
  return a.nCount == e.nCount && same(a.posLeft, e.posLeft) && same(a.posTop, e.posTop);
}

const wchar_t* const kEnglishTitles[] = {L"Music",  L"MIC",        L"Effect",    L"Main output",
                                         L"Center", L"SUB output", L"SUR output"};

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = towupper(c);
  return text;
}

// Paints the main window's tree into its memory target and reads a pixel of it.
DWORD MainPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ old = SelectObject(dc, bmp);
  InvalidateRect(ProgramRig::MainHwnd(), nullptr, FALSE);
  SendMessageW(ProgramRig::MainHwnd(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ProgramRig::Main().GetMemRenderTarget()->GetPixel(x, y) & 0xFFFFFF;
}

}  // namespace

TEST_CASE("main window: tab order, names and selection from config.ini, and back unchanged") {
  ProgramRig rig;
  rig.WriteSettings(
      "[Config]\r\nLang = 1\r\n[TabOrder]\r\n0 = 2\r\n1 = 0\r\n2 = 1\r\n"
      "[TabName]\r\n1 = Voice\r\n[TabSel]\r\nindex = 1\r\n");
  std::vector<std::wstring> titles;
  int page = -1;
  int followed = -1;
  CHECK(rig.Run({Once([&] {
    titles = StripTitles();
    page = Pages()->GetCurSel();
    followed = ProgramRig::Logic().FollowedScrollView();
  })}) == 0);
  const std::vector<std::wstring> expected = {
      L"Voice", L"Effect", L"Music", L"Main output", L"Center", L"SUB output", L"SUR output"};
  CHECK(titles == expected);
  CHECK(page == 2);
  CHECK(followed == 2);
  const std::string saved = rig.ReadSettings();
  const wchar_t* orders[] = {L"2", L"0", L"1", L"3", L"4", L"5", L"6"};
  for (int i = 0; i < 7; ++i) {
    CAPTURE(i);
    CHECK(IniValue(saved, L"TabOrder", std::to_wstring(i).c_str()) == orders[i]);
  }
  CHECK(IniValue(saved, L"TabName", L"1") == L"Voice");
  CHECK(IniValue(saved, L"TabName", L"0") == L"Music");
  CHECK(IniValue(saved, L"TabSel", L"index") == L"1");
}

TEST_CASE("main window: tabs restored in another order slide into it, and the window shows them") {
  ProgramRig rig;
  // An order the program itself writes: the Main output tab starts above the Effect tab.
  rig.WriteSettings(
      "[Config]\r\nLang = 1\r\n[TabOrder]\r\n0 = 2\r\n1 = 0\r\n2 = 1\r\n3 = 3\r\n4 = 4\r\n"
      "5 = 5\r\n6 = 6\r\n");
  int unshown = -1;
  CHECK(rig.Run({Until([] {
                   for (int i = 0; i < Strip()->GetTabCount(); ++i) {
                     if (Strip()->GetTab(i)->IsRunning()) return false;
                   }
                   return true;
                 }),
                 Once([&] {
                   ::UpdateWindow(ProgramRig::MainHwnd());
                   unshown =
                       HostHarness::CountUnshown(ProgramRig::Main(), Strip()->GetWindowRect());
                 })}) == 0);
  CHECK(unshown == 0);
}

TEST_CASE("main window: equal tab orders keep page order; no [TabSel] selects the first tab") {
  ProgramRig rig;
  rig.WriteSettings(
      "[Config]\r\nLang = 1\r\n[TabOrder]\r\n0 = 0\r\n1 = 0\r\n2 = 0\r\n3 = 0\r\n4 = 0\r\n5 = 0\r\n"
      "6 = 0\r\n");
  std::vector<std::wstring> titles;
  int selected = -2;
  int page = -1;
  CHECK(rig.Run({Once([&] {
    titles = StripTitles();
    selected = Strip()->GetCurSel();
    page = Pages()->GetCurSel();
  })}) == 0);
  CHECK(titles == std::vector<std::wstring>(std::begin(kEnglishTitles), std::end(kEnglishTitles)));
  CHECK(selected == 0);
  CHECK(page == 0);
}

TEST_CASE("main window: [TabSel] -1 selects no tab, and -1 is written back") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n[TabSel]\r\nindex = -1\r\n");
  int selected = -2;
  int page = -1;
  CHECK(rig.Run({Once([&] {
    selected = Strip()->GetCurSel();
    page = Pages()->GetCurSel();
  })}) == 0);
  CHECK(selected == -1);
  CHECK(page == 0);  // the layout's own
  CHECK(IniValue(rig.ReadSettings(), L"TabSel", L"index") == L"-1");
}

TEST_CASE("main window: panels follow the width the window is dragged to") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    RECT rc = {0, 0, 1201, 700};
    CHECK(ProgramRig::Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc)) == 1);
    CHECK(PosIs(L"musicWnd", L"50,|0"));
    CHECK(PosIs(L"micWnd", L"280,|0"));
    CHECK(PosIs(L"effWnd", L"510,|0"));
    CHECK(PosIs(L"modeWnd", L"[100,|0"));
    rc.right = 1150;
    ProgramRig::Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
    CHECK(PosIs(L"musicWnd", L"50,|0"));
    CHECK(PosIs(L"micWnd", L"280,|0"));
    CHECK(PosIs(L"effWnd", L"510,|0"));
    CHECK(PosIs(L"modeWnd", L"%65,|0"));
    rc.right = 1099;
    ProgramRig::Send(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&rc));
    CHECK(PosIs(L"musicWnd", L"%2,|0"));
    CHECK(PosIs(L"micWnd", L"%23,|0"));
    CHECK(PosIs(L"effWnd", L"%45,|0"));
    CHECK(PosIs(L"modeWnd", L"%65,|0"));
  })}) == 0);
}

TEST_CASE("main window: colour schemes 0 to 5; any other index is scheme 0") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    CUIEventHandler& logic = ProgramRig::Logic();
    // A point of the window's own background, beside the panels.
    const int x = 2;
    const int y = 400;
    logic.ApplyColorScheme(0);
    const DWORD plain = MainPixel(x, y);
    for (int index : {6, -1}) {
      CAPTURE(index);
      logic.ApplyColorScheme(index);
      CHECK(MainPixel(x, y) == plain);
    }
    std::vector<DWORD> schemes;
    for (int index = 1; index <= 5; ++index) {
      logic.ApplyColorScheme(index);
      schemes.push_back(MainPixel(x, y));
    }
    CHECK(schemes[0] != plain);  // the black skin
    CHECK(schemes[2] != plain);  // tinted purple
    CHECK(schemes[2] != schemes[4]);
    logic.ApplyColorScheme(0);
    CHECK(MainPixel(x, y) == plain);
  })}) == 0);
}

TEST_CASE("main window: maximising swaps the maximise and restore buttons") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    ProgramRig::Send(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1200, 800));
    CHECK_FALSE(ProgramRig::Element(L"btn_max")->IsVisible());
    CHECK(ProgramRig::Element(L"btn_restore")->IsVisible());
    ProgramRig::Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1100, 700));
    CHECK(ProgramRig::Element(L"btn_max")->IsVisible());
    CHECK_FALSE(ProgramRig::Element(L"btn_restore")->IsVisible());
  })}) == 0);
}

TEST_CASE("main window: a left click on the tray icon hides the window and shows it again") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    const HWND main = ProgramRig::MainHwnd();
    CHECK(ProgramRig::Send(2125, 100, WM_LBUTTONDOWN) == 0);
    CHECK_FALSE(IsWindowVisible(main));
    ProgramRig::Send(2125, 100, WM_LBUTTONDOWN);
    CHECK(IsWindowVisible(main));
    // The end of the topmost placement.
    CHECK((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    ProgramRig::Send(WM_TIMER, 1011, 0);
    CHECK((GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
  })}) == 0);
}

TEST_CASE("main window: hot-plug closes the open device on its removal and opens an arrival") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  const std::wstring path = device.Path();
  CHECK(rig.Run({Once([&] {
    CDeviceManager* manager = ProgramRig::App().DeviceManager();
    REQUIRE(manager != nullptr);
    REQUIRE(manager->IsOpen());
    // Not a device-interface broadcast, no record, another device: nothing.
    CHECK(ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0) == 0);
    Broadcast volume(path, DBT_DEVTYP_VOLUME);
    ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, volume.Param());
    Broadcast other(L"\\\\?\\hid#vid_1a2b&pid_0016#other#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, other.Param());
    CHECK(manager->IsOpen());
    // The open device gone (its path in another case): closed, and none left to open.
    device.Unplug();
    Broadcast removal(Upper(path));
    CHECK(ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, removal.Param()) == 0);
    CHECK_FALSE(manager->IsOpen());
    CHECK(std::wstring(ProgramRig::Element(L"dev_connect_state")->GetWindowText(TRUE).c_str()) ==
          L"Disconnected");
    device.Plug();
    // Another product: left alone.
    std::wstring wrongProduct = path;
    wrongProduct.replace(wrongProduct.find(L"pid_0016"), 8, L"pid_0017");
    Broadcast stranger(wrongProduct);
    ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, stranger.Param());
    CHECK_FALSE(manager->IsOpen());
    Broadcast arrival(path);
    CHECK(ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, arrival.Param()) == 0);
    CHECK(manager->IsOpen());
  })}) == 0);
}

TEST_CASE("main window: after resume the session is gone and the device is opened again") {
  ProgramRig rig;
  rig.PlugProcessor();
  CHECK(rig.Run({Once([&] {
    CDeviceController& controller = ProgramRig::App().DeviceController();
    controller.SetSessionSettleMs(0);
    REQUIRE(controller.ConnectDevice());
    const int opens = rig.Bus().OpenCount(GENERIC_READ);
    CHECK(ProgramRig::Send(WM_POWERBROADCAST, PBT_APMSUSPEND, 0) == 0);
    CHECK(controller.IsConnected());
    CHECK(ProgramRig::Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) == 1);
    CHECK_FALSE(controller.IsSessionOpen());
    CHECK(ProgramRig::App().DeviceManager()->IsOpen());
    CHECK(rig.Bus().OpenCount(GENERIC_READ) > opens);
  })}) == 0);
}

TEST_CASE("main window: Ctrl+Tab selects the next channel tab, from none the first; the page's "
          "first band gain slider then takes the focus") {
  ProgramRig rig;
  rig.WriteSettings("[TabSel]\r\nindex = -1\r\n");
  std::unique_ptr<HeldKeys> ctrl;
  std::vector<int> selections;
  auto press = [&] {
    ctrl.reset(new HeldKeys({VK_CONTROL}));
    PostMessageW(ProgramRig::MainHwnd(), WM_KEYDOWN, VK_TAB, 1);
  };
  auto look = [&] {
    ctrl.reset();
    selections.push_back(Strip()->GetCurSel());
  };
  // From none the page shown does not change, so only the delayed focus moves it.
  auto focusOn = [](int id) {
    return Until([id] {
      const SWindow* f = SWindow::GetSwndFromHandle(ProgramRig::Main().GetFocus());
      return f != nullptr && f->GetID() == id;
    });
  };
  CHECK(rig.Run({Once(press), Once(look), focusOn(2100), Once([&] { Strip()->SetCurSel(6); }),
                 Once(press), Once(look), focusOn(2100), Once(press), Once(look),
                 focusOn(2200)}) == 0);
  CHECK_FALSE(rig.TimedOut());
  CHECK(selections == std::vector<int>{0, 0, 1});
}

TEST_CASE("main window: a hovered tab and Import light up, and go dark when the cursor leaves") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    Strip()->SetCurSel(0);
    SWindow* tab = Strip()->GetTab(2);
    SWindow* import = ProgramRig::Element(9000);
    for (SWindow* element : {tab, import}) {
      CAPTURE(std::wstring(element->GetWindowText().c_str()));
      const RECT rc = element->GetWindowRect();
      // A corner of the element, away from its text.
      const POINT probe = {rc.left + 4, rc.top + rc.bottom - rc.top - 6};
      const DWORD before = MainPixel(probe.x, probe.y);
      POINT at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
      POINT screen = at;
      ClientToScreen(ProgramRig::MainHwnd(), &screen);
      SetCursorPos(screen.x, screen.y);
      ProgramRig::Send(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      CHECK((element->GetState() & SWUI::WndState_Hover) != 0);
      CHECK(MainPixel(probe.x, probe.y) != before);
      ProgramRig::Send(WM_MOUSELEAVE);
      CHECK((element->GetState() & SWUI::WndState_Hover) == 0);
      CHECK(MainPixel(probe.x, probe.y) == before);
    }
  })}) == 0);
}

TEST_CASE("main window: after start-up the main bar covers the shown page, also made narrower") {
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    // The test screen is 1024 wide: start-up fitted the window to it; the music page shows
    // without a page switch of its own (the tab control starts on it).
    RECT rc;
    GetWindowRect(ProgramRig::MainHwnd(), &rc);
    CHECK(rc.right - rc.left == GetSystemMetrics(SM_CXSCREEN));
    REQUIRE(Pages()->GetCurSel() == 0);
    auto* bar = dynamic_cast<SWUI::SScrollView*>(ProgramRig::Element(L"main_scrollview"));
    auto* page = dynamic_cast<SWUI::SScrollView*>(ProgramRig::Element(21000));
    REQUIRE(bar != nullptr);
    REQUIRE(page != nullptr);
    ProgramRig::Root()->UpdateLayout();
    CHECK(page->GetViewSize().cx > 0);
    CHECK(bar->GetViewSize().cx == page->GetViewSize().cx);
    // At the minimum width the music page still fits; the microphone's twenty bands do not:
    // the bar shows and covers that page's width.
    SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, 1000, 640, SWP_NOZORDER | SWP_NOACTIVATE);
    ProgramRig::Root()->UpdateLayout();
    CHECK_FALSE(bar->HasScrollBar(FALSE));
    Strip()->SetCurSel(1);
  }), Once([] {
    auto* bar = dynamic_cast<SWUI::SScrollView*>(ProgramRig::Element(L"main_scrollview"));
    auto* mic = dynamic_cast<SWUI::SScrollView*>(ProgramRig::Element(21001));
    REQUIRE(mic != nullptr);
    ProgramRig::Root()->UpdateLayout();
    const RECT client = mic->GetClientRect();
    const int range = mic->GetViewSize().cx - (client.right - client.left);
    CHECK(range > 0);
    CHECK(bar->HasScrollBar(FALSE));
    // The bar reaches the page's far edge: the same range, though the page is narrower than
    // the bar by its vertical tabs and its own vertical bar.
    const RECT barClient = bar->GetClientRect();
    CHECK(bar->GetViewSize().cx - (barClient.right - barClient.left) == range);
  })}) == 0);
}

namespace {

// Whether the processor was open when the main window first painted (-1: no paint seen), and
// whether the controller's start image had been dumped by then.
int g_openAtFirstPaint = -1;
int g_dumpedAtFirstPaint = -1;
DebugOutputCapture* g_debugOutput = nullptr;
// A row of the start image as the dump writes it.
const char kDumpedRow[] =
    "ORVK2:        EchoDelay =  250 = 0x00FA  (2 bytes) index=308  offset=412\n";

LRESULT CALLBACK WatchFirstPaint(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_PAINT && g_openAtFirstPaint < 0) {
    CApplication* app = CApplication::Find();
    CMainDlg* main = app != nullptr ? app->MainWindow() : nullptr;
    if (main != nullptr && main->m_hWnd == sent->hwnd && app->DeviceManager() != nullptr) {
      g_openAtFirstPaint = app->DeviceManager()->IsOpen() ? 1 : 0;
      g_dumpedAtFirstPaint = g_debugOutput->Contains(kDumpedRow) ? 1 : 0;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_CASE("main window: the start image is dumped and the processor opened after the first paint") {
  ProgramRig rig;
  rig.PlugProcessor();
  DebugOutputCapture out;
  g_debugOutput = &out;
  g_openAtFirstPaint = g_dumpedAtFirstPaint = -1;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchFirstPaint, nullptr, GetCurrentThreadId());
  REQUIRE(hook != nullptr);
  CHECK(rig.Run({Once([&] {
    CHECK(g_openAtFirstPaint == 0);
    CHECK(g_dumpedAtFirstPaint == 0);
    CHECK(ProgramRig::App().DeviceManager()->IsOpen());
  })}) == 0);
  UnhookWindowsHookEx(hook);
  g_debugOutput = nullptr;
  // Once, and before the device it found was opened.
  const std::vector<std::string> lines = out.Lines();
  const auto row = std::find(lines.begin(), lines.end(), kDumpedRow);
  const auto opened = std::find(lines.begin(), lines.end(), "ORVK2: ====Connect device=====\n");
  CHECK(out.Count(kDumpedRow) == 1);
  CHECK(row < opened);
  CHECK(opened != lines.end());
}

TEST_CASE("main window: never smaller than its minimum size, whoever resizes it") {
  struct Case {
    SIZE asked;
    SIZE got;
  };
  const Case cases[] = {
      {{780, 420}, {1000, 640}}, {{900, 700}, {1000, 700}}, {{1010, 600}, {1010, 640}},
      {{1000, 640}, {1000, 640}}, {{1020, 700}, {1020, 700}},
  };
  ProgramRig rig;
  CHECK(rig.Run({Once([&] {
    for (const Case& c : cases) {
      CAPTURE(c.asked.cx);
      CAPTURE(c.asked.cy);
      SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, c.asked.cx, c.asked.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      RECT rc;
      GetWindowRect(ProgramRig::MainHwnd(), &rc);
      CHECK(rc.right - rc.left == c.got.cx);
      CHECK(rc.bottom - rc.top == c.got.cy);
      // The tree is laid out in what the window got.
      const RECT root = ProgramRig::Root()->GetWindowRect();
      CHECK(root.right - root.left == c.got.cx);
      CHECK(root.bottom - root.top == c.got.cy);
    }
  })}) == 0);
}

TEST_CASE("main window: Connect with no processor says \"Device not connected\" and stays "
          "disconnected; with one it connects without a word") {
  for (const bool plugged : {false, true}) {
    CAPTURE(plugged);
    ProgramRig rig;
    rig.WriteSettings("[Config]\r\nLang = 1\r\n");
    if (plugged) rig.PlugProcessor();
    bool connected = !plugged;
    bool toggleChecked = !plugged;
    std::wstring state;
    CHECK(rig.Run({Once([&] {
      ProgramRig::App().DeviceController().SetSessionSettleMs(0);
      ProgramRig::Element(1000)->SSendMessage(WM_KEYDOWN, VK_SPACE, 0);
      connected = ProgramRig::App().DeviceController().IsConnected();
      toggleChecked = (ProgramRig::Element(1000)->GetState() & SWUI::WndState_Check) != 0;
      state = ProgramRig::Element(L"dev_connect_state")->GetWindowText().c_str();
    })}) == 0);
    CHECK(connected == plugged);
    CHECK(toggleChecked == plugged);
    CHECK(state == (plugged ? L"Connected" : L"Disconnected"));
    if (plugged) {
      CHECK(rig.boxes.empty());
    } else {
      REQUIRE(rig.boxes.size() == 1);
      CHECK(rig.boxes[0].text == L"Device not connected");
      CHECK(rig.boxes[0].framework);
    }
  }
}

TEST_CASE("main window: a band edit's digits sit in the middle of the field, as its placeholder "
          "would") {
  ProgramRig rig;
  int above = -1;
  int below = -1;
  CHECK(rig.Run({Once([&] {
    SWindow* edit = ProgramRig::Element(4100);
    REQUIRE(!edit->GetWindowText().IsEmpty());
    const RECT rc = edit->GetClientRect();
    int width = 0;
    int height = 0;
    const DWORD* bits = ProgramRig::PrintSurface(&width, &height);
    auto at = [&](int x, int y) { return bits[y * width + x] & 0xFFFFFF; };
    const DWORD background = at(rc.left, rc.top);
    int top = -1;
    int bottom = -1;
    for (int y = rc.top; y < rc.bottom; ++y) {
      for (int x = rc.left; x < rc.right; ++x) {
        if (at(x, y) == background) continue;
        if (top < 0) top = y;
        bottom = y;
      }
    }
    REQUIRE(top >= 0);
    above = top - rc.top;
    below = rc.bottom - 1 - bottom;
  })}) == 0);
  CAPTURE(above);
  CAPTURE(below);
  // Digits have no descenders: in a centred line their ink sits a little high.
  CHECK(std::abs(above - below) <= 2);
}
