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
#include "base/SAutoRefPtr.h"
#include "control/IListViewItemLocator.h"
#include "control/ILvAdapter.h"
#include "control/ILvDataSetObserver.h"
#include "control/SAdapterViewBase.h"
#include "control/SListViewDataSetObserver.h"

namespace SWUI {

class EventItemPanelClick;

class SListView : public SAdapterViewBase {
  SWUI_CLASS_NAME(SAdapterViewBase, L"listview")

 public:
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
  // The panel of a visible row; null otherwise.
  SItemPanel* GetItemPanel(int iItem) const;
  int GetFirstVisible() const { return m_iFirstVisible; }

  // Rebuilds the panels of the rows on screen; when the rows' heights changed the total, the
  // bar is recomputed and they are rebuilt once more (never more within one call).
  void UpdateVisibleItems() override;
  void UpdateScrollBar();

  // ---- the observer's calls --------------------------------------------------------------
  void OnDataSetChanged();
  void OnDataSetInvalidated();
  void OnItemDataChanged(int iItem);

  // ---- IItemContainer --------------------------------------------------------------------
  BOOL OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const override;

  // ---- element overrides -----------------------------------------------------------------
  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SAdapterViewBase::SetAttribute;
  // Takes the "template" child (and the locator it chooses); no other child is made.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  int GetScrollLineSize(BOOL bVertical) override;
  void OnScaleChanged(int scale) override;

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_SIZE(OnSize)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SAdapterViewBase)

  void OnPaint(IRenderTarget* pRT);
  void OnSize(UINT nType, SIZE size);
  void OnDestroy();

  BOOL HasAdapter() const override { return m_adapter != nullptr; }
  SItemPanel* GetSelPanel() const override { return GetItemPanel(m_iSelItem); }
  // Arrows and paging move the selection silently.
  BOOL HandleKey(UINT vk) override;
  void OnPanelCreated(SItemPanel* pItem) override;

  bool OnItemClick(EventItemPanelClick* evt);

  SAutoRefPtr<ILvAdapter> m_adapter;
  SAutoRefPtr<SListViewDataSetObserver> m_observer;
  SAutoRefPtr<IListViewItemLocator> m_locator;
  int m_iFirstVisible = -1;
  int m_iSelItem = -1;
  BOOL m_bDataSetInvalidated = FALSE;
  SAutoRefPtr<ISkinObj> m_pSkinDivider;
  SLayoutSize m_nDividerSize;

 private:
  // One pass of UpdateVisibleItems.
  void BuildVisibleItems();
  // A panel for a row of that type: the row's old one, a recycled one or a new one.
  SItemPanel* TakePanel(int iItem, int nType, std::vector<ItemInfo>& old, int oldFirst);
  // Moves the selection silently to a row and shows it.
  void MoveSelTo(int iItem);
  int GetItemTop(int iItem) const;
  SItemPanel* GetRowPanel(int iItem) const;
};

}  // namespace SWUI
