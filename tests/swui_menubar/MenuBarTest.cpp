// The menu bar: buttons from XML (a menu that does not load adds none), their places, and
// their menus run from inside the menu's loop: a chosen command, a dismissed menu, the move to
// another button, a press on the open button, and a bar without its host window.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "GeometryChecks.h"
#include "HostHarness.h"
#include "ModalDriver.h"
#include "PrivateDesktop.h"
#include "control/EventSelectMenu.h"
#include "control/SMenuBar.h"
#include "control/SMenuItem.h"

using namespace SWUI;

namespace {

PrivateDesktop g_desktop(L"TevaroMenuBarTest");

const wchar_t kLayout[] =
    L"<SWUI width='320' height='200'><root colorBkgnd='#ffffff'>"
    L"<menubar name='bar' id='9' pos='0,0,-0,@22'>"
    L" <btnStyle><!-- every button's XML --><button data='5'/></btnStyle>"
    L" <menus>"
    L"  <menuItem menuName='menu_a'>File</menuItem>"
    L"  <menuItem menuName='menu_b'>Edit</menuItem>"
    L"  <menuItem menuName='menu_none'>Gone</menuItem>"
    L"  <menuItem menuName='menu_c'>View</menuItem>"
    L"  <menuItem menuName='menu_d'>Tools</menuItem>"
    L"  <menuItem menuName='menu_e'>Help</menuItem>"
    L" </menus>"
    L"</menubar></root></SWUI>";

struct Chosen {
  UINT id;
  SMenuEx* menu;
  int from;
};

class BarRig : public HostHarness {
 public:
  BarRig() : HostHarness(true) {
    heldTimers = true;
    Open(kLayout);
    bar = Find<SMenuBar>(L"bar");
    host->onEvent = [this](EventArgs* e) {
      if (auto* evt = dynamic_cast<EventSelectMenu*>(e)) {
        chosen.push_back({evt->uMenuId, evt->pMenu, evt->idFrom});
      }
      return FALSE;
    };
  }

  POINT ButtonCenter(int index) const {
    const RECT rc = bar->GetItem(index)->GetWindowRect();
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  // The mouse goes over a button, as the system would tell the host.
  void PostMove(int index) {
    const POINT pt = ButtonCenter(index);
    const POINT screen = ToScreen(pt);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
  }
  void PostKey(UINT vk) { PostMessageW(Hwnd(), WM_KEYDOWN, vk, 1); }
  bool Shown(int index) const {
    return IsWindowVisible(bar->GetItem(index)->GetMenu()->m_hWnd) != FALSE;
  }

  SMenuBar* bar = nullptr;
  std::vector<Chosen> chosen;
};

}  // namespace

TEST_CASE_FIXTURE(BarRig,
                  "menu bar buttons: one per menu that loads, 49 x 20 from the left + 1, "
                  "one pixel apart, styled and titled") {
  REQUIRE(bar->GetItemCount() == 5);
  const int lefts[] = {1, 51, 101, 151, 201};
  const wchar_t* titles[] = {L"File", L"Edit", L"View", L"Tools", L"Help"};
  for (int i = 0; i < 5; ++i) {
    SMenuItem* item = bar->GetItem(i);
    CHECK(item->GetWindowRect() == RECT{lefts[i], 0, lefts[i] + 49, 20});
    CHECK(item->GetWindowText() == titles[i]);
    CHECK(item->IsClass(L"menuItem"));
    CHECK(item->IsClass(L"button"));
    CHECK(item->GetParent() == bar);
    CHECK(item->GetUserData() == 5u);
  }
  CHECK(bar->GetItem(1)->GetMenuName() == L"menu_b");
  CHECK(bar->IsClass(L"menubar"));
  CHECK(bar->IsClass(L"window"));
  CHECK_FALSE(bar->Insert(L"x", L"menu_none"));
  CHECK_FALSE(bar->Insert(L"x", nullptr));
  CHECK(bar->GetItemCount() == 5);
  CHECK(bar->Insert(L"Front", L"menu_a", 0));
  CHECK(bar->GetItem(0)->GetWindowText() == L"Front");
  CHECK(bar->GetItem(1)->GetWindowRect().left == 51);
  CHECK_FALSE(bar->Init(nullptr));
}

TEST_CASE_FIXTURE(BarRig, "menu bar: a button destroyed on its own leaves the bar") {
  REQUIRE(bar->GetItemCount() == 5);
  SMenuItem* edit = bar->GetItem(1);
  REQUIRE(bar->DestroyChild(edit));
  CHECK(bar->GetItemCount() == 4);
  const wchar_t* titles[] = {L"File", L"View", L"Tools", L"Help"};
  for (int i = 0; i < 4; ++i) {
    CHECK(bar->GetItem(i)->GetWindowText() == titles[i]);
    CHECK(bar->GetItem(i)->GetWindowRect().left == 1 + 50 * i);
  }
  bar->UpdateChildrenPosition();  // touches only live buttons
  CHECK(bar->Insert(L"Last", L"menu_a"));
  CHECK(bar->GetItem(4)->GetWindowRect().left == 201);
}

TEST_CASE_FIXTURE(BarRig, "menu bar: without Init a press opens nothing") {
  Click(ButtonCenter(0));
  CHECK_FALSE(Shown(0));
  CHECK_FALSE(bar->IsMenuShown());
  CHECK(chosen.empty());
}

TEST_CASE_FIXTURE(BarRig,
                  "menu bar: a press runs the button's menu below it; Down and Return "
                  "choose the first command, reported by the bar; Escape chooses none") {
  REQUIRE(bar->Init(Hwnd()));
  RECT hostRect;
  GetWindowRect(Hwnd(), &hostRect);
  RECT level = {0, 0, 0, 0};
  bool checked = false;
  {
    ModalDriver drive({[&] {
                         GetWindowRect(bar->GetItem(0)->GetMenu()->m_hWnd, &level);
                         checked = bar->GetItem(0)->IsChecked() && bar->IsMenuShown();
                         PostKey(VK_DOWN);
                       },
                       [&] { PostKey(VK_RETURN); }},
                      3000);
    Click(ButtonCenter(0));
    CHECK_FALSE(drive.TimedOut());
    CHECK(drive.Finished());
  }
  CHECK(level.left == hostRect.left + 1);
  CHECK(level.top == hostRect.top + 22);
  CHECK(checked);
  REQUIRE(chosen.size() == 1);
  CHECK(chosen[0].id == 101u);
  CHECK(chosen[0].menu == bar->GetItem(0)->GetMenu());
  CHECK(chosen[0].from == 9);
  CHECK_FALSE(bar->GetItem(0)->IsChecked());
  CHECK_FALSE(bar->IsMenuShown());
  CHECK(bar->GetActiveItem() == nullptr);

  {
    ModalDriver drive({[&] { PostKey(VK_ESCAPE); }}, 3000);
    Click(ButtonCenter(2));
    CHECK_FALSE(drive.TimedOut());
  }
  CHECK(chosen.size() == 1);
  CHECK_FALSE(Shown(2));
}

TEST_CASE_FIXTURE(BarRig,
                  "menu bar: moving onto another button ends the menu without a "
                  "command; that button's timer opens its own") {
  REQUIRE(bar->Init(Hwnd()));
  {
    ModalDriver drive({[&] { PostMove(1); }}, 3000);
    Click(ButtonCenter(0));
    CHECK_FALSE(drive.TimedOut());
  }
  CHECK(chosen.empty());
  CHECK_FALSE(Shown(0));
  CHECK_FALSE(bar->IsMenuShown());
  bool second = false;
  {
    ModalDriver drive({[&] {
                         second = Shown(1) && !Shown(0) && bar->GetActiveItem() == bar->GetItem(1);
                         PostKey(VK_DOWN);
                       },
                       [&] { PostKey(VK_RETURN); }},
                      3000);
    ElementTimer(bar->GetItem(1), SMenuItem::kTimerPopup);
    CHECK_FALSE(drive.TimedOut());
  }
  CHECK(second);
  REQUIRE(chosen.size() == 1);
  CHECK(chosen[0].menu == bar->GetItem(1)->GetMenu());
  // The timer has stopped: it opens nothing more.
  CHECK_FALSE(Shown(1));
}

TEST_CASE_FIXTURE(BarRig,
                  "menu bar: a press on the button whose menu is open closes it and "
                  "does not open it again") {
  REQUIRE(bar->Init(Hwnd()));
  bool opened = false;
  {
    ModalDriver drive({[&] {
                        opened = Shown(3);
                        const POINT pt = ButtonCenter(3);
                        const POINT screen = ToScreen(pt);
                        SetCursorPos(screen.x, screen.y);
                        PostMessageW(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
                        PostMessageW(Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
                      }},
                      1500);
    Click(ButtonCenter(3));
    Drain();
    // Had the press opened the menu again, its loop would have waited for the watchdog.
    CHECK_FALSE(drive.TimedOut());
  }
  CHECK(opened);
  CHECK_FALSE(Shown(3));
  CHECK_FALSE(bar->IsMenuShown());
  CHECK(chosen.empty());
  // The next press opens it again.
  {
    ModalDriver drive({[&] {
                        opened = Shown(3);
                        PostKey(VK_ESCAPE);
                      }},
                      3000);
    opened = false;
    Click(ButtonCenter(3));
    CHECK_FALSE(drive.TimedOut());
  }
  CHECK(opened);
}
