// Damaged effect and mode files: every truncation, a change of every character of a value and
// thousands of seeded mutations of the whole file. A file is either refused, leaving every
// image byte as it was, or accepted with exactly the images a second, independent reading of
// it gives. The seed is printed; TEVARO_SWEEP_SEED sets another.
// File operations cost a few milliseconds each under Wine: effect files, which only the
// platform reads, all go through files; mode files go through LoadPCMode's own decoding in
// memory, and every 40th of them (and every version case) through a file and LoadPCMode.
#include <doctest/doctest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "EffectFile.h"
#include "HidDevice/ParamDesc.h"
#include "IndependentReading.h"
#include "PCModeFiles.h"

namespace {

using Image = std::vector<uint8_t>;
constexpr int kEffectMutations = 2000;
constexpr int kModeMutations = 4000;
constexpr int kModeFileEvery = 40;
constexpr uint8_t kEffectFill = 0xEE;

unsigned SweepSeed() {
  const char* text = std::getenv("TEVARO_SWEEP_SEED");
  return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 0)) : 20240611u;
}

Image Pattern(uint8_t seed) {
  Image image(kParamSlotSize);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 29 + seed);
  return image;
}

// One to three replaced, inserted or deleted bytes (ASCII, NUL included) anywhere in the file.
std::string Mutate(std::string text, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 3);
  for (int i = 0; i < edits; ++i) {
    const char byte = static_cast<char>(rng() % 128);
    const unsigned kind = rng() % 4;
    if (kind <= 1 && !text.empty()) {
      text[rng() % text.size()] = byte;
    } else if (kind == 2) {
      text.insert(text.begin() + rng() % (text.size() + 1), byte);
    } else if (!text.empty()) {
      text.erase(rng() % text.size(), 1);
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
  const int value = static_cast<int>(std::strchr(kDigits, c) - kDigits);
  const char digit = kDigits[(value + 1 + position % 15) % 16];
  const size_t others = sizeof kOthers - 1;
  const size_t pick = position / 2 % (others + 1);
  const char other = pick == others ? '\0' : kOthers[pick];
  if (both) return {digit, other};
  return {position % 2 ? other : digit};
}

// Tallies one sweep: every failure is kept as a line, so one CHECK reports them all.
struct Tally {
  int refused = 0;
  int accepted = 0;
  std::vector<std::string> failures;
  void Fail(const std::string& what) {
    if (failures.size() < 20) failures.push_back(what);
  }
  std::string Report() const {
    std::ostringstream out;
    for (const std::string& f : failures) out << f << "\n";
    return out.str();
  }
};

class EffectProbe {
 public:
  // Offers the bytes as an effect file. True when accepted; checks either outcome.
  bool Try(const std::string& bytes, const std::string& what, Tally* tally) {
    // A fresh name every time: the platform caches recently read profile files by name and
    // trusts an unchanged time stamp, which a rewrite within the same tick keeps.
    const std::wstring path = m_folder.Sub(L"e" + std::to_wstring(m_counter++) + L".orv");
    WriteBytes(path, bytes);
    Image out(kParamTransferSize, kEffectFill);
    const bool accepted = ReadEffectFile(path.c_str(), out.data());
    DeleteFileW(path.c_str());
    Image independent;
    if (!accepted) {
      ++tally->refused;
      if (out != Image(kParamTransferSize, kEffectFill)) tally->Fail(what + ": refused but written");
    } else {
      ++tally->accepted;
      if (!ReadEffectIndependently(bytes, &independent) || independent != out) {
        tally->Fail(what + ": accepted, but not what the file says");
      }
    }
    return accepted;
  }

 private:
  TestFolder m_folder;
  int m_counter = 0;
};

class ModeProbe {
 public:
  ModeProbe() : m_path(m_folder.Sub(L"mode\\m.orm")) { m_folder.MakeFolder(L"mode"); }

  // Every kModeFileEvery-th offer (and every forced one) goes through a file and LoadPCMode.
  bool Try(const std::string& bytes, const std::string& what, Tally* tally, bool viaFile = false) {
    Image current(kParamSlotSize, 0xC1), sing(kParamSlotSize, 0xC2), disco(kParamSlotSize, 0xC3);
    bool accepted;
    if (viaFile || m_counter++ % kModeFileEvery == 0) {
      WriteBytes(m_path, bytes);
      const PCModeList list{{L"m", m_path}};
      accepted = LoadPCMode(0, list, current.data(), sing.data(), disco.data());
    } else {
      accepted = DecodePCModeFile(bytes, current.data(), sing.data(), disco.data());
    }
    if (!accepted) {
      ++tally->refused;
      if (current != Image(kParamSlotSize, 0xC1) || sing != Image(kParamSlotSize, 0xC2) ||
          disco != Image(kParamSlotSize, 0xC3)) {
        tally->Fail(what + ": refused but written");
      }
      return false;
    }
    ++tally->accepted;
    const ModeReading r = ReadModeIndependently(bytes);
    const bool same = r.ok && Starts(sing, r.singBank) && Starts(disco, r.discoBank) &&
                      Starts(current, r.sing ? r.singBank : r.discoBank) &&
                      current[kParamTransferSize] == 0xC1 && sing[kParamTransferSize] == 0xC2 &&
                      disco[kParamTransferSize] == 0xC3;
    if (!same) tally->Fail(what + ": accepted, but not what the file says");
    return true;
  }

 private:
  static bool Starts(const Image& image, const Image& bank) {
    return bank.size() == kParamTransferSize &&
           std::memcmp(image.data(), bank.data(), kParamTransferSize) == 0;
  }

  TestFolder m_folder;
  std::wstring m_path;
  int m_counter = 0;
};

// Every truncation: refused while it cuts into the last value, accepted once only line ends
// are missing.
template <typename Probe>
void SweepTruncations(Probe& probe, const std::string& text, size_t lastValueEnd, Tally* tally) {
  for (size_t length = 0; length < text.size(); ++length) {
    const std::string what = "truncated to " + std::to_string(length);
    const bool accepted = probe.Try(text.substr(0, length), what, tally);
    if (accepted != (length >= lastValueEnd)) tally->Fail(what + ": wrong outcome");
  }
}

template <typename Probe>
void SweepValueCharacters(Probe& probe, const std::string& text, size_t begin, size_t end,
                          bool bothChanges, Tally* tally) {
  for (size_t p = begin; p < end; ++p) {
    for (char c : ChangesAt(text[p], p, bothChanges)) {
      std::string changed = text;
      changed[p] = c;
      const std::string what = "character " + std::to_string(p) + " -> " + std::to_string(c);
      if (probe.Try(changed, what, tally)) tally->Fail(what + ": a changed value was accepted");
    }
  }
}

template <typename Probe>
void SweepMutations(Probe& probe, const std::string& text, unsigned seed, int count, Tally* tally) {
  std::mt19937 rng(seed);
  for (int i = 0; i < count; ++i) {
    probe.Try(Mutate(text, rng), "mutation " + std::to_string(i), tally);
  }
}

}  // namespace

TEST_CASE("damaged effect files are refused whole or read as they say") {
  const unsigned seed = SweepSeed();
  MESSAGE("damaged-file sweep seed: " << seed);
  TestFolder folder;
  const Image image = Pattern(17);
  const std::wstring path = folder.Sub(L"good.orv");
  REQUIRE(ExportEffectFile(path.c_str(), image.data()));
  const std::string text = ReadBytes(path);
  const size_t begin = text.find("data=") + 5;
  const size_t end = begin + kEffectValueChars;
  REQUIRE(text.compare(end, 2, "\r\n") == 0);

  EffectProbe probe;
  Tally tally;
  REQUIRE(probe.Try(text, "the good file", &tally));
  SweepTruncations(probe, text, end, &tally);
  SweepValueCharacters(probe, text, begin, end, false, &tally);
  SweepMutations(probe, text, seed, kEffectMutations, &tally);
  MESSAGE("effect files: " << tally.accepted << " accepted, " << tally.refused << " refused");
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}

TEST_CASE("damaged mode files are refused whole or read as they say") {
  const unsigned seed = SweepSeed();
  MESSAGE("damaged-file sweep seed: " << seed);
  TestFolder folder;
  PCModeList list;
  const Image current = Pattern(1), bank0 = Pattern(2), bank1 = Pattern(3);
  REQUIRE(SavePCMode(folder.Path(), &list, L"good", current.data(), bank0.data(), bank1.data()) == 0);
  const std::string text = ReadBytes(list[0].path);
  const size_t sing = text.find("[SingData]\r\ndata = ") + 19;
  const size_t disco = text.find("[DiscoData]\r\ndata = ") + 20;
  const size_t end = disco + 2766;
  REQUIRE(text.compare(end, 2, "\r\n") == 0);
  REQUIRE(text.size() == end + 2);

  ModeProbe probe;
  Tally tally;
  REQUIRE(probe.Try(text, "the good file", &tally, true));
  for (const char* version : {"0", "3", "two", "-1", ""}) {
    std::string changed = text;
    changed.replace(changed.find("version = 2"), 11, std::string("version = ") + version);
    CHECK_FALSE(probe.Try(changed, std::string("version ") + version, &tally, true));
  }
  std::string missing = text;
  missing.erase(missing.find("version = 2"), 11);
  CHECK_FALSE(probe.Try(missing, "version missing", &tally, true));
  SweepTruncations(probe, text, end, &tally);
  SweepValueCharacters(probe, text, sing, sing + 2766, true, &tally);
  SweepValueCharacters(probe, text, disco, end, true, &tally);
  SweepMutations(probe, text, seed, kModeMutations, &tally);
  MESSAGE("mode files: " << tally.accepted << " accepted, " << tally.refused << " refused");
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}
