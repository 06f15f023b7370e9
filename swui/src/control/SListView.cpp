// SListView: the adapter, the locator, the visible rows and their panels, selection, scrolling
// and painting. Input (mouse, wheel, keys, focus, cursor, tooltip) is in SListViewInput.cpp.
#include "control/SListView.h"

#include <algorithm>

#include "control/EventItemPanelClick.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "control/SControlSkin.h"
#include "control/SItemPanelRoot.h"
#include "control/SListViewItemLocatorFix.h"
#include "control/SListViewItemLocatorFlex.h"
#include "core/MemberFunctionSlot.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

const SLayoutSize kDefItemHeight(30.0f, dp);

// The row a panel shows (its item index holds a position).
int RowOf(const SItemPanel* panel) { return static_cast<int>(panel->GetItemIndex()); }

}  // namespace

SListView::SListView() {
  m_observer.Attach(new SListViewDataSetObserver(this));
  GetEventSet()->AddEvent<EventLVSelChanging>();
  GetEventSet()->AddEvent<EventLVSelChanged>();
}

SListView::~SListView() {
  m_observer->Detach();
  // Released without WM_DESTROY: the panels go without telling anyone.
  GetEventSet()->SetMute(true);
  if (m_adapter != nullptr) m_adapter->UnregisterObserver(m_observer);
  DestroyAllPanels();
}

// ---- attributes and the template ---------------------------------------------------------

HRESULT SListView::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr;
  if (P::IsName(strAttribName, L"dividerSkin")) {
    ISkinObj* skin = SControlSkin::Find(strValue, GetScale());
    if (skin == nullptr) return E_FAIL;
    m_pSkinDivider = skin;
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"dividerSize")) {
    const SLayoutSize size = GetNamedDimension(strValue);
    if (!size.IsSpecifiedSize()) return E_FAIL;  // a negative gap would overlap the rows
    m_nDividerSize = size;
    hr = S_OK;
  } else {
    return SAdapterViewBase::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SListView::CreateChildren(pugi::xml_node xmlNode) {
  const pugi::xml_node tpl = CopyTemplate(xmlNode);
  if (!tpl) return TRUE;
  const pugi::xml_attribute itemHeight = SXmlNoCase::Attribute(tpl, L"itemHeight");
  const SLayoutSize height = GetNamedDimension(SStringW(itemHeight.value()));
  SAutoRefPtr<IListViewItemLocator> locator;
  if (height.IsSpecifiedSize() && height.toPixelSize(GetScale()) > 0) {
    locator.Attach(new SListViewItemLocatorFix(height, m_nDividerSize));
  } else {
    const pugi::xml_attribute defHeight = SXmlNoCase::Attribute(tpl, L"defHeight");
    const SLayoutSize def = defHeight ? GetNamedDimension(SStringW(defHeight.value()))
                                      : kDefItemHeight;
    locator.Attach(new SListViewItemLocatorFlex(def, m_nDividerSize));
  }
  SetItemLocator(locator);
  return TRUE;
}

// ---- adapter and locator -----------------------------------------------------------------

BOOL SListView::SetAdapter(ILvAdapter* adapter) {
  if (!CanTakeAdapter(adapter)) return FALSE;
  if (m_adapter != nullptr) {
    m_adapter->UnregisterObserver(m_observer);
    DestroyAllPanels();
  }
  m_adapter = adapter;
  SetLocatorAdapter(adapter);
  if (m_adapter == nullptr) {
    m_iSelItem = -1;
    m_iFirstVisible = -1;
    UpdateScrollBar();
    return TRUE;
  }
  m_adapter->InitByTemplate(GetTemplate());
  m_adapter->RegisterObserver(m_observer);
  ResetRecycleLists(m_adapter->GetViewTypeCount());
  OnDataSetChanged();
  return TRUE;
}

BOOL SListView::CanTakeAdapter(ILvAdapter*) const { return m_locator != nullptr; }

void SListView::SetLocatorAdapter(ILvAdapter* adapter) {
  if (m_locator != nullptr) m_locator->SetAdapter(adapter);
}

BOOL SListView::SetItemLocator(IListViewItemLocator* locator) {
  if (locator == nullptr) return FALSE;
  m_locator = locator;
  m_locator->SetAdapter(m_adapter);
  m_locator->SetScale(GetScale());
  OnDataSetChanged();
  return TRUE;
}

// ---- the observer's calls ----------------------------------------------------------------

void SListView::OnDataSetChanged() {
  if (m_adapter == nullptr) return;
  if (m_locator != nullptr) m_locator->OnDataSetChanged();
  if (m_iSelItem >= m_adapter->GetCount()) m_iSelItem = -1;
  if (DeferRebuild()) return;
  WalkRows([this] {
    UpdateScrollBar();
    UpdateVisibleItems();
  });
}

void SListView::OnDataSetInvalidated() {
  if (m_adapter == nullptr) return;
  if (m_iSelItem >= m_adapter->GetCount()) m_iSelItem = -1;
  // A walk that is running stops and the rows are built after it.
  if (DeferRebuild()) return;
  // Rows past the new count go now, so that no row answers a position the data no longer has
  // until the paint builds them again.
  const int count = m_adapter->GetCount();
  while (!m_visible.empty() && m_iFirstVisible + GetVisibleCount() > count) {
    const ItemInfo last = m_visible.back();
    m_visible.pop_back();
    RecyclePanel(last);
  }
  if (m_iFirstVisible >= count) m_iFirstVisible = -1;
  m_bDataSetInvalidated = TRUE;
  Invalidate();
}

void SListView::OnItemDataChanged(int iItem) {
  if (m_adapter == nullptr) return;
  const SAutoRefPtr<SItemPanel> panel = GetItemPanel(iItem);
  if (panel == nullptr || DeferRebuild()) return;
  if (m_locator != nullptr && m_locator->IsFixHeight()) {
    WalkRows([&] { m_adapter->GetView(iItem, panel->GetRoot(), GetTemplate()); });
  } else {
    UpdateVisibleItems();
  }
}

// ---- geometry ----------------------------------------------------------------------------

RECT SListView::GetRowsRect() const { return GetClientRect(); }

RECT SListView::ItemRectOf(int iItem) const {
  RECT rc = GetRowsRect();
  rc.top += m_locator->Item2Position(iItem) - GetScrollPos(TRUE);
  rc.bottom = rc.top + m_locator->GetItemHeight(iItem);
  return rc;
}

BOOL SListView::OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const {
  for (const ItemInfo& info : m_visible) {
    if (info.pItem != pItem) continue;
    rcItem = ItemRectOf(RowOf(pItem));
    return TRUE;
  }
  SetRectEmpty(&rcItem);
  return FALSE;
}

SItemPanel* SListView::GetRowPanel(int iItem) const {
  if (iItem < m_iFirstVisible || iItem - m_iFirstVisible >= GetVisibleCount()) return nullptr;
  return m_visible[static_cast<size_t>(iItem - m_iFirstVisible)].pItem;
}

SItemPanel* SListView::GetItemPanel(int iItem) const {
  if (m_adapter == nullptr || iItem < 0 || iItem >= m_adapter->GetCount()) return nullptr;
  return GetRowPanel(iItem);
}

void SListView::UpdateScrollBar() {
  const RECT rcClient = GetClientRect();
  const int page = std::max<int>(rcClient.bottom - rcClient.top, 0);
  const int total = GetContentHeight();
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nPage = static_cast<UINT>(page);
  const bool bar = page < total;
  si.nMax = bar ? total - 1 : page - 1;
  si.nPos = bar ? std::min(GetScrollPos(TRUE), total - page) : 0;
  if (si.nMax < 0) si.nMax = 0;
  SetScrollInfo(si, TRUE);
  if (HasScrollBar(TRUE) != (bar ? TRUE : FALSE)) {
    ShowScrollBar(SSB_VERT, bar);  // recomputes the client area and invalidates
  } else {
    SSendMessage(WM_NCCALCSIZE);
    Invalidate();
  }
}

// ---- the visible rows --------------------------------------------------------------------

int SListView::GetContentHeight() {
  return m_locator != nullptr ? m_locator->GetTotalHeight() : 0;
}

void SListView::UpdateVisibleItems() {
  if (m_adapter == nullptr) return;
  WalkRows([this] {
    const int oldTotal = GetContentHeight();
    BuildVisibleItems();
    // Rows whose heights changed the total are built once more over the new bar: once per
    // call, since heights that follow the width could otherwise change for ever.
    if (RowsStale() || GetContentHeight() == oldTotal) return;
    UpdateScrollBar();
    if (!RowsStale()) BuildVisibleItems();
  });
}

SAutoRefPtr<SItemPanel> SListView::TakePanel(int iItem, int nType, std::vector<ItemInfo>& old,
                                             int oldFirst) {
  if (oldFirst >= 0 && iItem >= oldFirst && iItem - oldFirst < static_cast<int>(old.size())) {
    ItemInfo& info = old[static_cast<size_t>(iItem - oldFirst)];
    if (info.pItem != nullptr && info.nType == nType) return std::move(info.pItem);
  }
  return TakeFreePanel(nType);
}

void SListView::DropVisibleRows() {
  std::vector<ItemInfo> rows;
  rows.swap(m_visible);
  for (const ItemInfo& info : rows) RecyclePanel(info);
  m_iFirstVisible = -1;
}

void SListView::OnPanelCreated(SItemPanel* pItem) {
  pItem->GetRoot()->SubscribeEvent(EventItemPanelClick::EventID,
                                   Subscriber(&SListView::OnItemClick, this));
}

SListView::VisibleRebuild SListView::BeginRebuild() {
  VisibleRebuild rebuild;
  rebuild.old.swap(m_visible);
  rebuild.oldFirst = m_iFirstVisible;
  rebuild.hoverItem = m_pHoverItem != nullptr ? RowOf(m_pHoverItem) : -1;
  m_pHoverItem = nullptr;
  return rebuild;
}

void SListView::RecycleOutside(VisibleRebuild& rebuild, int first, int last) {
  for (size_t i = 0; i < rebuild.old.size(); ++i) {
    const int iItem = rebuild.oldFirst + static_cast<int>(i);
    if (first >= 0 && last >= 0 && iItem >= first && iItem <= last) continue;
    if (rebuild.old[i].pItem == nullptr) continue;
    RecyclePanel(rebuild.old[i]);
    rebuild.old[i].pItem.Reset();
  }
}

SListView::ItemInfo SListView::ShowItem(VisibleRebuild& rebuild, int iItem,
                                        const RECT* prcPanel) {
  DWORD state = 0;
  if (iItem == rebuild.hoverItem) state |= WndState_Hover;
  if (iItem == m_iSelItem) state |= WndState_Check;
  const int type = ClampViewType(m_adapter->GetItemViewType(iItem, state));
  if (RowsStale()) return ItemInfo{nullptr, type};
  ItemInfo info{TakePanel(iItem, type, rebuild.old, rebuild.oldFirst), type};
  info.pItem->SetItemIndex(iItem);
  SWindow* root = info.pItem->GetRoot();
  ShowPanel(info.pItem, state);
  if (prcPanel != nullptr) root->Move(prcPanel);
  m_adapter->GetView(iItem, root, GetTemplate());
  if (RowsStale()) {
    RecyclePanel(info);
    return ItemInfo{nullptr, type};
  }
  root->DoColorize(GetColorizeColor());
  return info;
}

void SListView::EndRebuild(VisibleRebuild& rebuild, int first) {
  for (const ItemInfo& info : rebuild.old) {
    if (info.pItem != nullptr) RecyclePanel(info);
  }
  rebuild.old.clear();
  m_iFirstVisible = first;
}

void SListView::BuildVisibleItems() {
  VisibleRebuild rebuild = BeginRebuild();
  const RECT rcRows = GetRowsRect();
  const int width = std::max<int>(rcRows.right - rcRows.left, 0);
  const SCROLLINFO& si = GetScrollInfo(TRUE);
  const int bottom = si.nPos + static_cast<int>(si.nPage);
  const int count = m_adapter->GetCount();
  const bool fixed = m_locator->IsFixHeight() != FALSE;
  const int first = m_locator->Position2Item(si.nPos);
  int pos = first >= 0 ? m_locator->Item2Position(first) : 0;
  const int total = m_locator->GetTotalHeight();
  RecycleOutside(rebuild, first,
                 total > 0 ? m_locator->Position2Item(std::min(bottom, total) - 1) : -1);
  for (int iItem = first; iItem != -1 && iItem < count && pos < bottom; ++iItem) {
    RECT rc = {0, 0, width, fixed ? m_locator->GetItemHeight(iItem) : 0};
    const ItemInfo info = ShowItem(rebuild, iItem, fixed ? &rc : nullptr);
    if (info.pItem == nullptr) break;
    SWindow* root = info.pItem->GetRoot();
    if (!fixed) {
      rc.bottom = GetDesiredSizeBottom();
      const SIZE size = m_adapter->GetViewDesiredSize(iItem, root, &rc);
      if (RowsStale()) {
        RecyclePanel(info);
        break;
      }
      rc.bottom = std::max<int>(size.cy, 0);
      root->Move(&rc);
      m_locator->SetItemHeight(iItem, rc.bottom);
    }
    root->UpdateLayout();
    OnItemLaidOut(info.pItem);
    if (RowsStale()) {
      RecyclePanel(info);
      break;
    }
    m_visible.push_back(info);
    pos += rc.bottom + m_locator->GetDividerSize();
  }
  // A position past the rows names no row.
  EndRebuild(rebuild, first < count ? first : -1);
}

// ---- selection ---------------------------------------------------------------------------

void SListView::SetSel(int iItem, BOOL bNotify) {
  if (m_adapter == nullptr || iItem >= m_adapter->GetCount()) return;
  if (iItem < 0) iItem = -1;
  int oldSel = m_iSelItem;
  m_iSelItem = iItem;
  if (bNotify) {
    EventLVSelChanging evt(this);
    evt.iOldSel = oldSel;
    evt.iNewSel = iItem;
    FireEvent(evt);
    // A handler may have changed the data (or let the adapter go): both rows are held
    // against the count as it is now.
    const int count = m_adapter != nullptr ? m_adapter->GetCount() : 0;
    if (oldSel >= count) oldSel = -1;
    if (evt.bCancel) {
      m_iSelItem = oldSel;
      return;
    }
    if (iItem >= count) iItem = -1;
  }
  m_iSelItem = iItem;
  if (oldSel == iItem) return;
  MoveCheck(GetItemPanel(oldSel), GetItemPanel(iItem));
  if (bNotify) {
    EventLVSelChanged evt(this);
    evt.iOldSel = oldSel;
    evt.iNewSel = iItem;
    FireEvent(evt);
  }
}

bool SListView::OnItemClick(EventItemPanelClick* evt) {
  SItemPanel* panel = SItemPanelRoot::PanelOf(static_cast<SWindow*>(evt->sender));
  if (panel == nullptr) return false;
  const int iItem = RowOf(panel);
  if (iItem != m_iSelItem) SetSel(iItem, TRUE);
  return true;
}

// ---- scrolling ---------------------------------------------------------------------------

void SListView::EnsureVisible(int iItem) {
  if (m_adapter == nullptr || iItem < 0 || iItem >= m_adapter->GetCount()) return;
  const int last = m_iFirstVisible + GetVisibleCount() - 1;
  if (iItem > m_iFirstVisible && iItem < last) return;
  if (iItem <= m_iFirstVisible) {
    OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(iItem));
  } else if (iItem == m_adapter->GetCount() - 1) {
    OnScroll(TRUE, SB_BOTTOM, 0);
  } else {
    const int page = static_cast<int>(GetScrollInfo(TRUE).nPage);
    OnScroll(TRUE, SB_THUMBPOSITION, m_locator->Item2Position(iItem + 1) - page);
  }
}

int SListView::GetScrollLineSize(BOOL bVertical) {
  if (!bVertical || m_locator == nullptr) return SAdapterViewBase::GetScrollLineSize(bVertical);
  return m_locator->GetScrollLineSize();
}

// ---- painting and size -------------------------------------------------------------------

void SListView::OnPaint(IRenderTarget* pRT) {
  if (m_bDataSetInvalidated) {
    UpdateVisibleItems();
    m_bDataSetInvalidated = FALSE;
  }
  SPainter painter;
  BeforePaint(pRT, painter);
  if (!m_visible.empty()) {
    const RECT rcClient = GetClientRect();
    const RECT rcRows = GetRowsRect();
    const RECT rcList = {rcClient.left, rcRows.top, rcClient.right, rcRows.bottom};
    pRT->PushClipRect(&rcList, RGN_AND);
    RECT rcClip;
    pRT->GetClipBox(&rcClip);
    const int divider = m_locator != nullptr ? m_locator->GetDividerSize() : 0;
    for (const ItemInfo& info : m_visible) {
      const RECT rcItem = ItemRectOf(RowOf(info.pItem));
      RECT rcMeet;
      if (IntersectRect(&rcMeet, &rcItem, &rcClip)) info.pItem->Draw(pRT, rcItem);
      const RECT rcDivider = {rcItem.left, rcItem.bottom, rcItem.right, rcItem.bottom + divider};
      if (m_pSkinDivider != nullptr && divider > 0) m_pSkinDivider->Draw(pRT, &rcDivider, 0);
    }
    pRT->PopClip();
  }
  AfterPaint(pRT, painter);
}

void SListView::OnSize(UINT nType, SIZE size) {
  SPanel::OnSize(nType, size);
  UpdateScrollBar();
  if (m_adapter == nullptr) return;
  WalkRows([this] {
    for (const ItemInfo& info : m_visible) {
      if (RowsStale()) return;
      const RECT rcItem = ItemRectOf(RowOf(info.pItem));
      const RECT rc = {0, 0, rcItem.right - rcItem.left, rcItem.bottom - rcItem.top};
      info.pItem->GetRoot()->Move(&rc);
    }
    UpdateVisibleItems();
  });
}

void SListView::ReleaseAdapter() {
  if (m_adapter != nullptr) m_adapter->UnregisterObserver(m_observer);
  DestroyAllPanels();
  m_adapter = nullptr;
  SetLocatorAdapter(nullptr);
}

// ---- tree-wide messages ------------------------------------------------------------------

void SListView::OnScaleChanged(int scale) {
  if (m_locator != nullptr) m_locator->SetScale(scale);
  ScaleSkin(m_pSkinDivider, scale);
  SAdapterViewBase::OnScaleChanged(scale);
}

}  // namespace SWUI
