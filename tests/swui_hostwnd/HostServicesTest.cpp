// The host's services: content-sized windows, element timers and frames, the maximised and
// tracking sizes, the inspector messages, translucency and its push, animation, the caret,
// the tooltip fed from the tree and the OLE drop target.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "HostHarness.h"
#include "TestElements.h"
#include "core/EventCmd.h"
#include "core/EventTimer.h"
#include "core/IScriptFactory.h"
#include "core/IScriptModule.h"
#include "core/SScriptTimer.h"
#include "core/STipCtrl.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;

namespace {

// A window that keeps every inspection record it is sent.
class SpyWnd : public CSimpleWnd {
 public:
  SpyWnd() { REQUIRE(Create(L"spy", WS_POPUP, 0, 0, 0, 1, 1, nullptr, nullptr) != nullptr); }
  BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD) override {
    if (msg != WM_COPYDATA) return FALSE;
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    sender = reinterpret_cast<HWND>(wParam);
    dwData = cds->dwData;
    size = cds->cbData;
    if (size == sizeof(SWNDINFO)) info = *static_cast<const SWNDINFO*>(cds->lpData);
    lResult = TRUE;
    return TRUE;
  }
  HWND sender = nullptr;
  ULONG_PTR dwData = 0;
  DWORD size = 0;
  SWNDINFO info = {};
};

}  // namespace

TEST_CASE(
    "a window sized by its content follows its root, and has no resizing border on that axis") {
  HostHarness h;
  h.Open(
      L"<SWUI resizable='1' margin='5,5,5,5'><root>"
      L" <window name='content' pos='0,0,@150,@60' colorBkgnd='#ff0000'/>"
      L"</root></SWUI>");
  RECT rc;
  GetWindowRect(h.Hwnd(), &rc);
  CHECK(rc.right - rc.left == 150);
  CHECK(rc.bottom - rc.top == 60);
  CHECK(h.host->GetHostAttr().GetMargin(100).left == 0);
  CHECK(h.host->OnNcHitTest(h.ToScreen(POINT{1, 30})) == HTCLIENT);

  REQUIRE(SUCCEEDED(
      h.Find(L"content")->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,@180,@70"), FALSE)));
  h.Drain();
  h.Paint();
  GetWindowRect(h.Hwnd(), &rc);
  CHECK(rc.right - rc.left == 180);
  CHECK(rc.bottom - rc.top == 70);
  CHECK(h.Rgb(175, 65) == 0xFF0000);

  // A given width stays; only the height follows.
  h.Open(L"<SWUI width='120'><root><window name='content' pos='0,0,@50,@40'/></root></SWUI>");
  GetWindowRect(h.Hwnd(), &rc);
  CHECK(rc.right - rc.left == 120);
  CHECK(rc.bottom - rc.top == 40);
}

TEST_CASE(
    "element timers reach their element by the handle in the id; a gone element's timer is "
    "killed") {
  HostHarness h;
  std::vector<ProbeEntry> probeLog;
  ProbeWnd::log = &probeLog;
  h.app.TplRegisterFactory<ProbeWnd>();
  h.Open(L"<SWUI width='100' height='100'><root><probe name='p' pos='0,0,@10,@10'/></root></SWUI>");
  ProbeWnd* probe = h.Find<ProbeWnd>(L"p");
  probeLog.clear();
  // Bit 31, the element's timer 5 in bits 24-30, the handle below.
  const UINT_PTR id = 0x80000000u | (5u << 24) | probe->GetSwnd();
  SendMessageW(h.Hwnd(), WM_TIMER, id, 0);
  REQUIRE(probe->Count(WM_TIMER) == 1);
  CHECK(probeLog.back().wParam == 5u);
  // Ids without bit 31 are not the tree's.
  CHECK(SendMessageW(h.Hwnd(), WM_TIMER, 5, 0) == 0);
  CHECK(probe->Count(WM_TIMER) == 1);

  // A real timer of the element arrives through the window.
  REQUIRE(probe->SetTimer(3, 10));
  CHECK(h.PumpUntil([&] { return probe->Count(WM_TIMER) == 2; }));
  probe->KillTimer(3);

  // The element goes; its timer firing again kills itself without reaching anyone.
  const SwndHandle gone = probe->GetSwnd();
  probe->DestroyWindow();
  SendMessageW(h.Hwnd(), WM_TIMER, SwndTimerId::Make(gone, 3), 0);
  ProbeWnd::log = nullptr;
}

TEST_CASE("animation frames reach every timeline handler over a copy, only while the root shows") {
  HostHarness h;
  h.Open(L"<SWUI width='50' height='50'><root/></SWUI>");
  FnTimeline* second = nullptr;
  FnTimeline first([&] { h.host->UnregisterTimelineHandler(second); });
  FnTimeline other([] {});
  second = &other;
  FnTimeline self([&] {});
  CHECK(h.host->RegisterTimelineHandler(&first));
  CHECK_FALSE(h.host->RegisterTimelineHandler(&first));
  CHECK(h.host->RegisterTimelineHandler(&other));
  h.Frames(1);
  CHECK(first.frames == 1);
  CHECK(other.frames == 0);  // taken out by the first before its turn
  h.Root()->SetVisible(FALSE);
  h.Frames(1);
  CHECK(first.frames == 1);
  h.Root()->SetVisible(TRUE);
  CHECK(h.host->UnregisterTimelineHandler(&first));
  CHECK_FALSE(h.host->UnregisterTimelineHandler(&first));
}

TEST_CASE(
    "the maximised position and size come from the work area and maxInset, the minimum from "
    "minsize") {
  HostHarness h;
  h.Open(L"<SWUI width='100' height='100' maxInset='2,3,4,5' minsize='30,40'><root/></SWUI>");
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  REQUIRE(GetMonitorInfoW(MonitorFromWindow(h.Hwnd(), MONITOR_DEFAULTTONEAREST), &mi));
  MINMAXINFO mmi = {};
  SendMessageW(h.Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  CHECK(mmi.ptMaxPosition.x == (mi.rcWork.left - mi.rcMonitor.left) - 2);
  CHECK(mmi.ptMaxPosition.y == (mi.rcWork.top - mi.rcMonitor.top) - 3);
  CHECK(mmi.ptMaxSize.x == (mi.rcWork.right - mi.rcWork.left) + 6);
  CHECK(mmi.ptMaxSize.y == (mi.rcWork.bottom - mi.rcWork.top) + 8);
  CHECK(mmi.ptMaxTrackSize.x == mmi.ptMaxSize.x);
  CHECK(mmi.ptMinTrackSize.x == 30);
  CHECK(mmi.ptMinTrackSize.y == 40);
}

TEST_CASE(
    "the inspector: record size, id and fields, over-long names, the tree walk and allowSpy") {
  HostHarness h;
  std::wstring longName(251, L'n');
  std::wstring layout =
      L"<SWUI width='100' height='100'><root>"
      L" <window name='first' id='42' pos='10,10,@20,@20'/>"
      L" <window name='" +
      longName +
      L"' pos='40,10,@20,@20'/>"
      L"</root></SWUI>";
  h.Open(layout.c_str());
  SpyWnd spy;
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SETSPY, 0, reinterpret_cast<LPARAM>(spy.m_hWnd)) == 1);
  SWindow* first = h.Find(L"first");
  CHECK(static_cast<SwndHandle>(SendMessageW(h.Hwnd(), SPYMSG_SWNDENUM, 0, GSW_FIRSTCHILD)) ==
        first->GetSwnd());
  const SwndHandle second = static_cast<SwndHandle>(
      SendMessageW(h.Hwnd(), SPYMSG_SWNDENUM, first->GetSwnd(), GSW_NEXTSIBLING));
  CHECK(second != 0u);
  const POINT pt = h.ToScreen(POINT{15, 15});
  CHECK(static_cast<SwndHandle>(
            SendMessageW(h.Hwnd(), SPYMSG_HITTEST, 0, MAKELPARAM(pt.x, pt.y))) == first->GetSwnd());

  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SWNDINFO, first->GetSwnd(), 0) == 1);
  CHECK(spy.size == 10650u);
  CHECK(spy.dwData == 12026u);
  CHECK(spy.sender == h.Hwnd());
  CHECK(spy.info.swnd == first->GetSwnd());
  CHECK(spy.info.nId == 42);
  CHECK(spy.info.rcWnd.left == 10);
  CHECK(spy.info.bVisible);
  CHECK(std::wstring(spy.info.szName) == L"first");
  CHECK(std::wstring(spy.info.szClassName) == L"window");
  CHECK(std::wstring(spy.info.szXmlStr) == L"##unavailable!");
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SWNDINFO, second, 0) == 1);
  CHECK(std::wstring(spy.info.szName) == L"##buf overflow!");
  // The root answers for handle 0.
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SWNDINFO, 0, 0) == 1);
  CHECK(std::wstring(spy.info.szClassName) == L"hostwnd");

  h.Open(
      L"<SWUI width='100' height='100' allowSpy='0'><root><window pos='0,0,@5,@5'/></root></SWUI>");
  SendMessageW(h.Hwnd(), SPYMSG_SETSPY, 0, reinterpret_cast<LPARAM>(spy.m_hWnd));
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SWNDENUM, 0, GSW_FIRSTCHILD) == 0);
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SWNDINFO, 0, 0) == 0);
  CHECK(SendMessageW(h.Hwnd(), SPYMSG_SETSPY, 0, 0) == 0);
}

TEST_CASE(
    "a translucent host is layered, pushes through the layered update and prints into a given DC") {
  HostHarness h;
  h.Open(
      L"<SWUI width='80' height='60' translucent='1'><root>"
      L" <window pos='0,0,-0,-0' colorBkgnd='#ff000080'/>"
      L" <window pos='10,10,@20,@20' colorBkgnd='#0000ff'/>"
      L"</root></SWUI>");
  CHECK((GetWindowLongW(h.Hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
  HWND dummy = h.host->GetDummyHwnd();
  REQUIRE(dummy != nullptr);
  wchar_t name[32] = {};
  GetWindowTextW(dummy, name, 32);
  CHECK(std::wstring(name) == L"SWUI_DUMMY_WND");
  CHECK(GetWindow(dummy, GW_OWNER) == h.Hwnd());
  CHECK(static_cast<DWORD>(GetWindowLongW(dummy, GWL_EXSTYLE)) ==
        (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_LAYERED));
  CHECK(h.host->PushToScreen(nullptr, RECT{0, 0, 80, 60}));
  // Half-transparent red, premultiplied, and an opaque blue block.
  CHECK(h.Pixel(5, 5) == 0x80800000u);
  CHECK(h.Pixel(15, 15) == 0xFF0000FFu);
  // WM_PRINT draws into its DC even though the screen gets the layered update.
  CHECK(h.PrintedRgb(15, 15) == 0x0000FF);
  CHECK(h.SavePng(L"host_translucent", 2));

  // Animation draws its own frames; a time below one frame still runs one.
  CHECK(h.host->AnimateHostWindow(5, AW_BLEND | AW_HIDE));
  CHECK_FALSE(IsWindowVisible(h.Hwnd()));
  CHECK(h.host->AnimateHostWindow(25, AW_SLIDE | AW_HOR_POSITIVE));
  CHECK(IsWindowVisible(h.Hwnd()));
  CHECK_FALSE(h.host->AnimateHostWindow(5, 0));
  h.Close();
  CHECK_FALSE(IsWindow(dummy));
}

TEST_CASE("the caret inverts its place in the memory target and blinks back") {
  HostHarness h;
  h.Open(
      L"<SWUI width='60' height='40'><root colorBkgnd='#ffffff'>"
      L" <window name='edit' pos='5,5,@50,@30' colorBkgnd='#ffffff'/></root></SWUI>");
  SWindow* edit = h.Find(L"edit");
  REQUIRE(edit->CreateCaret(nullptr, 2, 10));
  edit->SetCaretPos(10, 10);
  edit->ShowCaret(TRUE);
  CHECK(h.Rgb(10, 10) == 0x000000);
  CHECK(h.Rgb(11, 19) == 0x000000);
  CHECK(h.Rgb(12, 10) == 0xFFFFFF);
  // A repaint under the caret keeps it.
  h.Root()->InvalidateRect(RECT{0, 0, 60, 40});
  h.Drain();
  CHECK(h.Rgb(10, 10) == 0x000000);
  // The blink timer takes it away and brings it back.
  h.ElementTimer(h.Root(), SHostWnd::kTimerCaret);
  CHECK(h.Rgb(10, 10) == 0xFFFFFF);
  h.ElementTimer(h.Root(), SHostWnd::kTimerCaret);
  CHECK(h.Rgb(10, 10) == 0x000000);
  edit->SetCaretPos(20, 10);
  CHECK(h.Rgb(10, 10) == 0xFFFFFF);
  CHECK(h.Rgb(20, 10) == 0x000000);
  edit->ShowCaret(FALSE);
  CHECK(h.Rgb(20, 10) == 0xFFFFFF);
}

TEST_CASE("the hovered element's tip reaches the tooltip, which the host's loop feeds") {
  HostHarness h;
  h.Open(
      L"<SWUI width='100' height='60'><root>"
      L" <window name='tipped' pos='10,10,@50,@30' tip='Hello tip'/></root></SWUI>");
  // No tip offered yet: no tooltip window either.
  h.MouseMove(POINT{80, 50});
  CHECK(h.host->GetToolTip() == nullptr);
  h.MouseMove(POINT{20, 20});
  auto* tip = dynamic_cast<STipCtrl*>(h.host->GetToolTip());
  REQUIRE(tip != nullptr);
  CHECK(tip->GetOwner() == h.Hwnd());
  CHECK(tip->GetTipId().swnd == h.Find(L"tipped")->GetSwnd());
  CHECK(tip->GetText() == SStringW(L"Hello tip"));
  // The second rest inside the tip's rectangle arms it 24 pixels below the cursor.
  h.MouseMove(POINT{25, 20});
  RECT rc;
  GetWindowRect(tip->m_hWnd, &rc);
  const POINT cursor = h.ToScreen(POINT{25, 20});
  CHECK(rc.left == cursor.x);
  CHECK(rc.top == cursor.y + 24);
  SendMessageW(tip->m_hWnd, WM_TIMER, STipCtrl::kTimerDelay, 0);
  CHECK(IsWindowVisible(tip->m_hWnd));
  // A press hides it and, with a button down, no tip is offered.
  h.MouseDown(POINT{25, 20});
  CHECK_FALSE(IsWindowVisible(tip->m_hWnd));
  CHECK(tip->GetTipId().swnd == 0u);
  h.MouseUp(POINT{25, 20});
}

TEST_CASE("the host registers its drop target with OLE while its window lives") {
  REQUIRE(SUCCEEDED(OleInitialize(nullptr)));
  {
    HostHarness h;
    h.Open(L"<SWUI width='50' height='50'><root/></SWUI>");
    // Registered: a second registration is refused.
    IDropTarget* target = &h.host->GetDropTarget();
    CHECK(RegisterDragDrop(h.Hwnd(), target) == DRAGDROP_E_ALREADYREGISTERED);
    HWND hWnd = h.Hwnd();
    h.Close();
    CHECK_FALSE(IsWindow(hWnd));
  }
  OleUninitialize();
}

namespace {

// A script engine that only records what the host asks of it.
struct ScriptLog {
  std::vector<std::string> buffers;
  std::vector<std::pair<std::string, UINT>> handlers;
  int released = 0;
};

class FakeScript : public TObjRefImpl<IScriptModule> {
 public:
  explicit FakeScript(ScriptLog* log) : log_(log) {}
  ~FakeScript() override { ++log_->released; }
  int ExecuteScriptBuffer(const char* script, size_t length) override {
    log_->buffers.emplace_back(script, length);
    return 0;
  }
  BOOL ExecuteScriptedEventHandler(LPCSTR handler, EventArgs* evt) override {
    auto* timer = dynamic_cast<EventTimer*>(evt);
    log_->handlers.emplace_back(handler, timer != nullptr ? timer->uID : 0u);
    return TRUE;
  }

 private:
  ScriptLog* log_;
};

class FakeScriptFactory : public TObjRefImpl<IScriptFactory> {
 public:
  explicit FakeScriptFactory(ScriptLog* log) : log_(log) {}
  HRESULT CreateScriptModule(SHostWnd*, IScriptModule** ppModule) override {
    *ppModule = new FakeScript(log_);
    return S_OK;
  }

 private:
  ScriptLog* log_;
};

}  // namespace

TEST_CASE(
    "with a script factory the host runs its layout's script, its timers and ends its module when "
    "rebuilt") {
  HostHarness h;
  ScriptLog log;
  SAutoRefPtr<IScriptFactory> factory;
  factory.Attach(new FakeScriptFactory(&log));
  h.app.SetScriptFactory(factory);
  h.Open(L"<SWUI width='50' height='50'><script>print('hi')</script><root/></SWUI>");
  REQUIRE(h.host->GetScriptModule() != nullptr);
  CHECK(log.buffers == std::vector<std::string>{"print('hi')"});
  const char handler[] = "onTick";
  SendMessageW(h.Hwnd(), UM_SCRIPTTIMER, 7, reinterpret_cast<LPARAM>(handler));
  REQUIRE(log.handlers.size() == 1);
  CHECK(log.handlers[0].first == "onTick");
  CHECK(log.handlers[0].second == 7u);
  // Rebuilt: the old module sees the exit event go and is released; a new one comes.
  pugi::xml_document plain;
  REQUIRE(plain.load_string(L"<SWUI width='50' height='50'><root/></SWUI>"));
  REQUIRE(h.host->InitFromXml(plain.child(L"SWUI"), 0, 0));
  CHECK(log.released == 1);
  h.Close();
  h.app.SetScriptFactory(nullptr);
}

TEST_CASE("an event sent from the UI thread reaches HandleEvent; the whole window is client area") {
  HostHarness h;
  h.Open(L"<SWUI width='120' height='90' resizable='1'><root/></SWUI>");
  EventCmd evt(h.Root());
  h.host->onEvent = [](EventArgs* e) { return e->GetID() == EventCmd::EventID; };
  CHECK(SendMessageW(h.Hwnd(), UM_HANDLEEVENT, 0, reinterpret_cast<LPARAM>(&evt)) == TRUE);
  CHECK(h.host->CountEvents(EventCmd::EventID) == 1);
  CHECK(SendMessageW(h.Hwnd(), UM_HANDLEEVENT, 0, 0) == FALSE);
  RECT client;
  GetClientRect(h.Hwnd(), &client);
  CHECK(client.right == 120);
  CHECK(client.bottom == 90);
}

namespace {

// The element handles of the destroy notices the thread's window event hook heard.
std::vector<LONG> g_destroyed;

void CALLBACK OnDestroyNotice(HWINEVENTHOOK, DWORD, HWND, LONG idObject, LONG, DWORD, DWORD) {
  g_destroyed.push_back(idObject);
}

}  // namespace

TEST_CASE("a destroy notice goes for the top of a subtree taken out; none in a teardown") {
  HostHarness h;
  h.Open(L"<SWUI width='100' height='60'><root>"
         L"<window name='panel' pos='0,0,50,50'><window name='a' pos='0,0,10,10'/>"
         L"<window name='b' pos='10,0,20,10'><window name='c' pos='0,0,5,5'/></window></window>"
         L"<window name='other' pos='50,0,60,10'/></root></SWUI>");
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_DESTROY, nullptr,
                                       &OnDestroyNotice, GetCurrentProcessId(),
                                       GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  REQUIRE(hook != nullptr);
  g_destroyed.clear();
  SWindow* panel = h.Find(L"panel");
  const LONG panelHandle = static_cast<LONG>(panel->GetSwnd());
  panel->DestroyWindow();
  h.Drain();
  CHECK(g_destroyed == std::vector<LONG>{panelHandle});

  g_destroyed.clear();
  h.Close();
  // The host window's own notice (OBJID_WINDOW), none for "other" or the root.
  for (LONG id : g_destroyed) CHECK(id == OBJID_WINDOW);
  UnhookWinEvent(hook);
}
