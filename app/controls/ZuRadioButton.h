// The application's radio button ("zuradiobtn"): mode choices. With "autoCheck" a click or a
// focus arrival checks it (the radio group unchecks the sibling), except the focus given back
// when the host window becomes active again; without it the page logic sets the state.
#pragma once
#include "control/SRadioBox.h"
#include "controls/ZuCheckable.h"

class ZuRadioButton : public ZuCheckable<SWUI::SRadioBox> {
  SWUI_CLASS_NAME(SWUI::SRadioBox, L"zuradiobtn")

 protected:
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONUP(OnLButtonUp)
  SWND_MSG_ENTRY(WM_SETFOCUS, (OnSetFocus(uMsg, wParam, lParam), 0))
  SWND_END_MSG_MAP(ZuCheckable<SWUI::SRadioBox>)
};
