#include "control/SSpinButtonCtrl.h"

#include <cwchar>

#include "control/EventSpinValue2String.h"
#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr int kSkinSpinDown = 32;
constexpr int kSkinSpinUp = 33;
constexpr char kRepeatTimer = 1;
constexpr UINT kRepeatMs = 200;

// The other arrow shows a press as hover only.
int OtherArrowState(int state) { return state == SkinState_PushDown ? SkinState_Hover : state; }

}  // namespace

SSpinButtonCtrl::SSpinButtonCtrl()
    : m_pUpSkin(SControlSkin::Builtin(kSkinSpinUp)),
      m_pDownSkin(SControlSkin::Builtin(kSkinSpinDown)) {
  m_evtSet.AddEvent<EventSpinValue2String>();
}

void SSpinButtonCtrl::SetValue(int nValue) {
  m_nValue = nValue;
  OnValueChanged(false);
}

void SSpinButtonCtrl::SetRange(int nMin, int nMax) {
  m_nMin = nMin;
  m_nMax = nMax;
  if (m_nValue < m_nMin) m_nValue = m_nMin;
  if (m_nValue > m_nMax) m_nValue = m_nMax;
  OnValueChanged(false);
}

void SSpinButtonCtrl::GetRange(int* pMin, int* pMax) const {
  if (pMin != nullptr) *pMin = m_nMin;
  if (pMax != nullptr) *pMax = m_nMax;
}

HRESULT SSpinButtonCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                      BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"max")) {
    m_nMax = P::Int(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"min")) {
    m_nMin = P::Int(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"value")) {
    m_nValue = static_cast<int>(wcstol(strValue, nullptr, 10));
    if (!bLoading) OnValueChanged(false);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"step")) {
    m_nStep = P::Int(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"circle")) {
    m_bCircle = P::NonZero(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"buddy")) {
    m_strBuddy = GetNamedString(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"upskin")) {
    hr = SControlSkin::Assign(m_pUpSkin, strValue, GetScale()) ? S_OK : E_FAIL;
  } else if (P::IsName(strAttribName, L"downSkin")) {
    hr = SControlSkin::Assign(m_pDownSkin, strValue, GetScale()) ? S_OK : E_FAIL;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

SIZE SSpinButtonCtrl::GetDesiredSize(LPCRECT pRcContainer) {
  SIZE size = {SControlSkin::SizeOf(m_pDownSkin).cx, kSizeUnknown};
  if (pRcContainer != nullptr) size.cy = pRcContainer->bottom - pRcContainer->top;
  if (m_pLayoutParam != nullptr) {
    const int scale = GetScale();
    if (m_pLayoutParam->IsSpecifiedSize(Horz)) {
      size.cx = m_pLayoutParam->GetSpecifiedSize(Horz).toPixelSize(scale);
    }
    if (m_pLayoutParam->IsSpecifiedSize(Vert)) {
      size.cy = m_pLayoutParam->GetSpecifiedSize(Vert).toPixelSize(scale);
    }
  }
  return size;
}

SWindow* SSpinButtonCtrl::FindBuddy() const {
  if (m_pParent == nullptr || m_strBuddy.IsEmpty()) return nullptr;
  return m_pParent->FindChildByName(m_strBuddy, -1);
}

void SSpinButtonCtrl::OnValueChanged(bool bInit) {
  SWindow* buddy = FindBuddy();
  if (buddy == nullptr) return;
  SAutoRefPtr<SWindow> hold(buddy);  // a handler may destroy it
  EventSpinValue2String evt(this);
  evt.bInit = bInit;
  evt.nValue = m_nValue;
  evt.strValue.Format(L"%d", m_nValue);
  FireEvent(evt);
  buddy->SetWindowText(evt.strValue);
}

int SSpinButtonCtrl::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result == 0) OnValueChanged(true);
  return result;
}

int SSpinButtonCtrl::PartFromPoint(POINT pt) const {
  RECT rc;
  GetClientRect(&rc);
  if (!PtInRect(&rc, pt)) return kPartNone;
  return pt.y > rc.top + (rc.bottom - rc.top) / 2 ? kPartDown : kPartUp;
}

void SSpinButtonCtrl::Step() {
  long long value = m_nValue;
  if (m_iActionPart != kPartDown) {
    value += m_nStep;
    if (value > m_nMax) value = m_bCircle ? m_nMin : m_nMax;
  } else {
    value -= m_nStep;
    if (value < m_nMin) value = m_bCircle ? m_nMax : m_nMin;
  }
  m_nValue = static_cast<int>(value);
  OnValueChanged(false);
}

void SSpinButtonCtrl::OnPaint(IRenderTarget* pRT) {
  RECT rcUp;
  GetClientRect(&rcUp);
  RECT rcDown = rcUp;
  rcUp.bottom = rcDown.top = rcUp.top + (rcUp.bottom - rcUp.top) / 2;
  const int state = GetStateIndex();
  int upState = IsDisabled(TRUE) ? SkinState_Disable : SkinState_Normal;
  int downState = upState;
  if (m_iActionPart == kPartUp) {
    upState = state;
    downState = OtherArrowState(state);
  } else if (m_iActionPart == kPartDown) {
    downState = state;
    upState = OtherArrowState(state);
  }
  SControlSkin::DrawOrNormal(m_pUpSkin, pRT, rcUp, upState);
  SControlSkin::DrawOrNormal(m_pDownSkin, pRT, rcDown, downState);
}

void SSpinButtonCtrl::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  m_iActionPart = PartFromPoint(pt);  // the press decides, not the last move
  Step();
  Invalidate();
  SetTimer(kRepeatTimer, kRepeatMs);
}

void SSpinButtonCtrl::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);
  KillTimer(kRepeatTimer);
  Invalidate();
}

void SSpinButtonCtrl::OnMouseMove(UINT, POINT pt) {
  const int part = PartFromPoint(pt);
  if (part == m_iActionPart) return;
  m_iActionPart = part;
  Invalidate();
}

void SSpinButtonCtrl::OnTimer(char cTimerId) {
  if (cTimerId != kRepeatTimer) {
    SetMsgHandled(FALSE);
    return;
  }
  if (m_iActionPart != kPartNone) Step();
}

}  // namespace SWUI
