// The range controls in the framework's own skins, painted together (written as
// png/range-controls.png to look at).
#include <doctest/doctest.h>

#include "RangeRig.h"
#include "control/SScrollBar.h"

using namespace SWUI;

TEST_CASE("the range controls in the built-in skins") {
  RangeRig rig(240, 160);
  rig.Load(
      L"<root colorBkgnd='#f0f0f0'>"
      L"<progress name='p' pos='10,10,@150,@16' value='40'/>"
      L"<progress name='pp' pos='10,32,@150,@20' value='65' showPercent='1'/>"
      L"<progress name='pv' pos='170,10,@16,@120' vertical='1' value='30'/>"
      L"<sliderbar name='s' pos='10,60,@150,@24' value='70'/>"
      L"<scrollbar name='v' pos='200,10,@16,@120' max='99' page='20' value='30'/>"
      L"<scrollbar name='h' pos='10,92,@150,@16' vertical='0' max='99' page='20' value='60'/>"
      L"<spinButton name='sp' pos='10,116,@16,@24'/>"
      L"<hotkey name='hk' pos='40,116,@120,@24' hotKey='0x53' combKey='2'/>"
      L"</root>");
  rig.Paint();
  rig.render.SavePng(L"range-controls", 3);
  // Each control drew over the window colour somewhere in its own rectangle.
  for (const wchar_t* name : {L"p", L"pp", L"pv", L"s", L"v", L"h", L"sp", L"hk"}) {
    CAPTURE(std::wstring(name));
    const RECT rc = rig.Find(name)->GetWindowRect();
    const int area = (rc.right - rc.left) * (rc.bottom - rc.top);
    CHECK(rig.render.CountEqual(rc, 0xFFF0F0F0) < area);
  }
}
