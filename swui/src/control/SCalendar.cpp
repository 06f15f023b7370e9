#include "control/SCalendar.h"

#include "control/EventCalendarSelDay.h"
#include "control/EventCalendarSetDate.h"
#include "control/SControlSkin.h"
#include "control/SDateFunctions.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;

}  // namespace

SCalendar::SCalendar()
    : m_nTitleHei(20.0f, dp), m_nFooterHei(20.0f, dp), m_titles(this) {
  m_evtSet.AddEvent<EventCalendarSelDay>();
  m_evtSet.AddEvent<EventCalendarSetDate>();
  const SYSTEMTIME today = GetLocalNow();
  SetDate(today.wYear, today.wMonth, today.wDay);
}

// ---- the date ----------------------------------------------------------------------------

BOOL SCalendar::SetDate(WORD wYear, WORD wMonth, WORD wDay, BOOL bNotify) {
  // Only a real month has a first week day to place day 1 by.
  if (!IsDateYear(wYear) || wMonth < 1 || wMonth > 12) return FALSE;
  m_wYear = wYear;
  m_wMonth = wMonth;
  m_wDay = static_cast<int>(wDay) <= DaysInMonth(wYear, wMonth) ? wDay : 0;
  m_wHoverDay = 0;
  Invalidate();
  if (bNotify) {
    EventCalendarSetDate evt(this);
    FireEvent(evt);
  }
  return TRUE;
}

void SCalendar::GetDate(WORD& wYear, WORD& wMonth, WORD& wDay) const {
  wYear = m_wYear;
  wMonth = m_wMonth;
  wDay = m_wDay;
}

// ---- geometry ----------------------------------------------------------------------------

RECT SCalendar::GetTitleRect() const {
  RECT rc = GetClientRect();
  rc.bottom = rc.top + m_nTitleHei.toPixelSize(GetScale());
  return rc;
}

RECT SCalendar::GetDaysRect() const {
  RECT rc = GetClientRect();
  rc.top += m_nTitleHei.toPixelSize(GetScale());
  rc.bottom -= m_nFooterHei.toPixelSize(GetScale());
  return rc;
}

RECT SCalendar::GetDayRect(WORD wDay) const {
  const RECT area = GetDaysRect();
  const int width = (area.right - area.left) / kColumns;
  const int height = (area.bottom - area.top) / kRows;
  const int index = wDay + WeekDay(m_wYear, m_wMonth, 1) - 1;
  const int left = area.left + index % kColumns * width;
  const int top = area.top + index / kColumns * height;
  return RECT{left, top, left + width, top + height};
}

WORD SCalendar::HitTest(POINT pt) const {
  const RECT area = GetDaysRect();
  const int width = (area.right - area.left) / kColumns;
  const int height = (area.bottom - area.top) / kRows;
  const int first = WeekDay(m_wYear, m_wMonth, 1);
  // Cells under a pixel have no place a point could fall in.
  if (width < 1 || height < 1 || first < 0) return 0;
  const int x = pt.x - area.left;
  const int y = pt.y - area.top;
  if (x < 0 || y < 0) return 0;
  const int column = x / width;
  const int row = y / height;
  const int last = first + DaysInMonth(m_wYear, m_wMonth) - 1;
  if (column >= kColumns || row > last / kColumns) return 0;
  if (row == 0 && column < first) return 0;
  if (row == last / kColumns && column > last % kColumns) return 0;
  return static_cast<WORD>(row * kColumns - first + column + 1);
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SCalendar::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = S_FALSE;
  if (P::IsName(strAttribName, L"titleHeight")) {
    m_nTitleHei = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"footerHeight")) {
    m_nFooterHei = GetNamedDimension(strValue);
  } else if (P::IsName(strAttribName, L"colorWeekend")) {
    hr = ParseNamedColor(strValue, &m_crWeekend);
  } else if (P::IsName(strAttribName, L"colorTitleBack")) {
    hr = ParseNamedColor(strValue, &m_crTitleBack);
  } else if (P::IsName(strAttribName, L"colorDay")) {
    hr = ParseNamedColor(strValue, &m_crDay);
  } else if (P::IsName(strAttribName, L"daySkin")) {
    if (!SControlSkin::Assign(m_pDaySkin, strValue, GetScale())) hr = E_FAIL;
  } else if (P::IsName(strAttribName, L"titleSkin")) {
    if (!SControlSkin::Assign(m_pTitleSkin, strValue, GetScale())) hr = E_FAIL;
  } else if (strAttribName.GetLength() == 7 && P::IsName(strAttribName.Left(6), L"title-") &&
             strAttribName[6] >= L'1' && strAttribName[6] <= L'7') {
    m_titles.SetTitle(strAttribName[6] - L'1', GetNamedString(strValue));
  } else {
    return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  }
  // A colour or skin that was taken changes nothing on screen until the next paint.
  if (hr == S_OK) hr = S_FALSE;
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

BOOL SCalendar::OnLanguageChanged() {
  m_titles.Translate();
  return SWindow::OnLanguageChanged();
}

// ---- painting ----------------------------------------------------------------------------

void SCalendar::DrawTitle(IRenderTarget* pRT) {
  const RECT rc = GetTitleRect();
  if (m_pTitleSkin != nullptr) {
    m_pTitleSkin->Draw(pRT, &rc, 0);
  } else {
    pRT->FillSolidRect(&rc, m_crTitleBack);
  }
  m_titles.Draw(pRT, rc, m_crWeekend);
}

void SCalendar::DrawDay(IRenderTarget* pRT, const RECT& rcDay, WORD wDay) {
  COLORREF crText = CR_INVALID;
  if (wDay == m_wDay) {
    if (m_pDaySkin != nullptr) {
      m_pDaySkin->Draw(pRT, &rcDay, SkinState_PushDown);
    } else {
      pRT->FillSolidRect(&rcDay, m_crDayBack);
    }
    crText = m_crDay;
  } else {
    if (m_pDaySkin != nullptr) {
      m_pDaySkin->Draw(pRT, &rcDay, wDay == m_wHoverDay ? SkinState_Hover : SkinState_Normal);
    }
    const int weekDay = WeekDay(m_wYear, m_wMonth, wDay);
    if (weekDay == 0 || weekDay == kColumns - 1) crText = m_crWeekend;
  }
  SStringW text;
  text.Format(L"%2d", wDay);
  SWeekTitles::DrawTextIn(pRT, text, rcDay, DT_CENTER | DT_VCENTER | DT_SINGLELINE, crText);
}

void SCalendar::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  DrawTitle(pRT);
  const int days = WeekDay(m_wYear, m_wMonth, 1) < 0 ? 0 : DaysInMonth(m_wYear, m_wMonth);
  for (int day = 1; day <= days; ++day) {
    const WORD wDay = static_cast<WORD>(day);
    DrawDay(pRT, GetDayRect(wDay), wDay);
  }
  AfterPaint(pRT, painter);
}

void SCalendar::InvalidateDay(WORD wDay) {
  if (wDay != 0) InvalidateRect(GetDayRect(wDay));
}

// ---- input -------------------------------------------------------------------------------

int SCalendar::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  m_titles.Translate();  // the tree's translation context is known from now on
  return result;
}

void SCalendar::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  const WORD hit = HitTest(pt);
  if (hit != 0 && hit != m_wDay) {
    EventCalendarSelDay evt(this);
    evt.wOldDay = m_wDay;
    evt.wNewDay = hit;
    FireEvent(evt);
  }
  m_wDay = hit;
  Invalidate();
}

void SCalendar::OnMouseMove(UINT, POINT pt) {
  const WORD hit = HitTest(pt);
  if (hit == m_wHoverDay) return;
  const WORD old = m_wHoverDay;
  m_wHoverDay = hit;
  // Only a day skin shows the hover.
  if (m_pDaySkin == nullptr) return;
  InvalidateDay(old);
  InvalidateDay(hit);
}

void SCalendar::OnMouseLeave() {
  SWindow::OnMouseLeave();
  const WORD old = m_wHoverDay;
  m_wHoverDay = 0;
  if (m_pDaySkin != nullptr) InvalidateDay(old);
}

}  // namespace SWUI
