// The control on screen and under the hands: it paints its colour over the element (the
// surface's alpha kept), a click focuses the element and reaches the control in host
// coordinates, keys reach it with their result, and what the control asks of its site
// (repaints, the capture, a device context, being shown) reaches the element. Elements blend
// with what lies below them, so their repaints reach the container as redraws of the area.
#include <doctest/doctest.h>

#include "AxRig.h"

using namespace SWUI;

namespace {

constexpr RECT kElement = {10, 10, 210, 110};

}  // namespace

TEST_CASE("painted: the control's colour over the element, opaque where the surface was") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  r.rig.Paint();
  // Inside the element every pixel has the control's colour at full alpha; GDI's fill
  // zeroed the alpha, which the element keeps around the control's drawing.
  const DWORD inside = 0xFF000000 | Rgb(kAxDefaultColour);
  CHECK(r.rig.render.CountEqual(kElement, inside) == 200 * 100);
  CHECK(r.rig.Pixel(9, 9) == 0xFFFFFFFFu);
  CHECK(r.rig.Pixel(210, 110) == 0xFFFFFFFFu);
}

TEST_CASE("input: a click focuses, then reaches the control; keys too, with its result") {
  AxRig r;
  r.Load(L"<notingax name='ax' pos='10,10,@200,@100' clsID='" + std::wstring(kAxTestProgId) +
         L"'/>");
  auto* ax = r.Find(L"ax");
  int from = AxTestRecordCount();
  ax->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(15, 20));
  CHECK(ax->IsFocused());
  CHECK(AxRig::Record(from) ==
        std::vector<std::wstring>{L"focus", L"OnWindowMessage(0x201,0x1,15,20)"});
  // Forwarded instead of the element's own handling: no capture, nothing pushed.
  CHECK(r.rig.container.capture == 0u);
  CHECK((ax->GetState() & WndState_PushDown) == 0u);

  from = AxTestRecordCount();
  BOOL handled = FALSE;
  // The test control answers a message with its number.
  CHECK(ax->SSendMessage(WM_KEYDOWN, VK_TAB, 0, &handled) == WM_KEYDOWN);
  CHECK(handled);
  CHECK(ax->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(30, 40)) == WM_MOUSEWHEEL);
  CHECK(AxRig::Record(from) == std::vector<std::wstring>{L"OnWindowMessage(0x100,0x9,0,0)",
                                                         L"OnWindowMessage(0x20A,0x780000,30,40)"});
}

TEST_CASE("the control's site calls: repaint, capture, no device context, shown") {
  AxRig r;
  r.Load(AxElement(L"ax", kAxTestProgId));
  auto* ax = r.Find(L"ax");
  IOleInPlaceSiteWindowless* site =
      AxRig::Site<IOleInPlaceSiteWindowless>(ax, IID_IOleInPlaceSiteWindowless);

  SUBCASE("InvalidateRect(NULL) repaints the element; a rectangle or a region their part") {
    AxTestSetColour(RGB(0xC0, 0x10, 0x30));
    auto& redraws = r.rig.container.redraws;
    redraws.clear();
    CHECK(site->InvalidateRect(nullptr, FALSE) == S_OK);
    REQUIRE(redraws.size() == 1);
    CHECK(EqualRect(&redraws[0], &kElement));
    r.rig.Paint();
    CHECK(r.rig.render.CountEqual(kElement, 0xFFC01030) == 200 * 100);

    const RECT part = {0, 0, 50, 50};
    const RECT partInElement = {10, 10, 50, 50};
    CHECK(site->InvalidateRect(&part, FALSE) == S_OK);
    REQUIRE(redraws.size() == 2);
    CHECK(EqualRect(&redraws[1], &partInElement));
    CHECK(site->InvalidateRgn(nullptr, FALSE) == S_OK);
    REQUIRE(redraws.size() == 3);
    CHECK(EqualRect(&redraws[2], &kElement));
  }
  SUBCASE("SetCapture gives the element the capture and takes it back") {
    CHECK(site->GetCapture() == S_FALSE);
    CHECK(site->SetCapture(TRUE) == S_OK);
    CHECK(r.rig.container.capture == ax->GetSwnd());
    CHECK(site->GetCapture() == S_OK);
    CHECK(site->SetCapture(FALSE) == S_OK);
    CHECK(r.rig.container.capture == 0u);
    CHECK(site->GetCapture() == S_FALSE);
    // The focus flag is the site's alone.
    CHECK(site->GetFocus() == S_FALSE);
    CHECK(site->SetFocus(TRUE) == S_OK);
    CHECK(site->GetFocus() == S_OK);
    CHECK_FALSE(ax->IsFocused());
  }
  SUBCASE("GetDC hands out nothing, and says so") {
    HDC dc = reinterpret_cast<HDC>(static_cast<INT_PTR>(1));
    CHECK(site->GetDC(nullptr, 0, &dc) == E_FAIL);
    CHECK(dc == nullptr);
    CHECK(site->GetDC(nullptr, 0, nullptr) == E_POINTER);
  }
  SUBCASE("ShowObject: shown and repainted while active and placed; otherwise E_FAIL") {
    IOleClientSite* client = AxRig::Site<IOleClientSite>(ax, IID_IOleClientSite);
    CHECK(client->OnShowWindow(FALSE) == S_OK);
    CHECK_FALSE(ax->GetAxContainer()->IsVisible());
    r.rig.Paint();
    CHECK(r.rig.Pixel(110, 60) == 0xFFFFFFFFu);  // a hidden control is not drawn
    r.rig.container.redraws.clear();
    CHECK(client->ShowObject() == S_OK);
    CHECK(ax->GetAxContainer()->IsVisible());
    REQUIRE(r.rig.container.redraws.size() == 1);
    CHECK(EqualRect(&r.rig.container.redraws[0], &kElement));
    r.rig.Paint();
    CHECK((r.rig.Pixel(110, 60) & 0xFFFFFF) == Rgb(kAxDefaultColour));
    // Placed nowhere: nothing to show.
    ax->Move(0, 0, 0, 0);
    CHECK(client->ShowObject() == E_FAIL);
    client->Release();
  }
  site->Release();
}
