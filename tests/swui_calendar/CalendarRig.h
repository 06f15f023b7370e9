// What the calendar tests share: a local clock that reads one fixed moment, and a host harness
// (built-in skins) that keeps the calendar and picker events reaching the host with their
// fields.
//
//   CalendarRig h;                               // the clock reads 2026-01-15 10:20:30
//   h.Open(L"<SWUI ...><root><calendarex name='c' .../></root></SWUI>");
//   h.Click({45, 75});
//   CHECK(h.exChanges.back().code == 8);
#pragma once
#include <windows.h>

#include <cstdio>
#include <vector>

#include "HostHarness.h"
#include "control/SDateFunctions.h"

// Binds the local clock to a fixed moment while it lives.
class FixedClock {
 public:
  explicit FixedClock(const SYSTEMTIME& now);
  ~FixedClock();
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;

 private:
  SWUI::LocalTimeFn old_;
};

// A calendar's shown year and month and selected day, comparable and printable.
struct Date {
  WORD year;
  WORD month;
  WORD day;
  bool operator==(const Date& o) const {
    return year == o.year && month == o.month && day == o.day;
  }
};
template <class Calendar>
Date DateOf(const Calendar* calendar) {
  Date date = {0, 0, 0};
  calendar->GetDate(date.year, date.month, date.day);
  return date;
}
namespace doctest {
template <>
struct StringMaker<Date> {
  static String convert(const Date& d) {
    char buf[32];
    snprintf(buf, sizeof(buf), "%04u-%02u-%02u", d.year, d.month, d.day);
    return String(buf);
  }
};
}  // namespace doctest

inline POINT CentreOf(const RECT& rc) {
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                    WORD second = 0);

class CalendarRig : public HostHarness {
 public:
  struct SelDay {
    WORD oldDay;
    WORD newDay;
  };
  struct ExChange {
    WORD year;
    WORD month;
    WORD day;
    int code;
  };

  CalendarRig();

  // HostHarness::Open, then the events below are recorded from a clean start.
  TestHostWnd& Open(const wchar_t* layoutXml, const HostOptions& options = HostOptions());
  // Move, press and release posted to a popup window (client coordinates), drained.
  void ClickIn(HWND popup, POINT pt);

  FixedClock clock;
  std::vector<SelDay> selDays;          // 20000
  int setDates = 0;                     // 20001
  std::vector<ExChange> exChanges;      // 20002
  std::vector<SYSTEMTIME> timeChanges;  // 20003
};
