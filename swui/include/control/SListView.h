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
  void EnsureVisible(int iItem);
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
  void UpdateScrollBar();

  // ---- the observer's calls --------------------------------------------------------------
  void OnDataSetChanged();
  void OnDataSetInvalidated();
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
  // One pass of UpdateVisibleItems.
  void BuildVisibleItems();
  // A panel for a row of that type: the row's old one, a recycled one or a new one.
  SItemPanel* TakePanel(int iItem, int nType, std::vector<ItemInfo>& old, int oldFirst);
  void RecyclePanel(const ItemInfo& info);
  // A panel leaves the view's care: it gives back a capture it holds and stops being the
  // hover item.
  void ForgetPanel(SItemPanel* pItem);
  void DestroyAllPanels();
  // The key-down of the view itself; FALSE when it does not handle the key.
  BOOL HandleKey(UINT vk);
  // Moves the selection silently to a row and shows it.
  void MoveSelTo(int iItem);
  void InvalidatePanel(SItemPanel* pItem);
  // A mouse message to a row, its point (host coordinates) moved into the row.
  LRESULT SendToPanel(SItemPanel* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam);
  // Sends a tree-wide element message to every panel.
  void DispatchToPanels(UINT uMsg, WPARAM wParam);
  int ClampViewType(int nType) const;
  int GetItemTop(int iItem) const;
  SItemPanel* GetRowPanel(int iItem) const;
};

}  // namespace SWUI
