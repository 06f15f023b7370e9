#include "control/STabCtrl.h"

#include <cwchar>
#include <initializer_list>

#include "control/EventTabItemHover.h"
#include "control/EventTabItemLeave.h"
#include "control/EventTabSelChanged.h"
#include "control/EventTabSelChanging.h"
#include "control/STabSlider.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"
#include "base/SXmlMark.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// The built-in skin of the tabs: "_skin.sys.tab.page".
constexpr int kBuiltinTabSkin = 10;
// What the text formats keep when only one text offset is given: the horizontal alignment
// (offset down), or the vertical one (offset right), each with one line and the ellipsis.
constexpr UINT kKeepHorzAlign = DT_CENTER | DT_RIGHT | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kKeepVertAlign = DT_VCENTER | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS;
static_assert(kKeepHorzAlign == 0x8023 && kKeepVertAlign == 0x802C, "text format masks");

struct Word {
  LPCWSTR word;
  int value;
};

constexpr Word kAlignWords[] = {{L"top", STabCtrl::AlignTop},
                                {L"left", STabCtrl::AlignLeft},
                                {L"bottom", STabCtrl::AlignBottom},
                                {L"right", STabCtrl::AlignRight}};
constexpr Word kTextDirWords[] = {{L"hori", STabCtrl::TextHorizontal},
                                  {L"horizontal", STabCtrl::TextHorizontal},
                                  {L"vert", STabCtrl::TextVertical},
                                  {L"vertical", STabCtrl::TextVertical}};

// Keyword values compare exactly; a word outside the table is refused and keeps the field.
template <size_t N>
HRESULT ParseWord(const SStringW& value, const Word (&words)[N], int& field) {
  for (const Word& w : words) {
    if (value == w.word) {
      field = w.value;
      return S_OK;
    }
  }
  return E_FAIL;
}

// An empty name removes the skin; a name no pool knows is refused and keeps it.
HRESULT ParseSkin(const SStringW& value, int scale, SAutoRefPtr<ISkinObj>& skin) {
  if (value.IsEmpty()) {
    skin = nullptr;
    return S_FALSE;
  }
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  ISkinObj* found = pools != nullptr ? pools->GetSkin(value, scale) : nullptr;
  if (found == nullptr) return E_FAIL;
  skin = found;
  return S_FALSE;
}

bool IsVerticalStrip(int align) {
  return align == STabCtrl::AlignLeft || align == STabCtrl::AlignRight;
}

// The length of the character at p in code units: a surrogate pair is one character.
int CharLength(const wchar_t* p) {
  if (p[0] >= 0xD800 && p[0] <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) return 2;
  return 1;
}

}  // namespace

STabCtrl::STabCtrl() {
  SetFlag(SWF_FOCUSABLE, TRUE);
  if (SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr()) {
    m_pSkinTab = pools->GetBuiltinSkin(kBuiltinTabSkin, 100);
  }
  if (SApplication* app = SApplication::getSingletonPtr()) {
    m_pInterpolator.Attach(app->CreateInterpolatorByName(L"Linear"));
  }
  m_evtSet.AddEvent<EventTabSelChanging>();
  m_evtSet.AddEvent<EventTabSelChanged>();
  m_evtSet.AddEvent<EventTabItemHover>();
  m_evtSet.AddEvent<EventTabItemLeave>();
}

STabCtrl::~STabCtrl() = default;

// ---- pages -------------------------------------------------------------------------------

STabPage* STabCtrl::GetItem(int index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return m_pages[static_cast<size_t>(index)];
}

BOOL STabCtrl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount() || index == m_nCurrentPage) return FALSE;
  const int old = m_nCurrentPage;
  EventTabSelChanging changing(this);
  changing.uOldSel = old;
  changing.uNewSel = index;
  FireEvent(changing);
  if (changing.bCancel) return FALSE;
  STabPage* page = GetItem(index);
  if (page == nullptr) return FALSE;  // a handler removed it

  InvalidateItem(old);
  EndSlide();
  STabPage* oldPage = GetItem(old);
  const bool slides =
      m_nAnimateSteps > 0 && IsVisible(TRUE) && oldPage != nullptr && StartSlide(old, index);
  if (!slides) {
    if (oldPage != nullptr) oldPage->SetVisible(FALSE, TRUE);
    page->SetVisible(TRUE, TRUE);
  }
  m_nCurrentPage = index;
  InvalidateItem(index);

  EventTabSelChanged changed(this);
  changed.uOldSel = old;
  changed.uNewSel = index;
  FireEvent(changed);
  return TRUE;
}

BOOL STabCtrl::SetCurSel(LPCWSTR text, BOOL bTitle) {
  const int index = GetPageIndex(text, bTitle);
  return index != -1 && SetCurSel(index);
}

int STabCtrl::GetPageIndex(LPCWSTR text, BOOL bTitle) const {
  if (text == nullptr) return -1;
  for (int i = 0; i < GetItemCount(); ++i) {
    STabPage* page = GetItem(i);
    if (bTitle ? page->GetTitle() == text : std::wcscmp(page->GetName(), text) == 0) return i;
  }
  return -1;
}

STabPage* STabCtrl::GetPage(LPCWSTR text, BOOL bTitle) const {
  return GetItem(GetPageIndex(text, bTitle));
}

BOOL STabCtrl::SetItemTitle(int index, LPCWSTR text) {
  STabPage* page = GetItem(index);
  if (page == nullptr) return FALSE;
  page->SetTitle(text);
  RECT title;
  GetTitleRect(&title);
  InvalidateRect(title);
  return TRUE;
}

int STabCtrl::InsertItem(pugi::xml_node xmlNode, int index, BOOL bLoading) {
  STabPage* page = CreatePageFromXml(xmlNode);
  if (page == nullptr) return -1;
  // The factory's reference goes to the tree; this one outlives a page that refuses its
  // creation and destroys itself.
  SAutoRefPtr<STabPage> hold(page);
  InsertChild(page);
  if (!page->InitFromXml(xmlNode)) return -1;
  if (ILayoutParam* param = page->GetLayoutParam()) param->SetMatchParent(Both);

  const int count = GetItemCount();
  if (index < 0 || index > count) index = count;
  if (!m_pages.InsertAt(static_cast<size_t>(index), page)) {
    DestroyChild(page);
    return -1;
  }
  if (!bLoading) {
    RECT rcPages;
    GetChildrenLayoutRect(&rcPages);
    page->Move(&rcPages);
    page->SetVisible(FALSE, FALSE);
    if (m_nCurrentPage >= index) ++m_nCurrentPage;
    RECT title;
    GetTitleRect(&title);
    InvalidateRect(title);
    if (m_nCurrentPage == -1) SetCurSel(index);
  }
  OnItemInserted(page);
  return index;
}

int STabCtrl::InsertItem(LPCWSTR pszXml, int index) {
  if (pszXml == nullptr) return -1;
  pugi::xml_document doc;
  if (!doc.load_string(pszXml)) return -1;
  const int inserted = InsertItem(doc.first_child(), index, FALSE);
  SXmlMark::ClearMarks(doc);
  return inserted;
}

BOOL STabCtrl::RemoveItem(int index, int selectAfter) {
  STabPage* page = GetItem(index);
  if (page == nullptr) return FALSE;
  OnItemRemoved(page);
  // Out of the array first: nothing that runs while it is destroyed finds it there.
  m_pages.RemoveAt(static_cast<size_t>(index));
  DestroyChild(page);
  if (index == m_nCurrentPage) {
    m_nCurrentPage = -1;
    EndSlide();  // it pictures the page that went
    const int last = GetItemCount() - 1;
    if (selectAfter > last) selectAfter = last;
    if (selectAfter < 0) selectAfter = 0;
    SetCurSel(selectAfter);  // fails, leaving -1, when no page is left
  } else if (index < m_nCurrentPage) {
    --m_nCurrentPage;
  }
  RECT title;
  GetTitleRect(&title);
  InvalidateRect(title);
  return TRUE;
}

STabPage* STabCtrl::CreatePageFromXml(pugi::xml_node xmlNode) {
  if (!xmlNode || std::wcscmp(xmlNode.name(), STabPage::ClassName()) != 0) return nullptr;
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return nullptr;
  return SObjectFactoryMgr::TakeObjectAs<STabPage>(app->CreateWindowByName(STabPage::ClassName()));
}

void STabCtrl::OnItemInserted(STabPage*) {}

void STabCtrl::OnItemRemoved(STabPage*) {}

BOOL STabCtrl::CreateChildren(pugi::xml_node xmlNode) {
  for (pugi::xml_node node = xmlNode.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element || SXmlMark::IsMarked(node)) continue;
    InsertItem(node, -1, TRUE);
  }
  if (GetItem(m_nCurrentPage) == nullptr) m_nCurrentPage = GetItemCount() > 0 ? 0 : -1;
  if (STabPage* page = GetItem(m_nCurrentPage)) page->SetVisible(TRUE, FALSE);
  return TRUE;
}

// ---- slide -------------------------------------------------------------------------------

bool STabCtrl::StartSlide(int from, int to) {
  auto* slider = new STabSlider(this, m_nAnimateSteps, m_nAnimateType, m_pInterpolator);
  if (!slider->Start(from, to)) {
    slider->Release();
    return false;
  }
  m_pSlider = slider;
  return true;
}

void STabCtrl::EndSlide() {
  if (m_pSlider == nullptr) return;
  STabSlider* slider = m_pSlider;
  m_pSlider = nullptr;
  DestroyChild(slider);
  if (STabPage* page = GetItem(m_nCurrentPage)) page->SetVisible(TRUE, TRUE);
}

// ---- geometry ----------------------------------------------------------------------------

int STabCtrl::TabWidth() const {
  const int width = ToPixels(m_szTabWidth);
  return width > 0 ? width : 0;
}

int STabCtrl::TabHeight() const {
  const int height = ToPixels(m_szTabHeight);
  return height > 0 ? height : 0;
}

void STabCtrl::GetTitleRect(LPRECT prc) const {
  GetClientRect(prc);
  switch (m_nTabAlign) {
    case AlignLeft:
      prc->right = prc->left + TabWidth();
      break;
    case AlignBottom:
      prc->top = prc->bottom - TabHeight();
      break;
    case AlignRight:
      prc->left = prc->right - TabWidth();
      break;
    default:
      prc->bottom = prc->top + TabHeight();
      break;
  }
}

void STabCtrl::GetChildrenLayoutRect(RECT* prc) const {
  GetClientRect(prc);
  switch (m_nTabAlign) {
    case AlignLeft:
      prc->left += TabWidth();
      break;
    case AlignBottom:
      prc->bottom -= TabHeight();
      break;
    case AlignRight:
      prc->right -= TabWidth();
      break;
    default:
      prc->top += TabHeight();
      break;
  }
}

BOOL STabCtrl::GetItemRect(int index, LPRECT prc) const {
  if (index < 0 || index >= GetItemCount()) return FALSE;
  RECT title;
  GetTitleRect(&title);
  const int width = TabWidth();
  const int height = TabHeight();
  const int inter = ToPixels(m_szTabInter);
  const int pos = ToPixels(m_szTabPos);
  RECT rc = {title.left, title.top, title.left + width, title.top + height};
  if (IsVerticalStrip(m_nTabAlign)) {
    OffsetRect(&rc, 0, (height + inter) * index + pos);
  } else {
    OffsetRect(&rc, (width + inter) * index + pos, 0);
  }
  IntersectRect(prc, &rc, &title);
  return TRUE;
}

int STabCtrl::HitTest(POINT pt) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    RECT rc;
    GetItemRect(i, &rc);
    if (PtInRect(&rc, pt)) return i;
  }
  return -1;
}

void STabCtrl::UpdateChildrenPosition() {
  RECT rcPages;
  GetChildrenLayoutRect(&rcPages);
  for (STabPage* page : m_pages) page->Move(&rcPages);
  if (m_pSlider != nullptr) {
    SAutoRefPtr<STabSlider> hold(m_pSlider);  // a resize ends the slide and destroys it
    hold->Move(&rcPages);
  }
}

void STabCtrl::InvalidateItem(int index) {
  RECT rc;
  if (GetItemRect(index, &rc) && !IsRectEmpty(&rc)) InvalidateRect(rc);
}

// ---- attributes --------------------------------------------------------------------------

HRESULT STabCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                               BOOL bLoading) {
  HRESULT hr = SetOwnAttribute(strAttribName, strValue, bLoading);
  if (hr != E_NOTIMPL) return AfterAttribute(strAttribName, strValue, bLoading, hr);
  // Interpolator parameters may be written on the control.
  if (m_pInterpolator != nullptr) {
    hr = m_pInterpolator->SetAttribute(strAttribName, strValue, bLoading);
    if (SUCCEEDED(hr)) return hr;
  }
  return SWindow::SetAttribute(strAttribName, strValue, bLoading);
}

HRESULT STabCtrl::SetOwnAttribute(const SStringW& name, const SStringW& value, BOOL) {
  using P = SAttrParse;
  if (P::IsName(name, L"curSel")) {
    m_nCurrentPage = P::Int(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"tabSize")) {
    SArray<SStringW> parts;
    if (SplitString(value, L',', parts) != 2) return E_INVALIDARG;
    m_szTabWidth = GetNamedDimension(parts[0]);
    m_szTabHeight = GetNamedDimension(parts[1]);
    return S_OK;
  }
  struct SizeAttr {
    LPCWSTR name;
    SLayoutSize* field;
  };
  const SizeAttr sizes[] = {{L"tabWidth", &m_szTabWidth}, {L"tabHeight", &m_szTabHeight},
                            {L"tabPos", &m_szTabPos},     {L"tabInterSize", &m_szTabInter},
                            {L"icon-x", &m_ptIcon[0]},    {L"icon-y", &m_ptIcon[1]},
                            {L"text-x", &m_ptText[0]},    {L"text-y", &m_ptText[1]}};
  for (const SizeAttr& s : sizes) {
    if (!P::IsName(name, s.name)) continue;
    *s.field = GetNamedDimension(value);
    return S_FALSE;
  }
  struct SkinAttr {
    LPCWSTR name;
    SAutoRefPtr<ISkinObj>* field;
  };
  const SkinAttr skins[] = {{L"tabInterSkin", &m_pSkinTabInter},
                            {L"tabSkin", &m_pSkinTab},
                            {L"iconSkin", &m_pSkinIcon},
                            {L"frameSkin", &m_pSkinFrame}};
  for (const SkinAttr& s : skins) {
    if (P::IsName(name, s.name)) return ParseSkin(value, GetScale(), *s.field);
  }
  if (P::IsName(name, L"tabAlign")) return ParseWord(value, kAlignWords, m_nTabAlign);
  if (P::IsName(name, L"textDir")) return ParseWord(value, kTextDirWords, m_nTextDir);
  if (P::IsName(name, L"animateSteps")) {
    m_nAnimateSteps = P::Int(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"animateType")) {
    m_nAnimateType = P::Int(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"interpolator")) {
    SApplication* app = SApplication::getSingletonPtr();
    IInterpolator* made = app != nullptr ? app->CreateInterpolatorByName(value) : nullptr;
    if (made == nullptr) return E_FAIL;
    m_pInterpolator.Attach(made);
    return S_FALSE;
  }
  return E_NOTIMPL;
}

void STabCtrl::OnInitFinished(pugi::xml_node xmlNode) {
  SWindow::OnInitFinished(xmlNode);
  if (m_pSkinTab == nullptr) return;
  const SIZE size = m_pSkinTab->GetSkinSize();
  if (m_szTabWidth.IsWrapContent()) m_szTabWidth = SLayoutSize(static_cast<float>(size.cx), px);
  if (m_szTabHeight.IsWrapContent()) m_szTabHeight = SLayoutSize(static_cast<float>(size.cy), px);
}

// ---- tree-wide messages ------------------------------------------------------------------

void STabCtrl::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  for (ISkinObj* skin :
       {m_pSkinIcon.Get(), m_pSkinTab.Get(), m_pSkinTabInter.Get(), m_pSkinFrame.Get()}) {
    if (skin != nullptr) skin->OnColorize(cr);
  }
}

BOOL STabCtrl::OnLanguageChanged() {
  SWindow::OnLanguageChanged();
  for (STabPage* page : m_pages) page->TranslateTitle();
  RECT title;
  GetTitleRect(&title);
  InvalidateRect(title);
  return TRUE;  // the strip is repainted, never laid out again
}

void STabCtrl::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinIcon, scale);
}

void STabCtrl::OnDestroy() {
  EndSlide();
  while (!m_pages.IsEmpty()) {
    const size_t last = m_pages.GetCount() - 1;
    STabPage* page = m_pages[last];
    m_pages.RemoveAt(last);
    DestroyChild(page);
  }
  SWindow::OnDestroy();
}

// ---- input -------------------------------------------------------------------------------

void STabCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  const int hit = HitTest(pt);
  if (hit != m_nCurrentPage) SetCurSel(hit);
}

void STabCtrl::OnMouseMove(UINT, POINT pt) { SetHoverItem(HitTest(pt)); }

void STabCtrl::OnMouseLeave() { SetHoverItem(-1); }

void STabCtrl::SetHoverItem(int hover) {
  if (hover == m_nHoverItem) return;
  const int old = m_nHoverItem;
  m_nHoverItem = hover;
  if (old != -1) {
    if (old != m_nCurrentPage) InvalidateItem(old);
    EventTabItemLeave leave(this);
    leave.iLeave = old;
    FireEvent(leave);
  }
  if (hover != -1) {
    if (hover != m_nCurrentPage) InvalidateItem(hover);
    EventTabItemHover enter(this);
    enter.iHover = hover;
    FireEvent(enter);
  }
}

void STabCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
  // The arrows wrap from one end to the other.
  const int last = GetItemCount() - 1;
  switch (nChar) {
    case VK_LEFT:
    case VK_UP:
      if (!SetCurSel(m_nCurrentPage - 1)) SetCurSel(last);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!SetCurSel(m_nCurrentPage + 1)) SetCurSel(0);
      break;
    case VK_HOME:
      SetCurSel(0);
      break;
    case VK_END:
      SetCurSel(last);
      break;
    default:
      SetMsgHandled(FALSE);
      break;
  }
}

BOOL STabCtrl::UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) {
  const int hit = HitTest(pt);
  if (hit == -1) return FALSE;
  const SStringW tip = GetItem(hit)->GetToolTipText();
  if (tip.IsEmpty()) return FALSE;
  tipInfo.swnd = m_swnd;
  tipInfo.dwCookie = static_cast<DWORD>(hit);
  GetItemRect(hit, &tipInfo.rcTarget);
  tipInfo.strTip = tip;
  return TRUE;
}

// ---- painting ----------------------------------------------------------------------------

void STabCtrl::BeforePaint(IRenderTarget* pRT, SPainter& painter) {
  SelectStateStyle(pRT, SwndStyle::kStateNormal, painter);
}

void STabCtrl::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  RECT title;
  GetTitleRect(&title);
  pRT->PushClipRect(&title, RGN_AND);
  RECT prev = {0, 0, 0, 0};
  bool drawn = false;
  for (int i = 0; i < GetItemCount(); ++i) {
    RECT rc;
    GetItemRect(i, &rc);
    if (IsRectEmpty(&rc)) continue;
    const DWORD state = i == m_nCurrentPage ? 2 : (i == m_nHoverItem ? 1 : 0);
    if (i > 0 && drawn && m_pSkinTabInter != nullptr) DrawSeparator(pRT, rc, prev);
    DrawItem(pRT, rc, i, state);
    prev = rc;
    drawn = true;
  }
  pRT->PopClip();
  if (m_pSkinFrame != nullptr) {
    RECT rcPages;
    GetChildrenLayoutRect(&rcPages);
    m_pSkinFrame->Draw(pRT, &rcPages, 0);
  }
  if (IsFocused() && IsFocusable() && (m_dwFlags & SWF_DRAWFOCUSRECT)) {
    RECT rc;
    if (GetItemRect(m_nCurrentPage, &rc)) {
      InflateRect(&rc, -2, -2);
      DrawDefFocusRect(pRT, rc);
    }
  }
  AfterPaint(pRT, painter);
}

// The gap before a tab, after the previous one drawn: below it on a strip at the left or
// right, to its right otherwise.
void STabCtrl::DrawSeparator(IRenderTarget* pRT, const RECT& rcItem, const RECT& rcPrev) {
  RECT rc = rcItem;
  const int inter = ToPixels(m_szTabInter);
  if (IsVerticalStrip(m_nTabAlign)) {
    rc.top = rcPrev.bottom;
    rc.bottom = rc.top + inter;
  } else {
    rc.left = rcPrev.right;
    rc.right = rc.left + inter;
  }
  m_pSkinTabInter->Draw(pRT, &rc, 0);
}

void STabCtrl::DrawItem(IRenderTarget* pRT, const RECT& rcItem, int index, DWORD dwState) {
  if (IsRectEmpty(&rcItem)) return;
  STabPage* page = GetItem(index);
  if (page == nullptr) return;
  const int state =
      (dwState & (WndState_PushDown | WndState_Check)) ? 2 : static_cast<int>(dwState & 1);
  if (m_pSkinTab != nullptr) m_pSkinTab->Draw(pRT, &rcItem, state);
  SPainter painter;
  SelectStateStyle(pRT, state, painter);

  if (m_pSkinIcon != nullptr) {
    const int icon = page->GetIconIndex() == -1 ? index : page->GetIconIndex();
    // An index past the skin's states would draw from outside its image.
    if (icon >= 0 && icon < m_pSkinIcon->GetStates()) {
      const SIZE size = m_pSkinIcon->GetSkinSize();
      RECT rc;
      rc.left = rcItem.left + ToPixels(m_ptIcon[0]);
      rc.top = rcItem.top + ToPixels(m_ptIcon[1]);
      rc.right = rc.left + size.cx;
      rc.bottom = rc.top + size.cy;
      m_pSkinIcon->Draw(pRT, &rc, icon);
    }
  }
  DrawItemText(pRT, rcItem, page->GetTitle());
  SWindow::AfterPaint(pRT, painter);
}

void STabCtrl::DrawItemText(IRenderTarget* pRT, const RECT& rcItem, const SStringW& text) {
  const int x = ToPixels(m_ptText[0]);
  const int y = ToPixels(m_ptText[1]);
  const bool hasX = x >= 1;
  const bool hasY = y >= 1;
  const bool vertical = m_nTextDir == TextVertical;
  if (hasX && hasY) {
    if (vertical) {
      DrawVerticalText(pRT, rcItem.left + x, rcItem.top + y, text);
    } else {
      pRT->TextOut(rcItem.left + x, rcItem.top + y, text, text.GetLength());
    }
    return;
  }
  RECT rc = rcItem;
  UINT format = GetTextAlign();
  if (hasY) {
    rc.top += y;
    format &= kKeepHorzAlign;
  } else if (hasX) {
    rc.left += x;
    format &= kKeepVertAlign;
  }
  if (vertical) {
    DrawVerticalTextCentered(pRT, rc, text);
  } else {
    pRT->DrawText(text, -1, &rc, format);
  }
}

void STabCtrl::DrawVerticalText(IRenderTarget* pRT, int x, int y, const SStringW& text) {
  LPCWSTR p = text;
  for (const LPCWSTR end = p + text.GetLength(); p < end;) {
    const int n = CharLength(p);
    SIZE size = {0, 0};
    pRT->MeasureText(p, n, &size);
    pRT->TextOut(x, y, p, n);
    y += size.cy;
    p += n;
  }
}

SIZE STabCtrl::MeasureVerticalText(IRenderTarget* pRT, const SStringW& text) {
  SIZE total = {0, 0};
  LPCWSTR p = text;
  for (const LPCWSTR end = p + text.GetLength(); p < end;) {
    const int n = CharLength(p);
    SIZE size = {0, 0};
    pRT->MeasureText(p, n, &size);
    if (size.cx > total.cx) total.cx = size.cx;
    total.cy += size.cy;
    p += n;
  }
  return total;
}

void STabCtrl::DrawVerticalTextCentered(IRenderTarget* pRT, const RECT& rc, const SStringW& text) {
  const SIZE size = MeasureVerticalText(pRT, text);
  const int x = rc.left + (rc.right - rc.left - size.cx) / 2;
  const int y = rc.top + (rc.bottom - rc.top - size.cy) / 2;
  DrawVerticalText(pRT, x, y, text);
}

}  // namespace SWUI
