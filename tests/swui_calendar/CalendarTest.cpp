// The month calendar: its title row and days, the day under the mouse, selecting by click and
// setting its date.
#include <doctest/doctest.h>

#include "CalendarRig.h"
#include "control/SCalendar.h"

using namespace SWUI;

namespace {

// January 2026 starts on a Thursday. Days' area: y 20..160, cells 30 x 23.
const wchar_t kCalendar[] =
    L"<SWUI width='220' height='200'><root colorBkgnd='#ffffff'>"
    L"<calendar name='c' pos='0,0,@210,@180' title-2='Mo'/></root></SWUI>";

struct MonthRig : CalendarRig {
  SCalendar* Open() {
    CalendarRig::Open(kCalendar);
    return Find<SCalendar>(L"c");
  }
};

// The centre of a day's cell in January 2026.
POINT DayCentre(int day) {
  const int index = day + 3;
  return POINT{index % 7 * 30 + 15, 20 + index / 7 * 23 + 11};
}

}  // namespace

TEST_CASE_FIXTURE(MonthRig, "the title row, today selected, and the layout's own titles") {
  SCalendar* c = Open();
  CHECK(DateOf(c) == Date{2026, 1, 15});
  Paint();
  CHECK(Rgb(2, 2) == 0x00FF00);
  CHECK(Rgb(208, 18) == 0x00FF00);
  // The selected day's background, without a day skin.
  CHECK(Rgb(121, 67) == 0x0000FF);
  // Creation keeps the titles the layout gave; the others are the defaults.
  CHECK(c->GetTitle(1) == L"Mo");
  CHECK(c->GetTitle(0) == L"日");
  CHECK(c->SetAttribute(SStringW(L"colorTitleBack"), SStringW(L"#ff0000"), FALSE) == S_FALSE);
  CHECK(c->SetAttribute(SStringW(L"colorDay"), SStringW(L""), FALSE) == E_FAIL);
  CHECK(c->SetAttribute(SStringW(L"daySkin"), SStringW(L"no.such.skin"), FALSE) == E_FAIL);
}

TEST_CASE_FIXTURE(MonthRig, "the day under a point") {
  SCalendar* c = Open();
  struct Case {
    POINT pt;
    WORD day;
  } cases[] = {
      {DayCentre(1), 1},  {DayCentre(20), 20}, {DayCentre(31), 31},
      {{15, 30}, 0},      // before the 1st
      {{195, 140}, 0},    // the row below the last day's
      {{100, 10}, 0},     // the title row
      {{100, 170}, 0},    // the footer
      {{209, 30}, 3},
  };
  for (const Case& k : cases) {
    CAPTURE(k.pt.x);
    CAPTURE(k.pt.y);
    CHECK(c->HitTest(k.pt) == k.day);
  }
  // March 2026 ends on a Tuesday (cell 30): right of it its row holds no day.
  REQUIRE(c->SetDate(2026, 3, 1));
  CHECK(c->HitTest({3 * 30 + 15, 20 + 4 * 23 + 5}) == 0);
  CHECK(c->HitTest({2 * 30 + 15, 20 + 4 * 23 + 5}) == 31);
  // Cells under a pixel are nowhere.
  c->Move(0, 0, 6, 180);
  CHECK(c->HitTest({3, 30}) == 0);
}

TEST_CASE_FIXTURE(MonthRig, "a click selects a day: an event when it changes, none otherwise") {
  SCalendar* c = Open();
  Click(DayCentre(20));
  Click(DayCentre(20));
  REQUIRE(selDays.size() == 1);
  CHECK(selDays[0].oldDay == 15);
  CHECK(selDays[0].newDay == 20);
  // A click beside the days selects none, quietly; the next day chosen comes from none.
  Click({15, 30});
  CHECK(DateOf(c) == Date{2026, 1, 0});
  Click(DayCentre(2));
  REQUIRE(selDays.size() == 2);
  CHECK(selDays[1].oldDay == 0);
  CHECK(selDays[1].newDay == 2);
}

TEST_CASE_FIXTURE(MonthRig, "SetDate takes real months of the years shown only") {
  SCalendar* c = Open();
  const struct {
    WORD year, month;
  } refused[] = {{1600, 1}, {7000, 1}, {2025, 0}, {2025, 13}};
  for (const auto& r : refused) {
    CAPTURE(r.year);
    CAPTURE(r.month);
    CHECK_FALSE(c->SetDate(r.year, r.month, 1, TRUE));
  }
  CHECK(setDates == 0);
  CHECK(DateOf(c) == Date{2026, 1, 15});
  // A day the month lacks selects none.
  CHECK(c->SetDate(2025, 2, 29, TRUE));
  CHECK(DateOf(c) == Date{2025, 2, 0});
  CHECK(setDates == 1);
  Paint();  // a month without a selected day paints
}
