// The date-time picker: its fields by keys, typing and the wheel, its text, and the drop-down
// calendar: where it opens and what a click in it does.
#include <doctest/doctest.h>

#include <string>

#include "CalendarRig.h"
#include "ComboRig.h"
#include "control/SDateTimePicker.h"
#include "core/SDropDownWnd.h"
#include "core/SRootWindow.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

namespace {

const wchar_t kPicker[] =
    L"<SWUI width='300' height='100'><root colorBkgnd='#ffffff'>"
    L"<dateTimePicker name='p' pos='10,10,@200,@24'/>"
    L"<window name='other' pos='10,60,@50,@20' focusable='1'/></root></SWUI>";

struct PickerRig : CalendarRig {
  SDateTimePicker* Open(const HostOptions& options = HostOptions()) {
    CalendarRig::Open(kPicker, options);
    SDateTimePicker* p = Find<SDateTimePicker>(L"p");
    p->SetFocus();
    return p;
  }
  // Selects a field by Right from none (year 1, month 2, ...).
  void SelectField(SDateTimePicker* p, int field) {
    while (p->GetSelectedField() != field) {
      const int before = p->GetSelectedField();
      KeyDown(before < field ? VK_RIGHT : VK_LEFT);
      REQUIRE(p->GetSelectedField() != before);
    }
  }
  HWND OpenPopup(SDateTimePicker* p) {
    MouseDown(CentreOf(p->GetDropBtnRect()));
    REQUIRE(p->IsDropDownOpen());
    return p->GetDropDownWnd()->m_hWnd;
  }
};

struct Moment {
  WORD year, month, day, hour, minute, second;
};

void CheckTime(SDateTimePicker* p, const Moment& m) {
  SYSTEMTIME t = {};
  p->GetTime(t);
  CHECK(t.wYear == m.year);
  CHECK(t.wMonth == m.month);
  CHECK(t.wDay == m.day);
  CHECK(t.wHour == m.hour);
  CHECK(t.wMinute == m.minute);
  CHECK(t.wSecond == m.second);
  CHECK(t.wDayOfWeek == WeekDay(m.year, m.month, m.day));
}

void Start(SDateTimePicker* p, const Moment& m) {
  REQUIRE(p->SetTime(m.year, m.month, m.day, m.hour, m.minute, m.second));
}

}  // namespace

TEST_CASE_FIXTURE(PickerRig, "typing digits into a field") {
  struct Case {
    const char* what;
    Moment start;
    int field;
    const wchar_t* digits;
    Moment end;
  } cases[] = {
      {"a year", {2026, 1, 15, 1, 2, 3}, 1, L"2025", {2025, 1, 15, 1, 2, 3}},
      {"a fifth digit starts a new year", {2026, 1, 15, 1, 2, 3}, 1, L"20251",
       {2021, 1, 15, 1, 2, 3}},
      {"a year past 6999 is not taken", {2026, 1, 15, 1, 2, 3}, 1, L"7000",
       {2700, 1, 15, 1, 2, 3}},
      {"a year without February 29", {2024, 2, 29, 1, 2, 3}, 1, L"5", {2025, 2, 28, 1, 2, 3}},
      {"a month past 12 starts again", {2026, 1, 15, 1, 2, 3}, 2, L"13", {2026, 3, 15, 1, 2, 3}},
      {"a month reading 0 changes nothing", {2026, 1, 15, 1, 2, 3}, 2, L"0",
       {2026, 1, 15, 1, 2, 3}},
      {"a shorter month takes its last day", {2025, 1, 31, 1, 2, 3}, 2, L"2",
       {2025, 2, 28, 1, 2, 3}},
      {"a day past the month starts again", {2026, 1, 15, 1, 2, 3}, 3, L"35",
       {2026, 1, 5, 1, 2, 3}},
      {"a day reading 0 changes nothing", {2026, 1, 15, 1, 2, 3}, 3, L"0",
       {2026, 1, 15, 1, 2, 3}},
      {"February 29 of a common year", {2025, 2, 10, 1, 2, 3}, 3, L"29", {2025, 2, 9, 1, 2, 3}},
      {"an hour past 23", {2026, 1, 15, 1, 2, 3}, 4, L"25", {2026, 1, 15, 5, 2, 3}},
      {"a minute past 59", {2026, 1, 15, 1, 2, 3}, 5, L"75", {2026, 1, 15, 1, 5, 3}},
      {"a second with a leading 0", {2026, 1, 15, 1, 2, 3}, 6, L"09", {2026, 1, 15, 1, 2, 9}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    SDateTimePicker* p = Open();
    Start(p, c.start);
    SelectField(p, c.field);
    for (const wchar_t* d = c.digits; *d != 0; ++d) Char(*d);
    CheckTime(p, c.end);
  }
}

TEST_CASE_FIXTURE(PickerRig, "Up, Down and the wheel step the selected field round") {
  struct Case {
    const char* what;
    Moment start;
    int field;
    UINT key;
    Moment end;
  } cases[] = {
      {"January 31, month Up", {2025, 1, 31, 0, 0, 0}, 2, VK_UP, {2025, 2, 28, 0, 0, 0}},
      {"December, month Up", {2025, 12, 5, 0, 0, 0}, 2, VK_UP, {2025, 1, 5, 0, 0, 0}},
      {"the last year stays", {6999, 3, 1, 0, 0, 0}, 1, VK_UP, {6999, 3, 1, 0, 0, 0}},
      {"the first year stays", {1601, 3, 1, 0, 0, 0}, 1, VK_DOWN, {1601, 3, 1, 0, 0, 0}},
      {"February 29, year Up", {2024, 2, 29, 0, 0, 0}, 1, VK_UP, {2025, 2, 28, 0, 0, 0}},
      {"day 1 Down", {2024, 2, 1, 0, 0, 0}, 3, VK_DOWN, {2024, 2, 29, 0, 0, 0}},
      {"hour 0 Down", {2025, 1, 1, 0, 0, 0}, 4, VK_DOWN, {2025, 1, 1, 23, 0, 0}},
      {"second 59 Up", {2025, 1, 1, 0, 0, 59}, 6, VK_UP, {2025, 1, 1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    SDateTimePicker* p = Open();
    Start(p, c.start);
    SelectField(p, c.field);
    KeyDown(c.key);
    CheckTime(p, c.end);
  }
  // The wheel over a selected field: up is Up, down is Down.
  SDateTimePicker* p = Open();
  Start(p, {2025, 6, 6, 6, 6, 6});
  SelectField(p, SDateTimePicker::kFieldMonth);
  Wheel(CenterOf(L"p"), 120);
  CheckTime(p, {2025, 7, 6, 6, 6, 6});
  Wheel(CenterOf(L"p"), -240);
  CheckTime(p, {2025, 6, 6, 6, 6, 6});
  // With no field selected the wheel changes nothing.
  p = Open();
  Start(p, {2025, 6, 6, 6, 6, 6});
  Wheel(CenterOf(L"p"), 120);
  CheckTime(p, {2025, 6, 6, 6, 6, 6});
}

TEST_CASE_FIXTURE(PickerRig, "Left and Right stop at the first and last shown fields") {
  SDateTimePicker* p = Open();
  KeyDown(VK_LEFT);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldYear);
  KeyDown(VK_LEFT);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldYear);
  for (int i = 0; i < 8; ++i) KeyDown(VK_RIGHT);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldSecond);
  // Without time the day is the last field; a selected time field falls back to it.
  CHECK(p->SetAttribute(SStringW(L"timeEnable"), SStringW(L"false"), FALSE) == S_OK);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldDay);
  KeyDown(VK_RIGHT);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldDay);
}

TEST_CASE_FIXTURE(PickerRig, "the text and the times SetTime refuses") {
  SDateTimePicker* p = Open();
  CheckTime(p, {2026, 1, 15, 10, 20, 30});  // the local clock at creation
  Start(p, {2025, 3, 5, 7, 8, 9});
  CHECK(p->GetWindowText() == L"2025-03-05 07:08:09");
  const Moment refused[] = {{7000, 1, 1, 0, 0, 0}, {1600, 12, 31, 0, 0, 0},
                            {2025, 2, 29, 0, 0, 0}, {2025, 13, 1, 0, 0, 0},
                            {2025, 1, 1, 24, 0, 0}, {2025, 1, 1, 0, 60, 0}};
  for (const Moment& m : refused) {
    CAPTURE(m.year);
    CHECK_FALSE(p->SetTime(m.year, m.month, m.day, m.hour, m.minute, m.second));
  }
  CheckTime(p, {2025, 3, 5, 7, 8, 9});
  p->SetAttribute(SStringW(L"timeEnable"), SStringW(L"0"), FALSE);
  CHECK(p->GetWindowText() == L"2025-03-05");
}

TEST_CASE_FIXTURE(PickerRig, "a click selects the field under it; the button selects none") {
  SDateTimePicker* p = Open();
  Paint();  // measures the digits
  RECT rc = p->GetClientRect();
  MouseDown({rc.left + 3, (rc.top + rc.bottom) / 2});
  MouseUp({rc.left + 3, (rc.top + rc.bottom) / 2});
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldYear);
  Char(L'1');
  FakeWorkArea area(768);
  OpenPopup(p);
  CHECK(p->GetSelectedField() == SDateTimePicker::kFieldNone);
  p->CloseUp();
  // Fields follow each other left to right.
  int last = 0;
  for (int x = rc.left; x < rc.right; x += 3) {
    const int field = p->FieldFromPoint({x, rc.top + 5});
    CHECK(field >= last);
    last = field;
  }
  CHECK(last == SDateTimePicker::kFieldSecond);
}

TEST_CASE_FIXTURE(PickerRig, "the drop-down: 220 x 176, right-aligned, below or above") {
  FakeWorkArea area(768);
  struct Case {
    int windowTop;
    RECT popup;
  } cases[] = {
      {100, {90, 134, 310, 310}},
      {666, {90, 500, 310, 676}},  // the picker ends at 700: no room below
  };
  for (const Case& c : cases) {
    CAPTURE(c.windowTop);
    HostOptions options;
    options.pos = {100, c.windowTop};
    SDateTimePicker* p = Open(options);
    HWND popup = OpenPopup(p);
    RECT rc = {};
    REQUIRE(GetWindowRect(popup, &rc));
    CHECK(rc.left == c.popup.left);
    CHECK(rc.top == c.popup.top);
    CHECK(rc.right == c.popup.right);
    CHECK(rc.bottom == c.popup.bottom);
    CHECK(GetCapture() == popup);
    CHECK((GetWindowLongW(popup, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) ==
          (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
    CHECK(p->GetButtonState() == SDateTimePicker::BtnOpen);
    SCalendarEx* cal = p->GetCalendar();
    CHECK(cal->GetParent() == p->GetDropDownWnd()->GetRoot());
    CHECK(cal->IsVisible(TRUE));
    CHECK(cal->IsFocused());
    CHECK(cal->GetWindowRect().right == 220);
    CHECK(cal->GetWindowRect().bottom == 176);
    CHECK(DateOf(cal) == Date{2026, 1, 15});
    p->CloseUp();
    CHECK(p->GetButtonState() == SDateTimePicker::BtnNormal);
    CHECK(cal->GetParent() == nullptr);
    CHECK_FALSE(cal->IsVisible());
  }
}

TEST_CASE_FIXTURE(PickerRig, "in the drop-down a day sets the date and closes; paging does not") {
  FakeWorkArea area(768);
  // The drop-down's calendar is 220 x 176: days from y 50, cells 31 x 17. January 2026 starts
  // on a Thursday (cell 4).
  auto cellCentre = [](int cell) {
    return POINT{cell % 7 * 31 + 15, 50 + cell / 7 * 17 + 8};
  };
  SDateTimePicker* p = Open();
  Start(p, {2026, 1, 15, 9, 0, 0});

  HWND popup = OpenPopup(p);
  ClickIn(popup, cellCentre(23));  // January 20
  CHECK_FALSE(p->IsDropDownOpen());
  REQUIRE(timeChanges.size() == 1);
  CHECK(timeChanges[0].wDay == 20);
  CHECK(timeChanges[0].wHour == 9);
  CheckTime(p, {2026, 1, 20, 9, 0, 0});
  CHECK(p->GetCalendar()->GetParent() == nullptr);

  // The month buttons turn the page and leave the drop-down open; Escape closes it.
  popup = OpenPopup(p);
  ClickIn(popup, {10, 15});
  CHECK(p->IsDropDownOpen());
  CHECK(DateOf(p->GetCalendar()) == Date{2025, 12, 1});
  ClickIn(popup, {210, 15});
  ClickIn(popup, {210, 15});
  CHECK(p->IsDropDownOpen());
  KeyDown(VK_ESCAPE);
  CHECK_FALSE(p->IsDropDownOpen());
  CHECK(timeChanges.size() == 1);
  CheckTime(p, {2026, 1, 20, 9, 0, 0});

  // A day of the next month's page, after paging: that month's day.
  popup = OpenPopup(p);
  ClickIn(popup, {210, 15});  // February 2026 starts on a Sunday
  ClickIn(popup, cellCentre(2));
  CHECK_FALSE(p->IsDropDownOpen());
  REQUIRE(timeChanges.size() == 2);
  CheckTime(p, {2026, 2, 3, 9, 0, 0});

  // The chosen day again closes without an event.
  popup = OpenPopup(p);
  ClickIn(popup, cellCentre(2));
  CHECK_FALSE(p->IsDropDownOpen());
  CHECK(timeChanges.size() == 2);

  // "Today" (the fixed clock's).
  popup = OpenPopup(p);
  UpdateWindow(popup);  // places the today text
  const RECT today = p->GetCalendar()->GetTodayTextRect();
  REQUIRE(today.right > today.left);
  ClickIn(popup, CentreOf(today));
  CHECK_FALSE(p->IsDropDownOpen());
  REQUIRE(timeChanges.size() == 3);
  CheckTime(p, {2026, 1, 15, 9, 0, 0});
}

TEST_CASE_FIXTURE(PickerRig, "focus loss and destruction close the drop-down") {
  FakeWorkArea area(768);
  SDateTimePicker* p = Open();
  OpenPopup(p);
  Find(L"other")->SetFocus();
  CHECK_FALSE(p->IsDropDownOpen());

  p->SetFocus();
  HWND popup = OpenPopup(p);
  SAutoRefPtr<SCalendarEx> cal(p->GetCalendar());
  Close();
  CHECK_FALSE(IsWindow(popup));
  CHECK(cal->GetParent() == nullptr);
  CHECK_FALSE(cal->IsVisible());
}

TEST_CASE_FIXTURE(PickerRig, "calstyle styles the drop-down calendar, white unless it says so") {
  CalendarRig::Open(
      L"<SWUI width='300' height='100'><root>"
      L"<dateTimePicker name='p' pos='10,10,@200,@24'/>"
      L"<dateTimePicker name='q' pos='10,50,@200,@24'>"
      L"<calstyle colorBkgnd='#000080' yearHeight='40'/></dateTimePicker></root></SWUI>");
  SCalendarEx* plain = Find<SDateTimePicker>(L"p")->GetCalendar();
  SCalendarEx* styled = Find<SDateTimePicker>(L"q")->GetCalendar();
  CHECK(plain->GetStyle().GetBkgndColor() == GetNamedColor(L"#ffffff"));
  CHECK(styled->GetStyle().GetBkgndColor() == GetNamedColor(L"#000080"));
  // Laid out as the drop-down does, the styled year strip reaches lower.
  plain->Move(0, 0, 220, 176);
  styled->Move(0, 0, 220, 176);
  CHECK(plain->HitTest({100, 35}) == SCalendarEx::kHitNone);
  CHECK(styled->HitTest({100, 35}) == SCalendarEx::kHitTitle);
  CHECK(plain->GetOwner() == Find(L"p"));
}
