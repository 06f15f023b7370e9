// The element rig with the application's tab strip and animated image classes registered (as
// start-up will register them), a stand-in "imgbtn" for the close buttons, flat test skins and
// a clock that the test moves: "t.tab" (grey, hover yellow, pushed or checked blue), "t.new"
// (green, 20 x 30) and "t.close" (red).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SSkinPool.h"

constexpr DWORD kTabGrey = 0xFFC0C0C0;
constexpr DWORD kTabBlue = 0xFF0000FF;
constexpr DWORD kNewGreen = 0xFF00FF00;
constexpr DWORD kCloseRed = 0xFFFF0000;
constexpr DWORD kWhite = 0xFFFFFFFF;

struct StripRig : ElementRig {
  explicit StripRig(int width = 600, int height = 100);
  ~StripRig();

  // Loads a layout; the strip named "strip" (if any) gets the rig's clock, and its tabs stand
  // in their slots.
  void Load(const std::wstring& xml);
  SWUI::SChromeTabCtrl* Strip() const;
  // The clock moves on by ms and the timeline delivers one frame.
  void Frame(DWORD ms);
  // Long enough for every slide to end.
  void Settle() { Frame(SWUI::SChromeTab::kMoveDuration); }
  // The ids of the strip's events (10000400 to 10000403) that reached the container since the
  // last call; the container's record is emptied.
  std::vector<DWORD> TakeStripEvents();

  DWORD now = 1000;
  SWUI::SAutoRefPtr<SWUI::SSkinPool> pool;
};

// A strip of count tabs titled "t0".."tN" (desired size and further attributes given), 30 high
// across the root.
std::wstring StripXml(int count, int desired, const std::wstring& attrs = L"",
                      const std::wstring& children = L"");
// "l,t,r,b".
std::string Str(const RECT& rc);
std::string RectOf(SWUI::SWindow* wnd);
// The tabs' ordinals in position order.
std::vector<int> Ordinals(SWUI::SChromeTabCtrl* strip);
