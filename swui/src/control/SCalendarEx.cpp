#include "control/SCalendarEx.h"

#include "control/EventCalendarExChanged.h"
#include "control/SControlSkin.h"
#include "control/SDateFunctions.h"
#include "control/SScopedPen.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;
constexpr int kBuiltinPrevSkin = 30;  // "_skin.sys.btn.prev"
constexpr int kBuiltinNextSkin = 31;  // "_skin.sys.btn.next"
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr POINT kCellCorner = {1, 1};

void StepMonth(WORD& wYear, WORD& wMonth, int step) {
  int month = wMonth + step;
  int year = wYear;
  if (month < 1) {
    month = 12;
    --year;
  } else if (month > 12) {
    month = 1;
    ++year;
  }
  wYear = static_cast<WORD>(year);
  wMonth = static_cast<WORD>(month);
}

}  // namespace

SCalendarEx::SCalendarEx()
    : m_nYearHei(30.0f, dp),
      m_nWeekHei(20.0f, dp),
      m_nTodayHei(20.0f, dp),
      m_pSkinPrev(SControlSkin::Builtin(kBuiltinPrevSkin)),
      m_pSkinNext(SControlSkin::Builtin(kBuiltinNextSkin)),
      m_titles(this),
      m_today(GetLocalNow()) {
  SetFlag(SWF_FOCUSABLE, TRUE);
  m_evtSet.AddEvent<EventCalendarExChanged>();
  SetDate(m_today.wYear, m_today.wMonth, m_today.wDay);
}

// ---- the date and the page ---------------------------------------------------------------

BOOL SCalendarEx::SetDate(WORD wYear, WORD wMonth, WORD wDay, int nBtnType, BOOL bNotify) {
  if (!IsDateYear(wYear) || !IsValidDate(wYear, wMonth, wDay)) return FALSE;
  const int first = WeekDay(wYear, wMonth, 1);
  WORD prevYear = wYear;
  WORD prevMonth = wMonth;
  StepMonth(prevYear, prevMonth, -1);
  const int prevDays = DaysInMonth(prevYear, prevMonth);
  const int days = DaysInMonth(wYear, wMonth);
  for (int i = 0; i < kCells; ++i) {
    if (i < first) {
      m_cells[i] = Cell{static_cast<WORD>(prevDays - first + 1 + i), kPrevMonth};
    } else if (i < first + days) {
      m_cells[i] = Cell{static_cast<WORD>(i - first + 1), kThisMonth};
    } else {
      m_cells[i] = Cell{static_cast<WORD>(i - first - days + 1), kNextMonth};
    }
  }
  m_wYear = wYear;
  m_wMonth = wMonth;
  m_iHoverCode = kHitNone;
  m_iSelCell = first + wDay - 1;
  Invalidate();
  if (bNotify) {
    EventCalendarExChanged evt(this);
    evt.iNewDay = wDay;
    evt.iNewMonth = wMonth;
    evt.iNewYear = wYear;
    evt.nBtnType = nBtnType;
    FireEvent(evt);
  }
  return TRUE;
}

BOOL SCalendarEx::PrevMonth(BOOL bNotify) {
  WORD year = m_wYear;
  WORD month = m_wMonth;
  StepMonth(year, month, -1);
  return SetDate(year, month, 1, kHitPrev, bNotify);
}

BOOL SCalendarEx::NextMonth(BOOL bNotify) {
  WORD year = m_wYear;
  WORD month = m_wMonth;
  StepMonth(year, month, 1);
  return SetDate(year, month, 1, kHitNext, bNotify);
}

WORD SCalendarEx::GetDay() const {
  return m_iSelCell >= 0 && m_iSelCell < kCells ? m_cells[m_iSelCell].wDay : 1;
}

void SCalendarEx::GetDate(WORD& wYear, WORD& wMonth, WORD& wDay) const {
  wYear = m_wYear;
  wMonth = m_wMonth;
  wDay = GetDay();
}

WORD SCalendarEx::GetCellDay(int iCell) const {
  return iCell >= 0 && iCell < kCells ? m_cells[iCell].wDay : 0;
}

int SCalendarEx::GetCellKind(int iCell) const {
  return iCell >= 0 && iCell < kCells ? m_cells[iCell].nKind : 0;
}

void SCalendarEx::MonthOfCell(int iCell, WORD& wYear, WORD& wMonth) const {
  wYear = m_wYear;
  wMonth = m_wMonth;
  StepMonth(wYear, wMonth, GetCellKind(iCell));
}

// ---- geometry ----------------------------------------------------------------------------

SCalendarEx::Strips SCalendarEx::GetStrips() const {
  const int scale = GetScale();
  const RECT rc = GetClientRect();
  Strips strips;
  strips.year = rc;
  strips.year.bottom = rc.top + m_nYearHei.toPixelSize(scale);
  strips.week = rc;
  strips.week.top = strips.year.bottom;
  strips.week.bottom = strips.week.top + m_nWeekHei.toPixelSize(scale);
  strips.days = rc;
  strips.days.top = strips.week.bottom;
  strips.days.bottom = rc.bottom - m_nTodayHei.toPixelSize(scale);
  strips.today = rc;
  strips.today.top = strips.days.bottom;
  return strips;
}

RECT SCalendarEx::GetCellRect(int iCell) const {
  const RECT days = GetStrips().days;
  const int width = (days.right - days.left) / kColumns;
  const int height = (days.bottom - days.top) / kRows;
  const int left = days.left + iCell % kColumns * width;
  const int top = days.top + iCell / kColumns * height;
  return RECT{left, top, left + width, top + height};
}

int SCalendarEx::CellFromPoint(const RECT& rcDays, POINT pt) const {
  const int width = (rcDays.right - rcDays.left) / kColumns;
  const int height = (rcDays.bottom - rcDays.top) / kRows;
  // Cells under a pixel have no place a point could fall in.
  if (width < 1 || height < 1 || pt.x < rcDays.left) return kHitNone;
  const int column = (pt.x - rcDays.left) / width;
  const int row = (pt.y - rcDays.top) / height;
  return (row < kRows ? row : kRows - 1) * kColumns + (column < kColumns ? column : kColumns - 1);
}

int SCalendarEx::HitTest(POINT pt) const {
  const Strips strips = GetStrips();
  const int yearHei = m_nYearHei.toPixelSize(GetScale());
  if (pt.y < strips.week.top) {
    if (pt.x < strips.days.left + yearHei) return kHitPrev;
    if (pt.x >= strips.days.right - yearHei) return kHitNext;
    return kHitTitle;
  }
  if (pt.y < strips.days.top) return kHitNone;
  if (pt.y >= strips.days.bottom) {
    return ::PtInRect(&m_rcTodayText, pt) ? kHitToday : kHitTodayStrip;
  }
  return CellFromPoint(strips.days, pt);
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SCalendarEx::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = S_FALSE;
  if (P::IsName(strAttribName, L"yearHeight")) {
    m_nYearHei = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"weekHeight")) {
    m_nWeekHei = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"todayHeight")) {
    m_nTodayHei = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"colorSelText")) {
    hr = ParseNamedColor(strValue, &m_crSelText);
  } else if (P::IsName(strAttribName, L"colorOtherText")) {
    hr = ParseNamedColor(strValue, &m_crOtherText);
  } else if (P::IsName(strAttribName, L"colorSelBg")) {
    hr = ParseNamedColor(strValue, &m_crSelBg);
  } else if (P::IsName(strAttribName, L"colorHoverText")) {
    hr = ParseNamedColor(strValue, &m_crHoverText);
  } else if (P::IsName(strAttribName, L"prevSkin")) {
    if (!SControlSkin::Assign(m_pSkinPrev, strValue, GetScale())) hr = E_FAIL;
  } else if (P::IsName(strAttribName, L"nextSkin")) {
    if (!SControlSkin::Assign(m_pSkinNext, strValue, GetScale())) hr = E_FAIL;
  } else if (P::IsName(strAttribName, L"daySkin")) {
    if (!SControlSkin::Assign(m_pSkinDay, strValue, GetScale())) hr = E_FAIL;
  } else {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SCalendarEx::OnLanguageChanged() {
  m_titles.Translate();
  return SWindow::OnLanguageChanged();
}

void SCalendarEx::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinPrev, scale);
  ScaleSkin(m_pSkinNext, scale);
  ScaleSkin(m_pSkinDay, scale);
}

// ---- painting ----------------------------------------------------------------------------

void SCalendarEx::DrawYearStrip(IRenderTarget* pRT, const RECT& rc) {
  const int height = rc.bottom - rc.top;
  const SIZE prev = SControlSkin::SizeOf(m_pSkinPrev);
  const int prevInset = (height - prev.cy) / 2;
  const RECT rcPrev = {rc.left + prevInset, rc.top + prevInset, rc.left + prevInset + prev.cx,
                       rc.top + prevInset + prev.cy};
  SControlSkin::DrawState(m_pSkinPrev, pRT, rcPrev, m_iHoverCode == kHitPrev ? 1 : 0);
  const SIZE next = SControlSkin::SizeOf(m_pSkinNext);
  const int nextInset = (height - next.cy) / 2;
  const RECT rcNext = {rc.right - nextInset - next.cx, rc.top + nextInset, rc.right - nextInset,
                       rc.top + nextInset + next.cy};
  SControlSkin::DrawState(m_pSkinNext, pRT, rcNext, m_iHoverCode == kHitNext ? 1 : 0);
  SStringW title;
  title.Format(L"%04d年%d月", m_wYear, m_wMonth);
  SWeekTitles::DrawTextIn(pRT, title, rc, kCentred,
                          m_iHoverCode == kHitTitle ? m_crHoverText : CR_INVALID);
}

void SCalendarEx::DrawCell(IRenderTarget* pRT, int iCell) {
  const RECT rc = GetCellRect(iCell);
  const Cell& cell = m_cells[iCell];
  COLORREF crText = cell.nKind == kThisMonth ? CR_INVALID : m_crOtherText;
  int state = SkinState_Normal;
  if (iCell == m_iSelCell) {
    if (m_crSelBg != CR_INVALID) pRT->FillSolidRoundRect(&rc, kCellCorner, m_crSelBg);
    crText = m_crSelText;
    state = SkinState_PushDown;
  } else if (iCell == m_iHoverCode) {
    crText = m_crHoverText;
    state = SkinState_Hover;
  }
  SControlSkin::DrawState(m_pSkinDay, pRT, rc, state);
  if (cell.nKind == kThisMonth && m_wYear == m_today.wYear && m_wMonth == m_today.wMonth &&
      cell.wDay == m_today.wDay) {
    // Today's outline in the accent colour.
    const COLORREF crLine = m_crSelBg != CR_INVALID ? m_crSelBg : pRT->GetTextColor();
    SScopedPen pen(pRT, PS_SOLID, crLine, 1);
    if (pen) pRT->DrawRoundRect(&rc, kCellCorner);
  }
  SStringW text;
  text.Format(L"%d", cell.wDay);
  SWeekTitles::DrawTextIn(pRT, text, rc, kCentred, crText);
}

void SCalendarEx::DrawTodayStrip(IRenderTarget* pRT, const RECT& rc) {
  SStringW text;
  text.Format(L"今天:%04d/%d/%d", m_today.wYear, m_today.wMonth, m_today.wDay);
  SIZE size = {0, 0};
  pRT->MeasureText(text, text.GetLength(), &size);
  const int left = rc.left + (rc.right - rc.left - size.cx) / 2;
  m_rcTodayText = RECT{left, rc.top, left + size.cx, rc.bottom};
  SWeekTitles::DrawTextIn(pRT, text, m_rcTodayText, kCentred,
                          m_iHoverCode == kHitToday ? m_crHoverText : CR_INVALID);
}

void SCalendarEx::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const Strips strips = GetStrips();
  DrawYearStrip(pRT, strips.year);
  m_titles.Draw(pRT, strips.week, CR_INVALID);
  for (int i = 0; i < kCells; ++i) DrawCell(pRT, i);
  DrawTodayStrip(pRT, strips.today);
  AfterPaint(pRT, painter);
}

// ---- input -------------------------------------------------------------------------------

int SCalendarEx::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  m_titles.Translate();  // the tree's translation context is known from now on
  return result;
}

void SCalendarEx::ClickCell(int iCell) {
  WORD year = 0;
  WORD month = 0;
  MonthOfCell(iCell, year, month);
  // Another month's cell turns the page at once, so the title and the grid agree.
  SetDate(year, month, m_cells[iCell].wDay, iCell, TRUE);
}

void SCalendarEx::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  const int code = HitTest(pt);
  if (code == kHitToday) {
    SetDate(m_today.wYear, m_today.wMonth, m_today.wDay, kHitToday, TRUE);
  } else if (code == kHitPrev) {
    PrevMonth(TRUE);
  } else if (code == kHitNext) {
    NextMonth(TRUE);
  } else if (code >= 0 && code < kCells && code != m_iSelCell) {
    ClickCell(code);
  }
  // The mouse still rests where it pressed.
  m_iHoverCode = HitTest(pt);
  Invalidate();
}

void SCalendarEx::OnMouseMove(UINT, POINT pt) {
  const int code = HitTest(pt);
  if (code == m_iHoverCode) return;
  m_iHoverCode = code;
  Invalidate();
}

void SCalendarEx::OnMouseLeave() {
  SWindow::OnMouseLeave();
  m_iHoverCode = kHitNone;
  Invalidate();
}

BOOL SCalendarEx::OnMouseWheel(UINT, short zDelta, POINT) {
  if (zDelta < 1) {
    NextMonth(TRUE);
  } else {
    PrevMonth(TRUE);
  }
  return TRUE;
}

}  // namespace SWUI
