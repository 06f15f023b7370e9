// The application's check button ("zucheckbtn"): toggles, the connect button and the EQ bypass
// buttons. It toggles itself on a click only with "autoCheck"; without it (the connect button)
// a click or Space only fires the command and the page logic sets the state.
#pragma once
#include "control/SCheckBox.h"
#include "controls/ZuCheckable.h"

class ZuCheckButton : public ZuCheckable<SWUI::SCheckBox> {
  SWUI_CLASS_NAME(SWUI::SCheckBox, L"zucheckbtn")

 protected:
  // With autoCheck, a release inside after a press on the button toggles it; then the
  // element's own release (the command).
  void OnLButtonUp(UINT nFlags, POINT pt);
  // Space toggles (with autoCheck only) and fires the command; other keys do nothing.
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(ZuCheckable<SWUI::SCheckBox>)
};
