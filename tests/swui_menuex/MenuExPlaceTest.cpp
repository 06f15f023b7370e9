// Where levels go on a screen of 400 x 300: the alignment flags, a top level that would leave
// the screen opens on the other side of the point, a sub-menu opens to the right of its level
// (moved by "subMenuOffset") or, past the right edge, to its left.
#include <doctest/doctest.h>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"

using namespace SWUI;

namespace {

const wchar_t kMenu[] =
    L"<menuRoot minWidth='120' subMenuOffset='7'>"
    L" <menuItem id='1' text='a'/>"
    L" <menuItem id='2' text='b'><menuItem id='21' text='c'/><menuItem id='22' text='d'/>"
    L" </menuItem>"
    L"</menuRoot>";

struct Shown {
  RECT top;
  RECT sub;
};

// Where the top level and (opened with the keys) the sub-menu show for a point and flags.
Shown ShowAt(MenuExRig& rig, SMenuEx& menu, POINT pt, UINT flags, bool openSub) {
  Shown shown = {};
  if (openSub) rig.PostKeys({VK_DOWN, VK_DOWN, VK_RIGHT});
  rig.Track(menu, flags | TPM_RETURNCMD, pt, {[&] {
              shown.top = WindowRectOf(menu);
              shown.sub = WindowRectOf(*menu.GetSubMenu(2));
              SMenuEx::ExitPopupMenu(0);
            }});
  return shown;
}

}  // namespace

TEST_CASE("the top level: alignment flags, and the other side of the point near an edge") {
  MenuExRig rig;
  ScopedScreen screen(RECT{0, 0, 400, 300});
  SMenuEx menu;
  rig.Load(menu, kMenu);
  const int w = 120;
  const int h = 52;
  struct Case {
    const char* what;
    POINT pt;
    UINT flags;
    POINT expected;
  };
  const Case cases[] = {
      {"at the point", {50, 40}, 0, {50, 40}},
      {"right edge at x", {200, 40}, TPM_RIGHTALIGN, {200 - w, 40}},
      {"centred on x", {200, 40}, TPM_CENTERALIGN, {200 - w / 2, 40}},
      {"bottom at y", {50, 200}, TPM_BOTTOMALIGN, {50, 200 - h}},
      {"centred on y", {50, 200}, TPM_VCENTERALIGN, {50, 200 - h / 2}},
      {"past the right edge: left of x", {350, 40}, 0, {350 - w, 40}},
      {"past the bottom: above y", {50, 280}, 0, {50, 280 - h}},
      {"above the top: below the point asked for", {50, 30}, TPM_BOTTOMALIGN, {50, 30}},
      {"touching the corner", {280, 248}, 0, {280, 248}},
      {"wider than the room on both sides: kept on the screen", {60, 40}, TPM_CENTERALIGN, {0, 40}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const RECT rc = ShowAt(rig, menu, c.pt, c.flags, false).top;
    CHECK(rc.left == c.expected.x);
    CHECK(rc.top == c.expected.y);
    CHECK(rc.right - rc.left == w);
    CHECK(rc.bottom - rc.top == h);
  }
}

TEST_CASE("a sub-menu opens right of its level, or left of it past the screen's right edge") {
  MenuExRig rig;
  ScopedScreen screen(RECT{0, 0, 400, 300});
  SMenuEx menu;
  rig.Load(menu, kMenu);
  SMenuExItem* item = menu.GetMenuItem(2);

  Shown shown = ShowAt(rig, menu, POINT{50, 40}, 0, true);
  CHECK(shown.sub.left == shown.top.right + 7);
  CHECK(shown.sub.top == shown.top.top + item->GetWindowRect().top);
  CHECK(shown.sub.right - shown.sub.left == 120);

  shown = ShowAt(rig, menu, POINT{200, 40}, 0, true);
  CHECK(shown.top.left == 200);
  CHECK(shown.sub.right == shown.top.left - 7);
  CHECK(shown.sub.top == shown.top.top + item->GetWindowRect().top);

  // Low on the screen: moved up until it fits.
  shown = ShowAt(rig, menu, POINT{50, 300 - 52}, 0, true);
  CHECK(shown.sub.bottom == 300);
  CHECK(shown.sub.left == shown.top.right + 7);
}
