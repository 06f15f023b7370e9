// Damaged-input sweeps: every truncation of a valid input, then seeded mutations of it, each
// case under a watchdog that names the case and ends the program if it hangs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace sweep {

// The seed of this run: TEVARO_SWEEP_SEED when set, else taken from the clock. Printed.
uint32_t Seed();

// The generator of one mutation case, reproducible from the seed and the case number.
std::mt19937 CaseRng(uint32_t seed, uint64_t caseNumber);

// 1 to 4 in-place damages: flipped bits, random bytes, 16- and 32-bit fields set to edge
// values (0, 1, 0x7F.., 0xFF.., sizes near the input's). The length never changes, so a
// mutation cannot cut a whole chunk or entry out cleanly and leave another valid input.
std::string Mutate(const std::string& input, std::mt19937& rng);

// Ends the program, naming the case, when one case runs longer than the limit.
class Watchdog {
 public:
  explicit Watchdog(const char* sweepName, DWORD limitMs = 15000);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Starts the clock for a case; what describes it ("cut 120", "mutation 37, seed 5").
  void Enter(const std::string& what);

 private:
  static DWORD WINAPI Watch(void* self);

  const char* name_;
  DWORD limitMs_;
  HANDLE stop_;
  HANDLE thread_;
  CRITICAL_SECTION lock_;
  std::string current_;
  DWORD startedAt_ = 0;
};

// Runs check on every truncation of input (lengths 0 to size - 1), then on `mutations`
// mutated copies; prints the seed, counts and time. check returns false for a case that
// breaks its rule; the first such case is reported with its description.
//
// With repair, only mutations run, each passed through repair first (a format's own checks,
// such as chunk CRCs, made to hold again, so that damage reaches the code behind them).
struct Result {
  uint64_t cases = 0;
  uint64_t failures = 0;
  std::string firstFailure;
};
using Check = std::function<bool(const std::string& bytes, bool truncated)>;
using Repair = std::function<std::string(const std::string&)>;
Result Run(const char* sweepName, const std::string& input, int mutations, const Check& check,
           const Repair& repair = nullptr);

}  // namespace sweep
