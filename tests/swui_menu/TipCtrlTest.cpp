// The framework's tooltip: its factory, what it relays, its timers (driven directly), its
// size, place, font and paint.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RenderRig.h"
#include "core/SApplication.h"
#include "core/SDefToolTipFactory.h"
#include "core/STipCtrl.h"

using namespace SWUI;

namespace {

// A hidden popup standing in for a host window, at a screen position.
class PlainWnd : public CSimpleWnd {
 public:
  PlainWnd(int x, int y) {
    REQUIRE(Create(L"owner", WS_POPUP, 0, x, y, 300, 200, nullptr, nullptr) != nullptr);
  }
};

struct TipRig {
  TipRig() : render(1, 1), app(render.Factory(), GetModuleHandleW(nullptr), L"SwuiTipTest") {}
  ~TipRig() {
    if (tip != nullptr) app.GetToolTipFactory()->DestroyToolTip(tip);
  }

  // A tooltip of the application's factory for the owner.
  STipCtrl* Make(HWND owner) {
    IToolTip* made = app.GetToolTipFactory()->CreateToolTip(owner);
    REQUIRE(made != nullptr);
    tip = dynamic_cast<STipCtrl*>(made);
    REQUIRE(tip != nullptr);
    return tip;
  }

  void Relay(HWND to, UINT message, int x = 0, int y = 0) {
    MSG msg = {};
    msg.hwnd = to;
    msg.message = message;
    msg.lParam = MAKELPARAM(x, y);
    tip->RelayEvent(&msg);
  }
  void Timer(UINT_PTR id) { SendMessageW(tip->m_hWnd, WM_TIMER, id, 0); }
  // A new tip over kTipRect, rested on at (20, 20) until the show delay ran out.
  void ShowNew(HWND owner, SwndHandle swnd, const wchar_t* text);
  RECT WindowRect() const {
    RECT rc;
    GetWindowRect(tip->m_hWnd, &rc);
    return rc;
  }
  bool Visible() const { return IsWindowVisible(tip->m_hWnd) != FALSE; }
  LOGFONTW Font() const {
    LOGFONTW lf = {};
    REQUIRE(GetObjectW(tip->GetFont(), sizeof(lf), &lf) != 0);
    return lf;
  }
  // The size the tip's font gives a text word-wrapped in 500 x 1000, as measured here.
  SIZE TextSize(const wchar_t* text) const {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, tip->GetFont());
    RECT rc = {0, 0, 500, 1000};
    DrawTextW(dc, text, -1, &rc, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
  }

  RenderRig render;
  SApplication app;
  STipCtrl* tip = nullptr;
};

const RECT kTipRect = {10, 10, 110, 60};

TIPID Id(SwndHandle swnd, DWORD cookie = 0) {
  TIPID id;
  id.swnd = swnd;
  id.dwCookie = cookie;
  return id;
}

void TipRig::ShowNew(HWND owner, SwndHandle swnd, const wchar_t* text) {
  tip->UpdateTip(Id(swnd), kTipRect, text, 100);
  Relay(owner, WM_MOUSEMOVE, 20, 20);
  Timer(STipCtrl::kTimerDelay);
  REQUIRE(Visible());
}

}  // namespace

TEST_CASE_FIXTURE(TipRig, "the factory makes a hidden tooltip window per owner and destroys it") {
  PlainWnd owner(100, 100);
  STipCtrl* made = Make(owner.m_hWnd);
  HWND hWnd = made->m_hWnd;
  REQUIRE(IsWindow(hWnd));
  wchar_t title[32] = {};
  GetWindowTextW(hWnd, title, 32);
  CHECK(std::wstring(title) == L"swui tooltip");
  CHECK((static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & ~WS_CLIPSIBLINGS) == 0x80000003u);
  CHECK(static_cast<DWORD>(GetWindowLongW(hWnd, GWL_EXSTYLE)) == 0x08000088u);
  CHECK(GetParent(hWnd) == nullptr);
  CHECK_FALSE(Visible());
  CHECK(made->GetOwner() == owner.m_hWnd);
  const LOGFONTW lf = Font();
  CHECK(lf.lfHeight == -12);
  CHECK(std::wstring(lf.lfFaceName) == L"宋体");

  app.GetToolTipFactory()->DestroyToolTip(made);
  tip = nullptr;
  CHECK_FALSE(IsWindow(hWnd));
}

TEST_CASE_FIXTURE(TipRig, "a rest inside the tip's rectangle arms it below the cursor; timers show and hide it") {
  PlainWnd owner(100, 100);
  Make(owner.m_hWnd);
  tip->UpdateTip(Id(7), kTipRect, L"Hello tip", 100);
  Relay(owner.m_hWnd, WM_MOUSEMOVE, 20, 30);
  CHECK_FALSE(Visible());
  CHECK(WindowRect().left == 120);
  CHECK(WindowRect().top == 130 + 24);

  Timer(STipCtrl::kTimerDelay);  // the show delay ran out
  REQUIRE(Visible());
  const SIZE text = TextSize(L"Hello tip");
  const RECT shown = WindowRect();
  CHECK(shown.left == 120);
  CHECK(shown.top == 154);
  CHECK(shown.right - shown.left == text.cx + 10);
  CHECK(shown.bottom - shown.top == text.cy + 10);

  // Moving within the tip while it shows changes nothing.
  Relay(owner.m_hWnd, WM_MOUSEMOVE, 60, 40);
  CHECK(Visible());
  CHECK(WindowRect().left == 120);

  Timer(STipCtrl::kTimerAutoPop);  // up long enough
  CHECK_FALSE(Visible());
  CHECK(tip->GetText().IsEmpty());
  CHECK(IsRectEmpty(&tip->GetTipRect()));

  // The same tip is not offered again until another one, or a clear, came in between.
  tip->UpdateTip(Id(7), kTipRect, L"Hello tip", 100);
  CHECK(tip->GetText().IsEmpty());
  Relay(owner.m_hWnd, WM_MOUSEMOVE, 20, 20);
  CHECK(WindowRect().top == 154);
  tip->ClearTip();
  CHECK(tip->GetTipId() == TIPID());
  tip->UpdateTip(Id(7), kTipRect, L"Hello tip", 100);
  CHECK(tip->GetText() == L"Hello tip");
  tip->UpdateTip(Id(7, 1), kTipRect, L"Other cookie", 100);
  CHECK(tip->GetText() == L"Other cookie");
}

TEST_CASE_FIXTURE(TipRig, "clicks and leaving hide the tip; only the owner's messages count") {
  PlainWnd owner(100, 100);
  PlainWnd stranger(500, 100);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 50, 40, 40, 20, owner.m_hWnd,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  REQUIRE(child != nullptr);
  Make(owner.m_hWnd);
  ShowNew(owner.m_hWnd, 1, L"tip");
  for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE}) {
    Relay(stranger.m_hWnd, message, 200, 200);
    Relay(nullptr, message, 200, 200);
  }
  CHECK(Visible());
  for (UINT message : {WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_KEYDOWN}) Relay(owner.m_hWnd, message);
  CHECK(Visible());

  struct Case {
    UINT message;
    int x, y;
  };
  SwndHandle swnd = 2;
  for (Case c : {Case{WM_LBUTTONDOWN, 20, 20}, Case{WM_LBUTTONUP, 20, 20}, Case{WM_RBUTTONDOWN, 20, 20},
                 Case{WM_RBUTTONUP, 20, 20}, Case{WM_MBUTTONDOWN, 20, 20}, Case{WM_MBUTTONUP, 20, 20},
                 Case{WM_MOUSEMOVE, 200, 20}}) {
    CAPTURE(c.message);
    ShowNew(owner.m_hWnd, swnd++, L"tip");
    Relay(owner.m_hWnd, c.message, c.x, c.y);
    CHECK_FALSE(Visible());
  }

  // A window inside the owner: its points count in the owner's client coordinates.
  tip->UpdateTip(Id(swnd++), kTipRect, L"tip", 100);
  Relay(child, WM_MOUSEMOVE, 5, 5);
  CHECK(WindowRect().left == 100 + 55);
  CHECK(WindowRect().top == 100 + 45 + 24);
  Timer(STipCtrl::kTimerDelay);
  REQUIRE(Visible());
  MSG click = {};
  click.hwnd = child;
  click.message = WM_LBUTTONDOWN;
  CHECK_FALSE(tip->PreTranslateMessage(&click));  // relayed, never swallowed
  CHECK_FALSE(Visible());
  DestroyWindow(child);
}

TEST_CASE_FIXTURE(TipRig, "backslash-n breaks the line; the scale sizes the font") {
  PlainWnd owner(100, 100);
  Make(owner.m_hWnd);
  ShowNew(owner.m_hWnd, 1, L"line one");
  const LONG oneLine = WindowRect().bottom - WindowRect().top;

  // A visible tip takes the new text's size at once.
  tip->UpdateTip(Id(2), kTipRect, L"line one\\nline two", 100);
  CHECK(tip->GetText() == L"line one\nline two");
  const LONG twoLines = WindowRect().bottom - WindowRect().top;
  CHECK(twoLines - 10 == 2 * (oneLine - 10));

  struct Case {
    int scale;
    LONG height;
  };
  for (Case c : {Case{200, -24}, Case{150, -18}, Case{125, -15}, Case{100, -12}}) {
    CAPTURE(c.scale);
    tip->UpdateTip(Id(static_cast<SwndHandle>(c.scale)), kTipRect, L"x", c.scale);
    CHECK(Font().lfHeight == c.height);
    CHECK(std::wstring(Font().lfFaceName) == L"宋体");
  }
}

TEST_CASE_FIXTURE(TipRig, "a tip near the bottom-right corner is moved back onto the monitor") {
  PlainWnd owner(900, 650);
  Make(owner.m_hWnd);
  tip->UpdateTip(Id(1), RECT{0, 0, 300, 200}, L"a tip that is too wide for the corner", 100);
  Relay(owner.m_hWnd, WM_MOUSEMOVE, 100, 90);  // armed at (1000, 764)
  CHECK(WindowRect().left == 1000);
  Timer(STipCtrl::kTimerDelay);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  REQUIRE(GetMonitorInfoW(MonitorFromWindow(tip->m_hWnd, MONITOR_DEFAULTTONEAREST), &mi));
  const RECT rc = WindowRect();
  CHECK(rc.right == mi.rcMonitor.right);
  CHECK(rc.bottom == mi.rcMonitor.bottom);
  CHECK(rc.right - rc.left == TextSize(L"a tip that is too wide for the corner").cx + 10);
}

TEST_CASE_FIXTURE(TipRig, "the tip paints the info colour inside a one-pixel frame, its text inset") {
  PlainWnd owner(100, 100);
  Make(owner.m_hWnd);
  ShowNew(owner.m_hWnd, 1, L"Painted tip");
  const RECT rc = WindowRect();
  const int w = rc.right - rc.left;
  const int h = rc.bottom - rc.top;
  RenderRig target(w, h);
  HDC dc = target.Target()->GetDC(0);
  // A window's own DC draws rectangles without their lower-right edges; the target's is advanced.
  const int mode = SetGraphicsMode(dc, GM_COMPATIBLE);
  SendMessageW(tip->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetGraphicsMode(dc, mode);
  target.Target()->ReleaseDC(dc);
  std::vector<DWORD> opaque(static_cast<size_t>(w) * h);
  for (int i = 0; i < w * h; ++i) opaque[i] = target.Pixel(i % w, i / w) | 0xFF000000u;
  RenderRig::SavePng(target.MakeBitmap(w, h, opaque.data()), L"tooltip", 4);

  const COLORREF info = GetSysColor(COLOR_INFOBK);
  const DWORD infoRaw = ((info & 0xFF) << 16) | (info & 0xFF00) | ((info >> 16) & 0xFF);
  auto rgb = [&](int x, int y) { return target.Pixel(x, y) & 0xFFFFFF; };
  CHECK(rgb(0, 0) == 0);  // the frame, in the default black pen
  CHECK(rgb(w - 1, h / 2) == 0);
  int margin = 0;
  int text = 0;
  for (int y = 1; y < h - 1; ++y) {
    for (int x = 1; x < w - 1; ++x) {
      const bool inMargin = x < 5 || y < 5 || x >= w - 5 || y >= h - 5;
      if (inMargin) margin += rgb(x, y) == infoRaw ? 1 : 0;
      if (!inMargin && rgb(x, y) != infoRaw) ++text;
    }
  }
  CHECK(margin == (w - 2) * (h - 2) - (w - 10) * (h - 10));
  CHECK(text > 10);
}

TEST_CASE("without an application the factory makes no tooltip") {
  SAutoRefPtr<IToolTipFactory> factory;
  factory.Attach(new SDefToolTipFactory());
  CHECK(factory->CreateToolTip(nullptr) == nullptr);
  factory->DestroyToolTip(nullptr);
}
