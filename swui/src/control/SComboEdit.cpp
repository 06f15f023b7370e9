#include "control/SComboEdit.h"

#include "control/SComboBase.h"
#include "core/EventRENotify.h"

namespace SWUI {

SComboEdit::SComboEdit(SComboBase* pOwner) { SetOwner(pOwner); }

BOOL SComboEdit::FireEvent(EventArgs& evt) {
  if (evt.GetID() == EventRENotify::EventID && GetOwner() != nullptr) {
    evt.idFrom = GetOwner()->GetID();
    evt.nameFrom = GetOwner()->GetName();
  }
  return SEdit::FireEvent(evt);
}

void SComboEdit::OnMouseHover(UINT nFlags, POINT pt) {
  SWindow::OnMouseHover(nFlags, pt);
  if (GetOwner() != nullptr)
    GetOwner()->SSendMessage(WM_MOUSEHOVER, nFlags, MAKELPARAM(pt.x, pt.y));
}

void SComboEdit::OnMouseLeave() {
  SWindow::OnMouseLeave();
  if (GetOwner() != nullptr) GetOwner()->SSendMessage(WM_MOUSELEAVE);
}

void SComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if ((nChar == VK_DOWN || nChar == VK_ESCAPE) && GetOwner() != nullptr) {
    GetOwner()->SSendMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
    return;
  }
  SetMsgHandled(FALSE);
}

}  // namespace SWUI
