// The element rig with the framework's built-in skins loaded and a few flat test skins pushed:
// "t.tab" (grey, hover yellow, selected blue), "t.sep" (magenta) and "t.frame" (green).
// Layouts are loaded into a 300 x 200 root by default.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "control/STabCtrl.h"
#include "core/SSkinPool.h"

constexpr DWORD kTabGrey = 0xFFC0C0C0;
constexpr DWORD kTabHover = 0xFFFFFF00;
constexpr DWORD kTabSelected = 0xFF0000FF;
constexpr DWORD kSepColour = 0xFFFF00FF;
constexpr DWORD kFrameColour = 0xFF00FF00;
constexpr DWORD kWhite = 0xFFFFFFFF;

struct TabRig : ElementRig {
  explicit TabRig(int width = 300, int height = 200);
  ~TabRig();

  using ElementRig::Load;
  void Load(const std::wstring& xml) { ElementRig::Load(xml.c_str()); }
  // The tab control named "tab".
  SWUI::STabCtrl* Tab() const;
  // The ids of the tab control's events (11000 to 11003) that reached the container since
  // the last call; the container's record is emptied.
  std::vector<DWORD> TakeTabEvents();
  // The slider children of the tab control.
  std::vector<SWUI::SWindow*> Sliders() const;

  SWUI::SAutoRefPtr<SWUI::SSkinPool> pool;
};

// The tab control's pages that are visible (their own setting), by index.
std::vector<int> VisiblePages(SWUI::STabCtrl* tab);
// "l,t,r,b", for comparisons that print well.
std::string Str(const RECT& rc);
// The tab's item rectangle as text.
std::string ItemRect(SWUI::STabCtrl* tab, int index);
