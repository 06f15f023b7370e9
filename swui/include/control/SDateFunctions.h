// Gregorian date arithmetic shared by the calendars and the date-time picker, and the one place
// they learn today's date. Weeks start on Sunday (0); years are 16-bit, as in SYSTEMTIME.
#pragma once
#include <windows.h>

namespace SWUI {

// The years the calendars and the picker show, page to and accept.
constexpr WORD kMinDateYear = 1601;
constexpr WORD kMaxDateYear = 6999;
inline bool IsDateYear(int year) { return year >= kMinDateYear && year <= kMaxDateYear; }

// FALSE for a year outside 1600..6999; else *pbLeap (when given) tells whether it is a leap
// year (divisible by 4 and not by 100, or by 400).
BOOL IsLeapYear(WORD wYear, BOOL* pbLeap);
// Month 1..12, day 1..the month's length (February 29 only in a leap year).
BOOL IsValidDate(WORD wYear, WORD wMonth, WORD wDay);
// The zero-based day of the year; FALSE for an invalid date.
BOOL DayOfYear(WORD wYear, WORD wMonth, WORD wDay, int* pIndex);
// 0 (Sunday) .. 6 (Saturday); -1 for an invalid date.
int WeekDay(WORD wYear, WORD wMonth, WORD wDay);
// The month's length; 0 for a month outside 1..12.
int DaysInMonth(WORD wYear, WORD wMonth);

// What the local clock is read through; tests bind a fixed day (null restores GetLocalTime).
using LocalTimeFn = void(WINAPI*)(LPSYSTEMTIME);
LocalTimeFn BindLocalTime(LocalTimeFn fn);
// The local date and time now.
SYSTEMTIME GetLocalNow();

}  // namespace SWUI
