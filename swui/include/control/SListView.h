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
  // FALSE for null; else the locator takes the adapter and the scale, and the data set is
  // read again.
  virtual BOOL SetItemLocator(IListViewItemLocator* locator);
  IListViewItemLocator* GetItemLocator() const { return m_locator; }

  int GetSel() const { return m_iSelItem; }
  // A negative position means none; one at or beyond the count changes nothing. With bNotify
  // the change raises 15100 (a handler may cancel it) and 15101. A row that a 15100 handler
  // takes out of the data is not selected: the selection is then none (15101 tells it).
  void SetSel(int iItem, BOOL bNotify = FALSE);
  // Scrolls the row into view (nothing for a position outside the rows).
  virtual void EnsureVisible(int iItem);
  // The panel of a visible row; null otherwise.
  SItemPanel* GetItemPanel(int iItem) const;
  int GetFirstVisible() const { return m_iFirstVisible; }

  // Rebuilds the panels of the rows on screen; when the rows' heights changed the total, the
  // bar is recomputed and they are rebuilt once more (never more within one call).
  void UpdateVisibleItems() override;
  void UpdateScrollBar() override;

  // ---- the observer's calls --------------------------------------------------------------
  // The locator and the selection follow the data at once; the rows are built now, or after
  // the walk over the rows that is running.
  virtual void OnDataSetChanged();
  // The selection follows the data at once and rows past the count go; the rows are built at
  // the next paint (after the walk over the rows that is running).
  void OnDataSetInvalidated();
  // A visible row's tree is filled again (fixed heights), or the rows are rebuilt.
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
  // The locator and the divider take the scale, then the adapter views' handling.
  void OnScaleChanged(int scale) override;

 protected:
  void OnPaint(IRenderTarget* pRT) override;
  // The rows also move to their new widths before they are built.
  void OnSize(UINT nType, SIZE size) override;

  BOOL HasAdapter() const override { return m_adapter != nullptr; }
  void ReleaseAdapter() override;
  SItemPanel* GetSelPanel() const override { return GetItemPanel(m_iSelItem); }
  // Arrows and paging move the selection silently.
  BOOL HandleKey(UINT vk) override;
  void OnPanelCreated(SItemPanel* pItem) override;
  void DropVisibleRows() override;

  bool OnItemClick(EventItemPanelClick* evt);

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

  // ---- the steps of building the visible rows, for the views built on this one -------------
  VisibleRebuild BeginRebuild();
  // The old rows outside [first, last] go back to their recycle lists now, so that no panel
  // is made while one of its type is free (a wheel step or a page would make extra panels).
  void RecycleOutside(VisibleRebuild& rebuild, int first, int last);
  // The row's panel (its old one, a recycled one or a new one), shown, moved to *prcPanel when
  // given, with the row's states and its tree filled by the adapter and colorized. No panel
  // when the data changed meanwhile (the walk stops).
  ItemInfo ShowItem(VisibleRebuild& rebuild, int iItem, const RECT* prcPanel);
  // The old rows not reused go back to their recycle lists; first becomes the first visible.
  void EndRebuild(VisibleRebuild& rebuild, int first);
  // Moves the selection to a row and shows it (with the events when NotifiesKeyMoves).
  void MoveSelTo(int iItem);

  SAutoRefPtr<ILvAdapter> m_adapter;
  SAutoRefPtr<SListViewDataSetObserver> m_observer;
  SAutoRefPtr<IListViewItemLocator> m_locator;
  int m_iFirstVisible = -1;
  int m_iSelItem = -1;
  BOOL m_bDataSetInvalidated = FALSE;
  SAutoRefPtr<ISkinObj> m_pSkinDivider;
  SLayoutSize m_nDividerSize;

 private:
  // A panel for a row of that type: the row's old one, a recycled one or a new one.
  SAutoRefPtr<SItemPanel> TakePanel(int iItem, int nType, std::vector<ItemInfo>& old,
                                    int oldFirst);
  SItemPanel* GetRowPanel(int iItem) const;
};

}  // namespace SWUI
