#include "control/SToggle.h"

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

constexpr int kToggleSkin = 8;
// States of a toggled toggle follow the three untoggled ones.
constexpr int kToggledStates = 3;

}  // namespace

SToggle::SToggle() : m_pSkin(SControlSkin::Builtin(kToggleSkin)) {}

HRESULT SToggle::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"toggled")) {
    m_bToggled = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  if (SAttrParse::IsName(name, L"skin")) {
    if (!SControlSkin::Assign(m_pSkin, value, GetScale())) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SToggle::SetToggle(BOOL bToggle, BOOL bUpdate) {
  m_bToggled = bToggle;
  if (bUpdate) InvalidateRect(nullptr);
}

void SToggle::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkin, cr);
}

SIZE SToggle::GetDesiredSize(LPCRECT pRcContainer) {
  return SControlSkin::WrapContent(this, SWindow::GetDesiredSize(pRcContainer),
                                   SControlSkin::SizeOf(m_pSkin));
}

void SToggle::OnPaint(IRenderTarget* pRT) {
  int state = SkinState_Normal;
  if (m_dwState & WndState_PushDown) {
    state = SkinState_PushDown;
  } else if (m_dwState & WndState_Hover) {
    state = SkinState_Hover;
  }
  if (m_bToggled) state += kToggledStates;
  SControlSkin::DrawState(m_pSkin, pRT, m_rcWindow, state);
}

void SToggle::OnLButtonUp(UINT nFlags, POINT pt) {
  if (PtInRect(&m_rcWindow, pt)) m_bToggled = !m_bToggled;
  SWindow::OnLButtonUp(nFlags, pt);
}

}  // namespace SWUI
