// The application's parameter slider ("zuslider"): a slider bar whose vertical form grows
// upward, whose parts are each as thick as their own skin, and which the keyboard and the wheel
// step as well. Every change it makes fires EventSliderPos, also a key that leaves the value
// where it was. With "showPercent" the value follows the thumb in the shared simple tooltip
// while the cursor rests on the thumb or drags it.
//
// Attribute, besides the slider bar's: "slowlyChangeValue" (a press on the rail steps one unit
// toward the press instead of jumping there).
#pragma once
#include <windows.h>

#include "control/SSliderBar.h"

class SSimpleToolTip;

class ZuSlider : public SWUI::SSliderBar {
  SWUI_CLASS_NAME(SWUI::SSliderBar, L"zuslider")

 public:
  ZuSlider() = default;
  // A slider released without being destroyed still gives its tip reference back.
  ~ZuSlider() override;

  HRESULT SetAttribute(const SWUI::SStringW& strAttribName, const SWUI::SStringW& strValue,
                       BOOL bLoading) override;
  using SWUI::SSliderBar::SetAttribute;

  // The part's rectangle inside the client rectangle: along the slider the slider bar's span
  // (a vertical slider measured from the bottom), across it centred and as thick as the part's
  // own skin (rail and rail background: the background skin, selection: the position skin,
  // thumb: the thumb skin), or the whole client thickness without one.
  RECT GetPartRect(int part) const override;
  BOOL IsSlowlyChangeValue() const { return m_nSlowlyChangeValue != 0; }
  // The skin state for a skin of that many states: 1 state 0; 2 states 1 when hovered or
  // pressed; 3 states 2 pressed, 1 hovered; 4 states 3 disabled, else as for 3; more 0.
  static int SkinState(int states, bool disabled, bool pressed, bool hovered);

 protected:
  void OnPaint(SWUI::IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnDestroy();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_MOUSEWHEEL(OnMouseWheel)
  MSG_WM_KEYDOWN(OnKeyDown)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWUI::SSliderBar)

 private:
  // The rail's extent along the slider: where it starts (the bottom of a vertical one) and
  // its length.
  int RailOffset(const RECT& rail, POINT pt) const;
  int RailLength(const RECT& rail) const;
  // Tracks the part under a cursor that drags nothing; the tip shows while it is the thumb.
  void TrackHover(POINT pt);
  void DrawPart(SWUI::IRenderTarget* pRT, SWUI::ISkinObj* skin, int part, bool pressed,
                bool hovered);

  // The value in the shared tip beside the thumb (with "showPercent" only).
  void ShowValueTip();
  // Hides the tip when it shows this slider's value.
  void HideValueTip();
  void ReleaseValueTip();

  SSimpleToolTip* m_pValueTip = nullptr;
  int m_nSlowlyChangeValue = 0;
  // The slider whose value the shared tip shows, so that no slider hides another's value.
  static SWUI::SwndHandle s_tipOwner;
};
