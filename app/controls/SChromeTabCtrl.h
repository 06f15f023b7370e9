// A strip of tabs (SChromeTab) that slide into their slots whenever the strip lays out, with an
// optional new-tab button after the last tab and optional close buttons on the tabs. The user
// may drag a tab along the strip to another place. One tab is selected (checked) or none;
// a click on a tab selects it.
//
// Events (registered in the strip's event set, raised by the strip):
//   EventChromeTabNew (10000400) after a tab was inserted, EventChromeTabClose (10000401)
//   before a tab whose close button was clicked is removed, EventChromeTabSelChanged
//   (10000402) after the selection changed. A tab raises EventChromeTabDbClick (10000403)
//   itself.
//
// Attributes (names in any letter case): "tabDesiredSize" (integer, default 200: the length of
// a tab along the strip; tabs shrink evenly when they do not fit, never grow beyond it),
// "enableDrag" (integer, default 1), "tabAlign" ("horizontal" or "vertical", exactly; another
// word fails with E_FAIL and keeps the alignment).
//
// Child nodes of its layout, and nothing else, are read: "tabStyle" (attributes every tab
// takes before its own), "tabs" (its "chromeTab" children are the first tabs, their text the
// titles), "newBtnStyle" (the new-tab button) and "closeBtnStyle" (the close button of every
// tab that allows one, an "imgbtn").
//
// The slides run on the container's timeline and read the strip's tick source (GetTickCount
// unless replaced). UI thread only.
#pragma once
#include <windows.h>

#include <functional>
#include <pugixml.hpp>

#include "controls/SChromeTab.h"
#include "core/ITimelineHandler.h"
#include "base/SArray.h"
#include "core/SWindow.h"

namespace SWUI {

class SChromeTabCtrl : public SWindow, public ITimelineHandler {
  SWUI_CLASS_NAME(SWindow, L"chromeTabCtrl")

 public:
  using TickSource = std::function<DWORD()>;

  SChromeTabCtrl();
  ~SChromeTabCtrl() override;

  // A new tab at position pos (negative or beyond the count: the end), showing title (also
  // its tip) when given. It appears at once next to the tab before it, the strip lays out
  // (every tab slides to its slot) and EventChromeTabNew follows. It is not selected. TRUE.
  BOOL InsertTab(LPCWSTR title, int pos = -1);
  // Destroys a tab of this strip: the tabs after it move up one place, ordinals above its own
  // go down by one, the strip lays out. A selected tab leaves no selection, without an event.
  // FALSE for a tab that is not in this strip (or null).
  BOOL RemoveTab(SChromeTab* tab);
  // FALSE for a position outside 0 .. count - 1.
  BOOL RemoveTab(int pos);
  // Selects the tab at position i, or none with -1, and raises EventChromeTabSelChanged; i at
  // or beyond the count, below -1, or the position already selected changes nothing.
  void SetCurSel(int i);
  // The selected tab's position, or -1.
  int GetCurSel() const;
  int GetTabCount() const { return static_cast<int>(m_tabs.GetCount()); }
  // Null for a position out of range.
  SChromeTab* GetTab(int i) const;
  // -1 for a position out of range.
  int GetTabOrdinal(int i) const;
  // The position of the first tab with that ordinal, or -1.
  int FindTabByOrdinal(int ordinal) const;
  SChromeTab* GetNewTabButton() const { return m_pBtnNew; }

  int GetTabDesiredSize() const { return m_nDesiredSize; }
  BOOL IsVertical() const { return m_bVertical; }
  BOOL IsDragEnabled() const { return m_nEnableDrag != 0; }

  // A dragged tab at point pt passes over the other tabs: each whose far half the point lies
  // in (the half towards the strip's end, up to its edge) swaps places with the dragged one
  // and jumps by its own length to the dragged tab's old side. TRUE.
  BOOL ChangeTabPos(SChromeTab* dragged, POINT pt);

  // The clock of the slides, in milliseconds; an empty source restores GetTickCount.
  void SetTickSource(TickSource source) { m_tick = std::move(source); }
  DWORD Now() const;

  // ---- ITimelineHandler --------------------------------------------------------------------
  // Moves every sliding tab, then the new-tab button, to where its slide has got; while any
  // slides, the whole strip is repainted and shown.
  void OnNextFrame() override;

  // ---- SWindow ---------------------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // Reads the style nodes and makes the first tabs and the buttons; other children of the
  // node are not made. TRUE.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // Slides every tab to its slot along the strip and the new-tab button after the last.
  void UpdateChildrenPosition() override;

 protected:
  int OnCreate(LPVOID lpCreateParam);
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

 private:
  // A new tab, last among the children: "tabStyle", the title (null: none), then created from
  // its node (or without one) and put at pos (out of range: the end) with the next ordinal.
  // Null when its creation failed or the array cannot grow (nothing is left behind).
  SChromeTab* MakeTab(pugi::xml_node node, LPCWSTR title, int pos);
  // Every tab's position is its place in the array.
  void Renumber();
  // Takes the tab at pos out of the array, the selection and the ordinals (not the tree).
  void Forget(int pos);
  // A child this strip keeps a pointer to hears its destruction through this, and stops when
  // the strip goes first.
  void Follow(SChromeTab* child);
  void Unfollow(SChromeTab* child);
  // A close button from "closeBtnStyle" on a tab that allows one.
  void AddCloseButton(SChromeTab* tab);
  // The tab's position when it is one of this strip's, else -1.
  int PositionOf(const SChromeTab* tab) const;
  // Lays the tabs out now: the layout is clean afterwards.
  void LayoutNow();
  // Whether a tab or the new-tab button is sliding.
  bool IsSliding() const;

  bool OnTabClick(EventArgs* evt);
  bool OnNewBtnClick(EventArgs* evt);
  bool OnCloseBtnClick(EventArgs* evt);
  // A tab or the new-tab button destroyed by anyone is forgotten as a removal would.
  bool OnChildDestroy(EventArgs* evt);

  int m_nDesiredSize = 200;
  BOOL m_bVertical = FALSE;
  int m_nEnableDrag = 1;
  SArray<SChromeTab*> m_tabs;
  SChromeTab* m_pBtnNew = nullptr;
  SChromeTab* m_pSelectedTab = nullptr;
  // Copies of "tabStyle" and "closeBtnStyle", for tabs made later.
  pugi::xml_document m_styles;
  TickSource m_tick;
};

}  // namespace SWUI
