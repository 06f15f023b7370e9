// A draggable handle of the EQ editor: a round, colour-graded button that floats over the plot
// at a place kept as fractions of its parent's client rectangle. A drag only reports where the
// handle would go (EventThumbMoving); the page logic decides and moves it with MoveCenter.
//
// A selected handle pulses: once started it counts 60 frames of the host's timeline, stands
// one pixel larger on every side from frame 30 and returns to its layout size at frame 60,
// then starts over; nothing happens while it is dragged. Its size always follows from its
// layout size and that phase, so moving or laying out a pulsing handle never changes its size
// for good, and only the two frames that change it are redrawn.
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"
#include "core/ITimelineHandler.h"
#include "core/SWindow.h"

class SMoveThumb : public SWUI::SWindow, public SWUI::ITimelineHandler {
  SWUI_CLASS_NAME(SWUI::SWindow, L"moveThumb")

 public:
  static constexpr int kPulseFrames = 60;
  static constexpr int kPulseGrowFrame = 30;  // counter value at which the handle grows

  SMoveThumb();
  // A handle released without being destroyed still leaves the timeline.
  ~SMoveThumb() override;

  // "xFloat", "yFloat" (read with "%f"), "canXMove", "canYMove", "canOutsize", "centerColor".
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  // Centres the handle on (x, y) at its layout size (plus the pulse), and keeps the new place
  // as fractions of the parent rectangle of the last layout; before any layout the fractions
  // stay as they are.
  void MoveCenter(int x, int y);
  // Places the handle from its fractions over the parent's layout rectangle.
  void OnUpdateFloatPosition(const RECT& rcParent) override;

  // Starts (or restarts) the pulse at the beginning of its cycle, at layout size, and joins the
  // container's timeline.
  void StartPulse();
  // Leaves the timeline and returns to layout size.
  void StopPulse();
  bool IsPulsing() const { return pulsing_; }
  // One timeline frame.
  void OnNextFrame() override;

  int GetBandIndex() const { return bandIndex_; }
  void SetBandIndex(int band) { bandIndex_ = band; }
  bool IsDragging() const { return dragging_; }
  float GetXFloat() const { return xFloat_; }
  float GetYFloat() const { return yFloat_; }
  COLORREF GetCenterColor() const { return centerColor_; }

  // The darker or the lighter of two label colours, whichever stands out more on the centre
  // colour (0xBBGGRR): a label that would not reach 4.5:1 on its handle takes it.
  static COLORREF ReadableOn(COLORREF center, COLORREF text);

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWUI::SWindow)

  BOOL OnSetCursor(const POINT& pt) override;
  void OnInitFinished(pugi::xml_node xmlNode) override;

 private:
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  BOOL OnEraseBkgnd(SWUI::IRenderTarget* pRT);
  void OnPaint(SWUI::IRenderTarget* pRT);
  void OnDestroy();

  // The size the layout gives the handle, without the pulse.
  SIZE LayoutSize();
  // Pixels added on every side in the current pulse phase.
  int Growth() const { return grown_ ? 1 : 0; }
  // Takes a top-left at layout size and shows the handle there, grown by the pulse phase.
  void PlaceAt(int left, int top, const SIZE& size);
  void SetGrown(bool grown);
  void LeaveTimeline();
  // The ellipse with its gradient, under the skin and the text: drawn into a layer (body_)
  // once for a colour and a place (size and position), then blended.
  void PaintBody(SWUI::IRenderTarget* pRT);
  // The body's premultiplied pixels, size.cx x size.cy, in the centre colour given.
  static void DrawDisc(DWORD* pixels, SIZE size, COLORREF center);
  // Gives the label a colour readable on the centre colour (see ReadableOn).
  void FitTextColor();

  float xFloat_ = 0.0f;
  float yFloat_ = 0.0f;
  int canXMove_ = 1;
  int canYMove_ = 1;
  int canOutsize_ = 0;
  COLORREF centerColor_ = 0x00C8C8C8;
  RECT parentRect_ = {0, 0, 0, 0};
  bool dragging_ = false;
  POINT grab_ = {0, 0};
  int pulseCounter_ = 0;
  bool pulsing_ = false;
  bool grown_ = false;
  int bandIndex_ = -1;
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> body_;
  COLORREF bodyColor_ = 0;
  RECT bodyRect_ = {0, 0, 0, 0};
};
