#include "control/SCheckBox.h"

#include "control/SControlSkin.h"

namespace SWUI {

namespace {

constexpr int kCheckSkin = 0;
constexpr int kFocusCheckSkin = 2;

}  // namespace

SCheckBox::SCheckBox() : SCheckableWnd(kCheckSkin, kFocusCheckSkin) {}

RECT SCheckBox::GetIconRect() const {
  const RECT client = GetClientRect();
  const SIZE skin = SControlSkin::SizeOf(m_pSkin);
  const LONG top = client.top + (client.bottom - client.top - skin.cy) / 2;
  return RECT{client.left, top, client.left + skin.cx, top + skin.cy};
}

void SCheckBox::GetTextRect(LPRECT prect) const {
  GetClientRect(prect);
  prect->left += SControlSkin::SizeOf(m_pSkin).cx + kIconGap;
}

void SCheckBox::DrawFocus(IRenderTarget* pRT) {
  if (m_pFocusSkin != nullptr) {
    DrawFocusSkin(pRT);
  } else {
    SWindow::DrawFocus(pRT);
  }
}

void SCheckBox::OnLButtonUp(UINT nFlags, POINT pt) {
  if ((m_dwState & WndState_PushDown) && PtInRect(&m_rcWindow, pt)) Toggle();
  SWindow::OnLButtonUp(nFlags, pt);
}

void SCheckBox::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar != VK_SPACE) return;
  Toggle();
  FireCommand();
}

}  // namespace SWUI
