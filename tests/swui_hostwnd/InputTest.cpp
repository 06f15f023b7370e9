// The container's mouse routing through a host: hover and leave, the capture, disabled
// elements, elements tracked by position, the wheel, non-client buttons, the cursor, held
// buttons released and system keys.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "HostHarness.h"
#include "TestElements.h"

using namespace SWUI;

namespace {

const wchar_t kInputTree[] =
    L"<SWUI width='300' height='200'><root>"
    L" <probe name='p1' pos='10,10,@50,@50' focusable='1'/>"
    L" <probe name='p2' pos='70,10,@50,@50' enable='0'/>"
    L" <probe name='tracker' pos='10,70,@100,@60' trackMouseEvent='1'>"
    L"  <probe name='inner' pos='10,10,@30,@30'/>"
    L" </probe>"
    L" <probe name='framed' pos='130,10,@60,@60' margin='10'/>"
    L" <probe name='hand' pos='200,10,@40,@40' cursor='hand'/>"
    L"</root></SWUI>";

struct InputRig : HostHarness {
  InputRig() {
    ProbeWnd::log = &probeLog;
    app.TplRegisterFactory<ProbeWnd>();
  }
  ~InputRig() { ProbeWnd::log = nullptr; }

  // The input messages a probe got since the log was last cleared (paints left out).
  std::vector<UINT> Got(const wchar_t* name) const {
    std::vector<UINT> got;
    for (const ProbeEntry& e : probeLog) {
      const bool paint = e.msg == WM_PAINT || e.msg == WM_ERASEBKGND || e.msg == WM_NCPAINT;
      if (e.name == name && !paint) got.push_back(e.msg);
    }
    return got;
  }
  size_t Count(const wchar_t* name, UINT msg) const {
    size_t n = 0;
    for (const ProbeEntry& e : probeLog) n += (e.name == name && e.msg == msg) ? 1 : 0;
    return n;
  }
  bool Hovered(const wchar_t* name) const { return (Find(name)->GetState() & WndState_Hover) != 0; }

  std::vector<ProbeEntry> probeLog;
};

}  // namespace

TEST_CASE_FIXTURE(
    InputRig,
    "moving over an element hovers it before its first move; leaving it sends one leave") {
  Open(kInputTree);
  probeLog.clear();
  MouseMove(POINT{20, 20});
  CHECK(Got(L"p1") == std::vector<UINT>{WM_MOUSEHOVER, WM_MOUSEMOVE});
  CHECK(host->GetHover() == Find(L"p1")->GetSwnd());
  MouseMove(POINT{25, 25});
  CHECK(Count(L"p1", WM_MOUSEHOVER) == 1);
  CHECK(Count(L"p1", WM_MOUSEMOVE) == 2);
  MouseMove(POINT{5, 150});
  CHECK(Count(L"p1", WM_MOUSELEAVE) == 1);
  CHECK_FALSE(Hovered(L"p1"));

  // Leaving the window: the hover element gets its leave and nothing is hovered.
  MouseMove(POINT{20, 20});
  MouseLeave();
  CHECK(Count(L"p1", WM_MOUSELEAVE) == 2);
  CHECK(host->GetHover() == 0u);
}

TEST_CASE_FIXTURE(InputRig,
                  "the capture keeps the moves coming after one leave; a disabled element gets "
                  "nothing and takes no capture") {
  Open(kInputTree);
  MouseMove(POINT{20, 20});
  MouseDown(POINT{20, 20});
  CHECK(host->OnGetSwndCapture() == Find(L"p1")->GetSwnd());
  CHECK(GetCapture() == Hwnd());
  probeLog.clear();
  MouseMove(POINT{200, 150}, MK_LBUTTON);
  MouseMove(POINT{210, 160}, MK_LBUTTON);
  CHECK(Got(L"p1") == std::vector<UINT>{WM_MOUSELEAVE, WM_MOUSEMOVE, WM_MOUSEMOVE});
  MouseMove(POINT{30, 30}, MK_LBUTTON);
  CHECK(Count(L"p1", WM_MOUSEHOVER) == 1);
  MouseUp(POINT{30, 30});
  CHECK(host->OnGetSwndCapture() == 0u);
  CHECK(GetCapture() == nullptr);

  probeLog.clear();
  MouseMove(POINT{80, 20});
  MouseDown(POINT{80, 20});
  MouseUp(POINT{80, 20});
  CHECK(Got(L"p2").empty());
  CHECK(host->OnSetSwndCapture(Find(L"p2")->GetSwnd()) == 0u);
  CHECK(host->OnGetSwndCapture() == 0u);
  CHECK(GetCapture() == nullptr);
}

TEST_CASE_FIXTURE(InputRig,
                  "an element tracking the mouse stays hovered over its child and leaves when the "
                  "point leaves it") {
  Open(kInputTree);
  MouseMove(POINT{15, 75});
  CHECK(Hovered(L"tracker"));
  probeLog.clear();
  MouseMove(POINT{25, 85});  // over the child
  CHECK(Hovered(L"inner"));
  CHECK(Hovered(L"tracker"));
  CHECK(Count(L"tracker", WM_MOUSELEAVE) == 0);
  MouseMove(POINT{5, 190});  // out of both
  CHECK_FALSE(Hovered(L"inner"));
  CHECK_FALSE(Hovered(L"tracker"));
  CHECK(Count(L"tracker", WM_MOUSELEAVE) == 1);
}

TEST_CASE_FIXTURE(InputRig,
                  "the wheel goes to the capture, else the focus, or with sendWheel2Hover to the "
                  "element under it") {
  Open(kInputTree);
  probeLog.clear();
  Wheel(POINT{20, 20}, 120);  // no focus, no capture: nobody
  CHECK(Count(L"p1", WM_MOUSEWHEEL) == 0);
  Find(L"p1")->SetFocus();
  Wheel(POINT{150, 150}, 120);
  CHECK(Count(L"p1", WM_MOUSEWHEEL) == 1);
  Wheel(POINT{150, 150}, -120, WM_MOUSEHWHEEL);
  CHECK(Count(L"p1", WM_MOUSEHWHEEL) == 1);
  // The element's point arrives in client coordinates.
  for (const ProbeEntry& e : probeLog) {
    if (e.msg == WM_MOUSEWHEEL) CHECK(e.lParam == MAKELPARAM(150, 150));
  }
}

TEST_CASE_FIXTURE(InputRig, "with sendWheel2Hover the wheel goes to the element under the point") {
  Open(
      L"<SWUI width='100' height='100' sendWheel2Hover='1'><root>"
      L" <probe name='a' pos='0,0,@50,@50' focusable='1'/><probe name='b' pos='50,0,@50,@50'/>"
      L"</root></SWUI>");
  Find(L"a")->SetFocus();
  probeLog.clear();
  Wheel(POINT{60, 10}, 120);
  CHECK(Count(L"b", WM_MOUSEWHEEL) == 1);
  CHECK(Count(L"a", WM_MOUSEWHEEL) == 0);
}

TEST_CASE_FIXTURE(InputRig, "over an element's frame the buttons arrive in their non-client form") {
  Open(kInputTree);
  probeLog.clear();
  MouseMove(POINT{133, 13});  // inside the 10-pixel margin
  CHECK(Got(L"framed") == std::vector<UINT>{WM_NCMOUSEHOVER, WM_MOUSEHOVER, WM_NCMOUSEMOVE});
  MouseDown(POINT{133, 13});
  CHECK(Count(L"framed", WM_NCLBUTTONDOWN) == 1);
  CHECK(Count(L"framed", WM_LBUTTONDOWN) == 0);
  MouseMove(POINT{160, 40});  // into the client area: the non-client hover ends
  CHECK(Count(L"framed", WM_NCMOUSELEAVE) == 1);
  MouseDown(POINT{160, 40});
  CHECK(Count(L"framed", WM_LBUTTONDOWN) == 1);
}

TEST_CASE_FIXTURE(InputRig, "the cursor is the hovered element's") {
  Open(kInputTree);
  MouseMove(POINT{210, 20});
  SendMessageW(Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CHECK(GetCursor() == LoadCursorW(nullptr, IDC_HAND));
  MouseMove(POINT{20, 20});
  SendMessageW(Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CHECK(GetCursor() == LoadCursorW(nullptr, IDC_ARROW));
}

TEST_CASE_FIXTURE(InputRig,
                  "a held button is released when the window is deactivated or loses the capture, "
                  "except to the clipboard") {
  Open(kInputTree);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CLIPBRDWNDCLASS";
  RegisterClassW(&wc);
  HWND clip = CreateWindowExW(0, L"CLIPBRDWNDCLASS", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  REQUIRE(clip != nullptr);
  HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  REQUIRE(stranger != nullptr);

  MouseMove(POINT{20, 20});
  MouseDown(POINT{20, 20});
  probeLog.clear();
  SendMessageW(Hwnd(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(clip));
  CHECK(Count(L"p1", WM_LBUTTONUP) == 0);
  // A drag keeps the press on record.
  MouseMove(POINT{25, 25}, MK_LBUTTON);
  SendMessageW(Hwnd(), WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(stranger));
  CHECK(Count(L"p1", WM_LBUTTONUP) == 1);
  CHECK(host->OnGetSwndCapture() == 0u);

  MouseDown(POINT{20, 20}, WM_RBUTTONDOWN);
  probeLog.clear();
  SendMessageW(Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  CHECK(Count(L"p1", WM_RBUTTONUP) == 1);
  // Released once: nothing is held any more.
  SendMessageW(Hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  CHECK(Count(L"p1", WM_RBUTTONUP) == 1);
  DestroyWindow(stranger);
  DestroyWindow(clip);
}

TEST_CASE_FIXTURE(InputRig,
                  "system keys reach the tree only when the focused element asks for them") {
  app.TplRegisterFactory<KeyTakerWnd>();
  Open(
      L"<SWUI width='100' height='100'><root>"
      L" <keytaker name='plain' focusable='1' pos='0,0,@20,@20'/>"
      L" <keytaker name='sys' focusable='1' dlgCode='0x80000000' pos='30,0,@20,@20'/>"
      L"</root></SWUI>");
  for (const wchar_t* name : {L"plain", L"sys"}) {
    Find(name)->SetFocus();
    SendMessageW(Hwnd(), WM_SYSKEYDOWN, VK_F10, 0);
    SendMessageW(Hwnd(), WM_KEYDOWN, 'X', 0);
  }
  CHECK(Find<KeyTakerWnd>(L"plain")->keys == std::vector<UINT>{WM_KEYDOWN});
  CHECK(Find<KeyTakerWnd>(L"sys")->keys == std::vector<UINT>{WM_SYSKEYDOWN, WM_KEYDOWN});
}
