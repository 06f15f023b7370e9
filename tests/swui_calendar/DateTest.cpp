// The Gregorian date functions the calendars and the picker stand on.
#include <doctest/doctest.h>

#include "control/SDateFunctions.h"

using namespace SWUI;

TEST_CASE("leap years, known only within 1600..6999") {
  struct Case {
    WORD year;
    BOOL known;
    BOOL leap;
  } cases[] = {
      {1900, TRUE, FALSE}, {2000, TRUE, TRUE}, {2024, TRUE, TRUE}, {2025, TRUE, FALSE},
      {1600, TRUE, TRUE},  {6999, TRUE, FALSE}, {1599, FALSE, FALSE}, {7000, FALSE, FALSE},
  };
  for (const Case& c : cases) {
    CAPTURE(c.year);
    BOOL leap = 2;
    CHECK(IsLeapYear(c.year, &leap) == c.known);
    if (c.known) CHECK(leap == c.leap);
  }
}

TEST_CASE("month lengths, days of the year and week days") {
  struct Length {
    WORD year;
    WORD month;
    int days;
  } lengths[] = {
      {1900, 2, 28}, {2000, 2, 29}, {2025, 13, 0}, {2025, 0, 0},
      {2025, 12, 31}, {2025, 4, 30}, {7000, 2, 28},  // unknown years count as common ones
  };
  for (const Length& c : lengths) {
    CAPTURE(c.year);
    CAPTURE(c.month);
    CHECK(DaysInMonth(c.year, c.month) == c.days);
  }

  int index = -1;
  CHECK(DayOfYear(2024, 3, 1, &index));
  CHECK(index == 60);
  CHECK(DayOfYear(2025, 12, 31, &index));
  CHECK(index == 364);
  CHECK_FALSE(DayOfYear(2025, 2, 29, &index));

  struct Week {
    WORD year;
    WORD month;
    WORD day;
    int weekDay;
  } weeks[] = {
      {2026, 12, 8, 2}, {2000, 1, 1, 6}, {2026, 2, 1, 0}, {1601, 1, 1, 1},
      {2025, 2, 30, -1}, {2025, 13, 1, -1}, {2025, 6, 0, -1}, {2024, 2, 29, 4},
  };
  for (const Week& c : weeks) {
    CAPTURE(c.year);
    CAPTURE(c.month);
    CAPTURE(c.day);
    CHECK(WeekDay(c.year, c.month, c.day) == c.weekDay);
  }
}
