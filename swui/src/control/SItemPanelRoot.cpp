#include "control/SItemPanelRoot.h"

#include "control/EventItemPanelClick.h"
#include "control/EventItemPanelDbclick.h"
#include "control/EventItemPanelHover.h"
#include "control/EventItemPanelLeave.h"
#include "control/EventItemPanelRclick.h"
#include "control/SItemPanel.h"
#include "core/SAttrParse.h"
#include "core/SFontPool.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

SItemPanelRoot::SItemPanelRoot(SItemPanel* panel) : SRootWindow(nullptr), m_panel(panel) {
  GetEventSet()->AddEvent<EventItemPanelClick>();
  GetEventSet()->AddEvent<EventItemPanelDbclick>();
  GetEventSet()->AddEvent<EventItemPanelRclick>();
  GetEventSet()->AddEvent<EventItemPanelHover>();
  GetEventSet()->AddEvent<EventItemPanelLeave>();
}

SItemPanel* SItemPanelRoot::PanelOf(SWindow* wnd) {
  SItemPanelRoot* root = dynamic_cast<SItemPanelRoot*>(wnd);
  return root != nullptr ? root->m_panel : nullptr;
}

// ---- colours -----------------------------------------------------------------------------

void SItemPanelRoot::SetColors(COLORREF crNormal, COLORREF crSelected) {
  m_crNormal = crNormal;
  m_crSelected = crSelected;
}

COLORREF SItemPanelRoot::GetStateBkgnd() const {
  if ((m_dwState & WndState_Check) && m_crSelected != CR_INVALID) return m_crSelected;
  if ((m_dwState & WndState_Hover) && m_crHover != CR_INVALID) return m_crHover;
  return m_crNormal;
}

void SItemPanelRoot::SetBkgndSkin(ISkinObj* skin) { m_pBgSkin = skin; }

HRESULT SItemPanelRoot::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                     BOOL bLoading) {
  struct ColorAttr {
    LPCWSTR name;
    COLORREF SItemPanelRoot::*field;
  };
  static const ColorAttr kColors[] = {{L"colorNormal", &SItemPanelRoot::m_crNormal},
                                      {L"colorSelected", &SItemPanelRoot::m_crSelected},
                                      {L"colorHover", &SItemPanelRoot::m_crHover}};
  for (const ColorAttr& attr : kColors) {
    if (!SAttrParse::IsName(strAttribName, attr.name)) continue;
    // An empty value is refused and keeps the colour.
    if (FAILED(ParseNamedColor(strValue, &(this->*attr.field)))) return E_FAIL;
    return AfterAttribute(strAttribName, strValue, bLoading, S_OK);
  }
  return SRootWindow::SetAttribute(strAttribName, strValue, bLoading);
}

// ---- hit testing, painting, tooltip ------------------------------------------------------

SwndHandle SItemPanelRoot::SwndFromPoint(const POINT& pt, BOOL bOnlyText) {
  const SwndHandle hit = SRootWindow::SwndFromPoint(pt, bOnlyText);
  return hit == m_swnd ? 0 : hit;
}

BOOL SItemPanelRoot::OnEraseBkgnd(IRenderTarget* pRT) {
  const COLORREF color = GetStateBkgnd();
  if (m_pBgSkin != nullptr || color == CR_INVALID) return SRootWindow::OnEraseBkgnd(pRT);
  RECT rc;
  GetClientRect(&rc);
  pRT->FillSolidRect(&rc, color);
  return TRUE;
}

void SItemPanelRoot::BeforePaint(IRenderTarget* pRT, SPainter& painter) {
  const int state = GetStateIndex();
  SAutoRefPtr<IFont> font = m_style.GetTextFont(state);
  if (font == nullptr) {
    if (SFontPool* fonts = SFontPool::getSingletonPtr()) font = fonts->GetFont(SStringW(), GetScale());
  }
  if (font != nullptr) {
    IRenderObj* old = nullptr;
    pRT->SelectObject(font, &old);
    painter.oldFont.Attach(old);
  }
  const COLORREF color = m_style.GetTextColor(state);
  painter.oldTextColor = pRT->SetTextColor(color == CR_INVALID ? 0xFF000000 : color);
}

BOOL SItemPanelRoot::UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) {
  const RECT rcItem = m_panel->GetItemRect();
  const POINT ptItem = {pt.x - rcItem.left, pt.y - rcItem.top};
  const SwndHandle hover = m_panel->GetHover();
  if (hover != 0 && hover != m_swnd) {
    SWindow* wnd = SWindow::GetSwndFromHandle(hover);
    if (wnd == nullptr) {
      tipInfo = SwndToolTipInfo();
      return TRUE;
    }
    const BOOL shown = wnd->UpdateToolTip(ptItem, tipInfo);
    OffsetRect(&tipInfo.rcTarget, rcItem.left, rcItem.top);
    return shown;
  }
  tipInfo.swnd = m_swnd;
  tipInfo.dwCookie = 0;
  tipInfo.rcTarget = rcItem;
  tipInfo.strTip = GetToolTipText();
  return TRUE;
}

// ---- visibility and destruction ----------------------------------------------------------

void SItemPanelRoot::OnShowWindow(BOOL bShow, UINT nStatus) {
  SRootWindow::OnShowWindow(bShow, nStatus);
  m_panel->UpdateTimelineRegistration();
}

void SItemPanelRoot::OnDestroy() {
  m_panel->UnregisterTimeline();
  SRootWindow::OnDestroy();
}

}  // namespace SWUI
