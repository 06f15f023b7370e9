#include "control/SMenuExSep.h"

#include <algorithm>

namespace SWUI {

SMenuExSep::SMenuExSep(SMenuEx* pOwnerMenu, ISkinObj* pSepSkin)
    : SMenuExItem(pOwnerMenu, pSepSkin) {
  m_dwFlags |= SWF_DISABLE;
  m_dwState |= WndState_Disable;
}

SIZE SMenuExSep::GetDesiredSize(int, int) {
  if (!IsVisible(FALSE)) return SIZE{0, 0};
  ILayoutParam* param = GetLayoutParam();
  int height = 0;
  if (param != nullptr && param->IsSpecifiedSize(Vert)) {
    height = param->GetSpecifiedSize(Vert).toPixelSize(GetScale());
  } else if (m_pBgSkin != nullptr) {
    height = std::max(1, static_cast<int>(m_pBgSkin->GetSkinSize().cy));
  }
  RECT margin;
  m_style.GetMargin(&margin);
  return SIZE{kWidth, height + margin.top + margin.bottom};
}

BOOL SMenuExSep::OnEraseBkgnd(IRenderTarget* pRT) {
  if (m_pBgSkin != nullptr) {
    const RECT rc = GetClientRect();
    m_pBgSkin->Draw(pRT, &rc, 0);
  }
  return TRUE;
}

}  // namespace SWUI
