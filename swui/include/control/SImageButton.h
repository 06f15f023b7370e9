// An image button ("imgbtn"): a push button whose skin is its whole look, so it never draws
// the default focus rectangle.
#pragma once
#include "control/SButton.h"

namespace SWUI {

class SImageButton : public SButton {
  SWUI_CLASS_NAME(SButton, L"imgbtn")

 public:
  SImageButton() { m_dwFlags &= ~SWF_DRAWFOCUSRECT; }
};

}  // namespace SWUI
