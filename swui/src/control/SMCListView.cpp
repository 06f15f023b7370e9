#include "control/SMCListView.h"

#include <algorithm>
#include <vector>

#include "base/SXmlMark.h"
#include "control/EventHeaderClick.h"
#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/SHeaderCtrl.h"
#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"
#include "core/SAttrParse.h"
#include "core/SMuteEvents.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

SMCListView::SMCListView() : m_nHeaderHeight(25.0f, dp) {
  SetFlag(SWF_CLIPCLIENT, TRUE);
  // The first paint builds the rows.
  m_bDataSetInvalidated = TRUE;
}

// ---- attributes, children and the header -------------------------------------------------

HRESULT SMCListView::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr;
  if (P::IsName(strAttribName, L"headerHeight")) {
    const SLayoutSize size = GetNamedDimension(strValue);
    if (!size.IsSpecifiedSize()) return E_FAIL;
    m_nHeaderHeight = size;
    if (!bLoading) {
      UpdateScrollBar();
      UpdateVisibleItems();
    }
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"hotTrack")) {
    hr = S_FALSE;
  } else {
    return SListView::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SMCListView::CreateChildren(pugi::xml_node xmlNode) {
  // The template is the view's own, not a child element.
  const pugi::xml_node tpl = SXmlNoCase::Child(xmlNode, L"template");
  if (tpl) SXmlMark::SetMark(tpl, 1);
  const BOOL made = SPanel::CreateChildren(xmlNode);
  if (tpl) SXmlMark::SetMark(tpl, 0);
  if (!made) return FALSE;
  SListView::CreateChildren(xmlNode);
  m_pHeader = SHeaderCtrl::FindListHeader(this, GetHeaderHeight());
  if (m_pHeader == nullptr) return FALSE;
  m_pHeader->SubscribeEvent(EventHeaderItemChanging::EventID,
                            Subscriber(&SMCListView::OnHeaderColumnsChanged, this));
  m_pHeader->SubscribeEvent(EventHeaderItemSwap::EventID,
                            Subscriber(&SMCListView::OnHeaderColumnsChanged, this));
  m_pHeader->SubscribeEvent(EventHeaderClick::EventID,
                            Subscriber(&SMCListView::OnHeaderClick, this));
  m_pHeader->SubscribeEvent(EventSwndDestroy::EventID,
                            Subscriber(&SMCListView::OnHeaderDestroy, this));
  UpdateScrollBar();
  return TRUE;
}

bool SMCListView::OnHeaderDestroy(EventArgs*) {
  m_pHeader = nullptr;
  return false;
}

BOOL SMCListView::CanTakeAdapter(ILvAdapter* adapter) const {
  if (m_pHeader == nullptr || !SListView::CanTakeAdapter(adapter)) return FALSE;
  return adapter == nullptr || dynamic_cast<IMcAdapter*>(adapter) != nullptr;
}

IMcAdapter* SMCListView::GetMcAdapter() const {
  // Only multi-column adapters are taken.
  return static_cast<IMcAdapter*>(m_adapter.Get());
}

// ---- columns -----------------------------------------------------------------------------

int SMCListView::InsertColumn(int iIndex, LPCWSTR pszText, float width, SLayoutSizeUnit unit,
                              UINT sortFlag, LPARAM lParam) {
  if (m_pHeader == nullptr) return -1;
  const int index = m_pHeader->InsertItem(iIndex, pszText, width, unit, sortFlag, lParam);
  RelayoutColumns();
  return index;
}

BOOL SMCListView::DeleteColumn(int iIndex) {
  if (m_pHeader == nullptr || !m_pHeader->DeleteItem(iIndex)) return FALSE;
  RelayoutColumns();
  return TRUE;
}

void SMCListView::PlaceColumns(SItemPanel* pItem) {
  IMcAdapter* adapter = GetMcAdapter();
  if (adapter == nullptr || m_pHeader == nullptr) return;
  SWindow* root = pItem->GetRoot();
  const RECT rcRow = root->GetWindowRect();
  int left = rcRow.left;
  // GetColumnName may change the header (or let it go): it is read again at every column.
  for (int i = 0; m_pHeader != nullptr && i < m_pHeader->GetItemCount() && !RowsStale(); ++i) {
    const int count = m_pHeader->GetItemCount();
    HeaderItemInfo info;
    info.mask = SHDI_ORDER;
    if (!m_pHeader->GetItem(i, &info)) break;
    const bool shown = m_pHeader->IsItemVisible(i);
    const int width = shown ? m_pHeader->GetItemWidth(i) : 0;
    // An order that names no column, and a row without the column's child, keep the
    // column's room empty.
    const bool named = info.order >= 0 && info.order < count;
    if (SWindow* cell = named ? root->FindChildByName(adapter->GetColumnName(info.order))
                              : nullptr) {
      if (shown) {
        const RECT rc = {left, rcRow.top, left + width, rcRow.bottom};
        cell->Move(&rc);
      }
      if ((cell->IsVisible(FALSE) != FALSE) != shown) cell->SetVisible(shown, FALSE);
    }
    left += width;
  }
}

void SMCListView::RelayoutColumns() {
  const SCROLLINFO old = GetScrollInfo(TRUE);
  UpdateScrollBar();
  const SCROLLINFO& now = GetScrollInfo(TRUE);
  if (now.nPos != old.nPos || now.nPage != old.nPage) {
    // Another horizontal bar changed the rows that show.
    UpdateVisibleItems();
  } else {
    const int width = m_pHeader != nullptr ? m_pHeader->GetTotalWidth() : 0;
    WalkRows([this, width] {
      for (const ItemInfo& info : m_visible) {
        if (RowsStale()) return;
        SWindow* root = info.pItem->GetRoot();
        RECT rc = root->GetWindowRect();
        rc.right = rc.left + width;
        root->Move(&rc);
        PlaceColumns(info.pItem);
      }
    });
  }
  InvalidateRect(GetListRect());
}

bool SMCListView::OnHeaderColumnsChanged(EventArgs*) {
  RelayoutColumns();
  return false;
}

bool SMCListView::OnHeaderClick(EventHeaderClick* evt) {
  IMcAdapter* adapter = GetMcAdapter();
  if (adapter == nullptr || m_pHeader == nullptr) return true;
  const int count = m_pHeader->GetItemCount();
  // By order: each column's sort flag and the caption that shows it.
  std::vector<UINT> flags(static_cast<size_t>(count), 0);
  std::vector<int> captions(static_cast<size_t>(count), -1);
  int clicked = -1;
  for (int i = 0; i < count; ++i) {
    HeaderItemInfo info;
    info.mask = SHDI_ORDER | SHDI_SORTFLAG;
    m_pHeader->GetItem(i, &info);
    if (info.order < 0 || info.order >= count) continue;  // names no column of the array
    flags[static_cast<size_t>(info.order)] = info.sortFlag;
    captions[static_cast<size_t>(info.order)] = i;
    if (i == evt->iItem) clicked = info.order;
  }
  if (!adapter->OnSort(clicked, flags.data(), count)) return true;
  for (size_t j = 0; j < flags.size(); ++j) {
    if (captions[j] >= 0) m_pHeader->SetItemSort(captions[j], flags[j]);
  }
  OnDataSetChanged();
  return true;
}

void SMCListView::OnDataSetChanged() {
  if (GetMcAdapter() == nullptr) return;
  // Inside a walk the columns are read again with the rows, after it (OnRowsStale).
  if (!IsWalking()) WalkRows([this] { ShowAdapterColumns(); });
  SListView::OnDataSetChanged();
}

void SMCListView::OnRowsStale() { ShowAdapterColumns(); }

void SMCListView::ShowAdapterColumns() {
  IMcAdapter* adapter = GetMcAdapter();
  if (adapter == nullptr || m_pHeader == nullptr) return;
  SMuteEvents mute(m_pHeader);
  for (int i = 0; i < m_pHeader->GetItemCount() && !RowsStale(); ++i) {
    m_pHeader->SetItemVisible(i, adapter->IsColumnVisible(i));
  }
}

// ---- geometry and scrolling --------------------------------------------------------------

int SMCListView::GetHeaderHeight() const {
  return std::max(m_nHeaderHeight.toPixelSize(GetScale()), 0);
}

RECT SMCListView::GetListRect() const {
  RECT rc = GetClientRect();
  rc.top = std::min<LONG>(rc.top + GetHeaderHeight(), rc.bottom);
  return rc;
}

RECT SMCListView::GetRowsRect() const {
  RECT rc = GetListRect();
  rc.left -= GetScrollPos(FALSE);
  rc.right = rc.left + (m_pHeader != nullptr ? m_pHeader->GetTotalWidth() : 0);
  return rc;
}

void SMCListView::PlaceHeader() {
  if (m_pHeader == nullptr) return;
  const RECT rc = GetClientRect();
  const RECT rcHeader = {rc.left - GetScrollPos(FALSE), rc.top, rc.right,
                         rc.top + GetHeaderHeight()};
  m_pHeader->Move(&rcHeader);
}

void SMCListView::UpdateChildrenPosition() {
  SListView::UpdateChildrenPosition();
  PlaceHeader();
}

void SMCListView::UpdateScrollBar() {
  // The list area as it is with no bar shown.
  RECT rc;
  SWindow::GetClientRect(&rc);
  SCROLLINFO vert = GetScrollInfo(TRUE);
  SCROLLINFO horz = GetScrollInfo(FALSE);
  m_wBarVisible =
      FitScrollBars(rc.right - rc.left, rc.bottom - rc.top - GetHeaderHeight(),
                    m_pHeader != nullptr ? m_pHeader->GetTotalWidth() : 0, GetContentHeight(),
                    GetSbWidth(), vert, horz);
  SetScrollInfo(vert, TRUE);
  SetScrollInfo(horz, FALSE);
  SSendMessage(WM_NCCALCSIZE);
  PlaceHeader();
  Invalidate();
}

BOOL SMCListView::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  if (!SListView::OnScroll(bVertical, uCode, nPos)) return FALSE;
  if (!bVertical) {
    // The rows follow through their rectangles.
    PlaceHeader();
    if (uCode == SB_THUMBTRACK) ThrottledUpdate();
  }
  return TRUE;
}

// ---- input -------------------------------------------------------------------------------

void SMCListView::OnPressOverNoItem() { SetSel(-1, TRUE); }

}  // namespace SWUI
