// The list view ("listview"): a vertically scrolling list whose rows come from an adapter
// (ILvAdapter) and exist as element trees (item panels) only while they are on screen. Rows
// that scroll out go back to a recycle list of their view type and are reused for rows that
// scroll in. Where each row lies is the item locator's: a fixed one when the "template" child
// gives "itemHeight" (above 0 pixels), else a flexible one with "defHeight" (default 30dp)
// whose rows take the adapter's desired heights.
//
// The view keeps one selected row and one hover row, hands mouse input to the row under the
// mouse (or to the row holding the capture), key messages to the selected row, paints each
// visible row at its place with a divider skin below it, and raises 15100 (cancellable) and
// 15101 when a click changes the selection; keyboard moves select silently. Every event of a
// row reaches the view's owner and host as EventOfPanel (10006).
//
// Attributes: "dividerSkin" (skin), "dividerSize" (size, not negative), "wantTab" (positive:
// all keys, and key-down goes to the selected row first). UI thread only.
#pragma once
#include <deque>
#include <pugixml.hpp>
#include <vector>

#include "base/SAutoRefPtr.h"
#include "control/IItemContainer.h"
#include "control/IListViewItemLocator.h"
#include "control/ILvAdapter.h"
#include "control/ILvDataSetObserver.h"
#include "control/SItemPanel.h"
#include "control/SListViewDataSetObserver.h"
#include "control/SPanel.h"

namespace SWUI {

class EventItemPanelClick;

class SListView : public SPanel, public IItemContainer {
  SWUI_CLASS_NAME(SPanel, L"listview")

 public:
  // The repaint interval of a thumb drag, in ms.
  static constexpr int kUpdateInterval = 40;

  SListView();
  ~SListView() override;

  // FALSE (the old adapter kept) without a locator. Otherwise every panel of the old adapter
  // goes, the new one (null allowed) is taken and read. TRUE.
  BOOL SetAdapter(ILvAdapter* adapter);
  ILvAdapter* GetAdapter() const { return m_adapter; }
  // FALSE for null.
  BOOL SetItemLocator(IListViewItemLocator* locator);
  IListViewItemLocator* GetItemLocator() const { return m_locator; }

  int GetSel() const { return m_iSelItem; }
  // A negative position means none; one at or beyond the count changes nothing. With bNotify
  // the change raises 15100 (a handler may cancel it) and 15101.
  void SetSel(int iItem, BOOL bNotify = FALSE);
  // Scrolls the row into view (nothing for a position outside the rows).
  virtual void EnsureVisible(int iItem);
  // The panel under a point (host coordinates), the point moved into it; null over no row.
  SItemPanel* HitTest(POINT& pt) const;
  // The panel of a visible row; null otherwise.
  SItemPanel* GetItemPanel(int iItem) const;
  int GetFirstVisible() const { return m_iFirstVisible; }
  int GetVisibleCount() const { return static_cast<int>(m_visible.size()); }
  // Panels of every view type waiting to be reused.
  int GetRecycledCount() const;

  // Rebuilds the panels of the rows on screen; when the rows' heights changed the total, the
  // bar is recomputed and they are rebuilt once more (never more within one call).
  void UpdateVisibleItems();
  virtual void UpdateScrollBar();

  // ---- the observer's calls --------------------------------------------------------------
  virtual void OnDataSetChanged();
  void OnDataSetInvalidated();
  // A visible row's tree is filled again (fixed heights), or the rows are rebuilt.
  void OnItemDataChanged(int iItem);

  // ---- IItemContainer --------------------------------------------------------------------
  void OnItemSetCapture(SItemPanel* pItem, BOOL bCapture) override;
  BOOL OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const override;
  BOOL IsItemRedrawDelay() const override { return TRUE; }
  void OnItemRequestRelayout(SItemPanel*) override {}

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SPanel::SetAttribute;
  // Takes the "template" child (and the locator it chooses); no other child is made.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  int GetScrollLineSize(BOOL bVertical) override;
  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;
  UINT OnGetDlgCode() override;
  BOOL OnSetCursor(const POINT& pt) override;
  BOOL UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) override;
  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;
  BOOL OnLanguageChanged() override;

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

  void OnPaint(IRenderTarget* pRT);
  void OnSize(UINT nType, SIZE size);
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnMouseLeave();
  LRESULT OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);

  bool OnItemClick(EventItemPanelClick* evt);

  // One visible row: its panel and view type.
  struct ItemInfo {
    SItemPanel* pItem;
    int nType;
  };
  // The rows on screen while they are built again: the old ones, taken out of the visible
  // list, where they started, and the hover row.
  struct VisibleRebuild {
    std::vector<ItemInfo> old;
    int oldFirst;
    int hoverItem;
  };

  // ---- what the views built on this one change ---------------------------------------------
  // Whether the view can show an adapter's data (null included): the list view needs its
  // locator.
  virtual BOOL CanTakeAdapter(ILvAdapter* adapter) const;
  // The locator learns of the adapter (null when it goes).
  virtual void SetLocatorAdapter(ILvAdapter* adapter);
  // The rows' extent in host coordinates: the top is where the first row starts at scroll
  // position 0, the bottom the list's bottom, the left and right a row's edges. The client
  // rectangle here.
  virtual RECT GetRowsRect() const;
  // Where an item lies in host coordinates.
  virtual RECT ItemRectOf(int iItem) const;
  // The height of all rows (the bar's range).
  virtual int GetContentHeight();
  // The bottom of the container rectangle GetViewDesiredSize is given: 0 leaves it open.
  virtual LONG GetDesiredSizeBottom() const { return 0; }
  // A row's panel was laid out at its place.
  virtual void OnItemLaidOut(SItemPanel*) {}
  // Whether selection moves by the keyboard raise the selection events.
  virtual BOOL NotifiesKeyMoves() const { return FALSE; }
  // One pass of UpdateVisibleItems.
  virtual void BuildVisibleItems();
  // The key-down of the view itself; FALSE when it does not handle the key.
  virtual BOOL HandleKey(UINT vk);

  // ---- the steps of building the visible rows, for the views built on this one -------------
  VisibleRebuild BeginRebuild();
  // The old rows outside [first, last] go back to their recycle lists now, so that no panel
  // is made while one of its type is free (a wheel step or a page would make extra panels).
  void RecycleOutside(VisibleRebuild& rebuild, int first, int last);
  // The row's panel (its old one, a recycled one or a new one), shown, moved to *prcPanel when
  // given, with the row's states and its tree filled by the adapter and colorized.
  ItemInfo ShowItem(VisibleRebuild& rebuild, int iItem, const RECT* prcPanel);
  // The old rows not reused go back to their recycle lists; first becomes the first visible.
  void EndRebuild(VisibleRebuild& rebuild, int first);
  // Keeps a copy of the element's "template" child (what GetView and InitByTemplate get) and
  // answers it; empty without one.
  pugi::xml_node CopyTemplate(pugi::xml_node xmlNode);
  // The rows are built first when the adapter said its data must be read again.
  void RebuildIfInvalidated();
  // Moves the selection to a row and shows it (with the events when NotifiesKeyMoves).
  void MoveSelTo(int iItem);

  SAutoRefPtr<ILvAdapter> m_adapter;
  SAutoRefPtr<SListViewDataSetObserver> m_observer;
  SAutoRefPtr<IListViewItemLocator> m_locator;
  int m_iFirstVisible = -1;
  std::vector<ItemInfo> m_visible;
  SItemPanel* m_pCapturedItem = nullptr;
  int m_iSelItem = -1;
  SItemPanel* m_pHoverItem = nullptr;
  BOOL m_bDataSetInvalidated = FALSE;
  std::vector<std::deque<SItemPanel*>> m_recycle;
  pugi::xml_document m_xmlTemplate;
  SAutoRefPtr<ISkinObj> m_pSkinDivider;
  SLayoutSize m_nDividerSize;
  BOOL m_bWantTab = FALSE;

 private:
  // A panel for a row of that type: the row's old one, a recycled one or a new one.
  SItemPanel* TakePanel(int iItem, int nType, std::vector<ItemInfo>& old, int oldFirst);
  void RecyclePanel(const ItemInfo& info);
  // A panel leaves the view's care: it gives back a capture it holds and stops being the
  // hover item.
  void ForgetPanel(SItemPanel* pItem);
  void DestroyAllPanels();
  void InvalidatePanel(SItemPanel* pItem);
  // A mouse message to a row, its point (host coordinates) moved into the row.
  LRESULT SendToPanel(SItemPanel* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Sends a tree-wide element message to every panel.
  void DispatchToPanels(UINT uMsg, WPARAM wParam);
  int ClampViewType(int nType) const;
  SItemPanel* GetRowPanel(int iItem) const;
};

}  // namespace SWUI
