// The extended calendar ("calendarex"): a strip with the shown year and month between a
// previous and a next button, a strip of week-day titles, a page of 42 day cells (six weeks,
// Sunday first, the tail of the previous month and the head of the next one in a paler colour)
// and a "today" strip. Clicking a cell, "today" or a month button, or turning the wheel (down:
// next month), changes the date and fires EventCalendarExChanged (20002); a cell of another
// month turns the page to that month at once. It shows today's month (the local clock's,
// read at construction) until told otherwise; years stay within 1601..6999.
//
// Attributes: "yearHeight" (30 dp), "weekHeight" (20 dp), "todayHeight" (20 dp), "prevSkin",
// "nextSkin" (the built-in arrows), "daySkin" (states 0, 1 hover, 2 selected) take effect at
// the next paint; the colours repaint and refuse an empty value with E_FAIL: "colorSelText"
// (white), "colorOtherText" (grey), "colorSelBg" and "colorHoverText" (both RGB 0,122,204).
#pragma once
#include "control/SWeekTitles.h"
#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class SCalendarEx : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"calendarex")

 public:
  static constexpr int kCells = 42;
  // Hit codes besides the cells 0..41, also the button codes of EventCalendarExChanged.
  enum : int {
    kHitToday = 42,      // the today text
    kHitTodayStrip = 43,  // the rest of the today strip
    kHitNone = -1,       // the week strip, or no cell
    kHitPrev = -10,
    kHitNext = -11,
    kHitTitle = -12,
  };
  // Kinds of cells.
  enum : int { kPrevMonth = -1, kThisMonth = 0, kNextMonth = 1 };

  SCalendarEx();

  // Shows the month of a valid date with a year in 1601..6999 and selects the date's cell
  // (FALSE, nothing changed, for any other date); clears the hover code and repaints; with
  // bNotify fires EventCalendarExChanged with the date and nBtnType.
  BOOL SetDate(WORD wYear, WORD wMonth, WORD wDay, int nBtnType = -1, BOOL bNotify = FALSE);
  // Day 1 of the month before (after) the shown one, with button code -10 (-11); FALSE at the
  // ends of the years shown.
  BOOL PrevMonth(BOOL bNotify = TRUE);
  BOOL NextMonth(BOOL bNotify = TRUE);
  // The selected cell's day number; 1 when no cell is selected.
  WORD GetDay() const;
  // The shown year and month and GetDay.
  void GetDate(WORD& wYear, WORD& wMonth, WORD& wDay) const;

  // The page: a cell's day number and kind (kPrevMonth .. kNextMonth); 0 outside 0..41.
  WORD GetCellDay(int iCell) const;
  int GetCellKind(int iCell) const;
  int GetSelectedCell() const { return m_iSelCell; }
  int GetHoverCode() const { return m_iHoverCode; }
  // A cell's rectangle (host coordinates) in the current layout.
  RECT GetCellRect(int iCell) const;
  // The code of a point (host coordinates): a cell 0..41 or one of the kHit codes. The today
  // text is where the last paint put it.
  int HitTest(POINT pt) const;
  RECT GetTodayTextRect() const { return m_rcTodayText; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  BOOL OnLanguageChanged() override;
  void OnScaleChanged(int scale) override;

 protected:
  // The four strips, top to bottom, in host coordinates.
  struct Strips {
    RECT year;
    RECT week;
    RECT days;
    RECT today;
  };
  Strips GetStrips() const;

  void DrawYearStrip(IRenderTarget* pRT, const RECT& rc);
  void DrawCell(IRenderTarget* pRT, int iCell);
  void DrawTodayStrip(IRenderTarget* pRT, const RECT& rc);

  int OnCreate(LPVOID lpCreateParam);
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();
  BOOL OnMouseWheel(UINT nFlags, short zDelta, POINT pt);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_MOUSEWHEEL(OnMouseWheel)
  SWND_END_MSG_MAP(SWindow)

 private:
  struct Cell {
    WORD wDay;
    int nKind;
  };

  // The cell code of a point inside the days' area; kHitNone when cells are under a pixel.
  int CellFromPoint(const RECT& rcDays, POINT pt) const;
  // The month a cell of the page belongs to.
  void MonthOfCell(int iCell, WORD& wYear, WORD& wMonth) const;
  // Selects a clicked cell's date, turning the page when it is another month's.
  void ClickCell(int iCell);

  SLayoutSize m_nYearHei;
  SLayoutSize m_nWeekHei;
  SLayoutSize m_nTodayHei;
  // Colours 0xAABBGGRR.
  COLORREF m_crSelText = 0xFFFFFFFF;
  COLORREF m_crOtherText = 0xFFA0A0A0;
  COLORREF m_crSelBg = 0xFFCC7A00;
  COLORREF m_crHoverText = 0xFFCC7A00;
  SAutoRefPtr<ISkinObj> m_pSkinPrev;
  SAutoRefPtr<ISkinObj> m_pSkinNext;
  SAutoRefPtr<ISkinObj> m_pSkinDay;
  SWeekTitles m_titles;
  Cell m_cells[kCells] = {};
  WORD m_wYear = 0;
  WORD m_wMonth = 0;
  int m_iSelCell = -1;
  int m_iHoverCode = kHitNone;
  SYSTEMTIME m_today;
  RECT m_rcTodayText = {0, 0, 0, 0};
};

}  // namespace SWUI
