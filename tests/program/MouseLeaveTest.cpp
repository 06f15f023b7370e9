// The mouse leaving the main window in one move, as a user leaves it: the window gets no move
// outside itself, only what its own leave tracking reports. Hover and tooltip end with it, also
// after a move the system delivers once the cursor has already gone.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CMainDlg.h"
#include "ProgramRig.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

// How long the system may take to report the leave (its hover time and a margin).
constexpr DWORD kLeaveWithin = 2000;
// How long a display takes to report a pointer moved onto the window.
constexpr DWORD kMoveReported = 300;

BOOL CALLBACK FindShownTip(HWND hwnd, LPARAM found) {
  wchar_t title[32] = {};
  GetWindowTextW(hwnd, title, 32);
  if (IsWindowVisible(hwnd) && std::wstring(title) == L"swui tooltip") {
    *reinterpret_cast<bool*>(found) = true;
  }
  return TRUE;
}

bool TipShown() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), &FindShownTip, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Hovered(SWindow* element) { return (element->GetState() & SWUI::WndState_Hover) != 0; }

void CursorAt(POINT client) {
  ClientToScreen(ProgramRig::MainHwnd(), &client);
  SetCursorPos(client.x, client.y);
}

void PostMove(POINT client) {
  PostMessageW(ProgramRig::MainHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// One element hovered and left, three times: with its tip shown; by a move that arrives after
// the cursor left; and once more afterwards.
struct Scenario {
  SWindow* (*find)();
  SWindow* element = nullptr;
  POINT at = {0, 0};
  DWORD since = 0;
  std::vector<std::string> failures;

  bool Ended(const char* what, bool tipToo) {
    const bool ended = !Hovered(element) && !(tipToo && TipShown());
    if (ended) return true;
    if (GetTickCount() - since <= kLeaveWithin) return false;
    failures.push_back(what);
    return true;
  }

  // The cursor onto the element: a display reports the move itself; without one the move is
  // posted, as the system posts it (the tip's filter sees it).
  void Enter(std::vector<ProgramRig::Step>* steps) {
    steps->push_back(Once([this] {
      CursorAt(at);
      since = GetTickCount();
    }));
    steps->push_back(
        Until([this] { return Hovered(element) || GetTickCount() - since > kMoveReported; }));
    steps->push_back(Once([this] {
      if (!Hovered(element)) PostMove(at);
    }));
  }

  // The cursor to the right of the window, which is narrower than the screen.
  void Leave(std::vector<ProgramRig::Step>* steps) {
    steps->push_back(Once([this] {
      RECT rc;
      GetWindowRect(ProgramRig::MainHwnd(), &rc);
      SetCursorPos(rc.right + 10, (rc.top + rc.bottom) / 2);
      since = GetTickCount();
    }));
  }

  std::vector<ProgramRig::Step> Steps() {
    std::vector<ProgramRig::Step> steps;
    steps.push_back(Once([this] {
      SetWindowPos(ProgramRig::MainHwnd(), nullptr, 0, 0, 1000, 640,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ProgramRig::Root()->UpdateLayout();
      element = find();
      const RECT rc = element->GetWindowRect();
      at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }));
    Enter(&steps);
    // A second move, as a hand makes: the tip starts its delay.
    steps.push_back(Once([this] { PostMove(POINT{at.x + 1, at.y}); }));
    steps.push_back(Until([this] { return Hovered(element) && TipShown(); }));
    Leave(&steps);
    steps.push_back(Until([this] { return Ended("left with the tip shown", true); }));
    // A move of the element's, delivered after the leave: the cursor is still outside.
    steps.push_back(Once([this] {
      PostMove(at);
      since = GetTickCount();
    }));
    steps.push_back(Until([this] { return Ended("a late move", false); }));
    Enter(&steps);
    steps.push_back(Until([this] { return Hovered(element); }));
    Leave(&steps);
    steps.push_back(Until([this] { return Ended("left again", false); }));
    return steps;
  }
};

SWindow* SecondTab() {
  auto* strip = static_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  return strip->GetTab(1);
}

SWindow* Import() { return ProgramRig::Element(9000); }

}  // namespace

TEST_CASE("mouse leave: hover and tooltip of a tab and of Import end when the cursor leaves") {
  const std::pair<const char*, SWindow* (*)()> elements[] = {{"tab", &SecondTab},
                                                              {"Import", &Import}};
  for (const auto& e : elements) {
    CAPTURE(std::string(e.first));
    ProgramRig rig;
    Scenario scenario;
    scenario.find = e.second;
    CHECK(rig.Run(scenario.Steps()) == 0);
    CHECK_FALSE(rig.TimedOut());
    std::string stayed;
    for (const std::string& failure : scenario.failures) stayed += failure + "; ";
    CHECK(stayed == "");
  }
}
