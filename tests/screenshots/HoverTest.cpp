// Hover that a user can see: on the main output page, the Mix toggles (on and off), a
// slider's knob, a pill and a button change clearly under the mouse, and go back when it
// leaves.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "CMainDlg.h"
#include "ProgramRig.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SWindow.h"

namespace {

constexpr int kMainOutputPage = 3;

// The pixels of a rectangle of the main window's surface, printed now.
std::vector<DWORD> Pixels(const RECT& rc) {
  int width = 0, height = 0;
  const DWORD* surface = ProgramRig::PrintSurface(&width, &height);
  std::vector<DWORD> out;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) out.push_back(surface[y * width + x] & 0xFFFFFF);
  }
  return out;
}

// How many pixels differ by more than 32 levels in some channel.
int Changed(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  int count = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    for (int shift = 0; shift <= 16; shift += 8) {
      if (std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                   static_cast<int>((b[i] >> shift) & 0xFF)) > 32) {
        ++count;
        break;
      }
    }
  }
  return count;
}

// The mouse at a point of the main window's client area, as the system reports it.
void MouseAt(POINT client) {
  POINT screen = client;
  ClientToScreen(ProgramRig::MainHwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  ProgramRig::Send(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

}  // namespace

TEST_CASE("hover shows on the Mix toggles, on and off, a slider's knob, a pill and a button") {
  ProgramRig rig;
  rig.WriteSettings("[Config]\r\nLang = 1\r\n");
  struct Target {
    int id;
    int check;        // the toggle's state while hovered, or -1 to leave it
    int knobOffset;   // a slider's knob centre from its left edge at its lowest value, else -1
  };
  // Mix toggles on and off, a slider's knob, pills not chosen (Auto) and chosen (Manual), a
  // button (EQ Reset).
  const Target targets[] = {{1400, 1, -1},  {1400, 0, -1},  {2430, -1, 7},
                            {14501, -1, -1}, {14500, -1, -1}, {9400, -1, -1}};
  CHECK(rig.Run({Once([&] {
    auto* strip = dynamic_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
    REQUIRE(strip != nullptr);
    strip->SetCurSel(strip->FindTabByOrdinal(kMainOutputPage));
    SetForegroundWindow(ProgramRig::MainHwnd());
  }), Once([&] {
    for (const Target& target : targets) {
      CAPTURE(target.id);
      CAPTURE(target.check);
      SWUI::SWindow* element = ProgramRig::Element(target.id);
      if (target.check >= 0) element->SetCheck(target.check != 0 ? TRUE : FALSE);
      const RECT rc = element->GetWindowRect();
      REQUIRE_FALSE(IsRectEmpty(&rc));
      const POINT away = {rc.left + 4, rc.bottom + 40};
      MouseAt(away);
      const std::vector<DWORD> before = Pixels(rc);
      const int x = target.knobOffset < 0 ? (rc.left + rc.right) / 2 : rc.left + target.knobOffset;
      MouseAt(POINT{x, (rc.top + rc.bottom) / 2});
      const std::vector<DWORD> hovered = Pixels(rc);
      MouseAt(away);
      const std::vector<DWORD> after = Pixels(rc);
      // A ring or a rim at least: a quarter of the control's outline.
      const int outline = (rc.right - rc.left + rc.bottom - rc.top) / 2;
      CHECK(Changed(before, hovered) >= outline);
      CHECK(Changed(before, after) == 0);
    }
  })}) == 0);
}
