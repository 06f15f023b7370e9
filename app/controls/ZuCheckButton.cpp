#include "controls/ZuCheckButton.h"

using namespace SWUI;

void ZuCheckButton::OnLButtonUp(UINT nFlags, POINT pt) {
  if (IsAutoCheck() && (m_dwState & WndState_PushDown) && PtInRect(&m_rcWindow, pt)) {
    SetCheck(!IsChecked());
  }
  // The check box's own release would toggle once more.
  SWindow::OnLButtonUp(nFlags, pt);
}

void ZuCheckButton::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar != VK_SPACE) return;
  if (IsAutoCheck()) SetCheck(!IsChecked());
  FireCommand();
}
