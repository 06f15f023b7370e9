// "vbox": a linear layout that starts vertical.
#pragma once
#include "layout/SLinearLayout.h"

namespace SWUI {

class SVBox : public SLinearLayout {
  SWUI_CLASS_NAME(SLinearLayout, L"vbox")

 public:
  SVBox() : SLinearLayout(Vert) {}
};

}  // namespace SWUI
