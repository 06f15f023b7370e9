#include "control/SItemPanel.h"

#include <cwchar>

#include "../core/RenderFactoryUtil.h"
#include "control/EventItemPanelClick.h"
#include "control/EventItemPanelDbclick.h"
#include "control/EventItemPanelHover.h"
#include "control/EventItemPanelLeave.h"
#include "control/EventItemPanelRclick.h"
#include "control/EventOfPanel.h"
#include "control/SItemPanelRoot.h"
#include "core/EventCmd.h"
#include "core/SMuteEvents.h"

namespace SWUI {

namespace {

// The mouse messages that raise an item event, with what they carry.
template <class E>
void FireMouseEvent(SWindow* root, WPARAM wParam, LPARAM lParam) {
  E evt(root);
  evt.wParam = wParam;
  evt.lParam = lParam;
  root->FireEvent(evt);
}

}  // namespace

SItemPanel* SItemPanel::Create(SWindow* pFrameHost, pugi::xml_node xmlNode,
                               IItemContainer* pItemContainer) {
  SItemPanel* panel = new SItemPanel(pFrameHost, pItemContainer);
  if (xmlNode) {
    panel->GetRoot()->InitFromXml(xmlNode);
    panel->BuildWndTreeZorder();
  }
  return panel;
}

SItemPanel::SItemPanel(SWindow* pFrameHost, IItemContainer* pItemContainer)
    : SwndContainerImpl(new SItemPanelRoot(this)),
      m_pFrmHost(pFrameHost),
      m_pItemContainer(pItemContainer) {}

void SItemPanel::OnFinalRelease() {
  GetRoot()->SSendMessage(WM_DESTROY);
  delete this;
}

SItemPanelRoot* SItemPanel::GetItemRoot() const { return static_cast<SItemPanelRoot*>(GetRoot()); }

BOOL SItemPanel::IsRootClass(LPCWSTR className) const {
  if (className != nullptr && wcscmp(className, L"itempanel") == 0) return TRUE;
  return SwndContainerImpl::IsRootClass(className);
}

ISwndContainer* SItemPanel::HostContainer() const {
  return m_pFrmHost != nullptr ? m_pFrmHost->GetContainer() : nullptr;
}

RECT SItemPanel::GetItemRect() const {
  RECT rc = {0, 0, 0, 0};
  if (m_pItemContainer == nullptr || !m_pItemContainer->OnItemGetRect(this, rc)) {
    SetRectEmpty(&rc);
  }
  return rc;
}

// ---- the view's messages and painting ----------------------------------------------------

LRESULT SItemPanel::DoFrameEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SAutoRefPtr<SItemPanel> hold(this);  // a handler may drop the panel
  SWindow* root = GetRoot();
  if (!root->IsDisabled(TRUE)) {
    switch (uMsg) {
      case WM_LBUTTONDOWN: FireMouseEvent<EventItemPanelClick>(root, wParam, lParam); break;
      case WM_LBUTTONDBLCLK: FireMouseEvent<EventItemPanelDbclick>(root, wParam, lParam); break;
      case WM_RBUTTONDOWN: FireMouseEvent<EventItemPanelRclick>(root, wParam, lParam); break;
      case WM_MOUSEHOVER:
        root->ModifyState(WndState_Hover, 0, TRUE);
        FireMouseEvent<EventItemPanelHover>(root, wParam, lParam);
        break;
      case WM_MOUSELEAVE: {
        root->ModifyState(0, WndState_Hover, TRUE);
        EventItemPanelLeave evt(root);
        root->FireEvent(evt);
        break;
      }
      default: break;
    }
  }
  SetFrameMsgHandled(FALSE);
  // A click anywhere in the item ends in exactly one command of the panel: its own events stay
  // silent while the release is routed.
  if (uMsg != WM_LBUTTONUP || root->GetEventSet()->IsMuted()) {
    return SwndContainerImpl::DoFrameEvent(uMsg, wParam, lParam);
  }
  LRESULT lRet;
  {
    SMuteEvents mute(root);
    lRet = SwndContainerImpl::DoFrameEvent(uMsg, wParam, lParam);
  }
  EventCmd evt(root);
  root->FireEvent(evt);
  return lRet;
}

void SItemPanel::ModifyItemState(DWORD dwStateAdd, DWORD dwStateRemove) {
  GetRoot()->ModifyState(dwStateAdd, dwStateRemove, FALSE);
}

void SItemPanel::Draw(IRenderTarget* pRT, const RECT& rcItem) {
  SRootWindow* root = GetRoot();
  root->UpdateLayout();
  SPainter painter;
  root->BeforePaint(pRT, painter);
  SAutoRefPtr<IRegion> rgn;
  IRegion* clip = nullptr;
  pRT->GetClipRegion(&clip);
  rgn.Attach(clip);
  pRT->OffsetViewportOrg(rcItem.left, rcItem.top, nullptr);
  if (rgn != nullptr) rgn->Offset(POINT{-rcItem.left, -rcItem.top});
  BuildWndTreeZorder();
  root->RedrawRegion(pRT, rgn);
  pRT->OffsetViewportOrg(-rcItem.left, -rcItem.top, nullptr);
  root->AfterPaint(pRT, painter);
}

void SItemPanel::SetSkin(ISkinObj* pSkin) { GetItemRoot()->SetBkgndSkin(pSkin); }

void SItemPanel::SetColor(COLORREF crNormal, COLORREF crSelected) {
  GetItemRoot()->SetColors(crNormal, crSelected);
}

void SItemPanel::OnRootRequestRelayout(SWindow* pSource, BOOL bSourceResizable) {
  SwndContainerImpl::OnRootRequestRelayout(pSource, bSourceResizable);
  if (m_pItemContainer != nullptr) m_pItemContainer->OnItemRequestRelayout(this);
}

// ---- frames ------------------------------------------------------------------------------

void SItemPanel::UpdateTimelineRegistration() {
  const bool shown = GetRoot()->IsVisible(TRUE) && m_pFrmHost != nullptr &&
                     m_pFrmHost->IsVisible(TRUE) && HostContainer() != nullptr;
  if (!shown) {
    UnregisterTimeline();
    return;
  }
  ISwndContainer* container = HostContainer();
  if (container == m_pTimelineContainer) return;
  UnregisterTimeline();  // the view moved to another container meanwhile
  container->RegisterTimelineHandler(this);
  m_pTimelineContainer = container;
}

void SItemPanel::UnregisterTimeline() {
  if (m_pTimelineContainer == nullptr) return;
  m_pTimelineContainer->UnregisterTimelineHandler(this);
  m_pTimelineContainer = nullptr;
}

// ---- ISwndContainer ----------------------------------------------------------------------

BOOL SItemPanel::OnFireEvent(EventArgs& evt) {
  if (m_pFrmHost == nullptr) return FALSE;
  EventOfPanel wrapped(m_pFrmHost);
  wrapped.pItemPanel = this;
  wrapped.pOrgEvt = &evt;
  return m_pFrmHost->FireEvent(wrapped);
}

HWND SItemPanel::GetHostHwnd() {
  ISwndContainer* container = HostContainer();
  return container != nullptr ? container->GetHostHwnd() : nullptr;
}

SStringW SItemPanel::GetTranslatorContext() const {
  ISwndContainer* container = HostContainer();
  return container != nullptr ? container->GetTranslatorContext() : SStringW();
}

BOOL SItemPanel::IsTranslucent() const {
  ISwndContainer* container = HostContainer();
  return container != nullptr && container->IsTranslucent();
}

BOOL SItemPanel::IsSendWheel2Hover() const {
  ISwndContainer* container = HostContainer();
  return container != nullptr && container->IsSendWheel2Hover();
}

void SItemPanel::GetContainerRect(RECT* prc) const { *prc = GetItemRect(); }

IRenderTarget* SItemPanel::OnGetRenderTarget(const RECT& rc, DWORD gdcFlags) {
  if (m_pFrmHost == nullptr) return nullptr;
  const RECT rcItem = GetItemRect();
  RECT rcHost = rc;
  OffsetRect(&rcHost, rcItem.left, rcItem.top);
  IRenderTarget* pRT = m_pFrmHost->GetRenderTarget(&rcHost, gdcFlags, TRUE);
  if (pRT == nullptr) return nullptr;
  if (gdcFlags == GRT_PAINTBKGND) {
    m_pFrmHost->SSendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pRT));
  }
  m_ptLentOffset = POINT{rcItem.left, rcItem.top};
  pRT->OffsetViewportOrg(rcItem.left, rcItem.top, nullptr);
  return pRT;
}

void SItemPanel::OnReleaseRenderTarget(IRenderTarget* pRT, const RECT&, DWORD) {
  pRT->OffsetViewportOrg(-m_ptLentOffset.x, -m_ptLentOffset.y, nullptr);
  m_pFrmHost->ReleaseRenderTarget(pRT);
}

void SItemPanel::OnRedraw(const RECT& rc) {
  if (m_pFrmHost == nullptr || m_pFrmHost->IsUpdateLocked() || !m_pFrmHost->IsVisible(TRUE)) {
    return;
  }
  const RECT rcItem = GetItemRect();
  if (rcItem.left == 0 && rcItem.top == 0 && rcItem.right == 0 && rcItem.bottom == 0) return;
  if (m_pItemContainer->IsItemRedrawDelay()) {
    RECT rcHost = rc;
    OffsetRect(&rcHost, rcItem.left, rcItem.top);
    IntersectRect(&rcHost, &rcHost, &rcItem);
    const RECT rcClient = m_pFrmHost->GetClientRect();
    if (IntersectRect(&rcHost, &rcHost, &rcClient)) m_pFrmHost->InvalidateRect(rcHost);
    return;
  }
  IRenderTarget* pRT = OnGetRenderTarget(rc, GRT_PAINTBKGND);
  if (pRT == nullptr) return;
  SAutoRefPtr<IRegion> rgn = RenderFactoryUtil::NewRegion();
  if (rgn != nullptr) {
    rgn->CombineRect(&rc, RGN_COPY);
    BuildWndTreeZorder();
    GetRoot()->RedrawRegion(pRT, rgn);
  }
  OnReleaseRenderTarget(pRT, rc, GRT_PAINTBKGND);
}

BOOL SItemPanel::OnReleaseSwndCapture() {
  SwndContainerImpl::OnReleaseSwndCapture();
  if (m_pItemContainer != nullptr) m_pItemContainer->OnItemSetCapture(this, FALSE);
  return TRUE;
}

SwndHandle SItemPanel::OnSetSwndCapture(SwndHandle swnd) {
  // A disabled element is refused: the view must not capture the mouse for nothing.
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && wnd->IsDisabled(TRUE)) return 0;
  if (m_pItemContainer != nullptr) m_pItemContainer->OnItemSetCapture(this, TRUE);
  return SwndContainerImpl::OnSetSwndCapture(swnd);
}

BOOL SItemPanel::CreateCaret(SwndHandle owner, HBITMAP hBmp, int nWidth, int nHeight) {
  ISwndContainer* container = HostContainer();
  return container != nullptr && container->CreateCaret(owner, hBmp, nWidth, nHeight);
}

BOOL SItemPanel::ShowCaret(BOOL bShow) {
  ISwndContainer* container = HostContainer();
  return container != nullptr && container->ShowCaret(bShow);
}

BOOL SItemPanel::SetCaretPos(int x, int y) {
  ISwndContainer* container = HostContainer();
  if (container == nullptr) return FALSE;
  const RECT rcItem = GetItemRect();
  return container->SetCaretPos(x + rcItem.left, y + rcItem.top);
}

BOOL SItemPanel::UpdateWindow() {
  ISwndContainer* container = HostContainer();
  return container != nullptr && container->UpdateWindow();
}

void SItemPanel::UpdateTooltip() {
  if (ISwndContainer* container = HostContainer()) container->UpdateTooltip();
}

void SItemPanel::FrameToHost(RECT& rc) const {
  const RECT rcItem = GetItemRect();
  OffsetRect(&rc, rcItem.left, rcItem.top);
  // The view may itself lie in another panel: its container moves on from there.
  if (ISwndContainer* container = HostContainer()) container->FrameToHost(rc);
}

SMessageLoop* SItemPanel::GetMsgLoop() {
  ISwndContainer* container = HostContainer();
  return container != nullptr ? container->GetMsgLoop() : nullptr;
}

IScriptModule* SItemPanel::GetScriptModule() {
  ISwndContainer* container = HostContainer();
  return container != nullptr ? container->GetScriptModule() : nullptr;
}

int SItemPanel::GetScale() const {
  ISwndContainer* container = HostContainer();
  return container != nullptr ? container->GetScale() : 100;
}

}  // namespace SWUI
