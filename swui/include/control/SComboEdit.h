// The edit part of an editable combo box (dropDown 0): an edit owned by its combo box. Down and
// Escape go to the combo box, hover and leave reach it as well, and the edit's text
// notifications bubble as the combo box's (its id and name as sender).
#pragma once
#include "control/SEdit.h"

namespace SWUI {

class SComboBase;

class SComboEdit : public SEdit {
 public:
  explicit SComboEdit(SComboBase* pOwner);

  BOOL FireEvent(EventArgs& evt) override;

 protected:
  void OnMouseHover(UINT nFlags, POINT pt);
  void OnMouseLeave();
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_MOUSEHOVER(OnMouseHover)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(SEdit)
};

}  // namespace SWUI
