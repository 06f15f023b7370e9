// SHeaderCtrl: items, attributes, hit testing and painting. The mouse, the drags and the drag
// picture are in SHeaderCtrlDrag.cpp.
#include "control/SHeaderCtrl.h"

#include <algorithm>

#include "control/EventHeaderClick.h"
#include "control/EventHeaderItemChanged.h"
#include "control/EventHeaderItemChanging.h"
#include "control/EventHeaderItemSwap.h"
#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "core/SLog.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

SHeaderCtrl::SHeaderCtrl() : m_pSkinItem(SControlSkin::Builtin(kBuiltinSkin)) {
  m_dwFlags |= SWF_CLIPCLIENT;
  GetEventSet()->AddEvent<EventHeaderClick>();
  GetEventSet()->AddEvent<EventHeaderItemChanging>();
  GetEventSet()->AddEvent<EventHeaderItemChanged>();
  GetEventSet()->AddEvent<EventHeaderItemSwap>();
}

namespace {

// How far beyond the client a caption is still painted whole.
constexpr int kPaintSlack = 1 << 14;

}  // namespace

SHeaderCtrl::~SHeaderCtrl() {
  EndDragPicture();
}

// ---- attributes and XML ------------------------------------------------------------------

HRESULT SHeaderCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(name, L"itemSkin") || P::IsName(name, L"sortSkin")) {
    SAutoRefPtr<ISkinObj>& skin = P::IsName(name, L"itemSkin") ? m_pSkinItem : m_pSkinSort;
    if (!SControlSkin::Assign(skin, strValue, GetScale())) return E_FAIL;
    hr = S_FALSE;
  } else if (P::IsName(name, L"fixWidth")) {
    m_bFixWidth = P::Int(strValue) != 0;
    hr = S_FALSE;
  } else if (P::IsName(name, L"itemSwapEnable")) {
    m_bItemSwapEnable = P::Int(strValue) != 0;
    hr = S_FALSE;
  } else if (P::IsName(name, L"sortHeader")) {
    m_bSortHeader = P::Int(strValue) != 0;
    hr = S_FALSE;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SHeaderCtrl::CreateChildren(pugi::xml_node xmlNode) {
  const pugi::xml_node items = SXmlNoCase::Child(xmlNode, L"items");
  if (!items) return FALSE;
  for (pugi::xml_node node = items.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element || !SXmlNoCase::NameEquals(node.name(), L"item")) {
      continue;
    }
    SStringW text(node.child_value());
    text.Trim();
    const pugi::xml_attribute width = SXmlNoCase::Attribute(node, L"width");
    SLayoutSize size = GetNamedDimension(SStringW(width ? width.value() : L"50"));
    if (!size.IsSpecifiedSize()) size.SetSize(0.0f, px);
    const pugi::xml_attribute data = SXmlNoCase::Attribute(node, L"userData");
    const pugi::xml_attribute sort = SXmlNoCase::Attribute(node, L"sortFlag");
    const pugi::xml_attribute visible = SXmlNoCase::Attribute(node, L"visible");
    const int index =
        InsertItem(-1, GetNamedString(text), size.fSize, size.unit,
                   sort ? static_cast<UINT>(SAttrParse::Int(SStringW(sort.value()))) : 0,
                   data ? SAttrParse::Int(SStringW(data.value())) : 0);
    if (visible) m_arrItems[index]->visible = SAttrParse::Int(SStringW(visible.value())) != 0;
  }
  return TRUE;
}

BOOL SHeaderCtrl::OnLanguageChanged() {
  SWindow::OnLanguageChanged();
  for (const ItemPtr& item : m_arrItems) item->text.TranslateText();
  return TRUE;
}

void SHeaderCtrl::OnColorize(COLORREF cr) {
  if (cr == GetColorizeColor()) return;
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinItem, cr);
  SControlSkin::Colorize(m_pSkinSort, cr);
}

void SHeaderCtrl::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinItem, scale);
  ScaleSkin(m_pSkinSort, scale);
}

// ---- items -------------------------------------------------------------------------------

int SHeaderCtrl::InsertItem(int iItem, LPCWSTR pszText, float width, SLayoutSizeUnit unit,
                            UINT sortFlag, LPARAM lParam) {
  if (iItem < 0 || iItem > GetItemCount()) iItem = GetItemCount();
  ItemPtr item(new HeaderItemInfo(this));
  item->width.SetSize(std::max(width, 0.0f), unit);
  item->text.SetText(SStringW(pszText));
  item->sortFlag = sortFlag;
  item->lParam = lParam;
  item->order = iItem;
  for (const ItemPtr& other : m_arrItems) {
    if (other->order >= iItem) ++other->order;
  }
  m_arrItems.insert(m_arrItems.begin() + iItem, std::move(item));
  Invalidate();
  if (m_onColumnsChanged) m_onColumnsChanged(iItem, true);
  return iItem;
}

int SHeaderCtrl::InsertItem(int iItem, LPCWSTR pszText, int nWidth, UINT sortFlag, LPARAM lParam) {
  return InsertItem(iItem, pszText, static_cast<float>(nWidth), px, sortFlag, lParam);
}

BOOL SHeaderCtrl::GetItem(int iItem, HeaderItemInfo* pItem) const {
  if (!IsIndex(iItem) || pItem == nullptr) return FALSE;
  const HeaderItemInfo& item = *m_arrItems[iItem];
  if (pItem->mask & SHDI_WIDTH) pItem->width = item.width;
  if (pItem->mask & SHDI_TEXT) pItem->text = item.text;
  if (pItem->mask & SHDI_SORTFLAG) pItem->sortFlag = item.sortFlag;
  if (pItem->mask & SHDI_LPARAM) pItem->lParam = item.lParam;
  if (pItem->mask & SHDI_ORDER) pItem->order = item.order;
  return TRUE;
}

int SHeaderCtrl::PixelWidth(const HeaderItemInfo& item) const {
  if (!item.visible) return 0;
  return std::min(std::max(item.width.toPixelSize(GetScale()), 0), kMaxExtent);
}

int SHeaderCtrl::AddWidth(int sum, int width) {
  return static_cast<int>(std::min<long long>(static_cast<long long>(sum) + width, kMaxExtent));
}

int SHeaderCtrl::GetItemWidth(int iItem) const {
  return IsIndex(iItem) ? PixelWidth(*m_arrItems[iItem]) : -1;
}

int SHeaderCtrl::GetTotalWidth() const {
  int total = 0;
  for (const ItemPtr& item : m_arrItems) total = AddWidth(total, PixelWidth(*item));
  return total;
}

RECT SHeaderCtrl::GetItemRect(int iItem) const {
  if (!IsIndex(iItem)) return RECT{0, 0, 0, 0};
  RECT rc = GetClientRect();
  int left = 0;
  for (int i = 0; i < iItem; ++i) left = AddWidth(left, GetItemWidth(i));
  rc.left += left;
  rc.right = rc.left + (AddWidth(left, GetItemWidth(iItem)) - left);
  return rc;
}

SHeaderCtrl* SHeaderCtrl::FindListHeader(SWindow* pList, int nHeight) {
  SHeaderCtrl* header = nullptr;
  for (SWindow* child = pList->GetWindow(GSW_FIRSTCHILD); child != nullptr && header == nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (child->IsClass(ClassName())) header = dynamic_cast<SHeaderCtrl*>(child);
  }
  if (header == nullptr) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SHeaderCtrl::FindListHeader",
                 "%ls \"%ls\" has no header child: it holds no rows or columns",
                 pList->GetObjectClass(), pList->GetName() != nullptr ? pList->GetName() : L"");
    return nullptr;
  }
  SStringW pos;
  pos.Format(L"0,0,-0,%d", nHeight);
  header->SetAttribute(SStringW(L"pos"), pos, TRUE);
  return header;
}

void SHeaderCtrl::SetItemSort(int iItem, UINT sortFlag) {
  if (!IsIndex(iItem) || m_arrItems[iItem]->sortFlag == sortFlag) return;
  m_arrItems[iItem]->sortFlag = sortFlag;
  RedrawItem(iItem);
}

void SHeaderCtrl::SetItemVisible(int iItem, bool visible) {
  if (!IsIndex(iItem)) return;
  m_arrItems[iItem]->visible = visible;
  Invalidate();
  EventHeaderItemChanged evt(this);
  evt.iItem = iItem;
  evt.nWidth = GetItemWidth(iItem);
  FireEvent(evt);
}

bool SHeaderCtrl::IsItemVisible(int iItem) const {
  return IsIndex(iItem) && m_arrItems[iItem]->visible;
}

BOOL SHeaderCtrl::DeleteItem(int iItem) {
  if (!IsIndex(iItem)) return FALSE;
  const int order = m_arrItems[iItem]->order;
  m_arrItems.erase(m_arrItems.begin() + iItem);
  for (const ItemPtr& other : m_arrItems) {
    if (other->order > order) --other->order;
  }
  // Codes that named items by index mean nothing any more.
  m_dwHitTest = kHitNone;
  m_dwDragTo = kHitNone;
  Invalidate();
  if (m_onColumnsChanged) m_onColumnsChanged(order, false);
  return TRUE;
}

void SHeaderCtrl::DeleteAllItems() {
  m_arrItems.clear();
  m_dwHitTest = kHitNone;
  m_dwDragTo = kHitNone;
  Invalidate();
  if (m_onColumnsChanged) m_onColumnsChanged(-1, false);
}

// ---- hit testing -------------------------------------------------------------------------

DWORD SHeaderCtrl::HitTest(POINT pt) const {
  const RECT rc = GetClientRect();
  if (!PtInRect(&rc, pt)) return kHitNone;
  const int margin = m_bSortHeader ? 4 : 2;
  const int count = GetItemCount();
  int left = rc.left;
  const int end = rc.left + kMaxExtent;
  // A divider's column is the last item walked, so a divider after hidden or empty items
  // resizes the column the user sees left of it.
  int walked = 0;
  for (int i = 0; i < count && left < end; ++i) {
    const int width = GetItemWidth(i);
    if (width <= 0) continue;
    const int right =
        static_cast<int>(std::min<long long>(static_cast<long long>(left) + width, end));
    if (pt.x < left + margin) return MAKELONG(walked, i);
    if (pt.x < right - margin) return MAKELONG(i, i);
    if (pt.x < right) return MAKELONG(i, i == count - 1 ? 0xFFFF : i + 1);
    walked = i;
    left = right;
  }
  return kHitNone;
}

BOOL SHeaderCtrl::OnSetCursor(const POINT& pt) {
  if (!m_bFixWidth) {
    const DWORD hit = m_bDragging ? m_dwHitTest : HitTest(pt);
    if (hit != kHitNone && !IsItemHover(hit)) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
      return TRUE;
    }
  }
  return SWindow::OnSetCursor(pt);
}

// ---- painting ----------------------------------------------------------------------------

void SHeaderCtrl::SetItemState(DWORD hit, UINT state) {
  if (!IsItemHover(hit) || !IsIndex(LOWORD(hit))) return;
  m_arrItems[LOWORD(hit)]->state = state;
  RedrawItem(LOWORD(hit));
}

void SHeaderCtrl::RedrawItem(int iItem) {
  const RECT rc = GetItemRect(iItem);
  if (!IsRectEmpty(&rc)) InvalidateRect(rc);
}

void SHeaderCtrl::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const RECT rcClient = GetClientRect();
  if (m_bDragging && IsSwapDrag()) {
    DrawDragStrip(pRT, rcClient);
  } else {
    RECT rcItem = {rcClient.left, rcClient.top, rcClient.left, rcClient.bottom};
    for (const ItemPtr& item : m_arrItems) {
      if (!item->visible) continue;
      rcItem.left = rcItem.right;
      rcItem.right = rcClient.left + AddWidth(rcItem.left - rcClient.left, PixelWidth(*item));
      DrawItem(pRT, PaintedPart(rcItem, rcClient), *item);
      if (rcItem.right >= rcClient.right) break;
    }
    if (rcItem.right < rcClient.right) {
      const RECT rest = {rcItem.right, rcClient.top, rcClient.right, rcClient.bottom};
      SControlSkin::DrawState(m_pSkinItem, pRT, rest, 3);
    }
  }
  AfterPaint(pRT, painter);
}

void SHeaderCtrl::DrawDragStrip(IRenderTarget* pRT, const RECT& rcClient) {
  SControlSkin::DrawState(m_pSkinItem, pRT, rcClient, 0);
  const int dragged = LOWORD(m_dwHitTest);
  std::vector<int> order;
  for (int i = 0; i < GetItemCount(); ++i) {
    if (i != dragged) order.push_back(i);
  }
  const size_t to = std::min<size_t>(LOWORD(m_dwDragTo), order.size());
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(to), dragged);
  // The dragged caption's place stays open where it would land.
  RECT rcItem = {rcClient.left, rcClient.top, rcClient.left, rcClient.bottom};
  for (const int i : order) {
    rcItem.left = rcItem.right;
    rcItem.right = rcClient.left + AddWidth(rcItem.left - rcClient.left, GetItemWidth(i));
    if (i != dragged) DrawItem(pRT, PaintedPart(rcItem, rcClient), *m_arrItems[i]);
    if (rcItem.right >= rcClient.right) break;
  }
}

RECT SHeaderCtrl::PaintedPart(const RECT& rcItem, const RECT& rcClient) {
  RECT rc = rcItem;
  rc.left = std::max<LONG>(rc.left, rcClient.left - kPaintSlack);
  rc.right = std::min<LONG>(rc.right, rcClient.right + kPaintSlack);
  return rc;
}

void SHeaderCtrl::DrawItem(IRenderTarget* pRT, const RECT& rc, const HeaderItemInfo& item) {
  if (!item.visible) return;
  SControlSkin::DrawOrNormal(m_pSkinItem, pRT, rc, static_cast<int>(item.state));
  const UINT align = GetTextAlign();
  const SStringW text = item.text.GetText(FALSE);
  RECT rcText = rc;
  DrawText(pRT, text, text.GetLength(), &rcText, align);
  if (item.sortFlag == 0 || m_pSkinSort == nullptr) return;
  const SIZE size = m_pSkinSort->GetSkinSize();
  const int x = (align & DT_RIGHT) ? rc.left + 2 : rc.right - size.cx - 2;
  const int y = rc.top + (rc.bottom - rc.top - size.cy) / 2;
  const RECT rcArrow = {x, y, x + size.cx, y + size.cy};
  SControlSkin::DrawState(m_pSkinSort, pRT, rcArrow, item.sortFlag == 1 ? 0 : 1);
}

}  // namespace SWUI
