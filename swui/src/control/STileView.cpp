#include "control/STileView.h"

#include <algorithm>

#include "core/SAttrParse.h"
#include "core/SLog.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

const SLayoutSize kDefTileSize(10.0f, dp);

SLayoutSize TileSize(pugi::xml_node tpl, LPCWSTR name) {
  const pugi::xml_attribute attr = SXmlNoCase::Attribute(tpl, name);
  return attr ? GetNamedDimension(SStringW(attr.value())) : kDefTileSize;
}

}  // namespace

// ---- attributes, the template and the locator --------------------------------------------

HRESULT STileView::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  if (!SAttrParse::IsName(strAttribName, L"marginSize")) {
    // The list view's divider is none of the tiles'.
    return SAdapterViewBase::SetAttribute(strAttribName, strValue, bLoading);
  }
  const SLayoutSize margin = GetNamedDimension(strValue);
  if (!margin.IsSpecifiedSize()) return E_FAIL;
  if (STileViewItemLocator* tiles = GetTileLocator()) {
    // Tiles that would come to less than a pixel keep the old margin.
    if (!tiles->FitsMargin(margin)) return E_FAIL;
    tiles->SetMargin(margin);
  }
  m_nMarginSize = margin;
  if (!bLoading) OnDataSetChanged();
  return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
}

BOOL STileView::CreateChildren(pugi::xml_node xmlNode) {
  const pugi::xml_node tpl = CopyTemplate(xmlNode);
  if (!tpl) return TRUE;
  const SLayoutSize width = TileSize(tpl, L"itemWidth");
  const SLayoutSize height = TileSize(tpl, L"itemHeight");
  if (!STileViewItemLocator::Fits(width, height, m_nMarginSize, GetScale())) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::STileView::CreateChildren",
                 "tileview \"%ls\": tiles with their margin under one pixel; it shows no items",
                 GetName() != nullptr ? GetName() : L"");
    return TRUE;
  }
  SAutoRefPtr<STileViewItemLocator> locator;
  locator.Attach(new STileViewItemLocator(width, height, m_nMarginSize));
  SetItemLocator(locator);
  return TRUE;
}

BOOL STileView::SetItemLocator(IListViewItemLocator* locator) {
  STileViewItemLocator* tiles = dynamic_cast<STileViewItemLocator*>(locator);
  if (tiles == nullptr) return FALSE;
  tiles->SetViewWidth(ClientWidth());
  return SListView::SetItemLocator(tiles);
}

STileViewItemLocator* STileView::GetTileLocator() const {
  // Only tile locators are taken.
  return static_cast<STileViewItemLocator*>(m_locator.Get());
}

void STileView::SetLocatorAdapter(ILvAdapter* adapter) {
  FitLocatorToClient();
  SListView::SetLocatorAdapter(adapter);
}

int STileView::ClientWidth() const {
  const RECT rc = GetClientRect();
  return std::max<int>(rc.right - rc.left, 0);
}

bool STileView::FitLocatorToClient() {
  STileViewItemLocator* tiles = GetTileLocator();
  if (tiles == nullptr || ClientWidth() == tiles->GetViewWidth()) return false;
  tiles->SetViewWidth(ClientWidth());
  return true;
}

// ---- geometry ----------------------------------------------------------------------------

RECT STileView::ItemRectOf(int iItem) const {
  RECT rc = GetTileLocator()->GetItemRect(iItem);
  const RECT rcClient = GetClientRect();
  OffsetRect(&rc, rcClient.left, rcClient.top - GetScrollPos(TRUE));
  return rc;
}

void STileView::UpdateScrollBar() {
  FitLocatorToClient();
  SListView::UpdateScrollBar();
  // A bar that came or went changed the width the tiles share (once: narrower tiles need
  // more rows, so a bar needed before is needed still).
  if (FitLocatorToClient()) SListView::UpdateScrollBar();
}

void STileView::BuildVisibleItems() {
  VisibleRebuild rebuild = BeginRebuild();
  STileViewItemLocator& grid = *GetTileLocator();
  const SCROLLINFO& si = GetScrollInfo(TRUE);
  const int bottom = si.nPos + static_cast<int>(si.nPage);
  const int count = m_adapter->GetCount();
  const int first = grid.Position2Item(si.nPos);
  const int lastRow = grid.Position2Item(std::max(bottom - 1, 0));
  RecycleOutside(rebuild, first, std::min(lastRow + grid.GetCountInRow() - 1, count - 1));
  const RECT rcTile = {0, 0, grid.GetItemWidth(), grid.GetItemHeight()};
  int y = first >= 0 ? grid.Item2Position(first) : 0;
  for (int iItem = first; iItem != -1 && iItem < count && y < bottom; ++iItem) {
    const ItemInfo info = ShowItem(rebuild, iItem, &rcTile);
    if (info.pItem == nullptr) break;
    info.pItem->GetRoot()->UpdateLayout();
    if (RowsStale()) {
      RecyclePanel(info);
      break;
    }
    m_visible.push_back(info);
    if (grid.IsLastInRow(iItem)) y += grid.GetItemLineHeight();
  }
  // A position past the rows names no row.
  EndRebuild(rebuild, first < count ? first : -1);
}

void STileView::EnsureVisible(int iItem) {
  if (m_adapter == nullptr || iItem < 0 || iItem >= m_adapter->GetCount()) return;
  const RECT rc = GetTileLocator()->GetItemRect(iItem);
  const int pos = GetScrollPos(TRUE);
  const int page = static_cast<int>(GetScrollInfo(TRUE).nPage);
  if (rc.top < pos) {
    OnScroll(TRUE, SB_THUMBPOSITION, rc.top);
  } else if (rc.bottom > pos + page) {
    OnScroll(TRUE, SB_THUMBPOSITION, rc.bottom - page);
  }
}

// ---- keys --------------------------------------------------------------------------------

BOOL STileView::HandleKey(UINT vk) {
  const int count = m_adapter->GetCount();
  const int sel = m_iSelItem;
  int to = -1;
  switch (vk) {
    case VK_RIGHT:
      if (sel < count - 1) to = sel + 1;
      break;
    case VK_LEFT:
      if (sel > 0) to = sel - 1;
      break;
    case VK_UP:
      if (sel > 0) to = GetTileLocator()->GetUpItem(sel);
      break;
    case VK_DOWN:
      // Nothing selected: the first tile, as Right does.
      if (sel < count - 1) to = sel < 0 ? 0 : GetTileLocator()->GetDownItem(sel);
      break;
    default:
      return SListView::HandleKey(vk);
  }
  if (to >= 0) MoveSelTo(to);
  return TRUE;
}

}  // namespace SWUI
