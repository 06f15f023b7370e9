#include "control/SSplitWnd_Row.h"

#include "control/SControlSkin.h"

namespace SWUI {

namespace {

constexpr int kBuiltinHorzBarSkin = 13;  // "_skin.sys.split.horz"

}  // namespace

SSplitWnd_Row::SSplitWnd_Row() {
  m_bVertical = FALSE;
  m_pSepSkin = SControlSkin::Builtin(kBuiltinHorzBarSkin);
}

}  // namespace SWUI
