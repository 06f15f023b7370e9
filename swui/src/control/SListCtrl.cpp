// SListCtrl: attributes, the header, columns, rows and cells, geometry, scroll bars and
// painting. The mouse and the selection are in SListCtrlInput.cpp.
#include "control/SListCtrl.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/EventLCDbClick.h"
#include "control/EventLCItemDeleted.h"
#include "control/EventLCSelChanged.h"
#include "control/EventLCSelChanging.h"
#include "control/SControlSkin.h"
#include "control/SHeaderCtrl.h"
#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// The rows indent their cells by this much from the list's left edge; the check box stands 3
// further in.
constexpr int kRowIndent = 4;
static_assert(SListCtrl::kCheckBoxLeft == kRowIndent + 3, "the check box hit matches its drawing");

// An origin within [0, content - page].
LONG PullBack(LONG origin, int content, UINT page) {
  const LONG last = static_cast<LONG>(content) - static_cast<LONG>(page);
  return std::max<LONG>(std::min(origin, last), 0);
}

}  // namespace

SListCtrl::SListCtrl()
    : m_nHeaderHeight(20.0f, dp),
      m_nItemHeight(20.0f, dp),
      m_look(0xFFFFFFFF, 0xFFE2E2E2, 0xFFD19139, 0x80D19139, 0xFF000000, 0xFF00FFFF),
      m_pCheckSkin(SControlSkin::Builtin(kBuiltinCheckSkin)) {
  m_dwFlags |= SWF_CLIPCLIENT | SWF_FOCUSABLE;
  GetEventSet()->AddEvent<EventLCSelChanging>();
  GetEventSet()->AddEvent<EventLCSelChanged>();
  GetEventSet()->AddEvent<EventLCItemDeleted>();
  GetEventSet()->AddEvent<EventLCDbClick>();
}

SListCtrl::~SListCtrl() { ReleaseHeader(); }

// ---- attributes and the header -----------------------------------------------------------

HRESULT SListCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(name, L"itemHeight") || P::IsName(name, L"headerHeight")) {
    const bool rows = P::IsName(name, L"itemHeight");
    const SLayoutSize size = GetNamedDimension(strValue);
    // Every row computation divides by the row height.
    if (!size.IsSpecifiedSize() || size.toPixelSize(GetScale()) < (rows ? 1 : 0)) return E_FAIL;
    (rows ? m_nItemHeight : m_nHeaderHeight) = size;
    if (!bLoading) {
      UpdateScrollBar();
      UpdateHeaderCtrl();
    }
    hr = S_FALSE;
  } else if (P::IsName(name, L"itemSkin") || P::IsName(name, L"iconSkin") ||
             P::IsName(name, L"checkSkin")) {
    SAutoRefPtr<ISkinObj>& skin = P::IsName(name, L"itemSkin")   ? m_pItemSkin
                                  : P::IsName(name, L"iconSkin") ? m_pIconSkin
                                                                 : m_pCheckSkin;
    if (!SControlSkin::Assign(skin, strValue, GetScale())) return E_FAIL;
    hr = S_OK;
  } else if (P::IsName(name, L"checkBox")) {
    m_bCheckBox = P::Int(strValue) != 0;
    hr = S_OK;
  } else if (P::IsName(name, L"multiSelection")) {
    m_bMultiSelection = P::Int(strValue) != 0;
    hr = S_OK;
  } else if (P::IsName(name, L"hotTrack")) {
    m_bHotTrack = P::Int(strValue) != 0;
    hr = S_FALSE;
  } else {
    hr = m_look.SetAttribute(name, strValue);
    if (hr == E_FAIL) return E_FAIL;
  }
  if (hr == E_NOTIMPL) return SPanel::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SListCtrl::CreateChildren(pugi::xml_node xmlNode) {
  SPanel::CreateChildren(xmlNode);
  m_pHeader = SHeaderCtrl::FindListHeader(this, GetHeaderHeight());
  if (m_pHeader == nullptr) return FALSE;
  m_pHeader->SubscribeEvent(EventHeaderItemChanging::EventID,
                            Subscriber(&SListCtrl::OnHeaderSizeChanging, this));
  m_pHeader->SubscribeEvent(EventHeaderItemSwap::EventID,
                            Subscriber(&SListCtrl::OnHeaderSwap, this));
  m_pHeader->SubscribeEvent(EventSwndDestroy::EventID,
                            Subscriber(&SListCtrl::OnHeaderDestroy, this));
  m_pHeader->SetColumnsChanged(
      [this](int order, bool inserted) { OnColumnsChanged(order, inserted); });
  UpdateScrollBar();
  UpdateHeaderCtrl();
  return TRUE;
}

bool SListCtrl::OnHeaderSizeChanging(EventHeaderItemChanging*) {
  UpdateScrollBar();
  InvalidateRect(GetListRect());
  return false;
}

bool SListCtrl::OnHeaderSwap(EventHeaderItemSwap*) {
  InvalidateRect(GetListRect());
  return false;
}

bool SListCtrl::OnHeaderDestroy(EventSwndDestroy*) {
  ReleaseHeader();
  return false;
}

void SListCtrl::ReleaseHeader() {
  if (m_pHeader != nullptr) m_pHeader->SetColumnsChanged(nullptr);
  m_pHeader = nullptr;
}

void SListCtrl::OnColumnsChanged(int order, bool inserted) {
  for (const RowPtr& row : m_arrItems) {
    std::vector<ListCell>& cells = row->cells;
    if (order < 0) {
      cells.clear();
      continue;
    }
    const size_t at = std::min<size_t>(static_cast<size_t>(order), cells.size());
    if (inserted) {
      // The new column's data sits at its order; the data of the columns after it moves on.
      cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(at), ListCell());
    } else if (at < cells.size()) {
      cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
  UpdateScrollBar();
}

ListCell* SListCtrl::CellOf(int nItem, int nSubItem) const {
  if (!IsRow(nItem) || !IsColumn(nSubItem)) return nullptr;
  std::vector<ListCell>& cells = m_arrItems[nItem]->cells;
  return static_cast<size_t>(nSubItem) < cells.size() ? &cells[nSubItem] : nullptr;
}

void SListCtrl::OnColorize(COLORREF cr) {
  if (cr == GetColorizeColor()) return;
  SPanel::OnColorize(cr);
  for (ISkinObj* skin : {m_pItemSkin.Get(), m_pIconSkin.Get(), m_pCheckSkin.Get()}) {
    SControlSkin::Colorize(skin, cr);
  }
}

void SListCtrl::OnScaleChanged(int scale) {
  SPanel::OnScaleChanged(scale);
  ScaleSkin(m_pItemSkin, scale);
  ScaleSkin(m_pIconSkin, scale);
  ScaleSkin(m_pCheckSkin, scale);
  UpdateScrollBar();
  UpdateHeaderCtrl();
}

// ---- columns and rows --------------------------------------------------------------------

int SListCtrl::GetColumnCount() const {
  return m_pHeader != nullptr ? m_pHeader->GetItemCount() : 0;
}

int SListCtrl::InsertColumn(int nIndex, LPCWSTR pszText, int nWidth, LPARAM lParam) {
  if (m_pHeader == nullptr) return -1;
  // The rows follow through OnColumnsChanged.
  return m_pHeader->InsertItem(nIndex, pszText, nWidth, 0, lParam);
}

int SListCtrl::InsertItem(int nItem, LPCWSTR pszText, int nImage) {
  const int columns = GetColumnCount();
  if (columns == 0) return -1;
  const int count = static_cast<int>(m_arrItems.size());
  if (nItem < 0 || nItem > count) nItem = count;
  RowPtr row(new ListRowInfo());
  row->cells.resize(static_cast<size_t>(columns));
  row->cells[0].text = SStringW(pszText);
  row->cells[0].nImage = nImage;
  m_arrItems.insert(m_arrItems.begin() + nItem, std::move(row));
  // The selection and the hover row stay on their rows.
  for (int* index : {&m_nSelectItem, &m_nHoverItem}) {
    if (*index >= nItem) ++*index;
  }
  UpdateScrollBar();
  return nItem;
}

BOOL SListCtrl::SetItemCount(int nCount, int) {
  const int columns = GetColumnCount();
  if (columns == 0 || nCount < static_cast<int>(m_arrItems.size())) return FALSE;
  m_arrItems.reserve(static_cast<size_t>(nCount));
  while (static_cast<int>(m_arrItems.size()) < nCount) {
    RowPtr row(new ListRowInfo());
    row->cells.resize(static_cast<size_t>(columns));
    m_arrItems.push_back(std::move(row));
  }
  UpdateScrollBar();
  return TRUE;
}

int SListCtrl::GetItemCount() const {
  return GetColumnCount() == 0 ? 0 : static_cast<int>(m_arrItems.size());
}

BOOL SListCtrl::SetItemData(int nItem, LPARAM lParam) {
  if (!IsRow(nItem)) return FALSE;
  m_arrItems[nItem]->lParam = lParam;
  return TRUE;
}

LPARAM SListCtrl::GetItemData(int nItem) const {
  return IsRow(nItem) ? m_arrItems[nItem]->lParam : 0;
}

BOOL SListCtrl::SetSubItem(int nItem, int nSubItem, const ListCellInfo* pCell) {
  ListCell* target = CellOf(nItem, nSubItem);
  if (target == nullptr || pCell == nullptr) return FALSE;
  ListCell& cell = *target;
  if (pCell->mask & SLVIF_TEXT) {
    if (pCell->strText == nullptr) {
      cell.text.Empty();
    } else {
      const size_t length = pCell->cchTextMax >= 0
                                ? wcsnlen(pCell->strText, static_cast<size_t>(pCell->cchTextMax))
                                : wcslen(pCell->strText);
      cell.text = SStringW(pCell->strText, static_cast<int>(std::min<size_t>(length, INT_MAX)));
    }
  }
  if (pCell->mask & SLVIF_IMAGE) cell.nImage = pCell->nImage;
  if (pCell->mask & SLVIF_INDENT) cell.nIndent = pCell->nIndent;
  RedrawItem(nItem);
  return TRUE;
}

BOOL SListCtrl::GetSubItem(int nItem, int nSubItem, ListCellInfo* pCell) const {
  const ListCell* source = CellOf(nItem, nSubItem);
  if (source == nullptr || pCell == nullptr) return FALSE;
  const ListCell& cell = *source;
  if ((pCell->mask & SLVIF_TEXT) && pCell->strText != nullptr && pCell->cchTextMax > 0) {
    const int length = std::min(cell.text.GetLength(), pCell->cchTextMax - 1);
    wmemcpy(pCell->strText, cell.text.c_str(), static_cast<size_t>(length));
    pCell->strText[length] = L'\0';
  }
  if (pCell->mask & SLVIF_IMAGE) pCell->nImage = cell.nImage;
  if (pCell->mask & SLVIF_INDENT) pCell->nIndent = cell.nIndent;
  return TRUE;
}

BOOL SListCtrl::SetSubItemText(int nItem, int nSubItem, LPCWSTR pszText) {
  ListCell* cell = CellOf(nItem, nSubItem);
  if (cell == nullptr) return FALSE;
  cell->text = SStringW(pszText);
  const RECT rc = GetItemRect(nItem, nSubItem);
  if (!IsRectEmpty(&rc)) InvalidateRect(rc);
  return TRUE;
}

SStringW SListCtrl::GetSubItemText(int nItem, int nSubItem) const {
  const ListCell* cell = CellOf(nItem, nSubItem);
  return cell != nullptr ? cell->text : SStringW();
}

void SListCtrl::DeleteAllItems() {
  m_nSelectItem = -1;
  m_nHoverItem = -1;
  // The rows leave first: a handler of the event may touch the list.
  std::vector<RowPtr> rows;
  rows.swap(m_arrItems);
  for (size_t i = 0; i < rows.size(); ++i) {
    EventLCItemDeleted evt(this);
    evt.nItem = static_cast<int>(i);
    evt.dwData = rows[i]->lParam;
    FireEvent(evt);
    rows[i].reset();
  }
  UpdateScrollBar();
}

void SListCtrl::SortItems(PFNLVCOMPAREEX pfnCompare, void* pContext) {
  if (pfnCompare == nullptr) return;
  std::stable_sort(m_arrItems.begin(), m_arrItems.end(),
                   [pfnCompare, pContext](const RowPtr& a, const RowPtr& b) {
                     return pfnCompare(pContext, *a, *b) < 0;
                   });
  m_nSelectItem = -1;
  m_nHoverItem = -1;
  InvalidateRect(GetListRect());
}

// ---- check marks -------------------------------------------------------------------------

BOOL SListCtrl::GetCheckState(int nItem) const {
  return IsRow(nItem) && m_arrItems[nItem]->bChecked;
}

BOOL SListCtrl::SetCheckState(int nItem, BOOL bCheck) {
  if (!m_bCheckBox || !IsRow(nItem)) return FALSE;
  m_arrItems[nItem]->bChecked = bCheck != FALSE;
  return TRUE;
}

int SListCtrl::GetCheckedItemCount() const {
  return static_cast<int>(std::count_if(m_arrItems.begin(), m_arrItems.end(),
                                        [](const RowPtr& row) { return row->bChecked != FALSE; }));
}

int SListCtrl::GetFirstCheckedItem() const {
  for (int i = 0; i < static_cast<int>(m_arrItems.size()); ++i) {
    if (m_arrItems[i]->bChecked) return i;
  }
  return -1;
}

int SListCtrl::GetLastCheckedItem() const {
  for (int i = static_cast<int>(m_arrItems.size()) - 1; i >= 0; --i) {
    if (m_arrItems[i]->bChecked) return i;
  }
  return -1;
}

void SListCtrl::SetChecked(int nItem, BOOL bCheck, bool redraw) {
  if (!IsRow(nItem)) return;
  m_arrItems[nItem]->bChecked = bCheck;
  if (redraw) RedrawItem(nItem);
}

// ---- geometry ----------------------------------------------------------------------------

int SListCtrl::GetItemHeight() const {
  return std::max(m_nItemHeight.toPixelSize(GetScale()), 1);
}

int SListCtrl::GetHeaderHeight() const {
  return std::max(m_nHeaderHeight.toPixelSize(GetScale()), 0);
}

RECT SListCtrl::GetListRect() const {
  RECT rc = GetClientRect();
  rc.top = std::min(rc.top + GetHeaderHeight(), rc.bottom);
  return rc;
}

int SListCtrl::GetCountPerPage(BOOL bPartial) const {
  const RECT rc = GetListRect();
  const int height = rc.bottom - rc.top;
  const int h = GetItemHeight();
  int rows = height / h;
  if (bPartial && height % h != 0) ++rows;
  return std::max(rows, 1);
}

std::vector<SListCtrl::ColumnSpan> SListCtrl::ColumnSpans() const {
  std::vector<ColumnSpan> spans;
  if (m_pHeader == nullptr) return spans;
  int left = 0;
  for (int i = 0; i < m_pHeader->GetItemCount(); ++i) {
    HeaderItemInfo info;
    info.mask = SHDI_ORDER;
    m_pHeader->GetItem(i, &info);
    const long long end = static_cast<long long>(left) + m_pHeader->GetItemWidth(i);
    const int right = static_cast<int>(std::min<long long>(end, SHeaderCtrl::kMaxExtent));
    spans.push_back(ColumnSpan{info.order, left, right});
    left = right;
  }
  return spans;
}

RECT SListCtrl::GetItemRect(int nItem, int nSubItem) const {
  if (!IsRow(nItem) || !IsColumn(nSubItem)) return RECT{0, 0, 0, 0};
  const RECT list = GetListRect();
  const int h = GetItemHeight();
  for (const ColumnSpan& span : ColumnSpans()) {
    if (span.order != nSubItem) continue;
    const int left = list.left + span.left - m_ptOrigin.x;
    const int top = list.top + h * nItem - m_ptOrigin.y;
    return RECT{left, top, left + span.right - span.left, top + h};
  }
  return RECT{0, 0, 0, 0};
}

int SListCtrl::HitTest(POINT pt) const {
  const RECT list = GetListRect();
  if (!PtInRect(&list, pt)) return -1;
  const int row = (pt.y - list.top + m_ptOrigin.y) / GetItemHeight();
  return row < GetItemCount() ? row : -1;
}

void SListCtrl::UpdateHeaderCtrl() {
  if (m_pHeader == nullptr) return;
  const RECT rc = GetClientRect();
  const RECT rcHeader = {rc.left - m_ptOrigin.x, rc.top, rc.right, rc.top + GetHeaderHeight()};
  m_pHeader->Move(&rcHeader);
}

void SListCtrl::UpdateChildrenPosition() {
  SPanel::UpdateChildrenPosition();
  UpdateHeaderCtrl();
}

void SListCtrl::OnDestroy() {
  DeleteAllItems();
  ReleaseHeader();
  SPanel::OnDestroy();
}

void SListCtrl::OnSize(UINT nType, SIZE size) {
  SPanel::OnSize(nType, size);
  UpdateScrollBar();
}

void SListCtrl::UpdateScrollBar() {
  // The list area as it is with no bar shown: the bars' room is taken off below.
  RECT rc;
  SWindow::GetClientRect(&rc);
  const int width = std::max(static_cast<int>(rc.right - rc.left), 0);
  const int height = std::max(static_cast<int>(rc.bottom - rc.top) - GetHeaderHeight(), 0);
  const int h = GetItemHeight();
  const int contentWidth = m_pHeader != nullptr ? m_pHeader->GetTotalWidth() : 0;
  const long long rows = static_cast<long long>(h) * GetItemCount();
  const int contentHeight = static_cast<int>(std::min<long long>(rows, INT_MAX));
  const int sb = GetSbWidth();

  SCROLLINFO vert = {};
  SCROLLINFO horz = {};
  vert.cbSize = horz.cbSize = sizeof(SCROLLINFO);
  vert.nPos = m_ptOrigin.y;
  horz.nPos = m_ptOrigin.x;
  const int visible = FitScrollBars(width, height, contentWidth, contentHeight, sb, vert, horz);
  if (visible == SSB_VERT) {
    // Alone, the vertical bar pages by whole rows.
    vert.nPage = static_cast<UINT>(std::max(height / h, 1) * h);
    vert.nPos = PullBack(m_ptOrigin.y, contentHeight, vert.nPage);
  }
  m_ptOrigin.y = vert.nPos;
  m_ptOrigin.x = horz.nPos;
  SetScrollInfo(vert, TRUE);
  SetScrollInfo(horz, FALSE);
  m_wBarVisible = visible;
  SSendMessage(WM_NCCALCSIZE);
  UpdateHeaderCtrl();
  Invalidate();
}

BOOL SListCtrl::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  if (!SPanel::OnScroll(bVertical, uCode, nPos)) return FALSE;
  if (bVertical) {
    m_ptOrigin.y = GetScrollPos(TRUE);
  } else {
    m_ptOrigin.x = GetScrollPos(FALSE);
    UpdateHeaderCtrl();
  }
  Invalidate();
  if (uCode == SB_THUMBTRACK) ThrottledUpdate();
  return TRUE;
}

// ---- painting ----------------------------------------------------------------------------

void SListCtrl::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const int count = GetItemCount();
  if (count > 0) {
    const RECT list = GetListRect();
    const int h = GetItemHeight();
    pRT->PushClipRect(&list, RGN_AND);
    const int first = m_ptOrigin.y / h;
    const int last = std::min(first + GetCountPerPage(TRUE) + 1, count);
    RECT rc = {list.left, list.top - m_ptOrigin.y % h, list.right, 0};
    for (int i = first; i < last; ++i) {
      rc.bottom = rc.top + h;
      DrawItem(pRT, rc, i);
      rc.top = rc.bottom;
    }
    pRT->PopClip();
  }
  AfterPaint(pRT, painter);
}

void SListCtrl::RedrawItem(int nItem) {
  if (!IsVisible(TRUE) || !IsRow(nItem)) return;
  const int h = GetItemHeight();
  const int first = m_ptOrigin.y / h;
  if (nItem < first || nItem > first + GetCountPerPage(TRUE)) return;
  const RECT list = GetListRect();
  const RECT row = {list.left, list.top + nItem * h - m_ptOrigin.y, list.right,
                    list.top + (nItem + 1) * h - m_ptOrigin.y};
  RECT rc;
  if (!IntersectRect(&rc, &row, &list)) return;
  IRenderTarget* pRT = GetRenderTarget(&rc, GRT_PAINTBKGND, TRUE);
  if (pRT == nullptr) return;
  SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pRT));
  DrawItem(pRT, row, nItem);
  ReleaseRenderTarget(pRT);
}

void SListCtrl::DrawItem(IRenderTarget* pRT, const RECT& rc, int nItem) {
  if (!IsRow(nItem)) return;
  const ListRowInfo& row = *m_arrItems[nItem];
  const bool hot = !row.bChecked && m_bHotTrack && nItem == m_nHoverItem;
  const SListItemLook::RowColors colors =
      m_look.ColorsOf(nItem, row.bChecked != FALSE, hot, m_pItemSkin != nullptr);
  m_look.DrawBackground(pRT, rc, colors, m_pItemSkin);
  const COLORREF crOld = colors.text != CR_INVALID ? pRT->SetTextColor(colors.text) : CR_INVALID;
  const int h = GetItemHeight();
  const int left = rc.left + kRowIndent - m_ptOrigin.x;
  bool firstColumn = true;
  for (const ColumnSpan& span : ColumnSpans()) {
    RECT rcCol = {left + span.left, rc.top, left + span.right, rc.bottom};
    const bool meets = rcCol.right > rc.left && rcCol.left < rc.right && rcCol.right > rcCol.left;
    const bool checkColumn = firstColumn && m_bCheckBox;
    firstColumn = false;
    if (!meets || span.order < 0 || span.order >= static_cast<int>(row.cells.size())) continue;
    if (checkColumn) {
      const SIZE size = SControlSkin::SizeOf(m_pCheckSkin);
      const int x = rcCol.left + SListCtrl::kCheckBoxLeft - kRowIndent;
      const int y = rc.top + (h - size.cy) / 2;
      const RECT rcCheck = {x, y, x + size.cx, y + size.cy};
      SControlSkin::DrawState(m_pCheckSkin, pRT, rcCheck, row.bChecked ? 4 : 0);
      rcCol.left += size.cx + 6;
    }
    const ListCell& cell = row.cells[span.order];
    // A long text stays in its column.
    pRT->PushClipRect(&rcCol, RGN_AND);
    m_look.DrawIconText(this, pRT, rcCol, m_pIconSkin, cell.nImage, cell.text, h);
    pRT->PopClip();
  }
  if (crOld != CR_INVALID) pRT->SetTextColor(crOld);
}

}  // namespace SWUI
