// SWindow: attributes, creation from XML and the layout hooks.
#include <cwchar>

#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SSkinPoolMgr.h"
#include "core/SStylePoolMgr.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

// Marks of a result taken by the style, the layout or the layout parameter.
constexpr HRESULT kTakenByStyle = 0x10000;
constexpr HRESULT kTakenByLayout = 0x20000;
constexpr HRESULT kTakenByLayoutParam = 0x40000;

struct IdWord {
  LPCWSTR word;
  int id;
};

// The dialog-button ids an "id" may name, searched in this order.
constexpr IdWord kIdWords[] = {
    {L"IDOK", IDOK},     {L"IDCANCEL", IDCANCEL}, {L"IDCLOSE", IDCLOSE},
    {L"IDHELP", IDHELP}, {L"IDABORT", IDABORT},   {L"IDYES", IDYES},
    {L"IDNO", IDNO},     {L"IDRETRY", IDRETRY},   {L"IDIGNORE", IDIGNORE},
};
static_assert(sizeof(kIdWords) / sizeof(kIdWords[0]) == 9, "nine dialog-button words");
static_assert(SWindow::kSizeUnknown == kLayoutSizeUnknown, "one spelling of a size not known yet");

// Applies one attribute of a node first and marks it, so that the pass over the rest skips
// it; answers the mark it had, to put back.
int ApplyFirst(SWindow* wnd, pugi::xml_attribute attr) {
  if (!attr) return 0;
  const int old = SXmlMark::GetMark(attr);
  wnd->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
  SXmlMark::SetMark(attr, 1);
  return old;
}

}  // namespace

// ---- attributes --------------------------------------------------------------------------

HRESULT SWindow::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                              BOOL bLoading) {
  HRESULT hr = SetOwnAttribute(strAttribName, strValue, bLoading);
  if (hr != E_NOTIMPL) return AfterAttribute(strAttribName, strValue, bLoading, hr);

  // The first delegate that takes the name (a result that is not negative) answers; a
  // delegate that knew the name but refused the value is remembered, so that its error, not
  // "nobody knows it", is what the caller sees.
  HRESULT refused = S_OK;
  struct Delegate {
    IObject* obj;
    HRESULT mark;
  };
  const Delegate delegates[] = {{&m_style, kTakenByStyle},
                                {m_pLayout, kTakenByLayout},
                                {m_pLayoutParam, kTakenByLayoutParam}};
  for (const Delegate& d : delegates) {
    if (d.obj == nullptr) continue;
    hr = d.obj->SetAttribute(strAttribName, strValue, bLoading);
    if (SUCCEEDED(hr)) return AfterAttribute(strAttribName, strValue, bLoading, hr | d.mark);
    if (hr != E_NOTIMPL && SUCCEEDED(refused)) refused = hr;
  }
  hr = DefAttributeProc(strAttribName, strValue, bLoading);
  return FAILED(hr) && FAILED(refused) ? refused : hr;
}

HRESULT SWindow::SetOwnAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"layout")) {
    if (!OnAttrLayout(value)) return E_INVALIDARG;
    if (!bLoading) RequestRelayout(this, TRUE);
    return S_OK;
  }
  if (P::IsName(name, L"class")) {
    OnAttrClass(value, bLoading);
    return S_FALSE;
  }
  if (P::IsName(name, L"id")) {
    OnAttrId(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"name")) {
    m_strName = value;
    if (m_nID == 0) {
      SApplication* app = SApplication::getSingletonPtr();
      m_nID = app != nullptr ? app->Str2ID(value) : 0;
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"skin") || P::IsName(name, L"ncskin")) {
    SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
    ISkinObj* skin = pools != nullptr ? pools->GetSkin(value, GetScale()) : nullptr;
    if (P::IsName(name, L"ncskin")) {
      m_pNcSkin = skin;
      return S_OK;
    }
    m_pBgSkin = skin;
    if (bLoading) return S_FALSE;
    if (LayoutWraps(Horz) || LayoutWraps(Vert)) RequestRelayout(this, TRUE);
    return S_OK;
  }
  if (P::IsName(name, L"data")) {
    m_uData = static_cast<ULONG_PTR>(P::Int(value));
    return S_FALSE;
  }
  if (P::IsName(name, L"text")) {
    m_strText.SetText(GetNamedString(value));
    return S_OK;
  }
  if (P::IsName(name, L"enable")) {
    const BOOL enable = P::Bool(value);
    if (!bLoading) {
      EnableWindow(enable, TRUE);
    } else if (enable) {
      ModifyState(0, WndState_Disable, FALSE);
    } else {
      ModifyState(WndState_Disable, WndState_Hover, FALSE);
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"visible") || P::IsName(name, L"show")) {
    if (bLoading) {
      SetFlag(SWF_VISIBLE, P::Bool(value));
    } else {
      SetVisible(P::Bool(value), TRUE);
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"display")) {
    SetFlag(SWF_DISPLAY, P::Bool(value));
    if (bLoading) return S_FALSE;
    RequestRelayout(this, TRUE);
    return S_OK;
  }
  if (P::IsName(name, L"cache")) {
    SetFlag(SWF_CACHE, P::Bool(value));
    if (!bLoading) {
      UpdateCacheMode();
      InvalidateRect(m_rcWindow);
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"alpha")) {
    m_style.SetAlpha(static_cast<BYTE>(P::Int(value)));
    if (bLoading) return S_FALSE;
    if (!IsLayeredWindow()) UpdateCacheMode();
    InvalidateRect(m_rcWindow);
    return S_OK;
  }
  if (P::IsName(name, L"layeredWindow")) {
    SetFlag(SWF_LAYEREDWINDOW, P::Bool(value));
    if (bLoading) return S_FALSE;
    UpdateLayeredWindowMode();
    return S_OK;
  }
  if (P::IsName(name, L"trackMouseEvent")) {
    const BOOL track = P::Bool(value);
    m_style.SetTrackMouseEvent(track);
    if (!bLoading && m_pContainer != nullptr) {
      if (track) {
        m_pContainer->RegisterTrackMouseEvent(m_swnd);
      } else {
        m_pContainer->UnregisterTrackMouseEvent(m_swnd);
      }
    }
    return S_FALSE;
  }
  if (P::IsName(name, L"tip")) {
    SetToolTipText(GetNamedString(value));
    return S_FALSE;
  }
  if (P::IsName(name, L"maxWidth")) {
    m_maxWidth = GetNamedDimension(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"float")) {
    m_bFloat = P::Int(value);
    return S_FALSE;
  }
  struct BitAttr {
    LPCWSTR name;
    DWORD flag;
    HRESULT result;
  };
  static const BitAttr kBits[] = {{L"msgTransparent", SWF_MSGTRANSPARENT, S_FALSE},
                                  {L"clipClient", SWF_CLIPCLIENT, S_FALSE},
                                  {L"focusable", SWF_FOCUSABLE, S_FALSE},
                                  {L"drawFocusRect", SWF_DRAWFOCUSRECT, S_OK}};
  for (const BitAttr& bit : kBits) {
    if (!P::IsName(name, bit.name)) continue;
    SetFlag(bit.flag, P::Int(value) & 1);
    return bit.result;
  }
  return E_NOTIMPL;
}

void SWindow::OnAttrId(const SStringW& value) {
  if (value.IsEmpty()) return;
  if (value.GetLength() >= 2 && towupper(value[0]) == L'I' && towupper(value[1]) == L'D') {
    for (const IdWord& word : kIdWords) {
      if (value.CompareNoCase(word.word) == 0) {
        m_nID = word.id;
        return;
      }
    }
    return;
  }
  m_nID = static_cast<int>(wcstol(value, nullptr, 10));
}

BOOL SWindow::OnAttrLayout(const SStringW& name) {
  SApplication* app = SApplication::getSingletonPtr();
  ILayout* layout = app != nullptr ? app->CreateLayoutByName(name) : nullptr;
  if (layout == nullptr) return FALSE;
  if (m_pLayout != nullptr) m_pLayout->Release();
  m_pLayout = layout;
  ReplaceChildParams();
  return TRUE;
}

// Children placed by another layout before get parameters of the new one.
void SWindow::ReplaceChildParams() {
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    if (child->m_pLayoutParam != nullptr && m_pLayout->IsParamAcceptable(child->m_pLayoutParam)) {
      continue;
    }
    if (ILayoutParam* param = m_pLayout->CreateLayoutParam()) {
      child->SetLayoutParam(param);
      param->Release();
    }
  }
  SetLayoutDirty(SWF_LAYOUT_SELF);
}

void SWindow::OnAttrClass(const SStringW& name, BOOL bLoading) {
  SStylePoolMgr* styles = SStylePoolMgr::getSingletonPtr();
  pugi::xml_node style = styles != nullptr ? styles->GetStyle(name) : pugi::xml_node();
  if (!style) return;
  pugi::xml_attribute layout = SXmlNoCase::Attribute(style, L"layout");
  if (layout) SetAttribute(SStringW(layout.name()), SStringW(layout.value()), bLoading);
  for (pugi::xml_attribute attr = style.first_attribute(); attr; attr = attr.next_attribute()) {
    // A style never names another style: no recursion through "class".
    if (attr == layout || SXmlNoCase::NameEquals(attr.name(), L"class")) continue;
    SetAttribute(SStringW(attr.name()), SStringW(attr.value()), bLoading);
  }
}

HRESULT SWindow::AfterAttribute(const SStringW&, const SStringW&, BOOL bLoading, HRESULT hr) {
  // Even a value set as if loading changes what a cached background holds of the element.
  if (SUCCEEDED(hr)) MarkStaticContentDirty(false);
  if (bLoading || FAILED(hr) || (hr & 0xFFFF) != 0) return hr;
  if ((hr & (kTakenByLayout | kTakenByLayoutParam)) != 0 && m_pParent != nullptr) {
    m_pParent->RequestRelayout(m_pParent, TRUE);
  } else {
    InvalidateRect(m_rcWindow);
  }
  return hr;
}

HRESULT SWindow::DefAttributeProc(const SStringW&, const SStringW&, BOOL) { return E_FAIL; }

// ---- creation from XML -------------------------------------------------------------------

BOOL SWindow::InitFromXml(pugi::xml_node xmlNode) {
  if (xmlNode) {
    if (m_pLayoutParam != nullptr) m_pLayoutParam->Clear();
    pugi::xml_attribute layout = SXmlNoCase::Attribute(xmlNode, L"layout");
    pugi::xml_attribute cls = SXmlNoCase::Attribute(xmlNode, L"class");
    const int layoutMark = ApplyFirst(this, layout);
    const int classMark = ApplyFirst(this, cls);
    SObjectImpl<IObject>::InitFromXml(xmlNode);
    SXmlMark::SetMark(cls, classMark);
    SXmlMark::SetMark(layout, layoutMark);
    SStringW text(xmlNode.child_value());
    text.Trim();
    if (!text.IsEmpty()) m_strText.SetText(GetNamedString(text));
  }

  if (SSendMessage(WM_CREATE) != 0) {
    if (m_pParent != nullptr) m_pParent->DestroyChild(this);
    return FALSE;
  }
  if (m_pParent != nullptr) {
    if (!m_pParent->IsVisible(TRUE)) m_dwState |= WndState_Invisible;
    if (m_pParent->IsDisabled(TRUE)) m_dwState |= WndState_Disable;
  }
  SSendMessage(WM_SHOWWINDOW, !(m_dwState & WndState_Invisible), 1);
  CreateChildren(xmlNode);
  RequestRelayout(this, TRUE);
  return TRUE;
}

BOOL SWindow::CreateChildren(pugi::xml_node xmlNode) {
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return TRUE;
  for (pugi::xml_node node = xmlNode.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element || SXmlMark::IsMarked(node)) continue;
    if (SXmlNoCase::NameEquals(node.name(), L"include")) {
      SStringW type;
      SStringW name;
      SplitResRef(SStringW(SXmlNoCase::Attribute(node, L"src").value()), SStringW(L"LAYOUT"), &type,
                  &name);
      pugi::xml_document doc;
      if (!app->LoadXmlDocument(doc, name, type)) continue;
      CreateChildren(SXmlNoCase::Child(doc, L"include"));
      SXmlMark::ClearMarks(doc);
      continue;
    }
    // A class registered as an element that is none is not put in the tree.
    auto* child = SObjectFactoryMgr::TakeObjectAs<SWindow>(app->CreateWindowByName(node.name()));
    if (child == nullptr) continue;
    InsertChild(child);
    child->InitFromXml(node);
  }
  return TRUE;
}

// ---- layout hooks ------------------------------------------------------------------------

BOOL SWindow::SetLayoutParam(ILayoutParam* pLayoutParam) {
  if (pLayoutParam == nullptr || m_pParent == nullptr) return FALSE;
  ILayout* parentLayout = m_pParent->m_pLayout;
  if (parentLayout != nullptr && !parentLayout->IsParamAcceptable(pLayoutParam)) return FALSE;
  pLayoutParam->AddRef();
  if (m_pLayoutParam != nullptr) m_pLayoutParam->Release();
  m_pLayoutParam = pLayoutParam;
  return TRUE;
}

BOOL SWindow::LayoutWraps(ORIENTATION orientation) const {
  return m_pLayoutParam != nullptr && m_pLayoutParam->IsWrapContent(orientation);
}

SWindow* SWindow::NextLayoutChild(const SWindow* pCur) const {
  SWindow* child = pCur != nullptr ? pCur->m_pNextSibling : m_pFirstChild;
  while (child != nullptr &&
         (child->IsFloat() || !(child->m_dwFlags & (SWF_VISIBLE | SWF_DISPLAY)))) {
    child = child->m_pNextSibling;
  }
  return child;
}

ILayoutElement* SWindow::GetNextLayoutChild(const ILayoutElement* pCurChild) const {
  return NextLayoutChild(static_cast<const SWindow*>(pCurChild));
}

void SWindow::RequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
  if (bSourceResizable) SetLayoutDirty(SWF_LAYOUT_SELF);
  if (GetLayoutDirty() != SWF_LAYOUT_SELF) {
    SetLayoutDirty(pSource == this || LayoutWraps(Any) ? SWF_LAYOUT_SELF : SWF_LAYOUT_CHILD);
  }
  if (m_pParent != nullptr) {
    m_pParent->RequestRelayout(pSource, LayoutWraps(Any) || !(m_dwFlags & SWF_DISPLAY));
  }
}

void SWindow::UpdateLayout() {
  if (!IsLayoutDirty()) return;
  UpdateChildrenPosition();
  SetLayoutDirty(0);
}

void SWindow::UpdateChildrenPosition() {
  const DWORD dirty = GetLayoutDirty();
  if (dirty == SWF_LAYOUT_SELF) {
    if (m_pLayout != nullptr) m_pLayout->LayoutChildren(this);
    RECT rcLayout;
    GetChildrenLayoutRect(&rcLayout);
    for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
      if (!child->IsFloat()) continue;
      child->OnUpdateFloatPosition(rcLayout);
      child->UpdateLayout();
    }
  } else if (dirty == SWF_LAYOUT_CHILD) {
    for (SWindow* child = NextLayoutChild(nullptr); child != nullptr;
         child = NextLayoutChild(child)) {
      child->UpdateLayout();
    }
  }
}

void SWindow::OnUpdateFloatPosition(const RECT&) {}

void SWindow::OnRelayout(const RECT& rcWnd) {
  RECT rc = rcWnd;
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  const bool moved = !EqualRect(&rc, &m_rcWindow);
  if (!moved && !IsLayoutDirty()) return;
  if (moved) {
    SetLayoutDirty(SWF_LAYOUT_SELF);
    InvalidateRect(m_rcWindow);
    m_rcWindow = rc;
    InvalidateRect(m_rcWindow);
    // The subtree bounds of the paint are numbered again with the tree.
    ForgetSubtreeBounds();
    if (m_pContainer != nullptr) m_pContainer->MarkWndTreeZorderDirty();
    SSendMessage(WM_NCCALCSIZE);
  }
  UpdateChildrenPosition();
  RECT client;
  GetClientRect(&client);
  const LONG width = client.right > client.left ? client.right - client.left : 0;
  const LONG height = client.bottom > client.top ? client.bottom - client.top : 0;
  SSendMessage(WM_SIZE, 0, MAKELPARAM(width, height));
  SetLayoutDirty(0);
}

SIZE SWindow::GetDesiredSize(int nParentWid, int nParentHei) {
  ILayoutParam* param = m_pLayoutParam;
  // A parent not measured yet cannot be matched: its child wraps its content for the call.
  const bool wrapH =
      !IsLayoutSizeKnown(nParentWid) && param != nullptr && param->IsMatchParent(Horz);
  const bool wrapV =
      !IsLayoutSizeKnown(nParentHei) && param != nullptr && param->IsMatchParent(Vert);
  if (wrapH) param->SetWrapContent(Horz);
  if (wrapV) param->SetWrapContent(Vert);
  const RECT rc = {0, 0, KnownSizeOr(nParentWid, kSizeUnknown),
                   KnownSizeOr(nParentHei, kSizeUnknown)};
  const SIZE size = GetDesiredSize(&rc);
  if (wrapH) param->SetMatchParent(Horz);
  if (wrapV) param->SetMatchParent(Vert);
  return size;
}

SIZE SWindow::GetDesiredSize(LPCRECT pRcContainer) {
  RECT rcC = {0, 0, kSizeUnknown, kSizeUnknown};
  if (pRcContainer != nullptr) {
    rcC.right = KnownSizeOr(pRcContainer->right - pRcContainer->left, kSizeUnknown);
    rcC.bottom = KnownSizeOr(pRcContainer->bottom - pRcContainer->top, kSizeUnknown);
  }
  const int scale = GetScale();
  ILayoutParam* param = m_pLayoutParam;
  SIZE size = {kSizeUnknown, kSizeUnknown};
  if (param != nullptr) {
    if (param->IsSpecifiedSize(Horz)) {
      size.cx = param->GetSpecifiedSize(Horz).toPixelSize(scale);
    } else if (param->IsMatchParent(Horz)) {
      size.cx = rcC.right;
    }
    if (param->IsSpecifiedSize(Vert)) {
      size.cy = param->GetSpecifiedSize(Vert).toPixelSize(scale);
    } else if (param->IsMatchParent(Vert)) {
      size.cy = rcC.bottom;
    }
  }
  if (size.cx != kSizeUnknown && size.cy != kSizeUnknown) return size;

  RECT padding;
  RECT margin;
  m_style.GetPadding(&padding);
  m_style.GetMargin(&margin);
  UINT format = m_style.GetTextAlign() & ~0xFu;
  RECT rcTest = {0, 0, size.cx, size.cy};
  int limit = size.cx;
  if (LayoutWraps(Horz)) limit = m_maxWidth.IsSpecifiedSize() ? m_maxWidth.toPixelSize(scale) : -1;
  if (limit < 0) {
    rcTest.right = kSizeUnknown;
  } else {
    rcTest.right = limit - padding.left - padding.right;
    if (rcTest.right < 10) rcTest.right = 10;
    format |= DT_WORDBREAK;
  }
  const SIZE text = MeasureText(rcTest, format);
  SIZE content =
      m_pLayout != nullptr ? m_pLayout->MeasureChildren(this, rcC.right, rcC.bottom) : SIZE{0, 0};
  if (text.cx > content.cx) content.cx = text.cx;
  if (text.cy > content.cy) content.cy = text.cy;
  if (LayoutWraps(Horz)) {
    size.cx = content.cx + padding.left + padding.right + margin.left + margin.right;
  }
  if (LayoutWraps(Vert)) {
    size.cy = content.cy + padding.top + padding.bottom + margin.top + margin.bottom;
  }
  return size;
}

SIZE SWindow::MeasureText(const RECT& rcLimit, UINT uFormat) {
  const SStringW text = GetWindowText(FALSE);
  SApplication* app = SApplication::getSingletonPtr();
  if (text.IsEmpty() || app == nullptr || app->GetRenderFactory() == nullptr) return SIZE{0, 0};
  SAutoRefPtr<IRenderTarget> rt;
  IRenderTarget* made = nullptr;
  app->GetRenderFactory()->CreateRenderTarget(&made, 0, 0);
  rt.Attach(made);
  if (rt == nullptr) return SIZE{0, 0};
  BeforePaintEx(rt);
  RECT rc = rcLimit;
  // Through the element's own DrawText: an element that lays its text out itself (a
  // multi-line static breaks lines its own way) measures as it draws.
  DrawText(rt, text, text.GetLength(), &rc, uFormat | DT_CALCRECT);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void SWindow::Move(LPCRECT prect) {
  if (prect != nullptr) {
    m_bFloat = 1;
    const RECT rc = *prect;
    OnRelayout(rc);
  } else if (m_pParent != nullptr) {
    m_bFloat = 0;
    RequestRelayout(this, TRUE);
  }
}

void SWindow::Move(int x, int y, int nWid, int nHei) {
  if (nWid == -1) nWid = m_rcWindow.right - m_rcWindow.left;
  if (nHei == -1) nHei = m_rcWindow.bottom - m_rcWindow.top;
  const RECT rc = {x, y, x + nWid, y + nHei};
  Move(&rc);
}

int SWindow::GetScale() const { return m_pContainer != nullptr ? m_pContainer->GetScale() : 100; }

}  // namespace SWUI
