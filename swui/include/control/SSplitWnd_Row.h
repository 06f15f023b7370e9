// A split window of stacked panes ("splitrow"): "vertical" 0 and the built-in bar skin
// "_skin.sys.split.horz". It answers the class test as "splitwnd" too.
#pragma once
#include "control/SSplitWnd.h"

namespace SWUI {

class SSplitWnd_Row : public SSplitWnd {
  SWUI_CLASS_NAME(SSplitWnd, L"splitrow")

 public:
  SSplitWnd_Row();
};

}  // namespace SWUI
