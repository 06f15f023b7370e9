// A scroll bar element ("scrollbar"): two arrows, a rail and a thumb drawn from a scroll-bar
// skin. Presses on the arrows and the rail are reported as EventScroll without moving
// anything (the owner answers, typically with SetPos); the thumb follows drags itself and
// reports SB_THUMBTRACK while it moves and SB_THUMBPOSITION at the release. Presses do not
// repeat.
//
// Positions run from min to max - page + 1 (to max without a page). The range holds at least
// one position (max >= min); a range that would hold none is refused and the old one kept.
//
// Attributes (names in any letter case, numbers decimal or 0x hex): "skin" (a scroll-bar skin;
// an unknown name is refused and keeps the skin), "arrowSize" (pixels; by default the skin's
// width / 9), "min", "max", "value", "page", "vertical". While a layout loads, the range, page
// and position are settled once all attributes are read.
//
// Element messages: SBM_SETSCROLLINFO (wParam redraw, lParam a SCROLLINFO: page, position and
// range as its mask says; FALSE for a missing record or a refused range) and
// SBM_GETSCROLLINFO (fills what the mask names).
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SScrollBar : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"scrollbar")

 public:
  enum : int { kPartNone = -1 };

  // The built-in scroll-bar skin, vertical, range 0..0.
  SScrollBar();

  // Clamps into [min, max - page + 1] and moves the thumb there (redrawn at once unless a
  // drag runs); fires nothing. Answers the position.
  int SetPos(int nPos);
  int GetPos() const { return m_si.nPos; }
  BOOL IsVertical() const { return m_bVertical; }
  // The rectangle of a part (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK);
  // empty for any other code.
  RECT GetPartRect(int part) const;
  // The part under the point: the arrows, the thumb, then the rail; -1 for none.
  int HitTest(POINT pt) const;

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // Takes the arrow size from the skin unless one was given, and settles the range and
  // position the layout gave.
  void OnInitFinished(pugi::xml_node xmlNode) override;

 protected:
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  LRESULT OnSetScrollInfo(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetScrollInfo(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_MESSAGE_HANDLER(SBM_SETSCROLLINFO, OnSetScrollInfo)
  SWND_MESSAGE_HANDLER(SBM_GETSCROLLINFO, OnGetScrollInfo)
  SWND_END_MSG_MAP(SWindow)

 private:
  // Where the parts lie along the bar, from the window's near edge.
  struct Geometry {
    int length;  // of the bar
    int arrow;
    int thumb;
    int free;    // the rail less the thumb: how far the thumb travels
    int offset;  // of the thumb within the rail
  };
  Geometry Measure() const;
  int ArrowSize() const;
  // The highest position: max - page + 1, max for a page of 0, never below min.
  int MaxPos() const;
  void FireScroll(int nSbCode, int nPos);
  // The part's drawing state now: disabled, a pressed arrow, the hot part, else normal.
  int PartState(int part) const;
  void DrawPart(IRenderTarget* pRT, int part);
  // Repaints the parts over a rectangle at once (with what lies below and above).
  void RedrawRect(const RECT& rc);
  void RedrawPart(int part) { RedrawRect(GetPartRect(part)); }
  void SetHotPart(int part);

  SAutoRefPtr<ISkinObj> m_pSkin;
  int m_nArrowSize = -1;
  SCROLLINFO m_si;
  BOOL m_bDrag = FALSE;
  POINT m_ptDrag = {0, 0};
  int m_nDragPos = 0;
  int m_iClickPart = kPartNone;
  int m_iHitPart = kPartNone;
  BOOL m_bVertical = TRUE;
  // The range before a layout started to load, to fall back to.
  int m_nLoadMin = 0;
  int m_nLoadMax = 0;
  bool m_bLoadingRange = false;
};

}  // namespace SWUI
