// What the skinned menu's tests stand on: the harness's application with the framework's
// built-in skins (and, when asked, the program's UI definition), an owner window that records
// what a menu tells it, menus built from XML text, runs driven from inside their loop with a
// watchdog, and a screen of a chosen size for placement.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "HostHarness.h"
#include "ModalDriver.h"
#include "control/SMenuEx.h"
#include "core/SMonitorArea.h"

// A top-level popup that records what menus send it.
class OwnerWnd {
 public:
  explicit OwnerWnd(RECT rc = RECT{20, 20, 220, 120});
  ~OwnerWnd();
  OwnerWnd(const OwnerWnd&) = delete;
  OwnerWnd& operator=(const OwnerWnd&) = delete;

  void Clear();

  HWND hwnd = nullptr;
  // WM_INITMENUPOPUP: the level (wParam) and the index (lParam).
  std::vector<SWUI::SMenuEx*> initLevels;
  std::vector<LPARAM> initIndexes;
  // WM_COMMAND: the low words.
  std::vector<int> commands;
  // UM_HANDLEEVENT: the event's id and its sender's id.
  std::vector<int> eventIds;
  std::vector<int> eventFrom;
  int presses = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// The monitor every menu sees while it lives (work area the same).
class ScopedScreen {
 public:
  explicit ScopedScreen(RECT rc);
  ~ScopedScreen();
  ScopedScreen(const ScopedScreen&) = delete;
  ScopedScreen& operator=(const ScopedScreen&) = delete;

 private:
  static BOOL Area(HWND, SWUI::SMonitorArea* area);
  SWUI::SMonitorAreaFn old_;
};

class MenuExRig {
 public:
  // programLook: the program's UI definition too (its skins, colours and styles).
  explicit MenuExRig(bool programLook = false);

  // Builds a menu from XML text owned by the owner window.
  void Load(SWUI::SMenuEx& menu, const wchar_t* xml);
  // Key presses for the owner's queue, as typed before the menu runs.
  void PostKeys(std::initializer_list<UINT> keys);
  // Runs the menu at pt; the steps run one per tick inside its loop (a watchdog ends a loop
  // that outlives them). What the menu answered.
  int Track(SWUI::SMenuEx& menu, UINT flags, POINT pt, std::vector<ModalDriver::Step> steps = {},
            int scale = 100);

  HostHarness h;
  OwnerWnd owner;
};

// The level's window rectangle on the screen.
RECT WindowRectOf(const SWUI::SMenuEx& level);

// A menu of the built-in look on a white background: items 1 ("o"), 2 ("T"), an item without
// id opening a sub-menu of 31 and 32 ("x"), a separator, 4, and 5 disabled ("f").
extern const wchar_t kTestMenu[];

// The rig with kTestMenu loaded (TEST_CASE_FIXTURE).
struct TestMenu {
  TestMenu();

  MenuExRig rig;
  SWUI::SMenuEx menu;
  // The third item, without id, and the sub-menu it opens.
  SWUI::SMenuExItem* more = nullptr;
  SWUI::SMenuEx* sub = nullptr;
};
