// "hbox": a linear layout that starts horizontal.
#pragma once
#include "layout/SLinearLayout.h"

namespace SWUI {

class SHBox : public SLinearLayout {
  SWUI_CLASS_NAME(SLinearLayout, L"hbox")

 public:
  SHBox() : SLinearLayout(Horz) {}
};

}  // namespace SWUI
