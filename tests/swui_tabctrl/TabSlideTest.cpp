// The animated page switch: the slider's picture moves by the interpolator one step per frame
// (frames are driven here directly, slider by slider) and
// the slide ends after the last step, on another switch, on a resize and with the control.
#include <doctest/doctest.h>

#include <string>

#include "TabRig.h"
#include "control/STabSlider.h"
#include "core/SWindowMgr.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kGreen = 0xFF00FF00;

// Three coloured pages (red, blue, green) under a strip of 20 at the top (tabs 50 x 20, the
// strip's own tabs grey), switched in four steps.
std::wstring SlideLayout(const wchar_t* attrs = L"") {
  return std::wstring(
             L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' tabSkin='t.tab' "
             L"animateSteps='4' ") +
         attrs +
         L"><page colorBkgnd='#ff0000'/><page colorBkgnd='#0000ff'/>"
         L"<page colorBkgnd='#00ff00'/></tabctrl></root>";
}

// Advances the running slide by a frame; false when there is none.
bool Frame(const TabRig& rig) {
  const std::vector<SWindow*> sliders = rig.Sliders();
  if (sliders.empty()) return false;
  auto* slider = dynamic_cast<STabSlider*>(sliders.front());
  REQUIRE(slider != nullptr);
  slider->OnNextFrame();
  return true;
}

}  // namespace

TEST_CASE("a slide shows the old and the new page moving by the interpolator's steps") {
  struct Case {
    const wchar_t* attrs;
    int from, to;
    int frames;
    POINT a;
    DWORD colourA;
    POINT b;
    DWORD colourB;
  } cases[] = {
      // Forward: the new page comes in from the right; half way at frame 2 of 4.
      {L"", 0, 1, 0, {10, 100}, kRed, {290, 100}, kRed},
      {L"", 0, 1, 1, {220, 100}, kRed, {230, 100}, kBlue},
      {L"", 0, 1, 2, {145, 100}, kRed, {155, 100}, kBlue},
      {L"", 0, 1, 4, {0, 100}, kBlue, {299, 199}, kBlue},
      // Backward: from the left.
      {L"", 1, 0, 2, {145, 100}, kRed, {155, 100}, kBlue},
      {L"", 2, 0, 1, {70, 100}, kRed, {80, 100}, kGreen},
      // A strip at the left slides downwards over a page area 200 high.
      {L"tabAlign='left'", 0, 1, 2, {150, 95}, kRed, {150, 105}, kBlue},
      // Below the pages, the same picture.
      {L"animateType='1'", 0, 1, 2, {145, 100}, kRed, {155, 100}, kBlue},
      // Accelerating: a quarter of the way at frame 2 (0.5 squared); the unknown interpolator
      // asked for below keeps it.
      {L"interpolator='Accelerate'", 0, 1, 2, {220, 100}, kRed, {230, 100}, kBlue},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CAPTURE(c.from);
    CAPTURE(c.to);
    CAPTURE(c.frames);
    TabRig rig;
    rig.Load(SlideLayout(c.attrs));
    STabCtrl* tab = rig.Tab();
    tab->SetAttribute(SStringW(L"animateSteps"), SStringW(L"0"), FALSE);
    tab->SetCurSel(c.from);
    tab->SetAttribute(SStringW(L"animateSteps"), SStringW(L"4"), FALSE);
    CHECK(tab->SetAttribute(SStringW(L"interpolator"), SStringW(L"NoSuchCurve"), FALSE) == E_FAIL);

    REQUIRE(tab->SetCurSel(c.to));
    CHECK(tab->GetCurSel() == c.to);
    REQUIRE(rig.Sliders().size() == 1);
    CHECK(VisiblePages(tab).empty());
    for (int i = 0; i < c.frames; ++i) REQUIRE(Frame(rig));
    rig.Paint();
    if (c.frames == 2 && c.from == 0 && c.attrs[0] == 0) rig.render.SavePng(L"tabctrl_slide", 2);
    CHECK(rig.Pixel(c.a.x, c.a.y) == c.colourA);
    CHECK(rig.Pixel(c.b.x, c.b.y) == c.colourB);
  }
}

TEST_CASE("the slide ends after the frame past the last step; the new page shows") {
  TabRig rig;
  rig.Load(SlideLayout());
  STabCtrl* tab = rig.Tab();
  REQUIRE(tab->SetCurSel(2));
  const SwndHandle slider = rig.Sliders().at(0)->GetSwnd();
  for (int i = 0; i < 4; ++i) REQUIRE(Frame(rig));
  CHECK(rig.Sliders().size() == 1);
  REQUIRE(Frame(rig));  // destroys the slider while it runs its own frame
  CHECK(rig.Sliders().empty());
  CHECK(SWindowMgr::GetWindow(slider) == nullptr);
  CHECK(VisiblePages(tab) == std::vector<int>{2});
  rig.Paint();
  CHECK(rig.Pixel(10, 100) == kGreen);
}

TEST_CASE("no slide where nothing can be seen: a hidden control, an empty page area") {
  for (const wchar_t* attrs : {L"", L"tabHeight='200'"}) {
    CAPTURE(std::wstring(attrs));
    TabRig rig;
    rig.Load(SlideLayout(attrs));
    STabCtrl* tab = rig.Tab();
    if (attrs[0] == 0) tab->SetVisible(FALSE);
    REQUIRE(tab->SetCurSel(1));
    CHECK(rig.Sliders().empty());
    CHECK(VisiblePages(tab) == std::vector<int>{1});
  }
}

TEST_CASE(
    "a slide ends at once on another switch, a resize, its page's removal, the control's end") {
  TabRig rig;
  rig.Load(SlideLayout());
  STabCtrl* tab = rig.Tab();
  REQUIRE(tab->SetCurSel(1));
  REQUIRE(Frame(rig));
  const SwndHandle first = rig.Sliders().at(0)->GetSwnd();
  REQUIRE(tab->SetCurSel(2));  // from page 1, shown again for its picture
  CHECK(SWindowMgr::GetWindow(first) == nullptr);
  REQUIRE(rig.Sliders().size() == 1);
  REQUIRE(Frame(rig));
  REQUIRE(Frame(rig));
  rig.Paint();
  CHECK(rig.Pixel(145, 100) == kBlue);
  CHECK(rig.Pixel(155, 100) == kGreen);

  rig.root->OnRelayout(RECT{0, 0, 250, 150});
  CHECK(rig.Sliders().empty());
  CHECK(VisiblePages(tab) == std::vector<int>{2});

  REQUIRE(tab->SetCurSel(0));
  REQUIRE(tab->RemoveItem(0));  // the page the slide brings in
  CHECK(rig.Sliders().empty());
  CHECK(VisiblePages(tab) == std::vector<int>{0});

  REQUIRE(tab->SetCurSel(1));
  const SwndHandle last = rig.Sliders().at(0)->GetSwnd();
  rig.root->DestroyChild(tab);
  CHECK(SWindowMgr::GetWindow(last) == nullptr);
}
