// STreeView: the adapter, the locator, the rows on screen and their panels, selection,
// scrolling and painting. Keys are in STreeViewInput.cpp; the rest of the input is the adapter
// views' own (SAdapterViewBase).
#include "control/STreeView.h"

#include <algorithm>
#include <vector>

#include "control/EventItemPanelClick.h"
#include "control/EventItemPanelDbclick.h"
#include "control/EventTVSelChanged.h"
#include "control/EventTVSelChanging.h"
#include "control/SItemPanelRoot.h"
#include "control/STreeViewItemLocator.h"
#include "core/MemberFunctionSlot.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

// The container rectangle's bottom the adapter measures an item in.
constexpr int kMeasureBottom = 10000;

}  // namespace

STreeView::STreeView() {
  m_observer.Attach(new STreeViewDataSetObserver(this));
  m_locator.Attach(new STreeViewItemLocator(kDefIndent));
  GetEventSet()->AddEvent<EventTVSelChanging>();
  GetEventSet()->AddEvent<EventTVSelChanged>();
}

STreeView::~STreeView() {
  m_observer->Detach();
  // Released without WM_DESTROY: the panels go without telling anyone.
  GetEventSet()->SetMute(true);
  if (m_adapter != nullptr) m_adapter->UnregisterObserver(m_observer);
  DestroyAllPanels();
}

HSTREEITEM STreeView::ItemOf(const SItemPanel* pItem) {
  return static_cast<HSTREEITEM>(pItem->GetItemIndex());
}

// ---- attributes and the template ---------------------------------------------------------

HRESULT STreeView::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  if (!SAttrParse::IsName(strAttribName, L"indent")) {
    return SAdapterViewBase::SetAttribute(strAttribName, strValue, bLoading);
  }
  // The rows are measured with the locator's indent: it is chosen before any adapter comes.
  const int indent = SAttrParse::Int(strValue);
  if (!bLoading || indent < 0) return E_FAIL;
  m_locator.Attach(new STreeViewItemLocator(indent));
  m_locator->SetAdapter(m_adapter);
  return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
}

// ---- adapter -----------------------------------------------------------------------------

BOOL STreeView::SetAdapter(ITvAdapter* adapter) {
  if (adapter == nullptr) return FALSE;
  if (m_adapter != nullptr) m_adapter->UnregisterObserver(m_observer);
  DestroyAllPanels();
  m_visibleMap.clear();
  // Items of the old adapter mean nothing to the new one.
  m_hSelItem = 0;
  m_selPath.clear();
  m_adapter = adapter;
  m_adapter->RegisterObserver(m_observer);
  m_adapter->InitByTemplate(GetTemplate());
  ResetRecycleLists(m_adapter->GetViewTypeCount());
  m_locator->SetAdapter(m_adapter);  // measures the whole tree
  UpdateScrollBar();
  UpdateVisibleItems();
  return TRUE;
}

void STreeView::OnPanelCreated(SItemPanel* pItem) {
  SWindow* root = pItem->GetRoot();
  root->SubscribeEvent(EventItemPanelClick::EventID, Subscriber(&STreeView::OnItemClick, this));
  root->SubscribeEvent(EventItemPanelDbclick::EventID, Subscriber(&STreeView::OnItemDbClick, this));
}

// ---- the observer's calls ----------------------------------------------------------------

void STreeView::OnBranchChanged(HSTREEITEM hBranch) {
  if (m_adapter == nullptr) return;
  ++m_branchChanges;
  DropRemovedSelection(hBranch);
  m_locator->OnBranchChanged(hBranch);
  if (DeferRebuild()) return;
  WalkRows([this] {
    UpdateScrollBar();
    UpdateVisibleItems();
  });
}

void STreeView::OnBranchExpandedChanged(HSTREEITEM hBranch, BOOL bExpandedOld, BOOL bExpandedNew) {
  if (m_adapter == nullptr) return;
  m_locator->OnBranchExpandedChanged(hBranch, bExpandedOld, bExpandedNew);
  if (DeferRebuild()) return;
  WalkRows([this] {
    UpdateScrollBar();
    UpdateVisibleItems();
  });
}

// ---- the selection's place in the tree ----------------------------------------------------

std::vector<HSTREEITEM> STreeView::PathOf(HSTREEITEM hItem) {
  std::vector<HSTREEITEM> path;
  for (HSTREEITEM p = hItem; p != 0 && p != ITvAdapter::ITEM_ROOT; p = m_adapter->GetParentItem(p)) {
    path.push_back(p);
  }
  std::reverse(path.begin(), path.end());
  return path;
}

bool STreeView::PathHolds(const std::vector<HSTREEITEM>& path, size_t from) {
  HSTREEITEM parent = from == 0 ? ITvAdapter::ITEM_ROOT : path[from - 1];
  for (size_t i = from; i < path.size(); ++i) {
    HSTREEITEM child = m_adapter->GetFirstChildItem(parent);
    while (child != 0 && child != path[i]) child = m_adapter->GetNextSiblingItem(child);
    if (child == 0) return false;
    parent = child;
  }
  return true;
}

void STreeView::DropRemovedSelection(HSTREEITEM hBranch) {
  if (m_hSelItem == 0) return;
  // Only a change of the root or of an item on the selection's path can take it away.
  size_t from = 0;
  if (hBranch != ITvAdapter::ITEM_ROOT) {
    const auto at = std::find(m_selPath.begin(), m_selPath.end(), hBranch);
    if (at == m_selPath.end()) return;
    from = static_cast<size_t>(at - m_selPath.begin()) + 1;
  }
  if (PathHolds(m_selPath, from)) return;
  m_hSelItem = 0;
  m_selPath.clear();
}

// ---- geometry ----------------------------------------------------------------------------

RECT STreeView::GetRowRect(HSTREEITEM hItem) const {
  const RECT rcClient = GetClientRect();
  RECT rc;
  rc.top = rcClient.top + m_locator->Item2Position(hItem) - GetScrollPos(TRUE);
  rc.bottom = rc.top + m_locator->GetItemHeight(hItem);
  rc.left = rcClient.left + m_locator->GetItemIndent(hItem) - GetScrollPos(FALSE);
  rc.right = rc.left + m_locator->GetItemWidth(hItem);
  return rc;
}

BOOL STreeView::OnItemGetRect(const SItemPanel* pItem, RECT& rcItem) const {
  if (GetItemPanel(ItemOf(pItem)) != pItem) {
    SetRectEmpty(&rcItem);
    return FALSE;
  }
  rcItem = GetRowRect(ItemOf(pItem));
  return TRUE;
}

SItemPanel* STreeView::GetItemPanel(HSTREEITEM hItem) const {
  if (hItem == 0) return nullptr;
  const auto it = m_visibleMap.find(hItem);
  return it != m_visibleMap.end() ? it->second.pItem : nullptr;
}

HSTREEITEM STreeView::GetFirstVisibleItem() const {
  return m_visible.empty() ? 0 : ItemOf(m_visible.front().pItem);
}

void STreeView::UpdateScrollBar() {
  RECT rcAll;
  SWindow::GetClientRect(&rcAll);  // the client area with no bar
  const int w = std::max<int>(rcAll.right - rcAll.left, 0);
  const int h = std::max<int>(rcAll.bottom - rcAll.top, 0);
  const int cx = m_adapter != nullptr ? m_locator->GetTotalWidth() : 0;
  const int cy = m_adapter != nullptr ? m_locator->GetTotalHeight() : 0;
  const int s = GetSbWidth();
  // Rows as wide as the view never want a horizontal bar, nor room kept for one.
  const bool widthMatches = m_adapter == nullptr || m_adapter->IsViewWidthMatchParent();
  SCROLLINFO ver = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  SCROLLINFO hor = ver;
  ver.nPos = GetScrollPos(TRUE);
  hor.nPos = GetScrollPos(FALSE);
  // No bar: the whole range is the page.
  auto noBar = [](SCROLLINFO& si, int page) {
    si.nMax = std::max(page - 1, 0);
    si.nPage = static_cast<UINT>(page);
    si.nPos = 0;
  };
  auto bar = [](SCROLLINFO& si, int total, int page) {
    si.nMax = std::max(total - 1, 0);
    si.nPage = static_cast<UINT>(std::max(page, 0));
  };
  bool showVer = false;
  bool showHor = false;
  if (h >= cy && (h >= cy + s || w >= cx || widthMatches)) {
    noBar(ver, h);
    showHor = w < cx && !widthMatches;
  } else {
    showVer = true;
    bar(ver, cy, h);
    showHor = w - s < cx && !widthMatches;
    if (showHor) ver.nPage = static_cast<UINT>(std::max(h - s, 0));
  }
  if (showHor) {
    bar(hor, cx, showVer ? w - s : w);
  } else {
    noBar(hor, w);
  }
  SetScrollInfo(ver, TRUE);
  SetScrollInfo(hor, FALSE);
  const int wanted = (showVer ? SSB_VERT : 0) | (showHor ? SSB_HORZ : 0);
  if ((HasScrollBar(TRUE) ? SSB_VERT : 0) != (wanted & SSB_VERT) ||
      (HasScrollBar(FALSE) ? SSB_HORZ : 0) != (wanted & SSB_HORZ)) {
    ShowScrollBar(SSB_BOTH, FALSE);
    ShowScrollBar(wanted, TRUE);  // recomputes the client area and invalidates
  } else {
    SSendMessage(WM_NCCALCSIZE);
    Invalidate();
  }
}

// ---- the rows on screen ------------------------------------------------------------------

void STreeView::UpdateVisibleItems() {
  if (m_adapter == nullptr) return;
  WalkRows([this] {
    const int oldWidth = m_locator->GetTotalWidth();
    const int oldHeight = m_locator->GetTotalHeight();
    BuildVisibleItems();
    // Rows whose sizes changed the tree's are built once more over the new bars: once per
    // call, since sizes that follow the width could otherwise change for ever.
    if (RowsStale()) return;
    if (m_locator->GetTotalWidth() == oldWidth && m_locator->GetTotalHeight() == oldHeight) return;
    UpdateScrollBar();
    if (!RowsStale()) BuildVisibleItems();
  });
}

void STreeView::RecycleLeaving(HSTREEITEM hFirst, std::unordered_map<HSTREEITEM, ItemInfo>& old) {
  // Only items reached from hFirst are asked about: an old row's item may be gone already.
  const RECT rcClient = GetClientRect();
  const int page = rcClient.bottom - rcClient.top;
  std::vector<HSTREEITEM> staying;
  int y = hFirst != 0 ? m_locator->Item2Position(hFirst) - GetScrollPos(TRUE) : page;
  for (HSTREEITEM h = hFirst; h != 0 && y < page && !RowsStale();
       h = m_adapter->GetNextVisibleItem(h)) {
    // An adapter that leads back to a row already met would never end the page.
    if (std::find(staying.begin(), staying.end(), h) != staying.end()) break;
    staying.push_back(h);
    y += m_locator->GetItemHeight(h);
  }
  for (auto it = old.begin(); it != old.end();) {
    if (std::find(staying.begin(), staying.end(), it->first) != staying.end()) {
      ++it;
      continue;
    }
    RecyclePanel(it->second);
    it = old.erase(it);
  }
}

SAutoRefPtr<SItemPanel> STreeView::TakePanel(HSTREEITEM hItem, int nType,
                                             std::unordered_map<HSTREEITEM, ItemInfo>& old) {
  const auto it = old.find(hItem);
  if (it != old.end() && it->second.nType == nType) {
    SAutoRefPtr<SItemPanel> panel = std::move(it->second.pItem);
    old.erase(it);
    return panel;
  }
  return TakeFreePanel(nType);
}

void STreeView::DropVisibleRows() {
  std::vector<ItemInfo> rows;
  rows.swap(m_visible);
  m_visibleMap.clear();
  for (const ItemInfo& info : rows) RecyclePanel(info);
}

void STreeView::BuildVisibleItems() {
  std::unordered_map<HSTREEITEM, ItemInfo> old;
  old.swap(m_visibleMap);
  m_visible.clear();
  const HSTREEITEM hover = m_pHoverItem != nullptr ? ItemOf(m_pHoverItem) : 0;
  m_pHoverItem = nullptr;

  const HSTREEITEM first = m_locator->Position2Item(GetScrollPos(TRUE));
  RecycleLeaving(first, old);
  const RECT rcClient = GetClientRect();
  const int width = std::max<int>(rcClient.right - rcClient.left, 0);
  const int page = rcClient.bottom - rcClient.top;
  const pugi::xml_node tpl = GetTemplate();
  int y = first != 0 ? m_locator->Item2Position(first) - GetScrollPos(TRUE) : page;
  // Each step stops the walk when the data changed meanwhile: the item may be gone.
  for (HSTREEITEM h = first; h != 0 && y < page && !RowsStale();
       h = m_adapter->GetNextVisibleItem(h)) {
    if (m_visibleMap.count(h) != 0) break;  // led back to a row already on screen
    const int type = ClampViewType(m_adapter->GetViewType(h));
    if (RowsStale()) break;
    const ItemInfo info{TakePanel(h, type, old), type};
    info.pItem->SetItemIndex(static_cast<LPARAM>(h));
    DWORD state = 0;
    if (h == hover) state |= WndState_Hover;
    if (h == m_hSelItem) state |= WndState_Check;
    ShowPanel(info.pItem, state);
    SWindow* root = info.pItem->GetRoot();
    m_adapter->GetView(h, root, tpl);
    SIZE size = {0, 0};
    if (!RowsStale()) {
      root->DoColorize(GetColorizeColor());
      const RECT rcContainer = {m_locator->GetItemIndent(h), 0, width, kMeasureBottom};
      size = m_adapter->GetViewDesiredSize(h, root, &rcContainer);
    }
    if (RowsStale()) {
      RecyclePanel(info);
      break;
    }
    const RECT rc = {0, 0, std::max<int>(size.cx, 0), std::max<int>(size.cy, 0)};
    root->Move(&rc);
    m_locator->SetItemWidth(h, rc.right);
    m_locator->SetItemHeight(h, rc.bottom);
    root->UpdateLayout();
    if (RowsStale()) {
      RecyclePanel(info);
      break;
    }
    m_visibleMap.emplace(h, info);
    m_visible.push_back(info);
    y += rc.bottom;
  }
  for (const auto& entry : old) RecyclePanel(entry.second);
}

// ---- selection ---------------------------------------------------------------------------

void STreeView::SetSel(HSTREEITEM hItem, BOOL bNotify) {
  if (m_adapter == nullptr) return;
  std::vector<HSTREEITEM> path = PathOf(hItem);
  if (bNotify) {
    const unsigned changes = m_branchChanges;
    EventTVSelChanging evt(this);
    evt.hOldSel = m_hSelItem;
    evt.hNewSel = hItem;
    FireEvent(evt);
    if (evt.bCancel || m_adapter == nullptr) return;
    // A handler that changed the tree may have taken the item out of it.
    if (m_branchChanges != changes && !PathHolds(path, 0)) return;
  }
  if (hItem == m_hSelItem) return;
  const HSTREEITEM oldSel = m_hSelItem;
  m_hSelItem = hItem;
  m_selPath.swap(path);
  MoveCheck(GetItemPanel(oldSel), GetItemPanel(hItem));
  if (bNotify) {
    EventTVSelChanged evt(this);
    evt.hOldSel = oldSel;
    evt.hNewSel = hItem;
    FireEvent(evt);
  }
}

bool STreeView::OnItemClick(EventItemPanelClick* evt) {
  SItemPanel* panel = SItemPanelRoot::PanelOf(static_cast<SWindow*>(evt->sender));
  if (panel == nullptr) return false;
  const HSTREEITEM hItem = ItemOf(panel);
  if (hItem != m_hSelItem) SetSel(hItem, TRUE);
  return true;
}

bool STreeView::OnItemDbClick(EventItemPanelDbclick* evt) {
  SItemPanel* panel = SItemPanelRoot::PanelOf(static_cast<SWindow*>(evt->sender));
  if (panel == nullptr || m_adapter == nullptr) return false;
  const HSTREEITEM hItem = ItemOf(panel);
  if (m_adapter->HasChildren(hItem)) m_adapter->ExpandItem(hItem, TVC_TOGGLE);
  return true;
}

// ---- scrolling ---------------------------------------------------------------------------

void STreeView::ScrollIntoView(BOOL bVertical, int start, int length) {
  const SCROLLINFO& si = GetScrollInfo(bVertical);
  const int pos = si.nPos;
  const int page = static_cast<int>(si.nPage);
  if (start + length <= pos) {
    OnScroll(bVertical, SB_THUMBPOSITION, start);
  } else if (start >= pos + page) {
    // A row that starts at the page's end is not on screen either.
    OnScroll(bVertical, SB_THUMBPOSITION, start + length - page);
  }
}

void STreeView::EnsureVisible(HSTREEITEM hItem) { Reveal(hItem); }

bool STreeView::Reveal(HSTREEITEM hItem) {
  if (m_adapter == nullptr || hItem == 0 || hItem == ITvAdapter::ITEM_ROOT) return false;
  const std::vector<HSTREEITEM> path = PathOf(hItem);
  const unsigned changes = m_branchChanges;
  // Each expansion and scroll builds rows, which may change the tree: the item and its
  // ancestors are asked about only while they are still in it.
  auto kept = [&] { return m_branchChanges == changes || PathHolds(path, 0); };
  for (size_t i = path.size() - 1; i-- > 0;) {
    if (!m_adapter->IsItemExpanded(path[i])) m_adapter->ExpandItem(path[i], TVC_EXPAND);
    if (!kept()) return false;
  }
  ScrollIntoView(TRUE, m_locator->Item2Position(hItem), m_locator->GetItemHeight(hItem));
  if (!kept()) return false;
  ScrollIntoView(FALSE, m_locator->GetItemIndent(hItem), m_locator->GetItemWidth(hItem));
  return kept();
}

int STreeView::GetScrollLineSize(BOOL bVertical) {
  if (!bVertical) return SAdapterViewBase::GetScrollLineSize(bVertical);
  return m_locator->GetScrollLineSize();
}

// ---- painting and size -------------------------------------------------------------------

void STreeView::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  if (!m_visible.empty()) {
    const RECT rcClient = GetClientRect();
    pRT->PushClipRect(&rcClient, RGN_AND);
    RECT rcClip;
    pRT->GetClipBox(&rcClip);
    const int left = rcClient.left - GetScrollPos(FALSE);
    int y = rcClient.top + m_locator->Item2Position(GetFirstVisibleItem()) - GetScrollPos(TRUE);
    for (const ItemInfo& info : m_visible) {
      const HSTREEITEM hItem = ItemOf(info.pItem);
      RECT rcItem;
      rcItem.left = left + m_locator->GetItemIndent(hItem);
      rcItem.right = rcItem.left + m_locator->GetItemWidth(hItem);
      rcItem.top = y;
      rcItem.bottom = y + m_locator->GetItemHeight(hItem);
      RECT rcMeet;
      if (IntersectRect(&rcMeet, &rcItem, &rcClip)) info.pItem->Draw(pRT, rcItem);
      y = rcItem.bottom;
    }
    pRT->PopClip();
  }
  AfterPaint(pRT, painter);
}

void STreeView::ReleaseAdapter() {
  if (m_adapter != nullptr) m_adapter->UnregisterObserver(m_observer);
  DestroyAllPanels();
  m_visibleMap.clear();
  m_adapter = nullptr;
  m_locator->SetAdapter(nullptr);
}

}  // namespace SWUI
