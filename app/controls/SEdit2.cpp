#include "controls/SEdit2.h"

#include "control/SControlSkin.h"
#include "controls/EventEditValueChanging.h"
#include "core/SAttrParse.h"

using namespace SWUI;

SEdit2::SEdit2() {
  GetEventSet()->AddEvent<EventEditValueChanging>();
}

HRESULT SEdit2::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"focusSkin")) {
    if (!SControlSkin::Assign(m_pFocusSkin, value, GetScale())) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  return SEdit::SetAttribute(name, value, bLoading);
}

void SEdit2::OnScaleChanged(int scale) {
  SEdit::OnScaleChanged(scale);
  ScaleSkin(m_pFocusSkin, scale);
}

void SEdit2::FireStep(int step) {
  EventEditValueChanging evt(this);
  evt.step = step;
  FireEvent(evt);
}

void SEdit2::OnPaint(IRenderTarget* pRT) {
  if (IsFocused()) {
    if (m_pFocusSkin != nullptr) {
      SControlSkin::DrawState(m_pFocusSkin, pRT, GetClientRect(), 0);
    } else {
      DrawFocus(pRT);
    }
  }
  SEdit::OnPaint(pRT);
}

BOOL SEdit2::OnWheelMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  // A delta of 0 counts as a step down.
  FireStep(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1);
  return SEdit::ProcessSwndMessage(WM_MOUSEWHEEL, wParam, lParam, lResult);
}

BOOL SEdit2::OnKeyDownMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  const BOOL handled = SEdit::ProcessSwndMessage(WM_KEYDOWN, wParam, lParam, lResult);
  switch (wParam) {
    case VK_UP: FireStep(1); break;
    case VK_DOWN: FireStep(-1); break;
    case VK_RETURN:
      if (!(GetStyleBits() & ES_WANTRETURN)) FireStep(0);
      break;
    default: break;
  }
  return handled;
}

void SEdit2::OnLButtonDblClk(UINT, POINT) { SSendMessage(EM_SETSEL, 0, -1); }
