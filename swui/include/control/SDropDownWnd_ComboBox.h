// The combo box's drop-down. The combo's host window keeps the keyboard while the drop-down is
// open (the drop-down never activates), so its loop filter hands the wheel and the list's keys
// (Up, Down, Return, Escape) to the drop-down window itself and consumes them there.
#pragma once
#include "core/SDropDownWnd.h"

namespace SWUI {

class SDropDownWnd_ComboBox : public SDropDownWnd {
 public:
  explicit SDropDownWnd_ComboBox(ISDropDownOwner* pOwner) : SDropDownWnd(pOwner) {}

  BOOL PreTranslateMessage(MSG* pMsg) override;
};

}  // namespace SWUI
