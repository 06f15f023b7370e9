#include "CalendarRig.h"

#include "control/EventCalendarExChanged.h"
#include "control/EventCalendarSelDay.h"
#include "control/EventCalendarSetDate.h"
#include "control/EventDateTimeChanged.h"

using namespace SWUI;

namespace {

SYSTEMTIME g_now = {};

void WINAPI ReadFixedClock(LPSYSTEMTIME now) { *now = g_now; }

}  // namespace

FixedClock::FixedClock(const SYSTEMTIME& now) {
  g_now = now;
  old_ = BindLocalTime(&ReadFixedClock);
}

FixedClock::~FixedClock() { BindLocalTime(old_); }

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME time = {};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wDayOfWeek = static_cast<WORD>(WeekDay(year, month, day));
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  return time;
}

CalendarRig::CalendarRig() : HostHarness(true), clock(MakeTime(2026, 1, 15, 10, 20, 30)) {}

TestHostWnd& CalendarRig::Open(const wchar_t* layoutXml, const HostOptions& options) {
  TestHostWnd& wnd = HostHarness::Open(layoutXml, options);
  selDays.clear();
  setDates = 0;
  exChanges.clear();
  timeChanges.clear();
  wnd.onEvent = [this](EventArgs* evt) {
    switch (evt->GetID()) {
      case EventCalendarSelDay::EventID: {
        auto* e = static_cast<EventCalendarSelDay*>(evt);
        selDays.push_back({e->wOldDay, e->wNewDay});
        break;
      }
      case EventCalendarSetDate::EventID:
        ++setDates;
        break;
      case EventCalendarExChanged::EventID: {
        auto* e = static_cast<EventCalendarExChanged*>(evt);
        exChanges.push_back({e->iNewYear, e->iNewMonth, e->iNewDay, e->nBtnType});
        break;
      }
      case EventDateTimeChanged::EventID:
        timeChanges.push_back(static_cast<EventDateTimeChanged*>(evt)->newTime);
        break;
      default:
        break;
    }
    return FALSE;
  };
  return wnd;
}

void CalendarRig::ClickIn(HWND popup, POINT pt) {
  const LPARAM at = MAKELPARAM(pt.x, pt.y);
  REQUIRE(PostMessageW(popup, WM_MOUSEMOVE, 0, at));
  REQUIRE(PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, at));
  REQUIRE(PostMessageW(popup, WM_LBUTTONUP, 0, at));
  Drain();
}
