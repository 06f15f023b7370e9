// End to end in a real host window: the host paints the control into its surface, a click
// reaches the control through the host's input routing at the host's client point after the
// focus, and with the focus the element gets every key, Tab included.
#include <doctest/doctest.h>

#include <algorithm>

#include "AxRig.h"
#include "HostHarness.h"

using namespace SWUI;

namespace {

// Whether an entry from that one on begins with the text.
bool RecordedFrom(int from, const std::wstring& start) {
  const auto entries = AxRig::Record(from);
  return std::any_of(entries.begin(), entries.end(), [&](const std::wstring& entry) {
    return entry.compare(0, start.size(), start) == 0;
  });
}

}  // namespace

TEST_CASE("in a host window: painted, clicked, and every key to the focused element") {
  OleSession ole;
  REQUIRE(ole.ok());
  AxTestRegistration registration;
  REQUIRE(registration.ok());
  AxTestReset();
  HostHarness h;
  h.Open(L"<SWUI width='240' height='140'><root colorBkgnd='#ffffff'>"
         L"<activex name='ax' pos='10,10,@200,@100' clsID='TevaroTest.AxControl'/>"
         L"<button name='other' pos='10,115,@50,@20'/>"
         L"</root></SWUI>");
  auto* ax = h.Find<SActiveX>(L"ax");
  CHECK(h.Rgb(110, 60) == Rgb(kAxDefaultColour));
  CHECK(h.Rgb(5, 5) == 0xFFFFFFu);

  int from = AxTestRecordCount();
  h.Click(POINT{15, 20});
  CHECK(ax->IsFocused());
  CHECK(RecordedFrom(from, L"OnWindowMessage(0x201,0x1,15,20)"));
  CHECK(RecordedFrom(from, L"OnWindowMessage(0x202,0x0,15,20)"));

  from = AxTestRecordCount();
  h.Key(VK_TAB);
  CHECK(ax->IsFocused());
  CHECK(RecordedFrom(from, L"OnWindowMessage(0x100,0x9,"));
  CHECK(RecordedFrom(from, L"OnWindowMessage(0x102,0x9,"));  // the character too
  h.Close();
  CHECK(AxTestLiveControls() == 0);
}
