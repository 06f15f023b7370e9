// The config.ini sweep through the reader, in memory: cuts, every byte value over and between
// bytes, NULs, byte-order marks, UTF-16, sections given twice and thousands of seeded mutations.
// Every setting the damage did not reach is kept with its value; certain damage is found; a
// whole file in any of its encodings is read as whole. The seed is printed; TEVARO_SWEEP_SEED
// sets another.
#include <SimpleIni.h>
#include <doctest/doctest.h>

#include "SettingsFile.h"
#include "SettingsSweep.h"

namespace {

constexpr int kMutations = 4000;

const char kFile[] =
    "[Config]\r\nLang = 1\r\ncolorIndex = 3\r\nCurrentSelectPCModeIndex = 2\r\n"
    "; kept by hand\r\n\r\n"
    "[TabName]\r\n0 = \xe9\x9f\xb3\xe4\xb9\x90\r\n"
    "[Window]\r\nwidth = 1100\r\ntitle = Tevaro at home\r\n"
    "[Paths]\r\nexport = C:\\Users\\me\\Effects\r\n";

}  // namespace

TEST_CASE("config.ini sweep: the reader keeps every setting the damage did not reach") {
  const unsigned seed = damaged::Seed();
  MESSAGE("config.ini sweep seed: " << seed);
  const settings_sweep::Fixture fixture = settings_sweep::FixtureOf(kFile);
  REQUIRE(fixture.settings.size() == 7);
  damaged::Tally tally;
  int found = 0;
  const std::vector<settings_sweep::Case> cases =
      settings_sweep::Cases(fixture, {seed, kMutations, 1});
  for (const settings_sweep::Case& c : cases) {
    CSimpleIniW read(true);
    const bool whole = DecodeSettings(c.bytes, &read);
    found += !whole;
    settings_sweep::Check(c, fixture, read, whole, &tally);
  }
  MESSAGE("config.ini cases: " << cases.size() << ", damage found in " << found);
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}
