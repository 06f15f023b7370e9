// An element with its own skinned scroll bars ("div"). The bars live in the non-client strip
// between the element's rectangle and its client rectangle; they are drawn with a scroll-bar
// skin and driven by the element's own non-client mouse messages, with no native scroll bar.
//
// A bar has a range (min, max), a page and a position; while its thumb is dragged the track
// position holds the dragged position (otherwise -1). Part codes are the platform's SB_ codes:
// SB_LINEUP / SB_LINEDOWN the arrows, SB_PAGEUP / SB_PAGEDOWN the rail before and after the
// thumb, SB_THUMBTRACK the thumb. The skin gets a packed state word (SSkinScrollbar::MakeState)
// with the states 0 normal (the mouse over the bar), 1 hover, 2 pressed, 3 disabled and 4 at
// rest (the mouse elsewhere).
//
// A held arrow or page area scrolls once, then again every 50 ms after 500 ms (element timers
// 1 and 2). The wheel scrolls the vertical bar by line steps of 120 units; what it cannot
// scroll goes on to the parent. While scrolling, the bars are drawn at once through a borrowed
// render target, and the content is repainted at most every "updateInterval" ms.
//
// Attributes (names in any letter case): "sbSkin" (a skin name; only a scroll-bar skin is
// taken, any other name fails with E_FAIL and keeps the skin), "sbArrowSize", "sbWid" (sizes;
// unset: the skin's ideal size, and no arrows for a skin without them), "sbEnable" (bits:
// 1 horizontal, 2 vertical), "updateInterval" (ms), "scrollSpeed" (the line step in pixels),
// "sbLeft", "sbRight", "sbTop", "sbBottom" (sizes kept free at the ends of the bars).
// UI thread only.
#pragma once
#include "core/SSkinScrollbar.h"
#include "core/SWindow.h"

namespace SWUI {

// Bars named by a bit mask.
enum : int {
  SSB_NULL = 0,
  SSB_HORZ = 1,
  SSB_VERT = 2,
  SSB_BOTH = 3,
};

class SPanel : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"div")

 public:
  // The hot part when no part is under the cursor.
  static constexpr int kNoPart = 0xFFFF;
  // States the scroll-bar skin is drawn in.
  enum SbState {
    kSbNormal = 0,
    kSbHover = 1,
    kSbPressed = 2,
    kSbDisabled = 3,
    kSbRest = 4,
  };
  // The element timers of a held arrow or page area: the first delay, then the repeat.
  static constexpr char kTimerDelay = 1;
  static constexpr char kTimerRepeat = 2;
  static constexpr UINT kDelayMs = 500;
  static constexpr UINT kRepeatMs = 50;
  // Thumbs are never shorter than this; a track shorter than it has no thumb.
  static constexpr int kMinThumb = 18;

  // The built-in scroll-bar skin (when it is one), both bars hidden and enabled.
  SPanel();

  // Shows or hides the bars of the mask and lays the client rectangle out again. TRUE.
  BOOL ShowScrollBar(int wBar, BOOL bShow);
  // Enables or disables the bars of the mask and repaints them. TRUE.
  BOOL EnableScrollBar(int wBar, BOOL bEnable);
  BOOL IsScrollBarEnable(BOOL bVertical) const;
  BOOL HasScrollBar(BOOL bVertical) const;

  // Applies the fields fMask names (SIF_RANGE, SIF_PAGE, SIF_POS, SIF_TRACKPOS), then keeps
  // the position within [min, max - page + 1] (0 with a page of 0). A range with max below
  // min is refused as a whole: FALSE, nothing changed.
  BOOL SetScrollInfo(const SCROLLINFO& si, BOOL bVertical);
  const SCROLLINFO& GetScrollInfo(BOOL bVertical) const { return bVertical ? m_siVer : m_siHoz; }
  // Stores the position kept within [min, max - page + 1], repaints the bar when asked and
  // passes it to OnScroll as SB_THUMBPOSITION. TRUE.
  BOOL SetScrollPos(BOOL bVertical, int nNewPos, BOOL bRedraw);
  int GetScrollPos(BOOL bVertical) const;
  // Stores the range and keeps the position inside it; FALSE (nothing changed) for max < min.
  BOOL SetScrollRange(BOOL bVertical, int nMinPos, int nMaxPos, BOOL bRedraw);
  // Either output may be null.
  BOOL GetScrollRange(BOOL bVertical, LPINT lpMinPos, LPINT lpMaxPos) const;

  // The line step in pixels ("scrollSpeed").
  virtual int GetScrollLineSize(BOOL bVertical);
  // One scroll step of a bar by a part code (SB_THUMBPOSITION and SB_THUMBTRACK go to nPos):
  // FALSE when the position does not change. Otherwise stores it, draws the rail and the thumb
  // at once (unless the thumb is being tracked) and invalidates the content; TRUE.
  virtual BOOL OnScroll(BOOL bVertical, UINT uCode, int nPos);

  // Host coordinates: the whole bar (empty when hidden), one part of it (empty when the range
  // is empty), and the rail between the arrows.
  RECT GetScrollBarRect(BOOL bVertical) const;
  RECT GetSbPartRect(BOOL bVertical, int nPart) const;
  RECT GetSbRailRect(BOOL bVertical) const;
  // The part under a point (horizontal bar first), kNoPart for none.
  int HitTest(POINT pt, BOOL* pbVertical) const;
  // The bar thickness and the arrow length in pixels at the element's scale.
  int GetSbWidth() const;
  int GetSbArrowSize() const;

  // The client rectangle: the element's less its visible bars (computed on WM_NCCALCSIZE).
  void GetClientRect(LPRECT prect) const override;
  using SWindow::GetClientRect;
  // TRUE while a thumb is dragged and outside the client area.
  BOOL OnNcHitTest(POINT pt) override;
  void OnColorize(COLORREF cr) override;
  void OnScaleChanged(int scale) override;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;

  // Where along a bar of length L with arrows of length A the parts lie (offsets from the
  // bar's near end): near arrow [0, arrowNear], rail before the thumb [arrowNear, thumbStart],
  // thumb [thumbStart, thumbEnd], rail after it [thumbEnd, farArrow], far arrow [farArrow, L].
  struct BarSpans {
    int arrowNear;
    int thumbStart;
    int thumbEnd;
    int farArrow;
    int length;
  };
  // All spans empty (0) for a range with max below min.
  static BarSpans CalcBarSpans(const SCROLLINFO& si, int nLength, int nArrow);

  // Which bars a content of cx x cy needs in an area of w x h (measured with no bar shown;
  // bars s thick): the SSB_ bits of the bars to show. Each bar's range runs from 0 to the
  // content's extent less 1 and its page is the area's extent, less s for the vertical page and
  // the horizontal one when both bars show; a bar that is not needed gets the area's extent as
  // its range and page. The positions given in vert.nPos and horz.nPos come back within
  // [0, range end + 1 - page] (0 without the bar). Only range, page and position are set.
  static int FitScrollBars(int w, int h, int cx, int cy, int s, SCROLLINFO& vert,
                           SCROLLINFO& horz);

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MESSAGE_HANDLER(WM_NCCALCSIZE, OnNcCalcSize)
  MSG_WM_NCPAINT_EX(OnNcPaint)
  SWND_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
  SWND_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
  SWND_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDown)
  SWND_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
  SWND_MSG_ENTRY(WM_NCMOUSELEAVE, (OnNcMouseLeave(), 0))
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MSG_WM_TIMER_EX(OnTimer)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_MESSAGE_HANDLER(WM_HSCROLL, OnScrollMsg)
  SWND_MESSAGE_HANDLER(WM_VSCROLL, OnScrollMsg)
  SWND_END_MSG_MAP(SWindow)

  LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnNcPaint(IRenderTarget* pRT);
  void OnNcMouseMove(UINT nFlags, POINT pt);
  void OnNcLButtonDown(UINT nFlags, POINT pt);
  void OnNcLButtonUp(UINT nFlags, POINT pt);
  void OnNcMouseLeave();
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam);
  void OnTimer(char cTimerId);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  LRESULT OnScrollMsg(UINT uMsg, WPARAM wParam, LPARAM lParam);

  // Repaints the element at once when updateInterval ms have passed since the last time.
  void ThrottledUpdate();
  SSkinScrollbar* GetSbSkin() const;

  SCROLLINFO m_siVer;
  SCROLLINFO m_siHoz;
  SAutoRefPtr<ISkinObj> m_pSkinSb;
  SLayoutSize m_nSbArrowSize;
  SLayoutSize m_nSbWid;
  SLayoutSize m_nSbLeft;
  SLayoutSize m_nSbRight;
  SLayoutSize m_nSbTop;
  SLayoutSize m_nSbBottom;
  POINT m_ptDragStart = {0, 0};
  int m_nDragSb = SSB_NULL;  // the bar whose thumb is dragged
  int m_nHotPart = kNoPart;
  BOOL m_bHotVertical = FALSE;
  int m_nDragPos = 0;
  RECT m_rcClient = {0, 0, 0, 0};
  int m_wBarVisible = SSB_NULL;
  int m_wBarEnable = SSB_BOTH;
  DWORD m_dwUpdateTime = 0;
  int m_nUpdateInterval = 0;
  short m_zDelta = 0;
  int m_nScrollSpeed = 10;

 private:
  struct SbPartState {
    int code;   // the part code the skin is given
    int state;
    bool rail;  // drawn over the whole rail rather than the code's own span
  };
  SCROLLINFO& InfoOf(BOOL bVertical) { return bVertical ? m_siVer : m_siHoz; }
  static int BarBit(BOOL bVertical) { return bVertical ? SSB_VERT : SSB_HORZ; }
  // The highest position a step may reach, and a position kept within [min, that].
  static int MaxScrollPos(const SCROLLINFO& si);
  static int ClampPos(const SCROLLINFO& si, int nPos);
  BOOL IsBarDisabled(BOOL bVertical) const;
  // The thumb's rectangle at another position (the drag's start).
  RECT ThumbRectAt(BOOL bVertical, int nPos) const;
  RECT SbPartRect(BOOL bVertical, const SbPartState& part, const RECT* prcThumb) const;
  // Draws parts of a bar into pRT (state 3 for every part of a disabled bar).
  void DrawSbParts(IRenderTarget* pRT, BOOL bVertical, const SbPartState* parts, int count,
                   const RECT* prcThumb = nullptr);
  // The same at once, through a render target borrowed over the bar.
  void RedrawSbParts(BOOL bVertical, const SbPartState* parts, int count,
                     const RECT* prcThumb = nullptr);
  // The whole bar: both arrows and the thumb in restState, the rail in railState, except the
  // part hotPart in hotState.
  void RedrawSbWhole(BOOL bVertical, int restState, int railState, int hotPart, int hotState);
  void EndDrag();
  void EndPress();
  void NcMouseMove(POINT pt);
  void LeaveBars();
  void DragThumbTo(POINT pt);
  // Whether a bar is held by a press (an arrow or page area) or a thumb drag.
  BOOL m_bPressed = FALSE;
};

}  // namespace SWUI
