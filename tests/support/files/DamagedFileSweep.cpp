#include "DamagedFileSweep.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>

namespace damaged {

namespace {

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

Mutation Mutate(const std::string& text, std::mt19937& rng) {
  static const char* const kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  struct Edit {
    size_t at;
    bool remove;      // the byte at `at` goes (replaced by `bytes` when it is not empty)
    std::string bytes;
  };
  std::vector<Edit> edits;
  const int count = 1 + static_cast<int>(rng() % 3);
  for (int i = 0; i < count; ++i) {
    const size_t at = rng() % (text.size() + 1);
    const bool inside = at < text.size();
    switch (rng() % 8) {
      case 0:
      case 1:
      case 2:
        if (inside) edits.push_back({at, true, std::string(1, static_cast<char>(rng() % 256))});
        break;
      case 3:
        edits.push_back({at, false, std::string(1, static_cast<char>(rng() % 256))});
        break;
      case 4:
        if (inside) edits.push_back({at, true, std::string()});
        break;
      case 5:
        edits.push_back({rng() % 2 ? at : 0, false, kMarks[rng() % 3]});
        break;
      case 6: {
        std::string run(1 + rng() % 300, '\0');
        for (char& c : run) c = static_cast<char>(rng() % 256);
        edits.push_back({at, false, run});
        break;
      }
      default:
        if (!text.empty()) {
          edits.push_back({at, false, text.substr(rng() % text.size(), 1 + rng() % 200)});
        }
        break;
    }
  }
  Mutation m;
  m.bytes = text;
  // From the end backwards, so that every edit's place is the original's; at one place the
  // byte there is changed before anything goes in front of it, and changed once.
  std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
    return a.at != b.at ? a.at > b.at : a.remove && !b.remove;
  });
  size_t lastRemoved = text.size();
  for (const Edit& e : edits) {
    if (e.remove) {
      if (e.at == lastRemoved) continue;
      lastRemoved = e.at;
      m.bytes.replace(e.at, 1, e.bytes);
      m.touched.push_back(e.at);
    } else {
      m.bytes.insert(e.at, e.bytes);
      if (e.at > 0) m.touched.push_back(e.at - 1);
      if (e.at < text.size()) m.touched.push_back(e.at);
    }
  }
  if (edits.size() == 1 && edits[0].bytes.size() == 1) {
    m.single = true;
    m.byte = edits[0].bytes[0];
    m.at = edits[0].at;
    m.inserted = !edits[0].remove;
  }
  return m;
}

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
    Offer(probe, Mutate(plan.good, rng).bytes, "mutation " + std::to_string(i), tally);
  }
}

}  // namespace damaged
