#include "control/SCheckableWnd.h"

#include <algorithm>

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"

namespace SWUI {

SCheckableWnd::SCheckableWnd(int skinIndex, int focusSkinIndex)
    : m_pSkin(SControlSkin::Builtin(skinIndex)),
      m_pFocusSkin(SControlSkin::Builtin(focusSkinIndex)) {
  m_style.SetAttribute(L"align", L"left", TRUE);
  m_dwFlags |= SWF_FOCUSABLE;
}

HRESULT SCheckableWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  const bool isSkin = SAttrParse::IsName(name, L"skin");
  if (isSkin || SAttrParse::IsName(name, L"focusSkin")) {
    SAutoRefPtr<ISkinObj>& skin = isSkin ? m_pSkin : m_pFocusSkin;
    if (!SControlSkin::Assign(skin, value, GetScale())) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"checked")) {
    SetCheck(SAttrParse::Bool(value));
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

int SCheckableWnd::GetDrawState() const {
  return m_pSkin != nullptr ? SControlSkin::CheckState(m_dwState) : -1;
}

void SCheckableWnd::OnColorize(COLORREF cr) {
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pFocusSkin, cr);
  SControlSkin::Colorize(m_pSkin, cr);
}

void SCheckableWnd::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pFocusSkin, scale);
  ScaleSkin(m_pSkin, scale);
}

SIZE SCheckableWnd::GetDesiredSize(LPCRECT pRcContainer) {
  const SIZE size = SWindow::GetDesiredSize(pRcContainer);
  const SIZE skin = SControlSkin::SizeOf(m_pSkin);
  const SIZE content = {size.cx + skin.cx + kIconGap, std::max(size.cy, skin.cy)};
  return SControlSkin::WrapContent(this, size, content);
}

void SCheckableWnd::OnPaint(IRenderTarget* pRT) {
  SControlSkin::DrawState(m_pSkin, pRT, GetIconRect(), GetDrawState());
  SWindow::OnPaint(pRT);
}

void SCheckableWnd::DrawFocusSkin(IRenderTarget* pRT) {
  SControlSkin::DrawState(m_pFocusSkin, pRT, GetIconRect(), 0);
}

}  // namespace SWUI
