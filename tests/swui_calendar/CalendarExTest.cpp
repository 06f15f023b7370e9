// The extended calendar: its page of 42 cells, the codes under the mouse, clicks, the wheel
// and the selected cell's colours.
#include <doctest/doctest.h>

#include "CalendarRig.h"
#include "control/SCalendarEx.h"

using namespace SWUI;

namespace {

const wchar_t kCalendar[] =
    L"<SWUI width='220' height='200'><root colorBkgnd='#ffffff'>"
    L"<calendarex name='c' pos='0,0,@210,@190'/></root></SWUI>";

struct ExRig : CalendarRig {
  SCalendarEx* Open() {
    CalendarRig::Open(kCalendar);
    return Find<SCalendarEx>(L"c");
  }
};

}  // namespace

TEST_CASE_FIXTURE(ExRig, "a page holds the tail of the month before and the head of the next") {
  SCalendarEx* c = Open();
  struct Case {
    WORD year;
    WORD month;
    WORD day;
    int firstCell;  // of day 1
    int prevCells;
    WORD firstShown;  // cell 0's day
    int nextCells;
    int selected;
  } cases[] = {
      {2026, 1, 15, 4, 4, 28, 7, 18},
      {2026, 2, 1, 0, 0, 1, 14, 0},  // starts on a Sunday: no days of January
      {2025, 3, 31, 6, 6, 23, 5, 36},
  };
  for (const Case& k : cases) {
    CAPTURE(k.month);
    REQUIRE(c->SetDate(k.year, k.month, k.day));
    CHECK(c->GetSelectedCell() == k.selected);
    CHECK(c->GetCellDay(0) == k.firstShown);
    int prev = 0;
    int next = 0;
    for (int i = 0; i < SCalendarEx::kCells; ++i) {
      if (c->GetCellKind(i) == SCalendarEx::kPrevMonth) ++prev;
      if (c->GetCellKind(i) == SCalendarEx::kNextMonth) ++next;
    }
    CHECK(prev == k.prevCells);
    CHECK(next == k.nextCells);
    CHECK(c->GetCellDay(k.firstCell) == 1);
    CHECK(c->GetCellKind(k.firstCell) == SCalendarEx::kThisMonth);
    CHECK(DateOf(c) == Date{k.year, k.month, k.day});
  }
  // January 2026 in detail: December 28..31, then the month, then February 1..7.
  REQUIRE(c->SetDate(2026, 1, 15));
  for (int i = 0; i < 4; ++i) {
    CHECK(c->GetCellDay(i) == 28 + i);
    CHECK(c->GetCellKind(i) == SCalendarEx::kPrevMonth);
  }
  for (int i = 35; i < 42; ++i) {
    CHECK(c->GetCellDay(i) == i - 34);
    CHECK(c->GetCellKind(i) == SCalendarEx::kNextMonth);
  }
}

TEST_CASE_FIXTURE(ExRig, "dates it refuses leave the page as it was") {
  SCalendarEx* c = Open();
  REQUIRE(c->SetDate(2026, 1, 15));
  const struct {
    WORD year, month, day;
  } refused[] = {{2025, 2, 29}, {2025, 13, 1}, {2025, 4, 31}, {2025, 5, 0}, {1600, 12, 1},
                 {7000, 1, 1}};
  for (const auto& r : refused) {
    CAPTURE(r.year);
    CAPTURE(r.month);
    CHECK_FALSE(c->SetDate(r.year, r.month, r.day, -1, TRUE));
  }
  CHECK(DateOf(c) == Date{2026, 1, 15});
  CHECK(exChanges.empty());
  // Paging stops at the ends of the years shown.
  REQUIRE(c->SetDate(1601, 1, 1));
  CHECK_FALSE(c->PrevMonth());
  REQUIRE(c->SetDate(6999, 12, 31));
  CHECK_FALSE(c->NextMonth());
  CHECK(DateOf(c) == Date{6999, 12, 31});
}

TEST_CASE_FIXTURE(ExRig, "the code under each part of a 210 x 190 calendar") {
  SCalendarEx* c = Open();
  Paint();  // places the today text
  const RECT today = c->GetTodayTextRect();
  REQUIRE(today.right > today.left);
  struct Case {
    POINT pt;
    int code;
  } cases[] = {
      {{5, 5}, SCalendarEx::kHitPrev},     {{200, 5}, SCalendarEx::kHitNext},
      {{100, 5}, SCalendarEx::kHitTitle},  {{100, 40}, SCalendarEx::kHitNone},
      {{45, 75}, 8},                       {{0, 50}, 0},
      {{209, 169}, 41},                    {{2, 180}, SCalendarEx::kHitTodayStrip},
      {CentreOf(today), SCalendarEx::kHitToday},
  };
  for (const Case& k : cases) {
    CAPTURE(k.pt.x);
    CAPTURE(k.pt.y);
    CHECK(c->HitTest(k.pt) == k.code);
  }
  // Cells under a pixel are nowhere.
  c->Move(0, 0, 6, 190);
  CHECK(c->HitTest({3, 100}) == SCalendarEx::kHitNone);
  c->Move(0, 0, 210, 75);
  CHECK(c->HitTest({100, 52}) == SCalendarEx::kHitNone);
}

TEST_CASE_FIXTURE(ExRig, "clicks: a cell, another month's cell, today, the month buttons") {
  SCalendarEx* c = Open();
  Paint();
  struct Case {
    const char* what;
    POINT pt;
    WORD year, month, day;
    int code;
    int selected;
  } cases[] = {
      {"a day of the month", {45, 75}, 2026, 1, 5, 8, 8},
      {"December 28: the page turns to December", {5, 55}, 2025, 12, 28, 0, 28},
      {"February 7: the page turns to February", {205, 165}, 2026, 2, 7, 41, 6},
      {"previous month", {5, 5}, 2025, 12, 1, SCalendarEx::kHitPrev, 1},
      {"next month", {205, 5}, 2026, 2, 1, SCalendarEx::kHitNext, 0},
  };
  for (const Case& k : cases) {
    CAPTURE(k.what);
    REQUIRE(c->SetDate(2026, 1, 15));
    exChanges.clear();
    Click(k.pt);
    REQUIRE(exChanges.size() == 1);
    CHECK(exChanges[0].year == k.year);
    CHECK(exChanges[0].month == k.month);
    CHECK(exChanges[0].day == k.day);
    CHECK(exChanges[0].code == k.code);
    CHECK(c->GetSelectedCell() == k.selected);
    CHECK(DateOf(c) == Date{k.year, k.month, k.day});
  }
  // Today (the fixed clock's) from another month; the selected cell, the title and the week
  // strip change nothing.
  REQUIRE(c->SetDate(2025, 6, 3));
  exChanges.clear();
  Click(CentreOf(c->GetTodayTextRect()));
  REQUIRE(exChanges.size() == 1);
  CHECK(exChanges[0].code == SCalendarEx::kHitToday);
  CHECK(c->GetSelectedCell() == 18);
  exChanges.clear();
  Click(CentreOf(c->GetCellRect(18)));
  Click({100, 5});
  Click({100, 40});
  Click({2, 180});
  CHECK(exChanges.empty());
}

TEST_CASE_FIXTURE(ExRig, "the wheel turns the page: down to the next month, up to the one before") {
  SCalendarEx* c = Open();
  REQUIRE(c->SetDate(2026, 1, 15));
  c->SetFocus();  // the wheel goes to the focus
  Wheel({100, 100}, -120);
  Wheel({100, 100}, -120);
  Wheel({100, 100}, 120);
  REQUIRE(exChanges.size() == 3);
  CHECK(exChanges[0].month == 2);
  CHECK(exChanges[0].code == SCalendarEx::kHitNext);
  CHECK(exChanges[1].month == 3);
  CHECK(exChanges[2].month == 2);
  CHECK(exChanges[2].code == SCalendarEx::kHitPrev);
  CHECK(exChanges[2].day == 1);
}

TEST_CASE_FIXTURE(ExRig, "the selected cell is filled with colorSelBg, corner to corner") {
  SCalendarEx* c = Open();
  REQUIRE(c->SetDate(2026, 1, 20));
  Paint();
  const RECT cell = c->GetCellRect(c->GetSelectedCell());
  CHECK(Rgb(cell.left, cell.top) == 0x007ACC);
  CHECK(Rgb(cell.left + 2, cell.bottom - 2) == 0x007ACC);
  // Another colour repaints; an empty one is refused.
  CHECK(c->SetAttribute(SStringW(L"colorSelBg"), SStringW(L"#00ff00"), FALSE) == S_OK);
  Paint();
  CHECK(Rgb(cell.left, cell.top) == 0x00FF00);
  CHECK(c->SetAttribute(SStringW(L"colorSelBg"), SStringW(L""), FALSE) == E_FAIL);
  CHECK(c->SetAttribute(SStringW(L"prevSkin"), SStringW(L"no.such.skin"), FALSE) == E_FAIL);
  CHECK(c->SetAttribute(SStringW(L"yearHeight"), SStringW(L"40"), FALSE) == S_FALSE);
}
