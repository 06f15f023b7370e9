#include "control/SListBox.h"

#include <algorithm>
#include <climits>

#include "control/SControlSkin.h"
#include "core/EventLBDbClick.h"
#include "core/EventLBSelChanged.h"
#include "core/EventLBSelChanging.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

constexpr COLORREF kSelBkgnd = 0xFFD19139;
constexpr COLORREF kHotBkgnd = 0x80D19139;

}  // namespace

SListBox::SListBox()
    : m_itemHeight(20.0f, dp),
      m_look(CR_INVALID, CR_INVALID, kSelBkgnd, kHotBkgnd, CR_INVALID, CR_INVALID) {
  m_dwFlags |= SWF_FOCUSABLE;
  GetEventSet()->AddEvent<EventLBSelChanging>();
  GetEventSet()->AddEvent<EventLBSelChanged>();
  GetEventSet()->AddEvent<EventLBDbClick>();
}

SListBox::~SListBox() = default;

// ---- attributes and items from XML -------------------------------------------------------

HRESULT SListBox::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                               BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(name, L"itemHeight")) {
    const SLayoutSize height = GetNamedDimension(strValue);
    // Every row computation divides by the height.
    if (!height.IsSpecifiedSize() || height.toPixelSize(GetScale()) < 1) return E_FAIL;
    m_itemHeight = height;
    if (!bLoading) UpdateViewSize();
    hr = S_FALSE;
  } else if (P::IsName(name, L"itemSkin") || P::IsName(name, L"iconSkin")) {
    ISkinObj* skin = SControlSkin::Find(strValue, GetScale());
    if (skin == nullptr) return E_FAIL;
    (P::IsName(name, L"itemSkin") ? m_pItemSkin : m_pIconSkin) = skin;
    hr = S_OK;
  } else if (P::IsName(name, L"hotTrack")) {
    m_bHotTrack = P::NonZero(strValue);
    hr = S_FALSE;
  } else {
    hr = m_look.SetAttribute(name, strValue);
    if (hr == E_FAIL) return E_FAIL;
  }
  if (hr == E_NOTIMPL) return SScrollView::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

void SListBox::AddItemsFromXml(pugi::xml_node parent, int defaultIcon) {
  const pugi::xml_node items = SXmlNoCase::Child(parent, L"items");
  for (pugi::xml_node item = items.first_child(); item; item = item.next_sibling()) {
    if (item.type() != pugi::node_element || !SXmlNoCase::NameEquals(item.name(), L"item")) {
      continue;
    }
    const pugi::xml_attribute icon = SXmlNoCase::Attribute(item, L"icon");
    const pugi::xml_attribute data = SXmlNoCase::Attribute(item, L"data");
    const SStringW text = GetNamedString(SStringW(SXmlNoCase::Attribute(item, L"text").value()));
    const int image = icon ? SAttrParse::Int(SStringW(icon.value())) : defaultIcon;
    const int value = data ? SAttrParse::Int(SStringW(data.value())) : 0;
    AddString(text, image, static_cast<LPARAM>(static_cast<UINT>(value)));
  }
}

BOOL SListBox::CreateChildren(pugi::xml_node xmlNode) {
  if (!xmlNode) return TRUE;
  AddItemsFromXml(xmlNode, -1);
  const pugi::xml_attribute curSel = SXmlNoCase::Attribute(xmlNode, L"curSel");
  SetCurSel(curSel ? SAttrParse::Int(SStringW(curSel.value())) : -1);
  return TRUE;
}

BOOL SListBox::OnLanguageChanged() {
  const BOOL result = SScrollView::OnLanguageChanged();
  for (const std::unique_ptr<Item>& item : m_arrItems) item->text.TranslateText();
  Invalidate();
  return result;
}

// ---- items -------------------------------------------------------------------------------

int SListBox::AddString(LPCWSTR lpszItem, int nImage, LPARAM lParam) {
  return InsertString(-1, lpszItem, nImage, lParam);
}

int SListBox::InsertString(int nIndex, LPCWSTR lpszItem, int nImage, LPARAM lParam) {
  if (nIndex < 0 || nIndex > GetCount()) nIndex = GetCount();
  std::unique_ptr<Item> item(new Item(this));
  item->text.SetText(SStringW(lpszItem));
  item->nImage = nImage;
  item->lParam = lParam;
  m_arrItems.insert(m_arrItems.begin() + nIndex, std::move(item));
  if (m_iSelItem >= nIndex) ++m_iSelItem;
  if (m_iHoverItem >= nIndex) ++m_iHoverItem;
  UpdateViewSize();
  return nIndex;
}

BOOL SListBox::DeleteString(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
  m_arrItems.erase(m_arrItems.begin() + nIndex);
  for (int* index : {&m_iSelItem, &m_iHoverItem}) {
    if (*index == nIndex) {
      *index = -1;
    } else if (*index > nIndex) {
      --*index;
    }
  }
  UpdateViewSize();
  Invalidate();
  return TRUE;
}

void SListBox::DeleteAll() {
  m_arrItems.clear();
  m_iSelItem = -1;
  m_iHoverItem = -1;
  SetViewSize(SIZE{0, 0});
  Invalidate();
}

BOOL SListBox::SetCurSel(int nIndex) {
  if (nIndex >= GetCount()) return FALSE;
  if (nIndex < 0) nIndex = -1;
  if (nIndex == m_iSelItem) return FALSE;
  const int old = m_iSelItem;
  m_iSelItem = nIndex;
  RedrawItem(old);
  RedrawItem(nIndex);
  return TRUE;
}

SStringW SListBox::GetText(int nIndex, BOOL bRawText) const {
  if (nIndex < 0 || nIndex >= GetCount()) return SStringW();
  return m_arrItems[nIndex]->text.GetText(bRawText);
}

LPARAM SListBox::GetItemData(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetCount()) return 0;
  return m_arrItems[nIndex]->lParam;
}

BOOL SListBox::SetItemData(int nIndex, LPARAM lParam) {
  if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
  m_arrItems[nIndex]->lParam = lParam;
  return TRUE;
}

int SListBox::FindString(int iFindAfter, LPCWSTR pszText) const {
  if (pszText == nullptr) return -1;
  for (int i = std::max(iFindAfter + 1, 0); i < GetCount(); ++i) {
    if (m_arrItems[i]->text.GetText(TRUE) == pszText) return i;
  }
  return -1;
}

BOOL SListBox::SetTopIndex(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount()) return FALSE;
  OnScroll(TRUE, SB_THUMBPOSITION, nIndex * GetItemHeight());
  return TRUE;
}

BOOL SListBox::SetItemHeight(int nIndex, int nHeight) {
  if (nIndex < 0 || nIndex >= GetCount() || nHeight < 1) return FALSE;
  m_itemHeight.SetSize(static_cast<float>(nHeight), px);
  UpdateViewSize();
  Invalidate();
  return TRUE;
}

int SListBox::GetItemHeight() const {
  return std::max(m_itemHeight.toPixelSize(GetScale()), 1);
}

// ---- geometry ----------------------------------------------------------------------------

void SListBox::UpdateViewSize() {
  const RECT rc = GetClientRect();
  const long long total = static_cast<long long>(GetItemHeight()) * GetCount();
  const int height = static_cast<int>(std::min<long long>(total, INT_MAX));
  int width = rc.right - rc.left;
  if (height > rc.bottom - rc.top) width -= GetSbWidth();
  SetViewSize(SIZE{std::max(width, 0), height});
}

void SListBox::GetPaintRows(int* pFirst, int* pRows) const {
  const int h = GetItemHeight();
  const RECT rc = GetClientRect();
  *pFirst = m_ptOrigin.y / h;
  *pRows = (rc.bottom - rc.top + h - 1) / h + 1;
}

RECT SListBox::GetItemRect(int iItem) const {
  const int h = GetItemHeight();
  const RECT rc = GetClientRect();
  const int top = rc.top + iItem * h - m_ptOrigin.y;
  return RECT{rc.left, top, rc.right, top + h};
}

int SListBox::HitTest(POINT pt) const {
  const RECT rc = GetClientRect();
  if (!PtInRect(&rc, pt)) return -1;
  const int index = (pt.y + m_ptOrigin.y - rc.top) / GetItemHeight();
  return index < GetCount() ? index : -1;
}

void SListBox::EnsureVisible(int nIndex) {
  if (nIndex < 0 || nIndex >= GetCount()) return;
  const int h = GetItemHeight();
  const RECT rc = GetClientRect();
  const int top = (m_ptOrigin.y + h - 1) / h;
  const int rows = (rc.bottom - rc.top) / h;
  if (nIndex >= top && nIndex <= top + rows - 1) return;
  const int d = nIndex < top ? (nIndex - top) * h : (nIndex - top - rows + 1) * h;
  OnScroll(TRUE, SB_THUMBPOSITION, GetScrollPos(TRUE) + d - d % h);
}

// ---- painting ----------------------------------------------------------------------------

void SListBox::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  int first = 0;
  int rows = 0;
  GetPaintRows(&first, &rows);
  for (int i = first; i < first + rows && i < GetCount(); ++i) DrawItem(pRT, GetItemRect(i), i);
  AfterPaint(pRT, painter);
}

void SListBox::DrawItem(IRenderTarget* pRT, const RECT& rc, int iItem) {
  if (iItem < 0 || iItem >= GetCount()) return;
  const Item& item = *m_arrItems[iItem];
  const bool selected = iItem == m_iSelItem;
  const bool hot = !selected && iItem == m_iHoverItem && m_bHotTrack;
  const SListItemLook::RowColors colors =
      m_look.ColorsOf(iItem, selected, hot, m_pItemSkin != nullptr);
  m_look.DrawBackground(pRT, rc, colors, m_pItemSkin);
  const COLORREF crOld = colors.text != CR_INVALID ? pRT->SetTextColor(colors.text) : CR_INVALID;
  m_look.DrawIconText(this, pRT, rc, m_pIconSkin, item.nImage, item.text.GetText(FALSE),
                      GetItemHeight());
  if (crOld != CR_INVALID) pRT->SetTextColor(crOld);
}

void SListBox::RedrawItem(int iItem) {
  if (!IsVisible(TRUE) || iItem < 0 || iItem >= GetCount()) return;
  int first = 0;
  int rows = 0;
  GetPaintRows(&first, &rows);
  if (iItem < first || iItem >= first + rows) return;
  const RECT rc = GetItemRect(iItem);
  IRenderTarget* pRT = GetRenderTarget(&rc, GRT_PAINTBKGND, TRUE);
  if (pRT == nullptr) return;
  SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pRT));
  DrawItem(pRT, rc, iItem);
  ReleaseRenderTarget(pRT);
}

// ---- selection, mouse and keys -----------------------------------------------------------

void SListBox::NotifySelChange(int nOldSel, int nNewSel) {
  if (nOldSel == nNewSel) return;
  EventLBSelChanging changing(this);
  changing.nNewSel = nNewSel;
  changing.nOldSel = nOldSel;
  changing.bCancel = FALSE;
  FireEvent(changing);
  if (changing.bCancel) return;
  // A handler may have removed items meanwhile.
  m_iSelItem = nNewSel < GetCount() ? nNewSel : -1;
  RedrawItem(nOldSel);
  RedrawItem(m_iSelItem);
  EventLBSelChanged changed(this);
  changed.nNewSel = m_iSelItem;
  changed.nOldSel = nOldSel;
  FireEvent(changed);
}

void SListBox::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  if (m_bHotTrack) return;
  m_iHoverItem = HitTest(pt);
  NotifySelChange(m_iSelItem, m_iHoverItem);
}

void SListBox::OnLButtonUp(UINT nFlags, POINT pt) {
  if (m_bHotTrack) {
    m_iHoverItem = HitTest(pt);
    NotifySelChange(m_iSelItem, m_iHoverItem);
  }
  SWindow::OnLButtonUp(nFlags, pt);
}

void SListBox::OnLButtonDbClick(UINT, POINT pt) {
  const int hit = HitTest(pt);
  m_iHoverItem = hit;
  NotifySelChange(m_iSelItem, hit);
  EventLBDbClick evt(this);
  evt.nCurSel = hit;
  FireEvent(evt);
}

void SListBox::OnMouseMove(UINT, POINT pt) {
  const int old = m_iHoverItem;
  m_iHoverItem = HitTest(pt);
  if (!m_bHotTrack || old == m_iHoverItem) return;
  RedrawItem(old);
  RedrawItem(m_iHoverItem);
  RedrawItem(m_iSelItem);
}

void SListBox::OnKeyDown(UINT nChar, UINT, UINT) {
  // The step starts from the hot item under hot tracking, and is bounded by where it starts.
  const int from = m_bHotTrack && m_iHoverItem != -1 ? m_iHoverItem : m_iSelItem;
  int next;
  if (nChar == VK_DOWN && from < GetCount() - 1) {
    next = from + 1;
  } else if (nChar == VK_UP && from > 0) {
    next = from - 1;
  } else {
    return;
  }
  const int oldHover = m_iHoverItem;
  const int oldSel = m_iSelItem;
  if (m_bHotTrack) m_iHoverItem = -1;
  EnsureVisible(next);
  NotifySelChange(oldSel, next);
  if (oldHover != oldSel && oldHover != next) RedrawItem(oldHover);
}

LRESULT SListBox::OnChar(UINT, WPARAM wParam, LPARAM lParam) {
  // Typing in a drop-down list reaches its combo box.
  if (SWindow* owner = GetOwner()) owner->SSendMessage(WM_CHAR, wParam, lParam);
  return 0;
}

void SListBox::OnShowWindow(BOOL bShow, UINT nStatus) {
  if (!bShow) m_iHoverItem = -1;
  SScrollView::OnShowWindow(bShow, nStatus);
}

void SListBox::OnMouseLeave() {
  SWindow::OnMouseLeave();
  if (m_iHoverItem == -1) return;
  const int old = m_iHoverItem;
  m_iHoverItem = -1;
  RedrawItem(old);
}

void SListBox::OnSize(UINT nType, SIZE size) {
  SScrollView::OnSize(nType, size);
  UpdateViewSize();
}

void SListBox::OnDestroy() {
  DeleteAll();
  SWindow::OnDestroy();
}

}  // namespace SWUI
