#include "control/SHotKeyCtrl.h"

#include "../core/RenderFactoryUtil.h"
#include "control/EventSetHotKey.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

// The combination flag of each modifier word (index: 1 Alt | 2 Ctrl | 4 Shift).
constexpr WORD kCombOfModifiers[8] = {
    SHotKeyCtrl::kCombNone,      SHotKeyCtrl::kCombAlt,          SHotKeyCtrl::kCombCtrl,
    SHotKeyCtrl::kCombCtrlAlt,   SHotKeyCtrl::kCombShift,        SHotKeyCtrl::kCombShiftAlt,
    SHotKeyCtrl::kCombCtrlShift, SHotKeyCtrl::kCombCtrlShiftAlt,
};

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

}  // namespace

SHotKeyCtrl::SHotKeyCtrl() {
  m_dwFlags |= SWF_FOCUSABLE;
  m_evtSet.AddEvent<EventSetHotKey>();
}

void SHotKeyCtrl::SetHotKey(WORD wKey, WORD wModifiers) {
  m_accel = CAccelerator(MAKELONG(wKey, wModifiers));
  ShowChange();
}

void SHotKeyCtrl::GetHotKey(WORD& wKey, WORD& wModifiers) const {
  wKey = m_accel.GetKey();
  wModifiers = m_accel.GetModifier();
}

void SHotKeyCtrl::SetRule(WORD wInvalidComb, WORD wDefaultModifiers) {
  m_wInvalidComb = wInvalidComb;
  m_wInvalidModifier = wDefaultModifiers;
}

HRESULT SHotKeyCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  const WORD value = static_cast<WORD>(P::Int(strValue));
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"hotKey")) {
    m_accel = CAccelerator(MAKELONG(value, m_accel.GetModifier()));
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"combKey")) {
    m_accel = CAccelerator(MAKELONG(m_accel.GetKey(), value));
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"invalidComb")) {
    m_wInvalidComb = value;
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"defCombKey")) {
    m_wInvalidModifier = value;
    hr = S_FALSE;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

int SHotKeyCtrl::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result != 0) return result;
  SAutoRefPtr<IRenderTarget> rt = RenderFactoryUtil::NewRenderTarget(0, 0);
  if (rt == nullptr) return 0;
  BeforePaintEx(rt);
  IRenderObj* font = rt->GetCurrentObject(OT_FONT);
  if (font != nullptr && font->ObjectType() == OT_FONT) m_curFont = static_cast<IFont*>(font);
  return 0;
}

SIZE SHotKeyCtrl::MeasureText(const SStringW& text) const {
  SIZE size = {0, 0};
  SAutoRefPtr<IRenderTarget> rt = RenderFactoryUtil::NewRenderTarget(0, 0);
  if (rt == nullptr) return size;
  if (m_curFont != nullptr) rt->SelectObject(m_curFont, nullptr);
  rt->MeasureText(text, text.GetLength(), &size);
  return size;
}

void SHotKeyCtrl::PlaceCaret() {
  RECT rc;
  GetTextRect(&rc);
  const SIZE text = MeasureText(m_accel.FormatAccelKey());
  const int caretHeight = MeasureText(SStringW(L"A")).cy;
  SetCaretPos(rc.left + text.cx, rc.top + (rc.bottom - rc.top - caretHeight) / 2);
}

void SHotKeyCtrl::UpdateCaretPosition() {
  if (IsFocused()) PlaceCaret();
}

void SHotKeyCtrl::UpdateModifier() {
  const WORD held = static_cast<WORD>((IsKeyDown(VK_MENU) ? CAccelerator::kAlt : 0) |
                                      (IsKeyDown(VK_CONTROL) ? CAccelerator::kCtrl : 0) |
                                      (IsKeyDown(VK_SHIFT) ? CAccelerator::kShift : 0));
  const WORD modifiers = (kCombOfModifiers[held] & m_wInvalidComb) ? m_wInvalidModifier : held;
  m_accel = CAccelerator(MAKELONG(m_accel.GetKey(), modifiers));
  EventSetHotKey evt(this);
  evt.vKey = m_accel.GetKey();
  evt.wModifiers = modifiers;
  FireEvent(evt);
}

void SHotKeyCtrl::ShowChange() {
  UpdateCaretPosition();
  Invalidate();
}

// ---- painting and focus ------------------------------------------------------------------

void SHotKeyCtrl::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  RECT rc;
  GetTextRect(&rc);
  const SStringW text = m_accel.FormatAccelKey();
  DrawText(pRT, text, text.GetLength(), &rc, kTextFormat);
  AfterPaint(pRT, painter);
}

void SHotKeyCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  if (m_pContainer != nullptr) m_pContainer->OnSetSwndFocus(m_swnd);
}

void SHotKeyCtrl::OnSetFocus(SwndHandle swndOld) {
  CreateCaret(nullptr, 1, MeasureText(SStringW(L"A")).cy);
  PlaceCaret();
  ShowCaret(TRUE);
  SWindow::OnSetFocus(swndOld);
}

void SHotKeyCtrl::OnKillFocus(SwndHandle swndNew) {
  ShowCaret(FALSE);
  SWindow::OnKillFocus(swndNew);
}

// ---- keys --------------------------------------------------------------------------------

void SHotKeyCtrl::OnKeyDown(UINT nChar, UINT, UINT) {
  if (!m_bInSetting) {
    m_accel = CAccelerator(MAKELONG(0, m_wInvalidModifier));
    m_bInSetting = TRUE;
  }
  // Only keys with a name of their own are kept; Shift, Ctrl and Alt have none.
  const WORD key = static_cast<WORD>(nChar);
  if (!CAccelerator::FormatHotkey(key).IsEmpty()) {
    m_accel = CAccelerator(MAKELONG(key, m_accel.GetModifier()));
  }
  UpdateModifier();
  ShowChange();
}

void SHotKeyCtrl::OnKeyUp(UINT nChar, UINT, UINT) {
  if (!m_bInSetting) return;
  if (nChar == m_accel.GetKey()) {
    m_bInSetting = FALSE;
    return;
  }
  const bool modifierHeld = IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU);
  if (m_accel.GetKey() == 0 && !modifierHeld) {
    m_bInSetting = FALSE;
  } else if (nChar != VK_SHIFT && nChar != VK_CONTROL && nChar != VK_MENU) {
    return;
  }
  UpdateModifier();
  ShowChange();
}

LRESULT SHotKeyCtrl::OnSysKeyDown(UINT, WPARAM wParam, LPARAM) {
  if (!IsKeyDown(VK_MENU)) {
    SetMsgHandled(FALSE);
    return 0;
  }
  OnKeyDown(static_cast<UINT>(wParam), 0, 0);
  return 0;
}

LRESULT SHotKeyCtrl::OnSysKeyUp(UINT, WPARAM wParam, LPARAM) {
  if (wParam != VK_MENU && !IsKeyDown(VK_MENU)) {
    SetMsgHandled(FALSE);
    return 0;
  }
  OnKeyUp(static_cast<UINT>(wParam), 0, 0);
  return 0;
}

}  // namespace SWUI
