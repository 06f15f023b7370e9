#include "DamagedFileSweep.h"

#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>

namespace damaged {

namespace {

// One to three edits anywhere in the file: a byte of any value (NUL and bytes of 0x80 and above
// included) replaced, inserted or deleted; a byte-order mark (UTF-8, UTF-16 in either order)
// put at the start or anywhere; a run of up to 300 random bytes inserted; or a slice of up to
// 200 bytes of the file repeated elsewhere (a line, a section given twice).
std::string Mutate(std::string text, std::mt19937& rng) {
  static const char* const kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  const int edits = 1 + static_cast<int>(rng() % 3);
  for (int i = 0; i < edits; ++i) {
    const size_t at = rng() % (text.size() + 1);
    switch (rng() % 8) {
      case 0:
      case 1:
      case 2:
        if (!text.empty()) text[rng() % text.size()] = static_cast<char>(rng() % 256);
        break;
      case 3:
        text.insert(text.begin() + at, static_cast<char>(rng() % 256));
        break;
      case 4:
        if (!text.empty()) text.erase(rng() % text.size(), 1);
        break;
      case 5:
        text.insert(rng() % 2 ? at : 0, kMarks[rng() % 3]);
        break;
      case 6: {
        std::string run(1 + rng() % 300, '\0');
        for (char& c : run) c = static_cast<char>(rng() % 256);
        text.insert(at, run);
        break;
      }
      default: {
        if (text.empty()) break;
        const size_t from = rng() % text.size();
        const std::string slice = text.substr(from, 1 + rng() % 200);
        text.insert(at, slice);
        break;
      }
    }
  }
  return text;
}

// The changes tried at one character of a value: another upper-case digit, and a character
// that is no upper-case digit (cycling through lower case, blanks, separators, line ends, NUL).
// With `both` false, one of them, alternating by position.
std::vector<char> ChangesAt(char c, size_t position, bool both) {
  static const char kDigits[] = "0123456789ABCDEF";
  static const char kOthers[] = "abcdefGgx =;#[]\t\n\r\"-";
  const char* found = c != '\0' ? std::strchr(kDigits, c) : nullptr;
  const int value = found != nullptr ? static_cast<int>(found - kDigits) : 0;
  const char digit = kDigits[(value + 1 + position % 15) % 16];
  const size_t others = sizeof kOthers - 1;
  const size_t pick = position / 2 % (others + 1);
  const char other = pick == others ? '\0' : kOthers[pick];
  if (both) return {digit, other};
  return {position % 2 ? other : digit};
}

bool Offer(const Probe& probe, const std::string& bytes, const std::string& what, Tally* tally) {
  const bool accepted = probe(bytes, what, tally);
  ++(accepted ? tally->accepted : tally->refused);
  return accepted;
}

}  // namespace

unsigned Seed() {
  const char* text = std::getenv("TEVARO_SWEEP_SEED");
  return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 0)) : 20240611u;
}

void Tally::Fail(const std::string& what) {
  if (failures.size() < 20) failures.push_back(what);
}

std::string Tally::Report() const {
  std::ostringstream out;
  for (const std::string& f : failures) out << f << "\n";
  return out.str();
}

void Run(const Plan& plan, const Probe& probe, Tally* tally) {
  const size_t every = plan.every > 0 ? plan.every : 1;
  if (!Offer(probe, plan.good, "the good file", tally)) tally->Fail("the good file was refused");

  // Refused while the cut reaches into the last value, accepted once only line ends are gone.
  for (size_t length = 0; length < plan.good.size(); length += every) {
    const std::string what = "truncated to " + std::to_string(length);
    const bool accepted = Offer(probe, plan.good.substr(0, length), what, tally);
    if (accepted != (length >= plan.lastValueEnd)) tally->Fail(what + ": wrong outcome");
  }

  for (const auto& value : plan.values) {
    for (size_t p = value.first; p < value.second; p += every) {
      for (char c : ChangesAt(plan.good[p], p, plan.bothChanges)) {
        std::string changed = plan.good;
        changed[p] = c;
        const std::string what = "character " + std::to_string(p) + " -> " + std::to_string(c);
        if (Offer(probe, changed, what, tally)) tally->Fail(what + ": a changed value was accepted");
      }
    }
  }

  std::mt19937 rng(plan.seed);
  for (int i = 0; i < plan.mutations; ++i) {
    Offer(probe, Mutate(plan.good, rng), "mutation " + std::to_string(i), tally);
  }
}

}  // namespace damaged
