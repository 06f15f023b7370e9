#include "controls/ZuRotaryKnob.h"

#include <cmath>
#include <cwchar>

#include "control/SControlSkin.h"
#include "controls/SliderSteps.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SMatrix2D.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

namespace {

// The code the knob's own changes are notified with (not carried by the event).
constexpr UINT kNotifyCode = 2;

// A whole text read as a number of degrees.
bool ReadDegrees(const SStringW& text, double* degrees) {
  const wchar_t* begin = text;
  wchar_t* end = nullptr;
  const double value = std::wcstod(begin, &end);
  if (end == begin) return false;
  while (*end == L' ') ++end;
  if (*end != 0) return false;
  *degrees = value;
  return true;
}

double Radians(double degrees) { return degrees * ZuRotaryKnob::kPi / 180.0; }

}  // namespace

// ---- attributes and value ----------------------------------------------------------------

HRESULT ZuRotaryKnob::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                   BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"includedAngle")) {
    double degrees = 0.0;
    // The gap of the dial: 360 degrees or more would leave no dial to turn over.
    if (!ReadDegrees(strValue, &degrees) || !(degrees >= 0.0 && degrees < 360.0)) return E_FAIL;
    m_fIncludedAngle = static_cast<float>(degrees);
    m_fStartAngle = 90.0f + m_fIncludedAngle / 2.0f;
    TurnToValue();
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"dotSkin")) {
    if (!SControlSkin::Assign(m_pDotSkin, strValue, GetScale())) return E_FAIL;
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"slashSkin")) {
    if (strValue.IsEmpty()) {
      m_pSlashImage.Reset();
    } else {
      SApplication* app = SApplication::getSingletonPtr();
      IBitmap* image = app != nullptr ? app->LoadImageByRef(strValue) : nullptr;
      if (image == nullptr) return E_FAIL;
      m_pSlashImage.Attach(image);
    }
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"dotRadius")) {
    m_nDotRadius = P::Int(strValue);
    TurnToValue();
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"fgRadius")) {
    m_nArcRadius = P::Int(strValue);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"fgPaintArc")) {
    m_nPaintArc = P::Int(strValue);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"colorCircle")) {
    m_crCircle = GetNamedColor(strValue);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"pointertype")) {
    if (strValue == L"pterDot") {
      m_nPointerType = kPointerDot;
    } else if (strValue == L"pterSlash") {
      m_nPointerType = kPointerSlash;
    } else {
      return E_FAIL;
    }
    hr = S_OK;
  }
  if (hr != E_NOTIMPL) return AfterAttribute(strAttribName, strValue, bLoading, hr);
  hr = SSliderBar::SetAttribute(strAttribName, strValue, bLoading);
  // The range or the value changed at run time: the pointer follows.
  if (!bLoading && SUCCEEDED(hr)) TurnToValue();
  return hr;
}

void ZuRotaryKnob::OnInitFinished(pugi::xml_node xmlNode) {
  SSliderBar::OnInitFinished(xmlNode);  // the range and the value are settled here
  TurnToValue();
}

void ZuRotaryKnob::OnColorize(COLORREF cr) {
  SSliderBar::OnColorize(cr);
  if (m_pDotSkin != nullptr) m_pDotSkin->OnColorize(cr);
}

BOOL ZuRotaryKnob::SetValue(int nValue) {
  SProgress::SetValue(nValue);
  TurnToValue();
  return TRUE;
}

int ZuRotaryKnob::SetValueFromPoint(POINT pt) {
  Aim aim;
  if (AimAt(pt, &aim)) TakeAim(aim, ValueOfSweep(aim.sweep));
  return m_nValue;
}

// ---- geometry ----------------------------------------------------------------------------

double ZuRotaryKnob::Factor() const {
  return (static_cast<double>(m_nMaxValue) - m_nMinValue) / DialSpan();
}

void ZuRotaryKnob::TurnToValue() {
  m_fSweepAngle = static_cast<float>((static_cast<double>(m_nValue) - m_nMinValue) / Factor());
  const double angle = Radians(m_fStartAngle + m_fSweepAngle);
  m_ptDot = DotAt(std::cos(angle), std::sin(angle));
}

POINT ZuRotaryKnob::DotAt(double cosine, double sine) const {
  return POINT{static_cast<LONG>(m_ptCenter.x + cosine * m_nDotRadius),
               static_cast<LONG>(m_ptCenter.y + sine * m_nDotRadius)};
}

bool ZuRotaryKnob::AimAt(POINT pt, Aim* aim) const {
  const int dx = pt.x - m_ptCenter.x;
  const int dy = pt.y - m_ptCenter.y;
  if (dx == 0 && dy == 0) return false;
  const float half = m_fIncludedAngle / 2.0f;
  aim->dot = m_ptDot;
  if (dy == 0) {
    aim->dot = DotAt(dx < 0 ? -1.0 : 1.0, 0.0);
    aim->sweep = (dx < 0 ? 90.0f : 270.0f) - half;
    return true;
  }
  if (dx == 0) {
    if (dy < 0) aim->dot = DotAt(0.0, -1.0);  // straight below the dot stays where it was
    aim->sweep = (dy < 0 ? 180.0f : 360.0f) - half;
    return true;
  }
  const double t = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
  const double degrees = t * 180.0 / kPi;
  const bool lowerLeft = dx < 0 && dy > 0;
  aim->sweep = static_cast<float>(lowerLeft ? degrees - 90.0 - half : degrees + 270.0 - half);
  if (dx > 0 && dy > 0) {
    aim->dot = DotAt(std::cos(t), std::sin(t));
  } else {
    aim->dot = DotAt(-std::cos(kPi - t), std::sin(kPi - t));
  }
  return true;
}

int ZuRotaryKnob::ValueOfSweep(float sweep) const {
  const double value = std::trunc(sweep * Factor()) + m_nMinValue;
  if (value <= m_nMinValue) return m_nMinValue;
  if (value >= m_nMaxValue) return m_nMaxValue;
  return static_cast<int>(value);
}

void ZuRotaryKnob::TakeAim(const Aim& aim, int value) {
  m_fSweepAngle = aim.sweep;
  m_ptDot = aim.dot;
  m_nValue = value;
}

void ZuRotaryKnob::OnSize(UINT, SIZE) {
  const RECT client = GetClientRect();
  m_ptCenter = POINT{client.left + (client.right - client.left) / 2,
                     client.top + (client.bottom - client.top) / 2};
  TurnToValue();
  SetMsgHandled(FALSE);
}

// ---- painting ----------------------------------------------------------------------------

BOOL ZuRotaryKnob::OnEraseBkgnd(IRenderTarget* pRT) {
  // The skin is the knob's own paint, drawn over the arc; only a colour lies below.
  if (m_style.GetBkgndColor() != CR_INVALID) {
    const RECT client = GetClientRect();
    pRT->FillSolidRect(&client, m_style.GetBkgndColor());
  }
  return TRUE;
}

void ZuRotaryKnob::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  PaintArc(pRT);
  SControlSkin::DrawState(m_pBgSkin, pRT, m_rcWindow, 0);
  if (m_nPointerType == kPointerSlash) {
    PaintSlash(pRT);
  } else {
    PaintDot(pRT);
  }
  AfterPaint(pRT, painter);
}

void ZuRotaryKnob::PaintArc(IRenderTarget* pRT) {
  if (m_fSweepAngle <= 0.0f || m_nPaintArc == 0) return;
  const float sweep = m_fSweepAngle > DialSpan() ? DialSpan() : m_fSweepAngle;
  IBrush* made = nullptr;
  if (FAILED(pRT->CreateSolidColorBrush(m_crCircle, &made))) return;
  SAutoRefPtr<IBrush> brush;
  brush.Attach(made);
  IRenderObj* old = nullptr;
  pRT->SelectObject(brush, &old);
  const RECT square = {m_ptCenter.x - m_nArcRadius, m_ptCenter.y - m_nArcRadius,
                       m_ptCenter.x + m_nArcRadius, m_ptCenter.y + m_nArcRadius};
  pRT->FillArc(&square, m_fStartAngle, sweep);
  pRT->DrawArc(&square, m_fStartAngle, sweep, TRUE);
  pRT->SelectObject(old, nullptr);
  if (old != nullptr) old->Release();
}

void ZuRotaryKnob::PaintDot(IRenderTarget* pRT) {
  if (m_pDotSkin == nullptr) return;
  // Beyond the dial the dot rests at its ends.
  POINT dot = m_ptDot;
  const double end = Radians(90.0 - m_fIncludedAngle / 2.0);
  if (m_fSweepAngle <= 0.0f) {
    dot = DotAt(-std::cos(end), std::sin(end));
  } else if (m_fSweepAngle >= DialSpan()) {
    dot = DotAt(std::cos(end), std::sin(end));
  }
  const SIZE size = m_pDotSkin->GetSkinSize();
  const RECT rc = {dot.x - size.cx / 2, dot.y - size.cy / 2, dot.x - size.cx / 2 + size.cx,
                   dot.y - size.cy / 2 + size.cy};
  SControlSkin::DrawState(m_pDotSkin, pRT, rc, 0);
}

void ZuRotaryKnob::PaintSlash(IRenderTarget* pRT) {
  if (m_pSlashImage == nullptr) return;
  float sweep = m_fSweepAngle;
  if (sweep < 0.0f) sweep = 0.0f;
  if (sweep > DialSpan()) sweep = DialSpan();
  const SIZE size = m_pSlashImage->Size();
  const LONG left = m_ptCenter.x - size.cx / 2;
  const LONG top = m_ptCenter.y - size.cy / 2;
  const RECT rc = {left, top, left + size.cx, top + size.cy};
  float old[6];
  if (FAILED(pRT->GetTransform(old))) return;
  SMatrix2D turn(old[0], old[1], old[2], old[3], old[4], old[5]);
  const float cx = static_cast<float>(m_ptCenter.x);
  const float cy = static_cast<float>(m_ptCenter.y);
  turn.Translate(cx, cy).Rotate(m_fStartAngle + sweep).Translate(-cx, -cy);
  if (FAILED(pRT->SetTransform(turn.Data(), nullptr))) return;
  pRT->DrawBitmap(&rc, m_pSlashImage, 0, 0, 0xFF);
  pRT->SetTransform(old, nullptr);
}

// ---- input -------------------------------------------------------------------------------

void ZuRotaryKnob::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  m_bDrag = TRUE;
  m_hold = kHoldNone;
  SetValueFromPoint(pt);
  Invalidate();
  m_ptDrag = pt;
  NotifyPos(kNotifyCode, m_nValue);
}

void ZuRotaryKnob::OnMouseMove(UINT, POINT pt) {
  if (!m_bDrag) return;
  Aim aim;
  if (!AimAt(pt, &aim)) return;
  const int value = ValueOfSweep(aim.sweep);
  if (m_hold != kHoldNone) {
    // Held at an end until the point gives that end again.
    if (value != (m_hold == kHoldMax ? m_nMaxValue : m_nMinValue)) return;
    m_hold = kHoldNone;
  } else if (m_nValue == m_nMaxValue && value == m_nMinValue) {
    m_hold = kHoldMax;  // across the gap from the maximum: no jump to the minimum
    return;
  } else if (m_nValue == m_nMinValue && value == m_nMaxValue) {
    m_hold = kHoldMin;
    return;
  }
  const int old = m_nValue;
  TakeAim(aim, value);
  Invalidate();
  if (m_nValue == old) return;
  SetCapture();
  NotifyPos(kNotifyCode, m_nValue);
}

void ZuRotaryKnob::OnLButtonUp(UINT nFlags, POINT pt) {
  m_bDrag = FALSE;
  m_hold = kHoldNone;
  Invalidate();
  SWindow::OnLButtonUp(nFlags, pt);
}

BOOL ZuRotaryKnob::OnMouseWheel(UINT, short zDelta, POINT) {
  SliderSteps::Wheel(this, zDelta);
  return TRUE;
}

void ZuRotaryKnob::OnKeyDown(UINT nChar, UINT, UINT) {
  if (!SliderSteps::Key(this, nChar)) SetMsgHandled(FALSE);
}
