// What the control sweeps share: the seed of the run, a generator per run, picks from tables of
// values (hostile ones among them), and mouse messages sent straight to an element.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "SweepRig.h"
#include "core/SWindow.h"

namespace ctrlsweep {

// Runs of each sweep and steps of each run: a CI run of the three stays well under 30 s.
constexpr int kRuns = 40;
constexpr int kSteps = 200;

// Sizes as XML gives them: ordinary, empty, negative, past int, not numbers.
inline const std::vector<std::wstring>& HostileSizes() {
  static const std::vector<std::wstring> sizes = {
      L"0",  L"1",   L"20",          L"50",         L"-5",    L"99999999999", L"1e308",
      L"0x7fffffff", L"2147483647",  L"-2147483648", L"abc",  L"",           L"30dp"};
  return sizes;
}

// Integers for the API: ordinary, edges and past the ends.
inline const std::vector<int>& HostileInts() {
  static const std::vector<int> ints = {0, 1, 2, 3, 5, 20, 100, -1, -5, 100000, 0x7fffffff,
                                        -0x7fffffff - 1};
  return ints;
}

class Run {
 public:
  Run(const char* sweep, int run) : rng(sweep::CaseRng(sweep::Seed(), static_cast<uint64_t>(run))),
                                    name_(sweep), run_(run) {}

  // 0 .. n-1 (0 for n <= 0).
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<uint32_t>(n)); }
  // lo .. hi inclusive.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool OneIn(int n) { return Below(n) == 0; }
  template <class T>
  const T& Pick(const std::vector<T>& values) {
    return values[static_cast<size_t>(Below(static_cast<int>(values.size())))];
  }
  // The case's name for the watchdog and the failure messages.
  std::string Where(int step) const {
    return std::string(name_) + " run " + std::to_string(run_) + " step " +
           std::to_string(step) + " seed " + std::to_string(sweep::Seed());
  }

  std::mt19937 rng;

 private:
  const char* name_;
  int run_;
};

// Prints the seed before a sweep starts, so that a failing run can be repeated.
inline void Announce(const char* sweepName) {
  printf("sweep %s: seed %u (TEVARO_SWEEP_SEED=%u repeats it), %d runs of %d steps\n", sweepName,
         sweep::Seed(), sweep::Seed(), kRuns, kSteps);
  fflush(stdout);
}

inline LPARAM At(POINT pt) { return MAKELPARAM(pt.x, pt.y); }

// A random mouse gesture on the element at points inside (mostly) or around its rectangle:
// a move, a press and release, a double click, or a drag of a few moves.
inline void RandomMouse(Run& r, SWUI::SWindow* wnd) {
  const RECT rc = wnd->GetWindowRect();
  auto point = [&] {
    return POINT{r.Between(rc.left - 5, rc.right + 5), r.Between(rc.top - 5, rc.bottom + 5)};
  };
  const POINT pt = point();
  switch (r.Below(4)) {
    case 0:
      wnd->SSendMessage(WM_MOUSEMOVE, 0, At(pt));
      break;
    case 1:
      wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
      wnd->SSendMessage(WM_LBUTTONUP, 0, At(pt));
      break;
    case 2:
      wnd->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(pt));
      wnd->SSendMessage(WM_LBUTTONUP, 0, At(pt));
      break;
    default: {
      wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pt));
      POINT to = pt;
      for (int i = r.Between(1, 4); i > 0; --i) {
        to = point();
        wnd->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
      }
      wnd->SSendMessage(WM_LBUTTONUP, 0, At(to));
      break;
    }
  }
}

// A key press and release of a key among the navigation keys and a few others.
inline void RandomKey(Run& r, SWUI::SWindow* wnd) {
  static const std::vector<int> keys = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_HOME, VK_END,
                                        VK_PRIOR, VK_NEXT, VK_SPACE, VK_RETURN, VK_DELETE, 'A'};
  const int vk = r.Pick(keys);
  wnd->SSendMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
  wnd->SSendMessage(WM_KEYUP, static_cast<WPARAM>(vk), 1);
}

}  // namespace ctrlsweep
