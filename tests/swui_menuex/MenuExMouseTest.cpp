// The mouse, other windows and the owner while a menu runs: clicks inside and outside, hover
// that opens a sub-menu after a delay, a lost foreground, ExitPopupMenu, and the events of
// elements that are no items.
#include <doctest/doctest.h>

#include <algorithm>
#include <vector>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"
#include "control/SMenuExRunData.h"
#include "core/EventCmd.h"

using namespace SWUI;

namespace {

POINT CenterOf(SWindow* wnd) {
  const RECT rc = wnd->GetWindowRect();
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

LPARAM PointParam(POINT pt) { return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)); }

// The cursor put on a point of a level, and a move there posted to it.
void MoveTo(SMenuEx& level, SWindow* wnd) {
  POINT pt = CenterOf(wnd);
  POINT screen = pt;
  ClientToScreen(level.m_hWnd, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageW(level.m_hWnd, WM_MOUSEMOVE, 0, PointParam(pt));
}

void ClickOn(SMenuEx& level, SWindow* wnd) {
  MoveTo(level, wnd);
  const LPARAM pt = PointParam(CenterOf(wnd));
  PostMessageW(level.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pt);
  PostMessageW(level.m_hWnd, WM_LBUTTONUP, 0, pt);
}

}  // namespace

TEST_CASE_FIXTURE(TestMenu,
                  "a press meant for another window ends the menu with 0 and still reaches it") {
  OwnerWnd other(RECT{400, 400, 500, 500});
  rig.PostKeys({VK_DOWN});
  PostMessageW(other.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}) == 0);
  CHECK(other.presses == 1);

  // Without TPM_RETURNCMD nothing is chosen either.
  PostMessageW(other.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  CHECK(rig.Track(menu, 0, POINT{100, 100}) == 1);
  CHECK(other.presses == 2);
  CHECK(rig.owner.commands.empty());
}

TEST_CASE_FIXTURE(TestMenu, "another window taking the foreground ends the menu with -1") {
  OwnerWnd other(RECT{400, 400, 500, 500});
  auto steal = [&] {
    CHECK(GetForegroundWindow() == rig.owner.hwnd);
    SetForegroundWindow(other.hwnd);
  };
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {steal}) == -1);
  CHECK_FALSE(IsWindowVisible(menu.m_hWnd));
  // Sent as no command at all.
  CHECK(rig.Track(menu, 0, POINT{100, 100}, {steal}) == 1);
  CHECK(rig.owner.commands.empty());
}

TEST_CASE_FIXTURE(TestMenu,
                  "clicks on items: an item with an id chooses it, one with a sub-menu opens it") {
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
                  {[&] { ClickOn(menu, menu.GetMenuItem(2)); }}) == 2);
  CHECK(rig.Track(menu, 0, POINT{100, 100}, {[&] { ClickOn(menu, menu.GetMenuItem(4)); }}) == 1);
  CHECK(rig.owner.commands == std::vector<int>{4});

  // The item without an id only opens its level; the menu runs on.
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
                  {[&] { ClickOn(menu, more); },
                   [&] {
                     CHECK(IsWindowVisible(sub->m_hWnd));
                     CHECK(menu.GetOpenItem() == more);
                     ClickOn(*sub, sub->GetMenuItem(31));
                   }}) == 31);
  // A click on the disabled item and on the separator chooses nothing.
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
                  {[&] {
                     ClickOn(menu, menu.GetMenuItem(5));
                     ClickOn(menu, menu.FindItem(3, MF_BYPOSITION));
                   },
                   [&] { SMenuEx::ExitPopupMenu(0); }}) == 0);
}

TEST_CASE_FIXTURE(TestMenu,
                  "hovering an item with a sub-menu opens it on timer 100; leaving cancels it") {
  auto fire = [&] { SendMessageW(menu.m_hWnd, WM_TIMER, SMenuEx::kTimerSubMenu, 0); };
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
            {[&] { MoveTo(menu, more); },
             [&] {
               CHECK(menu.GetPendingItem() == more);
               CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
               MoveTo(menu, menu.GetMenuItem(1));
             },
             [&] {
               CHECK(menu.GetPendingItem() == nullptr);
               fire();
               CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
               MoveTo(menu, more);
             },
             [&] {
               fire();
               CHECK(IsWindowVisible(sub->m_hWnd));
               CHECK(menu.GetOpenItem() == more);
               CHECK(sub->GetOpenItem() == nullptr);
               // Hovering another item of the level closes the open sub-menu.
               MoveTo(menu, menu.GetMenuItem(4));
             },
             [&] {
               CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
               CHECK(menu.GetOpenItem() == nullptr);
               SMenuEx::ExitPopupMenu(0);
             }});
}

TEST_CASE_FIXTURE(TestMenu,
                  "a press on a level closes its open sub-menu before the click is handled") {
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  const auto at = [&](int id) { return PointParam(CenterOf(menu.GetMenuItem(id))); };
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
                  {[&] {
                     CHECK(IsWindowVisible(sub->m_hWnd));
                     PostMessageW(menu.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(1));
                   },
                   [&] {
                     CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
                     CHECK(menu.GetOpenItem() == nullptr);
                     PostMessageW(menu.m_hWnd, WM_LBUTTONUP, 0, at(1));
                   }}) == 1);
}

TEST_CASE_FIXTURE(TestMenu,
                  "moving from one level to another tells the first that the mouse left it") {
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100},
            {[&] { ClickOn(menu, more); },
             [&] {
               CHECK((more->GetState() & WndState_Hover) != 0);
               MoveTo(*sub, sub->GetMenuItem(32));
             },
             [&] {
               CHECK((more->GetState() & WndState_Hover) == 0);
               CHECK(more->IsChecked());  // its level stays open
               CHECK((sub->GetMenuItem(32)->GetState() & WndState_Hover) != 0);
               SMenuEx::ExitPopupMenu(0);
             }});
}

TEST_CASE_FIXTURE(TestMenu, "a quit that arrives while the menu runs ends it and is posted again") {
  rig.PostKeys({VK_DOWN});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[] { PostQuitMessage(5); }}) == -1);
  CHECK(rig.h.SawQuit());
  CHECK(rig.h.QuitCode() == 5);
  CHECK_FALSE(IsWindowVisible(menu.m_hWnd));
}

TEST_CASE_FIXTURE(TestMenu, "ExitPopupMenu ends the running menu with its command") {
  SMenuEx::ExitPopupMenu(9);  // no menu runs: nothing happens
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[] { SMenuEx::ExitPopupMenu(77); }}) ==
        77);
  CHECK(rig.Track(menu, 0, POINT{100, 100}, {[] { SMenuEx::ExitPopupMenu(78); }}) == 1);
  CHECK(rig.owner.commands == std::vector<int>{78});
}

TEST_CASE("a menu tracked while another runs shares its end and its command") {
  MenuExRig rig;
  SMenuEx outer;
  SMenuEx inner;
  rig.Load(outer, kTestMenu);
  rig.Load(inner, L"<menuRoot><menuItem id='61' text='a'/><menuItem id='62' text='b'/></menuRoot>");
  int innerResult = 0;
  const auto trackInner = [&] {
    innerResult = inner.TrackPopupMenu(TPM_RETURNCMD, 300, 100, rig.owner.hwnd);
  };
  CHECK(rig.Track(outer, TPM_RETURNCMD, POINT{100, 100},
                  {trackInner,
                   [&] {
                     // Inside the second loop: both shown, one run, the keys to the last level.
                     CHECK(IsWindowVisible(outer.m_hWnd));
                     CHECK(IsWindowVisible(inner.m_hWnd));
                     REQUIRE(SMenuExRunData::Current() != nullptr);
                     CHECK(SMenuExRunData::Current()->GetLastLevel() == &inner);
                     for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                       PostMessageW(rig.owner.hwnd, WM_KEYDOWN, vk, 1);
                     }
                   }}) == 62);
  CHECK(innerResult == 62);
  CHECK(outer.GetOpenItem() == nullptr);
  CHECK_FALSE(IsWindowVisible(inner.m_hWnd));
  CHECK(SMenuExRunData::Current() == nullptr);
}

TEST_CASE("events of elements that are no items reach the owner while the menu runs") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu,
           L"<menuRoot><menuItem id='1' text='a'/>"
           L"<menuItem id='2' text='b'><window id='66' pos='0,0,10,10'/></menuItem></menuRoot>");
  SWindow* inner = menu.GetMenuRoot()->FindChildByID(66);
  REQUIRE(inner != nullptr);
  CHECK(rig.owner.eventIds.empty());  // building raised events; nobody ran the menu
  rig.PostKeys({VK_DOWN, VK_DOWN});
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[&] {
              rig.owner.Clear();
              inner->FireCommand();
              CHECK(rig.owner.eventIds == std::vector<int>{EventCmd::EventID});
              CHECK(rig.owner.eventFrom == std::vector<int>{66});
              // An item's own events stay in the menu.
              menu.GetMenuItem(1)->SetCheck(TRUE);
              menu.GetMenuItem(1)->SetCheck(FALSE);
              CHECK(rig.owner.eventIds.size() == 1);
              SMenuEx::ExitPopupMenu(0);
            }});
  rig.owner.Clear();
  inner->FireCommand();
  CHECK(rig.owner.eventIds.empty());
}
