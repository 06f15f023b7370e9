// A split window of panes side by side ("splitcol"): "vertical" 1 and the built-in bar skin
// "_skin.sys.split.vert". It answers the class test as "splitwnd" too.
#pragma once
#include "control/SSplitWnd.h"

namespace SWUI {

class SSplitWnd_Col : public SSplitWnd {
  SWUI_CLASS_NAME(SSplitWnd, L"splitcol")

 public:
  SSplitWnd_Col();
};

}  // namespace SWUI
