#include "control/SDateFunctions.h"

namespace SWUI {

namespace {

// Days before each month, and the year's length last.
constexpr int kDaysBefore[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

constexpr bool TablesAreConsistent() {
  constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int leap = 0; leap < 2; ++leap) {
    for (int m = 0; m < 12; ++m) {
      const int length = kLengths[m] + (leap == 1 && m == 1 ? 1 : 0);
      if (kDaysBefore[leap][m + 1] - kDaysBefore[leap][m] != length) return false;
    }
  }
  return true;
}
static_assert(TablesAreConsistent(), "the cumulative tables add up the months' lengths");

LocalTimeFn g_localTime = ::GetLocalTime;

// The table row of a year: leap years outside the known range count as common ones.
int LeapRow(WORD wYear) {
  BOOL leap = FALSE;
  return IsLeapYear(wYear, &leap) && leap ? 1 : 0;
}

}  // namespace

BOOL IsLeapYear(WORD wYear, BOOL* pbLeap) {
  if (wYear < 1600 || wYear > 6999) return FALSE;
  if (pbLeap != nullptr) *pbLeap = (wYear % 4 == 0 && wYear % 100 != 0) || wYear % 400 == 0;
  return TRUE;
}

BOOL IsValidDate(WORD wYear, WORD wMonth, WORD wDay) {
  return wDay >= 1 && static_cast<int>(wDay) <= DaysInMonth(wYear, wMonth);
}

BOOL DayOfYear(WORD wYear, WORD wMonth, WORD wDay, int* pIndex) {
  if (!IsValidDate(wYear, wMonth, wDay)) return FALSE;
  if (pIndex != nullptr) *pIndex = kDaysBefore[LeapRow(wYear)][wMonth - 1] + wDay - 1;
  return TRUE;
}

int WeekDay(WORD wYear, WORD wMonth, WORD wDay) {
  int index = 0;
  if (!DayOfYear(wYear, wMonth, wDay, &index)) return -1;
  const int y = static_cast<int>(wYear) - 1;
  return (index + 1 + y + y / 4 - y / 100 + y / 400) % 7;
}

int DaysInMonth(WORD wYear, WORD wMonth) {
  if (wMonth < 1 || wMonth > 12) return 0;
  const int* row = kDaysBefore[LeapRow(wYear)];
  return row[wMonth] - row[wMonth - 1];
}

LocalTimeFn BindLocalTime(LocalTimeFn fn) {
  const LocalTimeFn old = g_localTime;
  g_localTime = fn != nullptr ? fn : ::GetLocalTime;
  return old;
}

SYSTEMTIME GetLocalNow() {
  SYSTEMTIME now = {};
  g_localTime(&now);
  return now;
}

}  // namespace SWUI
