#include "controls/ZuRadioButton.h"

using namespace SWUI;

void ZuRadioButton::OnLButtonUp(UINT nFlags, POINT pt) {
  if (IsAutoCheck() && !IsChecked()) SetCheck(TRUE);
  // The radio box's own release would check it whatever autoCheck says.
  SWindow::OnLButtonUp(nFlags, pt);
}

void ZuRadioButton::OnSetFocus(UINT, WPARAM wParam, LPARAM lParam) {
  if (lParam != kFocusRestored && IsAutoCheck() && !IsChecked()) SetCheck(TRUE);
  SWindow::OnSetFocus(static_cast<SwndHandle>(wParam));
}
