// A draggable handle of the speaker view (ZuCar): the listener (id 0) or a speaker (ids 1..31).
// It places itself on each layout of its parent, either at fractions of the parent's width and
// height ("percentFloat" non-zero: "xFloat" from the left, "yFloat" from the bottom) or at the
// pixel offsets from the parent's left and bottom edges that its last move left. A drag moves
// its centre to wherever the view accepts (the view clamps the point into its drawing area and
// recomputes its delays); the release lets the view hide its position tip a little later.
//
// A handle always floats: its parent's layout only tells it where the parent is.
#pragma once
#include <windows.h>

#include "core/SWindow.h"

class ZuCar;

class ZuCarThumb : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zucarthumb")

 public:
  ZuCarThumb();

  // "percentFloat", "xFloat", "yFloat" (read with "%f"), "centerColor".
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  // The view the handle reports its drags to (null: the handle moves unclamped).
  void SetCar(ZuCar* car);
  // Centres the handle on (x, y) at its size, and keeps the new place as offsets from the
  // parent's left and bottom edges and as fractions of the parent's size (of the last layout).
  void MoveCenter(int x, int y);
  POINT Center() const;
  void OnUpdateFloatPosition(const RECT& rcParent) override;

  bool IsDragging() const { return dragging_; }
  BOOL IsPercentFloat() const { return percentFloat_; }
  float GetXFloat() const { return xFloat_; }
  float GetYFloat() const { return yFloat_; }
  COLORREF GetCenterColor() const { return centerColor_; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

  BOOL OnSetCursor(const POINT& pt) override;

 private:
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnPaint(SWUI::IRenderTarget* pRT);

  ZuCar* Car() const;
  // The size the layout gives the handle (the shown size when it names none).
  SIZE LayoutSize();
  void EndDrag();

  BOOL percentFloat_ = FALSE;
  float xFloat_ = 0.0f;
  float yFloat_ = 0.0f;
  COLORREF centerColor_ = 0x00C8C8C8;  // alpha 0: no disc
  int leftOffset_ = 0;                 // from the parent's left edge to the handle's left
  int bottomOffset_ = 0;               // from the handle's top down to the parent's bottom edge
  RECT parentRect_ = {0, 0, 0, 0};
  bool dragging_ = false;
  POINT grab_ = {0, 0};  // cursor minus centre at the press
  SWUI::SwndHandle car_ = 0;
};
