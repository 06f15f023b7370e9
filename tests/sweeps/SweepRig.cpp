#include "SweepRig.h"

#include <cstdio>
#include <cstdlib>

namespace sweep {

uint32_t Seed() {
  static const uint32_t seed = [] {
    char value[32];
    const DWORD n = GetEnvironmentVariableA("TEVARO_SWEEP_SEED", value, sizeof(value));
    if (n > 0 && n < sizeof(value)) return static_cast<uint32_t>(strtoul(value, nullptr, 0));
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<uint32_t>(t.QuadPart ^ (t.QuadPart >> 32) ^ GetCurrentProcessId());
  }();
  return seed;
}

std::mt19937 CaseRng(uint32_t seed, uint64_t caseNumber) {
  std::seed_seq seq{seed, static_cast<uint32_t>(caseNumber),
                    static_cast<uint32_t>(caseNumber >> 32)};
  return std::mt19937(seq);
}

std::string Mutate(const std::string& input, std::mt19937& rng) {
  std::string out = input;
  if (out.empty()) return out;
  auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  const int damages = 1 + static_cast<int>(rng() % 4);
  for (int d = 0; d < damages; ++d) {
    const size_t at = pick(out.size());
    switch (rng() % 4) {
      case 0:
        out[at] = static_cast<char>(out[at] ^ (1 << (rng() % 8)));
        break;
      case 1:
        out[at] = static_cast<char>(rng() & 0xFF);
        break;
      default: {
        const uint32_t edges[] = {0u,
                                  1u,
                                  0x7Fu,
                                  0x80u,
                                  0xFFu,
                                  0x7FFFu,
                                  0xFFFFu,
                                  0x7FFFFFFFu,
                                  0xFFFFFFFFu,
                                  static_cast<uint32_t>(input.size()),
                                  static_cast<uint32_t>(input.size() - 1),
                                  static_cast<uint32_t>(at)};
        const uint32_t v = edges[pick(sizeof(edges) / sizeof(edges[0]))];
        const int width = (rng() % 2) ? 4 : 2;
        const bool bigEndian = (rng() % 2) != 0;
        for (int i = 0; i < width && at + i < out.size(); ++i) {
          const int shift = 8 * (bigEndian ? width - 1 - i : i);
          out[at + i] = static_cast<char>((v >> shift) & 0xFF);
        }
        break;
      }
    }
  }
  return out;
}

Watchdog::Watchdog(const char* sweepName, DWORD limitMs) : name_(sweepName), limitMs_(limitMs) {
  InitializeCriticalSection(&lock_);
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

Watchdog::~Watchdog() {
  SetEvent(stop_);
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  CloseHandle(stop_);
  DeleteCriticalSection(&lock_);
}

void Watchdog::Enter(const std::string& what) {
  EnterCriticalSection(&lock_);
  current_ = what;
  startedAt_ = GetTickCount();
  LeaveCriticalSection(&lock_);
}

DWORD WINAPI Watchdog::Watch(void* self) {
  auto* dog = static_cast<Watchdog*>(self);
  while (WaitForSingleObject(dog->stop_, 250) == WAIT_TIMEOUT) {
    EnterCriticalSection(&dog->lock_);
    const bool hung = dog->startedAt_ != 0 && GetTickCount() - dog->startedAt_ > dog->limitMs_;
    const std::string what = dog->current_;
    LeaveCriticalSection(&dog->lock_);
    if (hung) {
      fprintf(stdout, "sweep %s: HUNG in %s (seed %u) for more than %lu ms\n", dog->name_,
              what.c_str(), Seed(), static_cast<unsigned long>(dog->limitMs_));
      fflush(stdout);
      TerminateProcess(GetCurrentProcess(), 3);
    }
  }
  return 0;
}

Result Run(const char* sweepName, const std::string& input, int mutations, const Check& check,
           const Repair& repair) {
  const uint32_t seed = Seed();
  Watchdog dog(sweepName);
  Result result;
  const DWORD start = GetTickCount();
  auto one = [&](const std::string& bytes, bool truncated, const std::string& what) {
    dog.Enter(what);
    ++result.cases;
    if (!check(bytes, truncated)) {
      if (result.failures++ == 0) result.firstFailure = what;
    }
  };
  const size_t cuts = repair ? 0 : input.size();
  for (size_t cut = 0; cut < cuts; ++cut)
    one(input.substr(0, cut), true, "cut at " + std::to_string(cut));
  // Repaired mutations draw from case numbers of their own.
  const uint64_t first = repair ? (1ull << 32) : 0;
  const char* kind = repair ? "repaired mutation " : "mutation ";
  for (int i = 0; i < mutations; ++i) {
    std::mt19937 rng = CaseRng(seed, first + static_cast<uint64_t>(i));
    std::string bytes = Mutate(input, rng);
    if (repair) bytes = repair(bytes);
    one(bytes, false, kind + std::to_string(i));
  }
  dog.Enter("");
  fprintf(stdout, "sweep %s: seed %u, %zu truncations, %d %smutations, %.1f s, %llu failing\n",
          sweepName, seed, cuts, mutations, repair ? "repaired " : "",
          (GetTickCount() - start) / 1000.0, static_cast<unsigned long long>(result.failures));
  fflush(stdout);
  return result;
}

}  // namespace sweep
