// A check box ("check"): the check skin (built-in "_skin.sys.checkbox") at the left, vertically
// centred, the text beside it; a click that begins and ends on it, or Space, toggles it.
#pragma once
#include "control/SCheckableWnd.h"

namespace SWUI {

class SCheckBox : public SCheckableWnd {
  SWUI_CLASS_NAME(SWindow, L"check")

 public:
  SCheckBox();

  // Dialog code 8: the check box wants characters.
  UINT OnGetDlgCode() override { return 8; }
  // The client rectangle right of the icon.
  void GetTextRect(LPRECT prect) const override;
  // The focus skin over the icon; without one SWindow's focus rectangle.
  void DrawFocus(IRenderTarget* pRT) override;

 protected:
  RECT GetIconRect() const override;

  void OnLButtonDblClk(UINT nFlags, POINT pt) { SWindow::OnLButtonDown(nFlags, pt); }
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(SCheckableWnd)

 private:
  void Toggle() { SetCheck(!IsChecked()); }
};

}  // namespace SWUI
