// A spin button ("spinButton"): an up and a down arrow that step an integer value inside a
// range, wrapping round at the bounds unless told not to, and write it as text into a buddy
// element named in the layout (searched among all descendants of the spin button's parent).
// Holding an arrow steps again every 200 ms.
//
// Attributes (names in any letter case; numbers decimal or 0x hex unless said): "max", "min",
// "step", "circle", "value" (decimal only; set after loading it also updates the buddy),
// "buddy" (an element name, "@string/" resolved), "upskin", "downSkin" (skin names; an
// unknown name is refused and keeps the skin).
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SSpinButtonCtrl : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"spinButton")

 public:
  // The arrows; -1 while the mouse is outside.
  enum : int { kPartNone = -1, kPartUp = 0, kPartDown = 1 };

  // The built-in arrow skins; range 0..100, step 1, wrapping.
  SSpinButtonCtrl();

  // Stores the value as it is (no clamping) and updates the buddy.
  void SetValue(int nValue);
  int GetValue() const { return m_nValue; }
  // Stores the range, clamps the value into it and updates the buddy.
  void SetRange(int nMin, int nMax);
  void GetRange(int* pMin, int* pMax) const;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  BOOL NeedRedrawWhenStateChange() override { return TRUE; }
  // The width the layout gives, else the down arrow's; the height the layout gives, else the
  // height offered.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  // Shows the first value in a buddy that exists already.
  int OnCreate(LPVOID lpCreateParam);
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnTimer(char cTimerId);
  // Fires EventSpinValue2String and puts the text it leaves into the buddy; nothing without
  // a buddy.
  void OnValueChanged(bool bInit);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_TIMER_EX(OnTimer)
  SWND_END_MSG_MAP(SWindow)

 private:
  // The arrow under a point: the lower half below the middle row, the upper half else (the
  // middle row too), -1 outside.
  int PartFromPoint(POINT pt) const;
  void Step();
  SWindow* FindBuddy() const;

  int m_nMax = 100;
  int m_nMin = 0;
  int m_nValue = 0;
  int m_nStep = 1;
  BOOL m_bCircle = TRUE;
  SStringW m_strBuddy;
  SAutoRefPtr<ISkinObj> m_pUpSkin;
  SAutoRefPtr<ISkinObj> m_pDownSkin;
  int m_iActionPart = kPartNone;
};

}  // namespace SWUI
