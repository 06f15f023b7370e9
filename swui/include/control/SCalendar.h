// A month calendar ("calendar"): a row of week-day titles over the days of one month in seven
// columns (Sunday first) and six rows, with room left empty below. A click selects a day and
// fires EventCalendarSelDay (20000) when the day changes; SetDate with notice fires
// EventCalendarSetDate (20001). It shows today's month (the local clock's) until told otherwise.
//
// Attributes (no repaint by themselves; an empty colour is refused with E_FAIL): "titleHeight"
// (20 dp), "footerHeight" (20 dp), "colorWeekend" (Sunday and Saturday texts, red),
// "colorTitleBack" (the title row without a title skin, green), "colorDay" (the selected
// day's text, red), "daySkin" (states 0 normal, 1 hover, 2 selected), "titleSkin",
// "title-1" .. "title-7" (Sunday first; "@string/" names resolved, translated).
#pragma once
#include "control/SWeekTitles.h"
#include "core/SLayoutSize.h"
#include "core/SWindow.h"

namespace SWUI {

class SCalendar : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"calendar")

 public:
  SCalendar();

  // Shows a month of a year in 1601..6999 (FALSE, nothing changed, for any other year or
  // month) and selects a day of it: 0 or a day past the month's end selects none. Clears
  // the hover day and repaints; with bNotify fires EventCalendarSetDate.
  BOOL SetDate(WORD wYear, WORD wMonth, WORD wDay, BOOL bNotify = FALSE);
  // The shown year and month and the selected day (0: none).
  void GetDate(WORD& wYear, WORD& wMonth, WORD& wDay) const;
  // The day under a point (host coordinates); 0 for none.
  WORD HitTest(POINT pt) const;
  WORD GetHoverDay() const { return m_wHoverDay; }
  // A week-day title, Sunday 0, translated; empty outside 0..6.
  SStringW GetTitle(int iDay) const { return m_titles.GetTitle(iDay); }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  BOOL OnLanguageChanged() override;

 protected:
  // The title row: its skin (state 0) or background colour, then the seven titles.
  virtual void DrawTitle(IRenderTarget* pRT);
  // One day of the shown month in its cell (host coordinates).
  virtual void DrawDay(IRenderTarget* pRT, const RECT& rcDay, WORD wDay);

  // The title row and the days' area: the client less the title row and the footer.
  RECT GetTitleRect() const;
  RECT GetDaysRect() const;
  // The cell of a day of the shown month.
  RECT GetDayRect(WORD wDay) const;

  int OnCreate(LPVOID lpCreateParam);
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseLeave();

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  SWND_END_MSG_MAP(SWindow)

  SLayoutSize m_nTitleHei;
  SLayoutSize m_nFooterHei;
  // Colours 0xAABBGGRR: red, green, red, and the selected day's background blue.
  COLORREF m_crWeekend = 0xFF0000FF;
  COLORREF m_crTitleBack = 0xFF00FF00;
  COLORREF m_crDay = 0xFF0000FF;
  COLORREF m_crDayBack = 0xFFFF0000;
  SAutoRefPtr<ISkinObj> m_pDaySkin;
  SAutoRefPtr<ISkinObj> m_pTitleSkin;
  SWeekTitles m_titles;
  WORD m_wYear = 0;
  WORD m_wMonth = 0;
  WORD m_wDay = 0;
  WORD m_wHoverDay = 0;

 private:
  // Repaints a day's cell; nothing for 0.
  void InvalidateDay(WORD wDay);
};

}  // namespace SWUI
