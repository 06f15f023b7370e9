// The config.ini sweep: a settings file and damaged forms of it, each with the settings that no
// damage reached. A reader is held to them: it keeps every such setting with its value, finds
// the damage that is certain (a NUL, a control character, a byte that is no UTF-8, a byte-order
// mark inside) and finds nothing wrong in a whole file however it is encoded. The seed is
// printed by the callers; TEVARO_SWEEP_SEED sets another (damaged::Seed).
//
// A setting depends on its section line, the line break before it and every line of its section
// (a later line of the section could give the same key again): an edit there, an edit of the
// file's first two bytes (they tell its encoding) or one that adds or takes an occurrence of
// its key's text reaches it.
#pragma once
#include <SimpleIni.h>

#include <cstddef>
#include <string>
#include <vector>

#include "DamagedFileSweep.h"

namespace settings_sweep {

struct Setting {
  std::string section;
  std::string key;
  std::string value;
  size_t from = 0;      // the line break before its section line (0 for the first)
  size_t to = 0;        // the end of its section
  size_t valueEnd = 0;  // the end of its value
};

struct Fixture {
  std::string text;  // UTF-8
  std::vector<Setting> settings;
};

// Where the settings of a file written as SimpleIni writes ("[name]" lines, "key = value" lines,
// comments and blank lines; CR LF or LF) stand in it.
Fixture FixtureOf(const std::string& text);

struct Case {
  std::string kind;  // "cut", "byte", "nul", "signature", "mark", "utf16", "repeat", "mutation"
  std::string what;
  std::string bytes;
  std::vector<bool> untouched;  // per setting of the fixture
  bool damaged = false;         // the damage is certain
  bool whole = false;           // nothing is wrong with it
};

struct Options {
  unsigned seed = 0;
  int mutations = 0;
  size_t every = 1;  // only every n-th place for cuts, NULs and marks
};

// The file as it is; its cuts; every byte value 0..255 put over a byte and between two; NULs;
// the UTF-8 signature before it and byte-order marks inside it; the file in UTF-16 (both byte
// orders, and with a NUL character inside); every section given twice; seeded mutations. Places
// that edits touch are those of an ASCII fixture (UTF-16 cases count characters).
std::vector<Case> Cases(const Fixture& fixture, const Options& options);

// Which settings no edit at these places of the original reached, for the damaged bytes.
std::vector<bool> Untouched(const Fixture& fixture, const std::vector<size_t>& touched,
                            const std::string& bytes);

// Holds a reading to the case: `whole` is what the reader said of the file.
void Check(const Case& c, const Fixture& fixture, const CSimpleIniW& read, bool whole,
           damaged::Tally* tally);
// Only that every setting no damage reached is in the settings with its value.
void CheckKept(const Case& c, const Fixture& fixture, const CSimpleIniW& settings,
               damaged::Tally* tally);

// The text in UTF-16 after its byte-order mark.
std::string Utf16(const std::string& utf8, bool bigEndian);

}  // namespace settings_sweep
