// The multi-column list view ("mclistview"): a list view with a column header (the first
// child element that is a "header") above its rows. Every row is one item panel whose children
// are laid out as columns under the captions: for each caption in display order, the child
// the adapter names (IMcAdapter::GetColumnName of the caption's order, searched at any depth)
// is placed at the caption's span over the row's full height, or hidden with a hidden caption.
// Rows are as wide as the header; when the columns are wider than the view the rows and the
// header scroll horizontally together.
//
// A caption resized or moved lays the columns out again; a caption clicked asks the adapter to
// sort (OnSort), whose answer sets the captions' sort marks. Every data-set change shows or
// hides the captions as IsColumnVisible says. Keyboard moves of the selection raise 15100 and
// 15101, and a press over no row clears the selection with them.
//
// Attributes: "headerHeight" (size, default 25dp, not negative), "hotTrack" (accepted, no
// effect), and the list view's. Without a header the element stays, with no columns and no
// rows: SetAdapter, InsertColumn and DeleteColumn refuse, and a log line says why. Only a
// multi-column adapter (IMcAdapter) is taken. UI thread only.
#pragma once
#include "control/IMcAdapter.h"
#include "control/SListView.h"

namespace SWUI {

class EventHeaderClick;
class SHeaderCtrl;

// The multi-column view's observer is the list view's: it forwards to the view's handlers.
using SMCListViewDataSetObserver = SListViewDataSetObserver;

class SMCListView : public SListView {
  SWUI_CLASS_NAME(SPanel, L"mclistview")

 public:
  // The rows' container height handed to GetViewDesiredSize.
  static constexpr LONG kDesiredSizeBottom = 100000;

  SMCListView();

  // A header item (as SHeaderCtrl::InsertItem), then the bars; the index used, -1 without a
  // header.
  int InsertColumn(int iIndex, LPCWSTR pszText, float width, SLayoutSizeUnit unit = px,
                   UINT sortFlag = 0, LPARAM lParam = 0);
  // FALSE for a bad index and without a header.
  BOOL DeleteColumn(int iIndex);
  SHeaderCtrl* GetHeaderCtrl() const { return m_pHeader; }
  IMcAdapter* GetMcAdapter() const;
  int GetHeaderHeight() const;
  // The client rectangle below the header.
  RECT GetListRect() const;

  // The two bars for the header's width and the rows' height, then the header's place.
  void UpdateScrollBar() override;
  // The captions shown or hidden by the adapter, then the list view's handling.
  void OnDataSetChanged() override;
  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SListView::SetAttribute;
  // The ordinary children, the template, then the header (FALSE without one).
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  void UpdateChildrenPosition() override;

 protected:
  // The selection is cleared, with the events.
  void OnPressOverNoItem() override;
  BOOL CanTakeAdapter(ILvAdapter* adapter) const override;
  RECT GetRowsRect() const override;
  LONG GetDesiredSizeBottom() const override { return kDesiredSizeBottom; }
  void OnItemLaidOut(SItemPanel* pItem) override { PlaceColumns(pItem); }
  BOOL NotifiesKeyMoves() const override { return TRUE; }
  void OnRowsStale() override;

 private:
  // The header: the client's top strip, its left edge moved by the horizontal position.
  void PlaceHeader();
  // A row's column children at the captions' spans (hidden with hidden captions).
  void PlaceColumns(SItemPanel* pItem);
  // The captions shown or hidden as the adapter says.
  void ShowAdapterColumns();
  // Bars, header and every visible row's width and columns after the captions changed.
  void RelayoutColumns();
  bool OnHeaderColumnsChanged(EventArgs*);
  bool OnHeaderClick(EventHeaderClick* evt);
  bool OnHeaderDestroy(EventArgs*);

  SHeaderCtrl* m_pHeader = nullptr;
  SLayoutSize m_nHeaderHeight;
};

}  // namespace SWUI
