// Prints the throughput of the framework's copy-on-write strings against std::wstring on the
// same copy-and-append work, and of shared-block copies churned from two threads.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "core/SString.h"

using SWUI::SStringW;

namespace {

const int kRounds = 200000;
const wchar_t kBase[] = L"resource:LAYOUT:XML_MAINWND/page";

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Copy a shared string, append three pieces, keep the length: the pattern of building
// resource names and attribute values.
template <class S>
double CopyAndAppend(const S& base, size_t* checksum) {
  const auto start = std::chrono::steady_clock::now();
  size_t total = 0;
  for (int i = 0; i < kRounds; ++i) {
    S s(base);
    s += L"/";
    s += base;
    s += L'x';
    S copy(s);
    total += copy.size();
  }
  *checksum = total;
  return Seconds(start);
}

struct SStringAdapter : SStringW {
  using SStringW::SStringW;
  SStringAdapter(const SStringW& s) : SStringW(s) {}
  size_t size() const { return static_cast<size_t>(GetLength()); }
};

}  // namespace

int main() {
  size_t sumOurs = 0;
  size_t sumStd = 0;
  const double ours = CopyAndAppend(SStringAdapter(kBase), &sumOurs);
  const double theirs = CopyAndAppend(std::wstring(kBase), &sumStd);
  std::printf("string copy+append, %d rounds: SStringW %.1f ms, std::wstring %.1f ms, "
              "ratio (std/ours) %.2f%s\n",
              kRounds, ours * 1000, theirs * 1000, theirs / ours,
              sumOurs == sumStd ? "" : " (CHECKSUM MISMATCH)");

  const SStringW shared(kBase);
  const int churn = 1000000;
  auto work = [&shared] {
    for (int i = 0; i < churn; ++i) {
      SStringW a(shared);
      SStringW b(a);
    }
  };
  const auto start = std::chrono::steady_clock::now();
  std::thread t1(work);
  std::thread t2(work);
  t1.join();
  t2.join();
  const double churnSeconds = Seconds(start);
  std::printf("shared-block copies from two threads: %.1f M copies/s (refs afterwards %ld)\n",
              4.0 * churn / churnSeconds / 1e6, static_cast<long>(shared.GetData()->nRefs));
  return 0;
}
