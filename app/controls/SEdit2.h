// The step edit ("edit2"): the value box beside a parameter slider. An ordinary single-line
// edit that also turns the wheel, Up, Down and Return into step requests
// (EventEditValueChanging: the wheel before the edit's own handling, keys after it); it never
// changes its own text for them. A double click selects the whole text.
//
// Attribute, besides the edit's: "focusSkin" (drawn over the client rectangle, beneath the
// text, while the edit has the focus; without one the element's own focus drawing).
#pragma once
#include <windows.h>

#include "control/SEdit.h"
#include "base/SAutoRefPtr.h"

class SEdit2 : public SWUI::SEdit {
  SWUI_CLASS_NAME(SWUI::SEdit, L"edit2")

 public:
  SEdit2();

  HRESULT SetAttribute(const SWUI::SStringW& strAttribName, const SWUI::SStringW& strValue,
                       BOOL bLoading) override;
  using SWUI::SEdit::SetAttribute;
  void OnScaleChanged(int scale) override;

  SWUI::ISkinObj* GetFocusSkin() const { return m_pFocusSkin; }

 protected:
  void OnPaint(SWUI::IRenderTarget* pRT);
  void OnLButtonDblClk(UINT nFlags, POINT pt);

  // The wheel and keys run the edit's whole handling once, around the step, and keep its
  // answer: a key the edit leaves unhandled (Return) still goes on to the host.
  SWND_BEGIN_MSG_MAP()
  if (uMsg == WM_MOUSEWHEEL) return OnWheelMsg(wParam, lParam, lResult);
  if (uMsg == WM_KEYDOWN) return OnKeyDownMsg(wParam, lParam, lResult);
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
  SWND_END_MSG_MAP(SWUI::SEdit)

 private:
  BOOL OnWheelMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  BOOL OnKeyDownMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  void FireStep(int step);

  SWUI::SAutoRefPtr<SWUI::ISkinObj> m_pFocusSkin;
};
