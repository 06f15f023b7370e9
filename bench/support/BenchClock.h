// Timing for the benchmark programs: a millisecond clock, a repeat-for-a-while timer, an
// alternating comparison of ours against a bare baseline (the machines are shared: the best
// round of each is the one least disturbed) and the line that reports both.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace bench {

inline double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Runs body repeatedly for about budgetMs (at least once, after a warm-up call); answers
// milliseconds per call.
template <class F>
double MsPerCall(F body, double budgetMs) {
  body();
  int calls = 0;
  const double start = NowMs();
  double elapsed = 0.0;
  do {
    body();
    ++calls;
    elapsed = NowMs() - start;
  } while (elapsed < budgetMs);
  return elapsed / calls;
}

struct Timing {
  double ours;
  double bare;
};

// Times ours and bare in `rounds` alternating rounds of about budgetMs each; the best of each.
template <class F, class G>
Timing BestOfAlternating(F ours, G bare, double budgetMs, int rounds = 5) {
  Timing best = {1e300, 1e300};
  for (int round = 0; round < rounds; ++round) {
    best.ours = std::min(best.ours, MsPerCall(ours, budgetMs));
    best.bare = std::min(best.bare, MsPerCall(bare, budgetMs));
  }
  return best;
}

// One line of figures: what was timed, ours, the bare baseline and their ratio.
inline void Report(const char* what, double ours, double bare) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

}  // namespace bench
