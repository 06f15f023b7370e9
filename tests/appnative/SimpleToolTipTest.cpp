// The application's simple value tip: one instance, its window from the first reference to the
// last, sized to its text where it is put and kept inside the work area.
#include <doctest/doctest.h>

#include <string>

#include "RenderRig.h"
#include "controls/SSimpleToolTip.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

struct AppRig {
  AppRig() : render(1, 1), app(render.Factory(), GetModuleHandleW(nullptr), L"AppNativeTest") {}

  RenderRig render;
  SApplication app;
};

RECT WindowRect(HWND hWnd) {
  RECT rc = {};
  GetWindowRect(hWnd, &rc);
  return rc;
}

SIZE TextSize(HFONT font, const wchar_t* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT rc = {0, 0, 500, 1000};
  DrawTextW(dc, text, -1, &rc, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace

TEST_CASE_FIXTURE(AppRig, "one instance whose window lives from the first reference to the last") {
  SSimpleToolTip* tip = SSimpleToolTip::GetInstance();
  CHECK(SSimpleToolTip::GetInstance() == tip);
  CHECK(tip->m_hWnd == nullptr);
  CHECK(tip->AddRef() == 1);
  HWND hWnd = tip->m_hWnd;
  REQUIRE(IsWindow(hWnd));
  wchar_t title[32] = {};
  GetWindowTextW(hWnd, title, 32);
  CHECK(std::wstring(title) == L"simple tooltip");
  CHECK((static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE)) & ~WS_CLIPSIBLINGS) == 0x80000003u);
  CHECK(static_cast<DWORD>(GetWindowLongW(hWnd, GWL_EXSTYLE)) == 0x08000088u);
  CHECK_FALSE(IsWindowVisible(hWnd));
  LOGFONTW lf = {};
  REQUIRE(GetObjectW(tip->GetFont(), sizeof(lf), &lf) != 0);
  CHECK(lf.lfHeight == -12);
  CHECK(std::wstring(lf.lfFaceName) == L"宋体");

  CHECK(tip->AddRef() == 2);
  CHECK(tip->m_hWnd == hWnd);
  CHECK(tip->Release() == 1);
  CHECK(IsWindow(hWnd));
  CHECK(tip->Release() == 0);
  CHECK_FALSE(IsWindow(hWnd));
}

TEST_CASE_FIXTURE(AppRig, "the tip sizes to its text where it is put and stays inside the work area") {
  SSimpleToolTip* tip = SSimpleToolTip::GetInstance();
  tip->AddRef();
  HWND hWnd = tip->m_hWnd;

  tip->ShowAt(L"50%", 100, 120);
  REQUIRE(IsWindowVisible(hWnd));
  const SIZE text = TextSize(tip->GetFont(), L"50%");
  RECT rc = WindowRect(hWnd);
  CHECK(rc.left == 100);
  CHECK(rc.top == 120);
  CHECK(rc.right - rc.left == text.cx + 10);
  CHECK(rc.bottom - rc.top == text.cy + 10);

  // Near the bottom-right corner it is shifted back by what passes the work area's edges.
  RECT work = {};
  REQUIRE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  tip->ShowAt(L"a value tip near the corner", 1000, 760);
  rc = WindowRect(hWnd);
  CHECK(rc.right == work.right);
  CHECK(rc.bottom == work.bottom);
  CHECK(rc.right - rc.left == TextSize(tip->GetFont(), L"a value tip near the corner").cx + 10);

  tip->MoveTo(200, 210);
  CHECK(WindowRect(hWnd).left == 200);
  CHECK(WindowRect(hWnd).top == 210);
  CHECK(IsWindowVisible(hWnd));

  // No text: hidden and emptied, and showing an empty text shows nothing.
  tip->ShowAt(nullptr, 10, 10);
  CHECK_FALSE(IsWindowVisible(hWnd));
  CHECK(tip->GetText().IsEmpty());
  tip->Show(TRUE);
  CHECK_FALSE(IsWindowVisible(hWnd));
  tip->SetText(L"7");
  tip->Show(TRUE);
  CHECK(IsWindowVisible(hWnd));
  tip->SetText(nullptr);
  CHECK_FALSE(IsWindowVisible(hWnd));
  tip->SetText(L"8");
  tip->Show(TRUE);
  tip->Show(FALSE);
  CHECK_FALSE(IsWindowVisible(hWnd));
  CHECK(tip->GetText().IsEmpty());
  tip->Release();
}
