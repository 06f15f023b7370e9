// SWindow: construction, the tree, state, texts, lookups and the tree-wide messages. The
// attributes and layout hooks are in SWindowLayout.cpp, painting in SWindowPaint.cpp and
// input, focus and events in SWindowInput.cpp.
#include "core/SWindow.h"

#include "core/EventCmd.h"
#include "core/EventCtxMenu.h"
#include "core/EventKillFocus.h"
#include "core/EventLButtonDown.h"
#include "core/EventLButtonUp.h"
#include "core/EventSetFocus.h"
#include "core/EventSwndCreate.h"
#include "core/EventSwndDestroy.h"
#include "core/EventSwndMouseHover.h"
#include "core/EventSwndMouseLeave.h"
#include "core/EventSwndSize.h"
#include "core/EventSwndStateChanged.h"
#include "core/EventSwndUpdateTooltip.h"
#include "core/EventSwndVisibleChanged.h"
#include "core/SApplication.h"
#include "core/SLog.h"
#include "core/SSkinPoolMgr.h"
#include "core/SWindowMgr.h"

namespace SWUI {

SWindow::SWindow()
    : m_swnd(SWindowMgr::NewWindow(this)),
      m_strText(this),
      m_strToolTip(this),
      m_dwFlags(SWF_VISIBLE | SWF_DISPLAY | SWF_DRAWFOCUSRECT | SWF_CACHEDIRTY | SWF_LAYOUT_SELF) {
  m_maxWidth.SetWrapContent();
  if (SApplication* app = SApplication::getSingletonPtr()) {
    m_pLayout = app->CreateLayoutByName(L"SwuiLayout");
    if (m_pLayout != nullptr) m_pLayoutParam = m_pLayout->CreateLayoutParam();
    if (m_pLayoutParam != nullptr) m_pLayoutParam->SetMatchParent(Both);
  }
  // The events every element fires, in the order they are added.
  m_evtSet.AddEvent<EventSwndCreate>();
  m_evtSet.AddEvent<EventSwndDestroy>();
  m_evtSet.AddEvent<EventSwndSize>();
  m_evtSet.AddEvent<EventSwndMouseHover>();
  m_evtSet.AddEvent<EventSwndMouseLeave>();
  m_evtSet.AddEvent<EventSwndStateChanged>();
  m_evtSet.AddEvent<EventSwndVisibleChanged>();
  m_evtSet.AddEvent<EventSwndUpdateTooltip>();
  m_evtSet.AddEvent<EventLButtonDown>();
  m_evtSet.AddEvent<EventLButtonUp>();
  m_evtSet.AddEvent<EventCmd>();
  m_evtSet.AddEvent<EventCtxMenu>();
  m_evtSet.AddEvent<EventSetFocus>();
  m_evtSet.AddEvent<EventKillFocus>();
}

SWindow::~SWindow() {
  SWindowMgr::DestroyWindow(m_swnd);
  // Children still linked (an element released without WM_DESTROY) go with it.
  while (SWindow* child = m_pFirstChild) {
    RemoveChild(child);
    child->Release();
  }
  m_paintRecord.reset();
  m_invalidRgn.Reset();
  m_shapeRgn.Reset();
  m_layerRT.Reset();
  m_cacheRT.Reset();
  if (m_pLayoutParam != nullptr) m_pLayoutParam->Release();
  if (m_pLayout != nullptr) m_pLayout->Release();
}

SWindow* SWindow::GetSwndFromHandle(SwndHandle swnd) {
  return dynamic_cast<SWindow*>(SWindowMgr::GetWindow(swnd));
}

ULONG_PTR SWindow::SetUserData(ULONG_PTR data) {
  ULONG_PTR old = m_uData;
  m_uData = data;
  return old;
}

void SWindow::SetFlag(DWORD flag, BOOL on) {
  if (on) {
    m_dwFlags |= flag;
  } else {
    m_dwFlags &= ~flag;
  }
}

// ---- tree --------------------------------------------------------------------------------

void SWindow::LinkChild(SWindow* pChild, SWindow* pInsertAfter) {
  if (pInsertAfter == m_pLastChild) pInsertAfter = ICWND_LAST;
  // An element that is not a child cannot be a place: the child goes last.
  if (pInsertAfter != ICWND_LAST && pInsertAfter != ICWND_FIRST &&
      pInsertAfter->m_pParent != this) {
    pInsertAfter = ICWND_LAST;
  }
  if (pInsertAfter == ICWND_LAST) {
    pChild->m_pPrevSibling = m_pLastChild;
    if (m_pLastChild != nullptr) {
      m_pLastChild->m_pNextSibling = pChild;
    } else {
      m_pFirstChild = pChild;
    }
    m_pLastChild = pChild;
  } else if (pInsertAfter == ICWND_FIRST) {
    pChild->m_pNextSibling = m_pFirstChild;
    if (m_pFirstChild != nullptr) {
      m_pFirstChild->m_pPrevSibling = pChild;
    } else {
      m_pLastChild = pChild;
    }
    m_pFirstChild = pChild;
  } else {
    pChild->m_pPrevSibling = pInsertAfter;
    pChild->m_pNextSibling = pInsertAfter->m_pNextSibling;
    pInsertAfter->m_pNextSibling->m_pPrevSibling = pChild;
    pInsertAfter->m_pNextSibling = pChild;
  }
}

void SWindow::InsertChild(SWindow* pNewChild, SWindow* pInsertAfter) {
  if (pNewChild == nullptr || pNewChild->m_pParent == this) return;
  // A child of another element moves here with that tree's reference; linked into two
  // child lists it would corrupt both.
  if (pNewChild->m_pParent != nullptr) pNewChild->m_pParent->RemoveChild(pNewChild);
  pNewChild->SetContainer(m_pContainer);
  pNewChild->m_pPrevSibling = pNewChild->m_pNextSibling = nullptr;
  pNewChild->m_pParent = this;
  LinkChild(pNewChild, pInsertAfter);
  ++m_nChildrenCount;
  SetLayoutDirty(SWF_LAYOUT_SELF);
  if (m_pLayout != nullptr && (pNewChild->m_pLayoutParam == nullptr ||
                               !m_pLayout->IsParamAcceptable(pNewChild->m_pLayoutParam))) {
    if (ILayoutParam* param = m_pLayout->CreateLayoutParam()) {
      pNewChild->SetLayoutParam(param);
      param->Release();
    }
  }
  pNewChild->SSendMessage(WM_ENABLE, !IsDisabled(TRUE), 1);
  ForgetSubtreeBounds();
  if (m_pContainer != nullptr) m_pContainer->MarkWndTreeZorderDirty();
}

void SWindow::ForgetSubtreeBounds() {
  for (SWindow* p = this; p != nullptr && p->m_bSubtreeKnown; p = p->m_pParent) {
    p->m_bSubtreeKnown = false;
  }
}

BOOL SWindow::RemoveChild(SWindow* pChild) {
  if (pChild == nullptr || pChild->m_pParent != this) return FALSE;
  if (pChild->m_pPrevSibling != nullptr) {
    pChild->m_pPrevSibling->m_pNextSibling = pChild->m_pNextSibling;
  } else {
    m_pFirstChild = pChild->m_pNextSibling;
  }
  if (pChild->m_pNextSibling != nullptr) {
    pChild->m_pNextSibling->m_pPrevSibling = pChild->m_pPrevSibling;
  } else {
    m_pLastChild = pChild->m_pPrevSibling;
  }
  pChild->m_pParent = pChild->m_pPrevSibling = pChild->m_pNextSibling = nullptr;
  --m_nChildrenCount;
  if (m_pContainer != nullptr) m_pContainer->MarkWndTreeZorderDirty();
  return TRUE;
}

BOOL SWindow::DestroyChild(SWindow* pChild) {
  if (pChild == nullptr || pChild->m_pParent != this) return FALSE;
  pChild->InvalidateRect(nullptr);
  pChild->SSendMessage(WM_DESTROY);
  RemoveChild(pChild);
  pChild->Release();
  return TRUE;
}

BOOL SWindow::DestroyWindow() {
  if (m_pParent != nullptr) return m_pParent->DestroyChild(this);
  SSendMessage(WM_DESTROY);
  Release();
  return TRUE;
}

void SWindow::BringWindowToTop() {
  SWindow* parent = m_pParent;
  if (parent == nullptr) return;
  parent->RemoveChild(this);
  // Put back without the container and state round InsertChild makes: nothing else changed.
  m_pParent = parent;
  parent->LinkChild(this, ICWND_LAST);
  ++parent->m_nChildrenCount;
  if (m_pContainer != nullptr) m_pContainer->MarkWndTreeZorderDirty();
}

SWindow* SWindow::GetWindow(int uCode) const {
  switch (uCode) {
    case GSW_FIRSTCHILD:
      return m_pFirstChild;
    case GSW_LASTCHILD:
      return m_pLastChild;
    case GSW_PREVSIBLING:
      return m_pPrevSibling;
    case GSW_NEXTSIBLING:
      return m_pNextSibling;
    case GSW_PARENT:
      return m_pParent;
    case GSW_OWNER:
      return m_pOwner;
    default:
      return nullptr;
  }
}

SWindow* SWindow::GetChild(int iChild) const {
  if (iChild == 0) return const_cast<SWindow*>(this);
  if (iChild < 0) return nullptr;
  SWindow* child = m_pFirstChild;
  for (int i = 1; child != nullptr && i < iChild; ++i) child = child->m_pNextSibling;
  return child;
}

SWindow* SWindow::GetTopLevelParent() const {
  const SWindow* wnd = this;
  while (wnd->m_pParent != nullptr) wnd = wnd->m_pParent;
  return const_cast<SWindow*>(wnd);
}

BOOL SWindow::IsDescendant(const SWindow* pAncestor) const {
  if (pAncestor == nullptr) return FALSE;
  for (const SWindow* p = m_pParent; p != nullptr; p = p->m_pParent) {
    if (p == pAncestor) return TRUE;
  }
  return FALSE;
}

void SWindow::SetContainer(ISwndContainer* pContainer) {
  m_pContainer = pContainer;
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    child->SetContainer(pContainer);
  }
}

// ---- lookup ------------------------------------------------------------------------------

SWindow* SWindow::FindChildByID(int nID, int nDeep) const {
  if (nID == 0 || nDeep == 0) return nullptr;
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    if (child->GetID() == nID) return child;
  }
  if (nDeep > 0 && --nDeep == 0) return nullptr;
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    if (SWindow* found = child->FindChildByID(nID, nDeep)) return found;
  }
  return nullptr;
}

SWindow* SWindow::FindChildByName(LPCWSTR pszName, int nDeep) const {
  if (pszName == nullptr || nDeep == 0) return nullptr;
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    LPCWSTR name = child->GetName();
    if (name != nullptr && wcscmp(name, pszName) == 0) return child;
  }
  if (nDeep > 0 && --nDeep == 0) return nullptr;
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    if (SWindow* found = child->FindChildByName(pszName, nDeep)) return found;
  }
  return nullptr;
}

namespace {

// A failed typed search: one line, formatted wide, written in the ANSI code page.
void TraceFindFailed(const SStringW& text, int line, const char* func) {
  SStringW wide = text.GetLength() >= SLog::kBufferSize ? text.Left(SLog::kBufferSize - 1) : text;
  SStringA narrow = StringW2A(wide, CP_ACP);
  if (narrow.GetLength() >= SLog::kBufferSize) narrow = narrow.Left(SLog::kBufferSize - 1);
  SLog::Write(LOG_LEVEL_WARN, "swui", "include/core/SWnd", line, func, narrow);
}

}  // namespace

void SWindow::TraceFindByIdFailed(LPCWSTR className, int nID, int nDeep) {
  SStringW text;
  text.Format(
      L"FindChildByID2 Failed, no window of class [%s] with id of [%d] was found within "
      L"[%d] levels",
      className, nID, nDeep);
  TraceFindFailed(text, 496, "SWUI::SWindow::FindChildByID2");
}

void SWindow::TraceFindByNameFailed(LPCWSTR className, LPCWSTR pszName, int nDeep) {
  SStringW text;
  text.Format(
      L"FindChildByName2 Failed, no window of class [%s] with name of [%s] was found "
      L"within [%d] levels",
      className, pszName != nullptr ? pszName : L"", nDeep);
  TraceFindFailed(text, 533, "SWUI::SWindow::FindChildByName2");
}

// ---- rectangles --------------------------------------------------------------------------

void SWindow::GetClientRect(LPRECT prect) const {
  RECT margin;
  m_style.GetMargin(&margin);
  *prect = m_rcWindow;
  prect->left += margin.left;
  prect->top += margin.top;
  prect->right -= margin.right;
  prect->bottom -= margin.bottom;
}

RECT SWindow::GetClientRect() const {
  RECT rc;
  GetClientRect(&rc);
  return rc;
}

void SWindow::GetTextRect(LPRECT prect) const {
  RECT padding;
  m_style.GetPadding(&padding);
  GetClientRect(prect);
  prect->left += padding.left;
  prect->top += padding.top;
  prect->right -= padding.right;
  prect->bottom -= padding.bottom;
}

void SWindow::GetChildrenLayoutRect(RECT* prc) const { SWindow::GetTextRect(prc); }

// ---- state -------------------------------------------------------------------------------

int SWindow::StateIndexOf(DWORD dwState) {
  if (dwState & WndState_Disable) return SwndStyle::kStateDisable;
  if (dwState & (WndState_PushDown | WndState_Check)) return SwndStyle::kStatePush;
  if (dwState & WndState_Hover) return SwndStyle::kStateHover;
  return SwndStyle::kStateNormal;
}

DWORD SWindow::ModifyState(DWORD dwStateAdd, DWORD dwStateRemove, BOOL bUpdate) {
  const DWORD oldState = m_dwState;
  const DWORD newState = (oldState & ~dwStateRemove) | dwStateAdd;
  OnStateChanging(oldState, newState);
  m_dwState = newState;
  // A shown or hidden element changes what lies over the cached background, wherever it is.
  if (oldState != newState) {
    MarkStaticContentDirty(((oldState ^ newState) & WndState_Invisible) != 0);
  }
  OnStateChanged(oldState, newState);
  if (bUpdate && NeedRedrawWhenStateChange()) InvalidateRect(m_rcWindow);
  return oldState;
}

void SWindow::OnStateChanging(DWORD, DWORD) {}

void SWindow::OnStateChanged(DWORD dwOldState, DWORD dwNewState) {
  EventSwndStateChanged evt(this);
  evt.dwOldState = dwOldState;
  evt.dwNewState = dwNewState;
  FireEvent(evt);
  SendAccessibleNotice(EVENT_OBJECT_STATECHANGE);
}

void SWindow::SetCheck(BOOL bCheck) {
  if (bCheck) {
    ModifyState(WndState_Check, 0, TRUE);
  } else {
    ModifyState(0, WndState_Check, TRUE);
  }
}

BOOL SWindow::IsDisabled(BOOL bCheckParent) const {
  if (bCheckParent) return (m_dwState & WndState_Disable) != 0;
  return (m_dwFlags & SWF_DISABLE) != 0;
}

BOOL SWindow::IsVisible(BOOL bCheckParent) const {
  if (bCheckParent) return (m_dwState & WndState_Invisible) == 0;
  return (m_dwFlags & SWF_VISIBLE) != 0;
}

void SWindow::SetVisible(BOOL bVisible, BOOL bUpdate) {
  if (bUpdate) InvalidateRect(m_rcWindow);
  SSendMessage(WM_SHOWWINDOW, bVisible, 0);
  if (bUpdate) InvalidateRect(m_rcWindow);
}

void SWindow::EnableWindow(BOOL bEnable, BOOL bUpdate) {
  SSendMessage(WM_ENABLE, bEnable, 0);
  if (bUpdate) InvalidateRect(m_rcWindow);
}

BOOL SWindow::NeedRedrawWhenStateChange() {
  if (m_pBgSkin != nullptr && !m_pBgSkin->IgnoreState()) return TRUE;
  return m_style.GetStates() > 1;
}

void SWindow::OnShowWindow(BOOL bShow, UINT nStatus) {
  if (nStatus != 1) {
    SetFlag(SWF_VISIBLE, bShow);
  } else if (bShow && !(m_dwFlags & SWF_VISIBLE)) {
    bShow = FALSE;  // the parent shows what its own setting keeps hidden
  }
  const BOOL shown = bShow && (m_pParent == nullptr || m_pParent->IsVisible(TRUE));
  if (shown) {
    ModifyState(0, WndState_Invisible, FALSE);
    SendAccessibleNotice(EVENT_OBJECT_SHOW);
  } else {
    ModifyState(WndState_Invisible, 0, FALSE);
    SendAccessibleNotice(EVENT_OBJECT_HIDE);
  }
  for (SWindow* child = m_pFirstChild; child != nullptr;) {
    SAutoRefPtr<SWindow> hold(child);  // a handler may destroy it
    child->SSendMessage(WM_SHOWWINDOW, shown, 1);
    child = child->m_pNextSibling;
  }
  if (!shown && m_pContainer != nullptr) {
    if (IsFocused()) m_pContainer->OnSetSwndFocus(0);
    if (m_pContainer->OnGetSwndCapture() == m_swnd) m_pContainer->OnReleaseSwndCapture();
  }
  if (!(m_dwFlags & SWF_DISPLAY)) RequestRelayout(this, TRUE);
  EventSwndVisibleChanged evt(this);
  FireEvent(evt);
}

void SWindow::OnEnable(BOOL bEnable, UINT nStatus) {
  if (nStatus != 1) {
    SetFlag(SWF_DISABLE, !bEnable);
  } else if (bEnable && (m_dwFlags & SWF_DISABLE)) {
    bEnable = FALSE;  // the parent enables what its own setting keeps disabled
  }
  const BOOL enabled = bEnable && (m_pParent == nullptr || !m_pParent->IsDisabled(TRUE));
  if (enabled) {
    ModifyState(0, WndState_Disable, FALSE);
  } else {
    ModifyState(WndState_Disable, WndState_Hover, FALSE);
  }
  for (SWindow* child = m_pFirstChild; child != nullptr;) {
    SAutoRefPtr<SWindow> hold(child);  // a handler may destroy it
    child->SSendMessage(WM_ENABLE, enabled, 1);
    child = child->m_pNextSibling;
  }
  if (!enabled && IsFocused()) m_pContainer->OnSetSwndFocus(0);
}

// ---- lifecycle messages ------------------------------------------------------------------

int SWindow::OnCreate(LPVOID) {
  if (m_pContainer != nullptr) {
    if (m_style.IsTrackMouseEvent()) {
      m_pContainer->RegisterTrackMouseEvent(m_swnd);
    } else {
      m_pContainer->UnregisterTrackMouseEvent(m_swnd);
    }
  }
  m_style.SetScale(GetScale());
  EventSwndCreate evt(this);
  FireEvent(evt);
  SendAccessibleNotice(EVENT_OBJECT_CREATE);
  return 0;
}

void SWindow::OnDestroy() {
  EventSwndDestroy evt(this);
  FireEvent(evt);
  // A client takes an element's destruction for its whole subtree, and a host window's, which
  // the system announces, for its tree: only the top of a subtree taken out of a living tree
  // is announced, so a window's teardown sends no notice per element.
  const SWNDMSG* parentMsg = m_pParent != nullptr ? m_pParent->GetCurMsg() : nullptr;
  if (m_pParent != nullptr && (parentMsg == nullptr || parentMsg->uMsg != WM_DESTROY)) {
    SendAccessibleNotice(EVENT_OBJECT_DESTROY);
  }
  while (SWindow* child = m_pFirstChild) {
    {
      SAutoRefPtr<SWindow> hold(child);  // a handler may destroy it
      child->SSendMessage(WM_DESTROY);
    }
    // The handler may have destroyed or moved it already.
    if (child == m_pFirstChild) {
      RemoveChild(child);
      child->Release();
    }
  }
}

// ---- texts -------------------------------------------------------------------------------

SStringW SWindow::GetWindowText(BOOL bRawText) { return m_strText.GetText(bRawText); }

void SWindow::SetWindowText(LPCWSTR lpszText) {
  m_strText.SetText(SStringW(lpszText));
  MarkStaticContentDirty(false);
  SendAccessibleNotice(EVENT_OBJECT_NAMECHANGE);
  if (IsVisible(TRUE)) Invalidate();
  if (LayoutWraps(Horz) || LayoutWraps(Vert)) {
    RequestRelayout(this, TRUE);
    if (IsVisible(TRUE)) Invalidate();
  }
}

void SWindow::SetToolTipText(LPCWSTR pszText) {
  m_strToolTip.SetText(SStringW(pszText));
  if (m_pContainer != nullptr && m_pContainer->GetHover() == m_swnd) {
    m_pContainer->UpdateTooltip();
  }
}

SStringW SWindow::GetToolTipText() { return m_strToolTip.GetText(FALSE); }

SStringW SWindow::tr(const SStringW& strSrc) const {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->Translate(strSrc, GetTrCtx()) : strSrc;
}

SStringW SWindow::GetTrCtx() const {
  return m_pContainer != nullptr ? m_pContainer->GetTranslatorContext() : SStringW();
}

// ---- language, scale and colour ----------------------------------------------------------

BOOL SWindow::OnLanguageChanged() {
  m_strText.TranslateText();
  m_strToolTip.TranslateText();
  return !(LayoutWraps(Horz) || LayoutWraps(Vert));
}

void SWindow::OnSetLanguage() {
  MarkStaticContentDirty(true);
  if (OnLanguageChanged()) {
    Invalidate();
  } else {
    RequestRelayout(this, TRUE);
  }
}

void SWindow::ScaleSkin(SAutoRefPtr<ISkinObj>& skin, int nScale) {
  if (skin == nullptr) return;
  LPCWSTR name = skin->GetName();
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  if (name == nullptr || *name == 0 || pools == nullptr) return;
  if (ISkinObj* scaled = pools->GetSkin(SStringW(name), nScale)) skin = scaled;
}

void SWindow::OnScaleChanged(int scale) {
  m_style.SetScale(scale);
  ScaleSkin(m_pBgSkin, scale);
  ScaleSkin(m_pNcSkin, scale);
  SetLayoutDirty(SWF_LAYOUT_SELF);
}

void SWindow::OnSetScale(int scale) {
  MarkStaticContentDirty(true);
  OnScaleChanged(scale);
}

void SWindow::MarkStaticContentDirty(bool always) {
  if (m_pContainer != nullptr && (always || m_staticParts != kStaticNone)) {
    m_pContainer->MarkStaticContentDirty();
  }
}

void SWindow::OnColorize(COLORREF cr) {
  if (cr == m_crColorize) return;
  m_crColorize = cr;
  if (m_pNcSkin != nullptr) m_pNcSkin->OnColorize(cr);
  if (m_pBgSkin != nullptr) m_pBgSkin->OnColorize(cr);
  InvalidateRect(m_rcWindow);
}

void SWindow::OnSetColorize(COLORREF cr) {
  MarkStaticContentDirty(true);
  OnColorize(cr);
}

void SWindow::DoColorize(COLORREF cr) { SDispatchMessage(UM_SETCOLORIZE, cr, 0); }

}  // namespace SWUI
