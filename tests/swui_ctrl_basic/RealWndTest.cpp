// Real windows: made by the application's handler once, from the layout's parameters; they
// follow the element's visibility and place and go with it.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CtrlRig.h"
#include "base/TObjRefImpl.h"

using namespace SWUI;

namespace {

// Makes "STATIC" children of the host window and logs what it is asked.
class TestRealWndHandler : public TObjRefImpl<IRealWndHandler> {
 public:
  std::vector<std::wstring> calls;
  BOOL resizes = FALSE;
  BOOL moves = FALSE;

  HWND CreateRealWnd(SRealWnd* wnd) override {
    calls.push_back(L"create");
    HWND parent = wnd->GetContainer()->GetHostHwnd();
    return CreateWindowExW(wnd->GetWndExStyle(), wnd->GetWndClass(), wnd->GetWndName(),
                           wnd->GetWndStyle(), 0, 0, 1, 1, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  void DestroyRealWnd(SRealWnd* wnd) override {
    calls.push_back(L"destroy");
    DestroyWindow(wnd->GetRealHwnd(FALSE));
  }
  BOOL InitRealWnd(SRealWnd*) override {
    calls.push_back(L"init");
    return TRUE;
  }
  BOOL ResizeRealWnd(SRealWnd*) override {
    calls.push_back(L"resize");
    return resizes;
  }
  BOOL MoveRealWnd(SRealWnd*, const RECT&) override {
    calls.push_back(L"move");
    return moves;
  }
};

RECT ChildRect(HWND child) {
  RECT rc;
  GetWindowRect(child, &rc);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// A host window and a handler set on the application for the lifetime of the object.
struct RealRig {
  RealRig() {
    host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host != nullptr);
    rig.container.hostWindow = host;
    handler.Attach(new TestRealWndHandler());
    rig.app.SetRealWndHandler(handler);
  }
  ~RealRig() {
    while (SWindow* child = rig.root->GetWindow(GSW_FIRSTCHILD)) rig.root->DestroyChild(child);
    rig.app.SetRealWndHandler(nullptr);
    DestroyWindow(host);
  }

  CtrlRig rig;
  HWND host = nullptr;
  SAutoRefPtr<TestRealWndHandler> handler;
};

}  // namespace

TEST_CASE("a shown real window is made once from the layout, placed and initialised") {
  for (const wchar_t* init : {L"0", L"1"}) {
    CAPTURE(std::wstring(init));
    RealRig t;
    t.rig.Load((std::wstring(L"<root><realwnd name='r' pos='10,20,110,70' wndclass='STATIC' "
                             L"wndname='native' style='0x10000000' init='") +
                init + L"'><params answer='42'/></realwnd></root>")
                   .c_str());
    auto* r = t.rig.Find<SRealWnd>(L"r");
    HWND hwnd = r->GetRealHwnd(FALSE);
    REQUIRE(hwnd != nullptr);
    CHECK(t.handler->calls ==
          (std::wstring(init) == L"0"
               ? std::vector<std::wstring>{L"create", L"resize", L"init", L"move"}
               : std::vector<std::wstring>{L"create", L"init", L"move"}));
    CHECK(GetParent(hwnd) == t.host);
    CHECK((r->GetWndStyle() & WS_CHILD) != 0u);
    wchar_t name[32] = {};
    GetWindowTextW(hwnd, name, 32);
    CHECK(std::wstring(name) == L"native");
    CHECK(std::wstring(r->GetParams().attribute(L"answer").value()) == L"42");
    CHECK(r->GetChildrenCount() == 0);  // "params" makes no element
    const RECT placed = ChildRect(hwnd);
    CHECK(placed.left == 10);
    CHECK(placed.top == 20);
    CHECK(placed.right == 110);
    CHECK(placed.bottom == 70);
    CHECK(r->GetRealHwnd() == hwnd);  // asking again makes none
  }
}

TEST_CASE("a real window follows the element: hidden, shown, moved, destroyed") {
  RealRig t;
  t.rig.Load(L"<root><realwnd name='r' pos='0,0,50,50' wndclass='STATIC' visible='0'/></root>");
  auto* r = t.rig.Find<SRealWnd>(L"r");
  CHECK(r->GetRealHwnd(FALSE) == nullptr);  // hidden: not made yet
  r->SetVisible(TRUE);
  HWND hwnd = r->GetRealHwnd(FALSE);
  REQUIRE(hwnd != nullptr);
  CHECK(IsWindowVisible(hwnd) == IsWindowVisible(t.host));
  CHECK((GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0);
  r->SetVisible(FALSE);
  CHECK((GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) == 0);

  r->Move(5, 6, 30, 40);
  RECT rc = ChildRect(hwnd);
  CHECK(rc.left == 5);
  CHECK(rc.bottom == 46);
  t.handler->moves = TRUE;  // the handler places it itself
  r->Move(50, 60, 30, 40);
  CHECK(ChildRect(hwnd).left == 5);

  t.handler->calls.clear();
  t.rig.root->DestroyChild(r);
  CHECK(t.handler->calls == std::vector<std::wstring>{L"destroy"});
  CHECK_FALSE(IsWindow(hwnd));
}

TEST_CASE("without a handler no native window is made") {
  CtrlRig rig;
  rig.Load(L"<root><realwnd name='r' wndclass='STATIC' init='1'/></root>");
  CHECK(rig.Find<SRealWnd>(L"r")->GetRealHwnd() == nullptr);
}
