// A slider bar ("sliderbar"): a progress bar whose value the user sets with the mouse. A thumb
// rides on the rail; a press beside it jumps the value there, a drag moves it, and every change
// the user makes fires EventSliderPos. The minimum is at the left, or at the top of a vertical
// slider. The application's slider derives from it and reuses its parts and its event.
//
// Parts: 0 the rail (where presses and drags are measured), 1 the selection (the rail before
// the thumb), 2 the thumb, 3 the rail background.
//
// Attributes, besides those of "progress": "thumbSkin" (an unknown name is refused and keeps
// the skin), "thumbInRail" (the thumb may cover the rail ends: the background and the
// selection reach the ends, the rail used for presses does not).
#pragma once
#include "control/SProgress.h"

namespace SWUI {

class SSliderBar : public SProgress {
  SWUI_CLASS_NAME(SProgress, L"sliderbar")

 public:
  enum Part {
    kPartNone = -1,
    kPartRail = 0,
    kPartSel = 1,
    kPartThumb = 2,
    kPartRailBkgnd = 3,
  };
  // A stretch along the rail, from start to end (end excluded).
  struct PartSpan {
    int start;
    int end;
  };

  // The thumb is the built-in slider thumb.
  SSliderBar();

  // Where a part lies along a rail of railLength pixels, for a thumb of thumbLength pixels
  // and the value inside [nMin, nMax]; {0, 0} for an unknown part. An empty range places the
  // thumb at the start.
  static PartSpan CalcPartSpan(int railLength, int thumbLength, BOOL thumbInRail, int nMin,
                               int nMax, int nValue, int part);
  // The part's rectangle inside the client rectangle: along the rail its span, across it
  // centred, the thumb as high (wide) as the larger of the thumb and background skins, the
  // other parts as the background skin. A derived slider that shapes its parts otherwise
  // overrides it; the hit test follows.
  virtual RECT GetPartRect(int part) const;
  // The part under the point: the thumb, the selection, the rail, in that order; -1 for none.
  int HitTest(POINT pt) const;
  // Fires EventSliderPos with the value (the code is not carried).
  void NotifyPos(UINT uCode, int nPos);

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SProgress::SetAttribute;
  void OnColorize(COLORREF cr) override;
  // 100 pixels along the rail, across it the larger of the background and thumb skins.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SProgress::GetDesiredSize;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  // A position along the slider's axis.
  int AlongAxis(POINT pt) const { return m_bVertical ? pt.y : pt.x; }
  // (max - min + 1) x offset / length + base, in 64 bits, clamped into the range.
  int ValueAt(int offset, int length, int base) const;

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_END_MSG_MAP(SProgress)

 protected:
  BOOL m_bDrag = FALSE;
  POINT m_ptDrag = {0, 0};
  int m_nDragValue = 0;
  int m_uHtPrev = kPartNone;  // the part under the cursor, tracked only when the thumb is involved
  SAutoRefPtr<ISkinObj> m_pSkinThumb;
  BOOL m_bThumbInRail = FALSE;
};

}  // namespace SWUI
