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
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace damaged {

// TEVARO_SWEEP_SEED when set, else a fixed seed.
unsigned Seed();

// A seeded mutation of a file: one to three edits anywhere, each at a place of the original
// (edits do not build on each other): a byte of any value (NUL and 0x80 and above included)
// replaced, inserted or deleted; a byte-order mark (UTF-8, UTF-16 in either order) put at the
// start or anywhere; a run of up to 300 random bytes inserted; or a slice of up to 200 bytes of
// the file repeated elsewhere (a line, a section given twice).
struct Mutation {
  std::string bytes;
  // Places of the original that an edit changed, took away or stands beside.
  std::vector<size_t> touched;
  // One byte replaced or inserted: which, where, and whether it went in.
  bool single = false;
  char byte = 0;
  size_t at = 0;
  bool inserted = false;
};
Mutation Mutate(const std::string& text, std::mt19937& rng);

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
