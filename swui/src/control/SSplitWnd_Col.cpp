#include "control/SSplitWnd_Col.h"

#include "control/SControlSkin.h"

namespace SWUI {

namespace {

constexpr int kBuiltinVertBarSkin = 12;  // "_skin.sys.split.vert"

}  // namespace

SSplitWnd_Col::SSplitWnd_Col() {
  m_bVertical = TRUE;
  m_pSepSkin = SControlSkin::Builtin(kBuiltinVertBarSkin);
}

}  // namespace SWUI
