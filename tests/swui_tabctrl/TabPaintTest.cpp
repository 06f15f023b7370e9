// The tab control by pixels: tab states, separators, the frame, icons, the focus rectangle,
// where the tab text goes, and the normal text colour its pages inherit.
#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "TabRig.h"

using namespace SWUI;

namespace {

bool IsDark(DWORD pixel) {
  return (pixel & 0xFF) < 0x80 && ((pixel >> 8) & 0xFF) < 0x80 && ((pixel >> 16) & 0xFF) < 0x80;
}

bool IsRed(DWORD pixel) { return (pixel & 0xFFFFFF) == 0xFF0000; }

// The colour of the default focus rectangle's dots.
bool IsFocusDot(DWORD pixel) { return (pixel & 0xFFFFFF) == 0x585858; }

// The bounding box of the dark pixels of a rectangle; empty when there are none.
RECT DarkBox(const TabRig& rig, const RECT& rc) {
  RECT box = {rc.right, rc.bottom, rc.left, rc.top};
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if (!IsDark(rig.Pixel(x, y))) continue;
      if (x < box.left) box.left = x;
      if (y < box.top) box.top = y;
      if (x + 1 > box.right) box.right = x + 1;
      if (y + 1 > box.bottom) box.bottom = y + 1;
    }
  }
  return box;
}

}  // namespace

TEST_CASE("tabs are drawn selected, hovered or normal; the selected one stays selected") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' tabInterSize='5' tabPos='10' "
      L"tabSkin='t.tab'>"
      L"<page/><page/><page/><page/><page/><page/><page/></tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(130, 10));
  rig.Paint();
  rig.render.SavePng(L"tabctrl_states", 2);
  CHECK(rig.Pixel(12, 2) == kTabSelected);
  CHECK(rig.Pixel(67, 2) == kTabGrey);
  CHECK(rig.Pixel(122, 2) == kTabHover);
  CHECK(rig.Pixel(62, 2) == kWhite);     // the gap, without a separator skin
  CHECK(rig.Pixel(299, 2) == kTabGrey);  // the sixth tab, cut at the strip's end
  CHECK(rig.Pixel(150, 100) == kWhite);  // the page area: nothing of the strip
  tab->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
  rig.Paint();
  CHECK(rig.Pixel(12, 2) == kTabSelected);
  CHECK(rig.Pixel(122, 2) == kTabGrey);
}

TEST_CASE("separators fill the gaps after the first tab, across or down the strip; the frame") {
  struct Case {
    const wchar_t* align;
    POINT gapBefore;  // before the first tab
    POINT gapAfter;   // between the first and the second
  } cases[] = {{L"top", {5, 10}, {62, 10}}, {L"left", {25, 5}, {25, 32}}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.align));
    TabRig rig;
    rig.Load(
        (std::wstring(L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' tabInterSize='5' "
                      L"tabPos='10' tabSkin='t.tab' tabInterSkin='t.sep' "
                      L"frameSkin='t.frame' tabAlign='") +
         c.align + L"'><page/><page/></tabctrl></root>")
            .c_str());
    rig.Paint();
    rig.render.SavePng(std::wstring(L"tabctrl_separators_") + c.align, 2);
    CHECK(rig.Pixel(c.gapBefore.x, c.gapBefore.y) == kWhite);
    CHECK(rig.Pixel(c.gapAfter.x, c.gapAfter.y) == kSepColour);
    CHECK(rig.Pixel(150, 100) == kFrameColour);
    CHECK(rig.Pixel(299, 199) == kFrameColour);
  }
}

TEST_CASE("icons by the page's index or its own position; an index past the skin draws nothing") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,30' tabSkin='t.tab' "
      L"iconSkin='_skin.sys.tab.page' "
      L"icon-x='4' icon-y='3'><page iconIndex='5'/><page/><page iconIndex='0'/>"
      L"<page iconIndex='-2'/></tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  tab->SetCurSel(3);
  rig.Paint();
  rig.render.SavePng(L"tabctrl_icons", 2);
  const DWORD skin[] = {kTabGrey, kTabGrey, kTabGrey, kTabSelected};
  for (int i = 0; i < 4; ++i) {
    CAPTURE(i);
    const RECT whole = {50 * i, 0, 50 * i + 50, 30};
    const RECT icon = {50 * i + 4, 3, 50 * i + 28, 27};
    const RECT beside = {50 * i, 0, 50 * i + 4, 30};
    const int skinPixels = rig.render.CountEqual(whole, skin[i]);
    const bool drawn = i == 1 || i == 2;
    CHECK((skinPixels == 50 * 30) == !drawn);
    CHECK(rig.render.CountEqual(beside, skin[i]) == 4 * 30);
    if (drawn) CHECK(rig.render.CountEqual(icon, skin[i]) < 24 * 24);
  }
}

TEST_CASE("the focused control outlines its current tab") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' tabPos='10' "
      L"tabSkin='t.tab'><page/><page/>"
      L"</tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  const RECT outline = {14, 4, 56, 5};  // the tab less 2, less 2 again, top edge
  rig.Paint();
  CHECK(rig.render.CountIn(outline, IsFocusDot) == 0);
  tab->SetFocus();
  rig.Paint();
  rig.render.SavePng(L"tabctrl_focus", 4);
  CHECK(rig.render.CountIn(outline, IsFocusDot) >= 10);
}

TEST_CASE("tab text: at both offsets, along one, or aligned by the style; vertical text") {
  struct Case {
    const wchar_t* attrs;
    int left0, left1;  // the text's left edge range, or -1: centred
    int top0, top1;    // its top edge range, or -1: centred
    bool tall;
  } cases[] = {
      {L"", -1, -1, -1, -1, false},
      {L"text-x='0' text-y='0'", -1, -1, -1, -1, false},
      {L"text-x='6' text-y='5'", 6, 8, 5, 9, false},
      {L"text-x='0.5' text-y='14'", -1, -1, 14, 18, false},
      {L"text-x='6' text-y='-1'", 6, 8, -1, -1, false},
      {L"textDir='vert'", -1, -1, -1, -1, true},
  };
  int n = 0;
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    TabRig rig;
    rig.Load(std::wstring(L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='100,100' "
                          L"tabSkin='t.tab' ") +
             c.attrs + L"><page title='ABCD'/></tabctrl></root>");
    rig.Paint();
    rig.render.SavePng(L"tabctrl_text_" + std::to_wstring(n++), 2);
    const RECT box = DarkBox(rig, RECT{0, 0, 100, 100});
    REQUIRE(box.right > box.left);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (c.left0 < 0) {
      CHECK(std::abs((box.left + box.right) / 2 - 50) <= 3);
    } else {
      CHECK(box.left >= c.left0);
      CHECK(box.left <= c.left1);
    }
    if (c.top0 < 0) {
      CHECK(std::abs((box.top + box.bottom) / 2 - 50) <= 3);
    } else {
      CHECK(box.top >= c.top0);
      CHECK(box.top <= c.top1);
    }
    CHECK((height > width) == c.tall);
  }
}

TEST_CASE("pages inherit the normal text colour whatever the control's state") {
  TabRig rig;
  rig.Load(
      L"<root><tabctrl name='tab' pos='0,0,-0,-0' tabSize='50,20' colorText='#000000' "
      L"colorTextPush='#ff0000' "
      L"colorTextHover='#ff0000'><page><window pos='0,0,@300,@40' text='Hello world'/></page>"
      L"</tabctrl></root>");
  STabCtrl* tab = rig.Tab();
  tab->SSendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 100));  // pushed, holding the capture
  REQUIRE(tab->GetStateIndex() == 2);
  rig.Paint();
  const RECT text = {0, 20, 300, 60};
  CHECK(rig.render.CountIn(text, IsDark) > 0);
  CHECK(rig.render.CountIn(text, IsRed) == 0);
}
