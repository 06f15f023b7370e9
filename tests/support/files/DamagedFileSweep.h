// The damaged-file sweep of effect and mode files: a valid file cut at every length, every
// character of its values changed, and seeded mutations of the whole file (one to three edits:
// bytes of any value replaced, inserted or deleted, byte-order marks, runs of random bytes,
// repeated slices). Each case is offered to a probe, which runs the reader under
// test and checks what either outcome must leave; the sweep checks the outcomes that are known
// (cuts into a value and changed value characters are refused). The seed is printed by the
// callers; TEVARO_SWEEP_SEED sets another.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace damaged {

// TEVARO_SWEEP_SEED when set, else a fixed seed.
unsigned Seed();

// Counts the outcomes and keeps the first faults as lines, so that one CHECK reports them all.
struct Tally {
  int refused = 0;
  int accepted = 0;
  std::vector<std::string> failures;
  void Fail(const std::string& what);
  std::string Report() const;
};

// Offers the bytes to the reader under test; true when it accepted them. Faults of the outcome
// (a refused file that changed something, an accepted one that reads otherwise) go to the tally.
using Probe = std::function<bool(const std::string& bytes, const std::string& what, Tally* tally)>;

struct Plan {
  std::string good;                               // a valid file
  size_t lastValueEnd = 0;                        // a cut here or later only loses line ends
  std::vector<std::pair<size_t, size_t>> values;  // [begin, end) of every value
  bool bothChanges = false;  // two changes at each value character (else one, alternating)
  unsigned seed = 0;
  int mutations = 0;
  size_t every = 1;  // only every n-th cut and value character (starting with the first)
};

// The good file, then the cuts, the value changes and the mutations.
void Run(const Plan& plan, const Probe& probe, Tally* tally);

}  // namespace damaged
