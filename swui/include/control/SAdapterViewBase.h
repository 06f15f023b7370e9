// What the adapter views share (the list view, the tree view and the views built on them): the
// item panels of the items on screen (in display order) and the recycle lists of free panels by
// view type, the hover and capture items, the copied "template" element and "wantTab", and the
// input that goes to the items: the mouse to the item under it (or to the one holding the
// capture), the wheel, keys, IME, focus, the cursor and the tooltip to the selected or hover
// item, and the tree-wide element messages (colorize, scale, language) to every panel.
//
// A derived view places its items (OnItemGetRect), builds the visible panels, keeps the
// selection and answers what is its own: whether it has an adapter, the selected item's panel
// and the keys it moves the selection with.
//
// Adapters and event handlers may change their data while the view walks its rows (from
// GetView, GetViewDesiredSize, the view type, or an event a row raises). Every walk runs inside
// WalkRows: a data-set change told meanwhile updates what the view keeps of the data at once
// (locator, selection) but only marks the rows stale; the walk stops at its next check, and
// after the outermost walk the rows are built again once for all the changes it met (and again
// while a rebuild meets more, at most kMaxRebuilds times in a row: an adapter that changes its
// data on every build would never end). UI thread only.
#pragma once
#include <deque>
#include <pugixml.hpp>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "control/IItemContainer.h"
#include "control/SItemPanel.h"
#include "control/SPanel.h"

namespace SWUI {

class SAdapterViewBase : public SPanel, public IItemContainer {
 public:
  // The repaint interval of a thumb drag, in ms.
  static constexpr int kUpdateInterval = 40;
  // Rebuilds in a row after walks during which the data changed; the rows are then dropped.
  static constexpr int kMaxRebuilds = 8;

  // Focusable, with the thumb drag's repaint interval.
  SAdapterViewBase();

  // The panel under a point (host coordinates), the point moved into it; null over no item.
  SItemPanel* HitTest(POINT& pt) const;
  int GetVisibleCount() const { return static_cast<int>(m_visible.size()); }
  // Panels of every view type waiting to be reused.
  int GetRecycledCount() const;
  // Rebuilds the panels of the items on screen.
  virtual void UpdateVisibleItems() = 0;
  // Fits the bars to the content and the client area.
  virtual void UpdateScrollBar() = 0;

  // ---- IItemContainer --------------------------------------------------------------------
  void OnItemSetCapture(SItemPanel* pItem, BOOL bCapture) override;
  BOOL IsItemRedrawDelay() const override { return TRUE; }
  void OnItemRequestRelayout(SItemPanel*) override {}

  // ---- element overrides -----------------------------------------------------------------
  // "wantTab" (positive: all keys, and key-down goes to the selected item first).
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SPanel::SetAttribute;
  UINT OnGetDlgCode() override;
  BOOL OnSetCursor(const POINT& pt) override;
  BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) override;
  void OnColorize(COLORREF cr) override;
  BOOL OnLanguageChanged() override;
  // The panel's, then every panel gets the scale, and the bars and the rows follow it.
  void OnScaleChanged(int scale) override;
  // Takes the "template" child; no other child is made.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // FALSE when the bar does not move. A vertical move rebuilds the items on screen (and, while
  // the thumb is dragged, repaints at most every kUpdateInterval ms).
  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SIZE(OnSize)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  SWND_MSG_ENTRY(WM_MOUSELEAVE, (OnMouseLeave(), 0))
  SWND_MESSAGE_RANGE_HANDLER(WM_MOUSEFIRST, 0x20D, OnMouseEvent)
  SWND_MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
  SWND_MESSAGE_RANGE_HANDLER(WM_KEYFIRST, WM_UNICHAR, OnKeyEvent)
  SWND_MESSAGE_RANGE_HANDLER(WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, OnKeyEvent)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  SWND_END_MSG_MAP(SPanel)

  // The view paints its rows.
  virtual void OnPaint(IRenderTarget* pRT) = 0;
  // The panel's, then (with an adapter) the bars and the rows.
  virtual void OnSize(UINT nType, SIZE size);
  // The adapter goes (ReleaseAdapter), then the panel's teardown: a destroyed view reads its
  // adapter no more.
  virtual void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnMouseLeave();
  LRESULT OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);

  // ---- what the derived view answers -----------------------------------------------------
  virtual BOOL HasAdapter() const = 0;
  // The observer leaves the adapter, every panel is destroyed, and the view and its locator
  // let the adapter go.
  virtual void ReleaseAdapter() = 0;
  // The panel of the selected item while it is on screen; null otherwise.
  virtual SItemPanel* GetSelPanel() const = 0;
  // The view's own key-down (selection moves, paging); FALSE when it leaves the key.
  virtual BOOL HandleKey(UINT vk) = 0;
  // A panel was just made: the view subscribes to the item events it handles.
  virtual void OnPanelCreated(SItemPanel* pItem) = 0;
  // A button went down over no item, after the view took the focus.
  virtual void OnPressOverNoItem() {}
  // The mouse entered an item: WM_MOUSEHOVER with the message's wParam and the point in it.
  virtual void SendMouseHover(SItemPanel* pItem, WPARAM wParam, POINT ptInItem);

  // ---- walks over the rows ---------------------------------------------------------------
  // Runs fn as a walk over the rows (see the class comment); stale rows are built again when
  // the outermost walk ends.
  template <class Fn>
  void WalkRows(Fn&& fn) {
    ++m_walkDepth;
    fn();
    --m_walkDepth;
    if (m_walkDepth == 0) RebuildStaleRows();
  }
  // Called by a data-set change: inside a walk it marks the rows stale and answers true (the
  // rows are built after the walk); outside one it answers false (build them now).
  bool DeferRebuild();
  // Whether a change came during the current walk: a walk stops at the first check that
  // answers true, since what it read of the data may be gone.
  bool RowsStale() const { return m_bRowsStale; }
  bool IsWalking() const { return m_walkDepth > 0; }
  // Stale rows are about to be built again: what the view reads of the data besides the rows
  // (the multi-column view's columns) is read again here.
  virtual void OnRowsStale() {}
  // The visible rows all go back to their recycle lists (the rows could not be built).
  virtual void DropVisibleRows() = 0;

  // ---- the panels ------------------------------------------------------------------------
  // One visible item: its panel (held) and view type.
  struct ItemInfo {
    SAutoRefPtr<SItemPanel> pItem;
    int nType;
  };

  // A type outside what the adapter declared shares the first list.
  int ClampViewType(int nType) const;
  // One empty recycle list per view type (at least one).
  void ResetRecycleLists(int nTypeCount);
  // A free panel of that type: a recycled one, or a new one.
  SAutoRefPtr<SItemPanel> TakeFreePanel(int nType);
  // A panel shows an item in that state (hover, checked), set with its events muted; with hover
  // it becomes the hover item.
  void ShowPanel(SItemPanel* pItem, DWORD dwState);
  // The selection moves between two panels (either may be null): the old one loses its focus
  // and its checked state, the new one gains it, and both are invalidated.
  void MoveCheck(SItemPanel* pOld, SItemPanel* pNew);
  // The panel leaves the screen: it loses hover, checked state, focus and capture, is hidden
  // and waits in the recycle list of its type.
  void RecyclePanel(const ItemInfo& info);
  // A panel leaves the view's care: it gives back a capture it holds and stops being the
  // hover item.
  void ForgetPanel(SItemPanel* pItem);
  // Every visible and recycled panel is released, the hover and capture items forgotten.
  void DestroyAllPanels();
  void InvalidatePanel(SItemPanel* pItem);
  // A mouse message to an item, its point (host coordinates) moved into the item.
  LRESULT SendToPanel(SItemPanel* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Sends a tree-wide element message to every panel.
  void DispatchToPanels(UINT uMsg, WPARAM wParam);
  // Copies the "template" child of the element's XML; the copy (empty without one).
  pugi::xml_node CopyTemplate(pugi::xml_node xmlNode);
  pugi::xml_node GetTemplate() const { return m_xmlTemplate.first_child(); }

  std::vector<ItemInfo> m_visible;
  std::vector<std::deque<SAutoRefPtr<SItemPanel>>> m_recycle;
  SItemPanel* m_pCapturedItem = nullptr;
  SItemPanel* m_pHoverItem = nullptr;
  pugi::xml_document m_xmlTemplate;
  BOOL m_bWantTab = FALSE;

 private:
  // After the outermost walk: stale rows built again (see the class comment).
  void RebuildStaleRows();

  int m_walkDepth = 0;
  bool m_bRowsStale = false;
};

}  // namespace SWUI
