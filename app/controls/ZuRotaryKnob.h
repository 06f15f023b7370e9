// A rotary knob ("zurotaryknob"): a slider bar turned into a dial. The dial leaves a gap of
// "includedAngle" degrees at the bottom; the minimum lies at the gap's left end (start angle
// 90 + includedAngle / 2) and the value grows clockwise over 360 - includedAngle degrees to the
// gap's right end. Angles follow the render target (clockwise from the positive x axis, 90
// straight down); 3.14 stands for pi in every conversion between degrees and radians.
//
// The pointer is a dot skin ("pterDot": drawn centred at "dotRadius" from the centre) or a
// slash image ("pterSlash": drawn centred on the knob, turned by the pointer's angle). With
// "fgPaintArc" the swept part of the dial is filled as a pie of "fgRadius" in "colorCircle".
// A drag that would jump from one end of the range straight to the other stays at the end it
// held until the point gives that end's value again. The wheel and the keys step the value as
// the application slider does. Every change fires EventSliderPos.
//
// Attributes, besides the slider bar's: "includedAngle" (degrees, 0 up to but not including
// 360; others are refused), "dotSkin" (a skin), "slashSkin" (an image reference), "dotRadius",
// "fgRadius", "fgPaintArc", "colorCircle", "pointertype" ("pterDot" or "pterSlash"; others are
// refused).
#pragma once
#include <windows.h>

#include "IBitmap.h"
#include "control/SSliderBar.h"

class ZuRotaryKnob : public SWUI::SSliderBar {
  SWUI_CLASS_NAME(SWUI::SSliderBar, L"zurotaryknob")

 public:
  enum PointerType { kPointerDot = 0, kPointerSlash = 1 };
  // The stand-in for pi.
  static constexpr double kPi = 3.14;

  HRESULT SetAttribute(const SWUI::SStringW& strAttribName, const SWUI::SStringW& strValue,
                       BOOL bLoading) override;
  using SWUI::SSliderBar::SetAttribute;
  void OnInitFinished(pugi::xml_node xmlNode) override;
  void OnColorize(COLORREF cr) override;

  // Clamps the value into the range and turns the pointer to it. TRUE.
  BOOL SetValue(int nValue);
  // The value a point of the dial gives (host coordinates), stored with the pointer turned
  // toward the point; the centre itself changes nothing.
  int SetValueFromPoint(POINT pt);

  POINT GetCenter() const { return m_ptCenter; }
  POINT GetDotPos() const { return m_ptDot; }
  float GetStartAngle() const { return m_fStartAngle; }
  // How far the pointer is turned from the start, in degrees; beyond the dial while a point
  // lies in the gap.
  float GetSweepAngle() const { return m_fSweepAngle; }
  float GetIncludedAngle() const { return m_fIncludedAngle; }
  int GetPointerType() const { return m_nPointerType; }

 protected:
  // The centre of the client rectangle; the pointer turned to the value there.
  void OnSize(UINT nType, SIZE size);
  BOOL OnEraseBkgnd(SWUI::IRenderTarget* pRT);
  void OnPaint(SWUI::IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_SIZE(OnSize)
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSEWHEEL(OnMouseWheel)
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(SWUI::SSliderBar)

 private:
  // Which end of the range a drag holds.
  enum Hold { kHoldNone, kHoldMin, kHoldMax };
  // Where a point turns the pointer.
  struct Aim {
    float sweep;
    POINT dot;
  };

  // The degrees the dial spans.
  float DialSpan() const { return 360.0f - m_fIncludedAngle; }
  // The value per degree of the dial.
  double Factor() const;
  // The sweep and the dot of the value.
  void TurnToValue();
  // False for the centre.
  bool AimAt(POINT pt, Aim* aim) const;
  int ValueOfSweep(float sweep) const;
  void TakeAim(const Aim& aim, int value);
  // A point dotRadius from the centre at an angle, each coordinate truncated.
  POINT DotAt(double cosine, double sine) const;
  void PaintArc(SWUI::IRenderTarget* pRT);
  void PaintDot(SWUI::IRenderTarget* pRT);
  void PaintSlash(SWUI::IRenderTarget* pRT);

  int m_nPointerType = kPointerDot;
  float m_fIncludedAngle = 0.0f;
  POINT m_ptCenter = {0, 0};
  int m_nArcRadius = 0;
  SWUI::SAutoRefPtr<SWUI::ISkinObj> m_pDotSkin;
  SWUI::SAutoRefPtr<SWUI::IBitmap> m_pSlashImage;
  int m_nDotRadius = 0;
  POINT m_ptDot = {0, 0};
  float m_fStartAngle = 90.0f;
  float m_fSweepAngle = 0.0f;
  int m_nPaintArc = 0;
  COLORREF m_crCircle = 0;
  Hold m_hold = kHoldNone;
};
