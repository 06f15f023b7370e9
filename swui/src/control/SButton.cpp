#include "control/SButton.h"

#include "control/SControlSkin.h"
#include "core/IAcceleratorMgr.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

// The built-in skin of push buttons.
constexpr int kButtonSkin = 4;

IAcceleratorMgr* FocusManagerOf(ISwndContainer* container) {
  return container != nullptr ? container->GetFocusManager() : nullptr;
}

// The combination of a text; modifiers without a key (as "ctrl+" gives) are none.
DWORD AccelOf(const SStringW& text) {
  const DWORD acc = CAccelerator::TranslateAccelKey(text);
  return LOWORD(acc) != 0 ? acc : 0;
}

// "alt+X" for a text whose first '(' is followed by '&' and which ends with ')'; empty else.
SStringW MnemonicText(const SStringW& text) {
  const int len = text.GetLength();
  if (len == 0 || text[len - 1] != L')') return SStringW();
  const int open = text.Find(L'(');
  if (open < 0 || open + 2 >= len || text[open + 1] != L'&') return SStringW();
  SStringW accel(L"alt+");
  accel += text[open + 2];
  return accel;
}

}  // namespace

SButton::SButton() {
  m_pBgSkin = SControlSkin::Builtin(kButtonSkin);
  m_dwFlags |= SWF_FOCUSABLE;
}

HRESULT SButton::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"accel")) {
    SetAccel(AccelOf(value));
    return AfterAttribute(name, value, bLoading, m_accel != 0 ? S_OK : S_FALSE);
  }
  if (SAttrParse::IsName(name, L"animate")) {
    m_bAnimate = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"animateStep")) {
    m_byAniStep = static_cast<BYTE>(SAttrParse::Int(value) & 0xFF);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  // A skin name no pool knows would leave the button without a skin, and so invisible: it is
  // refused and the skin kept. A known name and an empty value are the element's to apply.
  if (SAttrParse::IsName(name, L"skin") && !value.IsEmpty() &&
      SControlSkin::Find(value, GetScale()) == nullptr) {
    return E_FAIL;
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

BOOL SButton::InitFromXml(pugi::xml_node xmlNode) {
  if (!SWindow::InitFromXml(xmlNode)) return FALSE;
  const SStringW mnemonic = MnemonicText(GetWindowText(TRUE));
  if (!mnemonic.IsEmpty()) {
    const DWORD acc = AccelOf(mnemonic);
    if (acc != 0) SetAccel(acc);
  }
  return TRUE;
}

void SButton::SetAccel(DWORD acc) {
  IAcceleratorMgr* mgr = FocusManagerOf(m_pContainer);
  if (m_accel != 0 && mgr != nullptr) mgr->UnregisterAccelerator(CAccelerator(m_accel), this);
  m_accel = acc;
  if (m_accel != 0 && mgr != nullptr) mgr->RegisterAccelerator(CAccelerator(m_accel), this);
}

BOOL SButton::OnAcceleratorPressed(const CAccelerator&) {
  if (IsDisabled(TRUE)) return FALSE;
  FireCommand();
  return TRUE;
}

// ---- the fade ------------------------------------------------------------------------------

void SButton::OnStateChanged(DWORD dwOldState, DWORD dwNewState) {
  SWindow::OnStateChanged(dwOldState, dwNewState);
  StopFade();
  const bool hoverChange = (dwOldState == 0 && dwNewState == WndState_Hover) ||
                           (dwOldState == WndState_Hover && dwNewState == 0);
  // A step of 0 would never reach the end: no fade.
  if (!hoverChange || !m_bAnimate || m_byAniStep == 0 || m_pContainer == nullptr) return;
  if (GetCapture() == m_swnd) return;
  m_byAlphaAni = kFadeStart;
  m_pContainer->RegisterTimelineHandler(this);
}

void SButton::OnNextFrame() {
  m_byAlphaAni = static_cast<WORD>(m_byAlphaAni + m_byAniStep);
  if (m_byAlphaAni > 254) StopFade();
  Invalidate();
}

void SButton::StopFade() {
  if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
  m_byAlphaAni = kNoFade;
}

// ---- messages ------------------------------------------------------------------------------

void SButton::OnPaint(IRenderTarget* pRT) {
  if (m_pBgSkin == nullptr) return;  // a button without a skin shows nothing, not even text
  RECT rc;
  GetClientRect(&rc);
  PaintSkin(pRT, rc);
  SWindow::OnPaint(pRT);
}

void SButton::PaintSkin(IRenderTarget* pRT, const RECT& rc) {
  if (m_byAlphaAni == kNoFade) {
    SControlSkin::DrawOrNormal(m_pBgSkin, pRT, rc, GetStateIndex());
    return;
  }
  const BYTE skinAlpha = m_pBgSkin->GetAlpha();
  const BYTE fade = static_cast<BYTE>((skinAlpha * m_byAlphaAni) >> 8);
  m_pBgSkin->DrawWithAlpha(pRT, &rc, SkinState_Normal, skinAlpha);
  const BYTE hoverAlpha = (m_dwState & WndState_Hover) ? fade : static_cast<BYTE>(skinAlpha - fade);
  m_pBgSkin->DrawWithAlpha(pRT, &rc, SkinState_Hover, hoverAlpha);
}

void SButton::OnKeyDown(UINT nChar, UINT, UINT) {
  if (!IsClickKey(nChar)) {
    SetMsgHandled(FALSE);
    return;
  }
  ModifyState(WndState_PushDown, 0, TRUE);
}

void SButton::OnKeyUp(UINT nChar, UINT, UINT) {
  if (!IsClickKey(nChar)) {
    SetMsgHandled(FALSE);
    return;
  }
  if (!(m_dwState & WndState_PushDown)) return;
  ModifyState(0, WndState_PushDown, TRUE);
  FireCommand();
}

void SButton::OnDestroy() {
  if (IAcceleratorMgr* mgr = FocusManagerOf(m_pContainer)) mgr->UnregisterAccelerators(this);
  m_accel = 0;
  StopFade();
  SWindow::OnDestroy();
}

void SButton::OnSize(UINT nType, SIZE size) {
  SWindow::OnSize(nType, size);
  StopFade();
}

SIZE SButton::GetDesiredSize(LPCRECT pRcContainer) {
  const SIZE size = SWindow::GetDesiredSize(pRcContainer);
  const SIZE skin = SControlSkin::SizeOf(m_pBgSkin);
  if (skin.cx == 0 || skin.cy == 0) return size;
  return SControlSkin::WrapContent(this, size, skin);
}

}  // namespace SWUI
