// Damaged effect and mode files: every truncation, a change of every character of a value and
// thousands of seeded mutations of the whole file. A file is either refused, leaving every
// image byte as it was, or accepted with exactly the images a second, independent reading of
// it gives. The seed is printed; TEVARO_SWEEP_SEED sets another.
// File operations cost a few milliseconds each under Wine: effect files, which only the
// platform reads, all go through files; mode files go through LoadPCMode's own decoding in
// memory, and every 40th of them (and every version case) through a file and LoadPCMode.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DamagedFileSweep.h"
#include "EffectFile.h"
#include "HidDevice/ParamDesc.h"
#include "IndependentReading.h"
#include "PCModeFiles.h"
#include "SettableImage.h"

namespace {

using Image = std::vector<uint8_t>;
using damaged::Tally;
constexpr int kEffectMutations = 2000;
constexpr int kModeMutations = 4000;
constexpr int kModeFileEvery = 40;
constexpr uint8_t kEffectFill = 0xEE;

Image Pattern(uint8_t seed) {
  Image image(kParamSlotSize);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 29 + seed);
  MakeSettable(image.data(), kParamTransferSize);
  return image;
}

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
    if (!accepted && out != Image(kParamTransferSize, kEffectFill)) {
      tally->Fail(what + ": refused but written");
    } else if (accepted && (!ReadEffectIndependently(bytes, &independent) || independent != out)) {
      tally->Fail(what + ": accepted, but not what the file says");
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
      if (current != Image(kParamSlotSize, 0xC1) || sing != Image(kParamSlotSize, 0xC2) ||
          disco != Image(kParamSlotSize, 0xC3)) {
        tally->Fail(what + ": refused but written");
      }
      return false;
    }
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

}  // namespace

TEST_CASE("damaged effect files are refused whole or read as they say") {
  const unsigned seed = damaged::Seed();
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
  damaged::Plan plan;
  plan.good = text;
  plan.lastValueEnd = end;
  plan.values = {{begin, end}};
  plan.seed = seed;
  plan.mutations = kEffectMutations;
  damaged::Run(
      plan, [&](const std::string& b, const std::string& w, Tally* t) { return probe.Try(b, w, t); },
      &tally);
  MESSAGE("effect files: " << tally.accepted << " accepted, " << tally.refused << " refused");
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}

TEST_CASE("damaged mode files are refused whole or read as they say") {
  const unsigned seed = damaged::Seed();
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
  damaged::Plan plan;
  plan.good = text;
  plan.lastValueEnd = end;
  plan.values = {{sing, sing + 2766}, {disco, end}};
  plan.bothChanges = true;
  plan.seed = seed;
  plan.mutations = kModeMutations;
  damaged::Run(
      plan, [&](const std::string& b, const std::string& w, Tally* t) { return probe.Try(b, w, t); },
      &tally);
  MESSAGE("mode files: " << tally.accepted << " accepted, " << tally.refused << " refused");
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}
