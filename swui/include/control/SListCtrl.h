// A report list ("listctrl"): rows of cells under a column header (an SHeaderCtrl child), in
// its own scroll bars. Rows are selected by a click (one row), with Ctrl and Shift added to or
// ranged ("multiSelection"), or by a check box in the first column ("checkBox"); every row
// carries one checked mark for both. Rows alternate colours, follow the mouse ("hotTrack")
// and draw an icon ("iconSkin", the cell's image as state) and a text per cell.
//
// The header is the first child whose class is "header"; it is placed across the top
// ("headerHeight") and scrolls sideways with the rows. A displayed column shows the cells of
// its data column, its header order: swapping captions moves what is shown, not the cells.
// Without a header the list paints its background only and refuses every row and column
// operation (-1, FALSE).
//
// Attributes, besides the panel's: "headerHeight", "itemHeight" (sizes; a row height below
// 1 px fails with E_FAIL), "hotTrack", "icon-x", "icon-y", "text-x", "text-y" (offsets in the
// row; unset: automatic), "colorItemBkgnd", "colorItemBkgnd2" (odd rows),
// "colorItemSelBkgnd" (checked rows), "colorItemHotBkgnd", "colorText", "colorSelText"
// (colours; 0x00FFFFFF means none, an empty value fails with E_FAIL), "itemSkin" (states 0,
// 1 hot, 2 checked), "iconSkin", "checkSkin" (default the built-in "_skin.sys.checkbox",
// state 4 when checked), "checkBox", "multiSelection".
//
// Events: EventLCSelChanging (a handler may refuse), EventLCSelChanged, EventLCItemDeleted,
// EventLCDbClick. UI thread only.
#pragma once
#include <memory>
#include <vector>

#include "control/SListItemLook.h"
#include "control/SPanel.h"

namespace SWUI {

class SHeaderCtrl;
class EventHeaderItemChanging;
class EventHeaderItemSwap;
class EventSwndDestroy;

// What SetSubItem takes and GetSubItem fills.
enum : UINT {
  SLVIF_TEXT = 0x1,
  SLVIF_IMAGE = 0x2,
  SLVIF_INDENT = 0x4,
};

// One cell as SetSubItem and GetSubItem exchange it: the caller's text (SetSubItem: at most
// cchTextMax characters, or up to its end when cchTextMax is negative) or the caller's buffer
// of cchTextMax characters (GetSubItem).
struct ListCellInfo {
  UINT mask = 0;
  LPWSTR strText = nullptr;
  int cchTextMax = 0;
  int nImage = -1;
  int nIndent = 0;
};

// One cell as the list keeps it.
struct ListCell {
  SStringW text;
  int nImage = -1;
  int nIndent = 0;
};

// One row as the list keeps it: a cell per data column, the caller's data and the checked
// (selected) mark.
struct ListRowInfo {
  std::vector<ListCell> cells;
  LPARAM lParam = 0;
  BOOL bChecked = FALSE;
};

// A comparison for SortItems: negative, 0 or positive, as qsort's.
using PFNLVCOMPAREEX = int (*)(void* pCtx, const ListRowInfo& row1, const ListRowInfo& row2);

class SListCtrl : public SPanel {
  SWUI_CLASS_NAME(SPanel, L"listctrl")

 public:
  static constexpr int kBuiltinCheckSkin = 0;
  // The check box's left edge from the list's left edge (before the horizontal scroll).
  static constexpr int kCheckBoxLeft = 7;

  SListCtrl();
  ~SListCtrl() override;

  // ---- columns ---------------------------------------------------------------------------
  // A header item of nWidth pixels; every row gets an empty cell at the column's data place.
  // -1 without a header.
  int InsertColumn(int nIndex, LPCWSTR pszText, int nWidth, LPARAM lParam = 0);
  int GetColumnCount() const;
  SHeaderCtrl* GetHeaderCtrl() const { return m_pHeader; }

  // ---- rows ------------------------------------------------------------------------------
  // Inserts before nItem (outside [0, count] appends) with the text and image of cell 0;
  // -1 while there is no column.
  int InsertItem(int nItem, LPCWSTR pszText, int nImage = -1);
  // Grows to nCount rows of empty cells; FALSE for fewer rows than now or no column.
  BOOL SetItemCount(int nCount, int nGrowBy = 0);
  // 0 while there is no column.
  int GetItemCount() const;
  BOOL SetItemData(int nItem, LPARAM lParam);
  LPARAM GetItemData(int nItem) const;
  BOOL SetSubItem(int nItem, int nSubItem, const ListCellInfo* pCell);
  // The text is copied into the caller's buffer, cut to cchTextMax - 1 characters and ended.
  BOOL GetSubItem(int nItem, int nSubItem, ListCellInfo* pCell) const;
  BOOL SetSubItemText(int nItem, int nSubItem, LPCWSTR pszText);
  SStringW GetSubItemText(int nItem, int nSubItem) const;
  // Clears the selection, then each row leaves and EventLCItemDeleted fires for it.
  void DeleteAllItems();
  // Sorts the rows by the comparison; the selection and hover rows are forgotten.
  void SortItems(PFNLVCOMPAREEX pfnCompare, void* pContext);

  // ---- selection -------------------------------------------------------------------------
  int GetSelectedItem() const { return m_nSelectItem; }
  // The selection change of a click on that row (no check box), unless it is selected.
  void SetSelectedItem(int nItem);
  BOOL GetCheckState(int nItem) const;
  // Only with "checkBox"; no repaint.
  BOOL SetCheckState(int nItem, BOOL bCheck);
  int GetCheckedItemCount() const;
  int GetFirstCheckedItem() const;
  int GetLastCheckedItem() const;

  // ---- geometry --------------------------------------------------------------------------
  // A cell in host coordinates; nSubItem a data column. Empty for a bad row or column.
  RECT GetItemRect(int nItem, int nSubItem = 0) const;
  // The row under a point (host coordinates), -1 for none.
  int HitTest(POINT pt) const;
  // Paints a row at once when it is shown.
  void RedrawItem(int nItem);
  // The list area: the client rectangle below the header.
  RECT GetListRect() const;
  int GetItemHeight() const;
  int GetHeaderHeight() const;
  // Rows in the list area, and with partial one more for a row cut at the bottom; at least 1.
  int GetCountPerPage(BOOL bPartial) const;
  POINT GetScrollOrigin() const { return m_ptOrigin; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SPanel::SetAttribute;
  // The children, then the header among them.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos) override;
  void UpdateChildrenPosition() override;
  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;

 protected:
  // Draws one row into its rectangle: background, item skin, check box and cells.
  virtual void DrawItem(IRenderTarget* pRT, const RECT& rc, int nItem);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SIZE(OnSize)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDbClick)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_END_MSG_MAP(SPanel)

  void OnPaint(IRenderTarget* pRT);
  void OnDestroy();
  void OnSize(UINT nType, SIZE size);
  void OnLButtonDbClick(UINT nFlags, POINT pt);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();

  // The selection change from nOldSel to nNewSel (see the class comment); byCheckBox toggles
  // the row's mark alone.
  void NotifySelChange(int nOldSel, int nNewSel, BOOL byCheckBox);
  // The scroll bars for the header's total width and the rows' height.
  void UpdateScrollBar();
  // The header across the top of the client area, moved left by the horizontal scroll.
  void UpdateHeaderCtrl();
  // Whether a point lies on a row's check box (a row there, "checkBox" on).
  bool HitCheckBox(POINT pt) const;

  bool OnHeaderSizeChanging(EventHeaderItemChanging* evt);
  bool OnHeaderSwap(EventHeaderItemSwap* evt);
  // A header destroyed on its own is forgotten.
  bool OnHeaderDestroy(EventSwndDestroy* evt);
  // Every row gains or loses the cell at a column's order as the header's items come and go.
  void OnColumnsChanged(int order, bool inserted);
  // Stops listening to the header and forgets it.
  void ReleaseHeader();

  using RowPtr = std::unique_ptr<ListRowInfo>;
  std::vector<RowPtr> m_arrItems;
  SHeaderCtrl* m_pHeader = nullptr;
  SLayoutSize m_nHeaderHeight;
  SLayoutSize m_nItemHeight;
  int m_nSelectItem = -1;
  int m_nHoverItem = -1;
  BOOL m_bHotTrack = FALSE;
  SListItemLook m_look;
  SAutoRefPtr<ISkinObj> m_pItemSkin;
  SAutoRefPtr<ISkinObj> m_pIconSkin;
  SAutoRefPtr<ISkinObj> m_pCheckSkin;
  BOOL m_bCheckBox = FALSE;
  BOOL m_bMultiSelection = FALSE;
  POINT m_ptOrigin = {0, 0};

 private:
  bool IsRow(int nItem) const { return nItem >= 0 && nItem < static_cast<int>(m_arrItems.size()); }
  bool IsColumn(int nSubItem) const { return nSubItem >= 0 && nSubItem < GetColumnCount(); }
  // The row's own cell of a data column; null for a bad row or column or a cell the row lacks.
  ListCell* CellOf(int nItem, int nSubItem) const;
  // The displayed columns' data columns and pixel spans from the list's left edge (before
  // the scroll), in display order.
  struct ColumnSpan {
    int order;
    int left;
    int right;
  };
  std::vector<ColumnSpan> ColumnSpans() const;
  void SetChecked(int nItem, BOOL bCheck, bool redraw);
};

}  // namespace SWUI
