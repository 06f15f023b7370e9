// The strip in a real host window, painted through the system as the program is: tabs inserted
// as the page logic restores an order slide into place, and what they leave reaches the screen.
#include <doctest/doctest.h>

#include "HostHarness.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"

using namespace SWUI;

TEST_CASE("sliding tabs leave no trace on the screen where they passed") {
  HostHarness h;
  h.heldTimers = true;
  REQUIRE(h.app.TplRegisterFactory<SChromeTabCtrl>());
  h.AddSkins(L"<skin><cells name='tab' size='10,10' colors='#0000ff'/></skin>");
  h.Open(L"<SWUI width='400' height='40'><root colorBkgnd='#ffffff'>"
         L"<chromeTabCtrl name='strip' pos='0,0,-0,30' tabDesiredSize='50'>"
         L"<tabStyle skin='tab'/><tabs/></chromeTabCtrl></root></SWUI>");
  auto* strip = h.Find<SChromeTabCtrl>(L"strip");
  DWORD now = 1000;
  strip->SetTickSource([&now] { return now; });
  // The orders 2, 0, 1, 3, 4, as the page logic inserts them: the fourth tab starts above the
  // second, in its place, and slides away.
  const wchar_t* const titles[] = {L"Music", L"MIC", L"Effect", L"Main", L"Sub"};
  const int positions[] = {0, 0, 1, 3, 4};
  for (int i = 0; i < 5; ++i) strip->InsertTab(titles[i], positions[i]);
  UpdateWindow(h.Hwnd());
  SUBCASE("frame by frame") {
    for (int frame = 0; frame < 10; ++frame) {
      now += 30;
      h.Frames();
      UpdateWindow(h.Hwnd());
    }
  }
  SUBCASE("in one step, as when a slow start-up ate the slides' time") {
    now += 300;
    h.Frames();
    UpdateWindow(h.Hwnd());
  }
  CHECK_FALSE(strip->GetTab(3)->IsRunning());
  CHECK(HostHarness::CountUnshown(*h.host, strip->GetWindowRect()) == 0);
  CHECK(h.Rgb(51, 15) == 0x0000FF);
  CHECK(h.Rgb(300, 15) == 0xFFFFFF);
}
