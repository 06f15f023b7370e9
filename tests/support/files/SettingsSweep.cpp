#include "SettingsSweep.h"

#include <windows.h>

#include <algorithm>

namespace settings_sweep {

namespace {

std::string Trimmed(const std::string& text, size_t from, size_t to) {
  while (from < to && (text[from] == ' ' || text[from] == '\t')) ++from;
  while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
  return text.substr(from, to - from);
}

std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  const std::string folded = Folded(text);
  const std::string wanted = Folded(part);
  size_t count = 0;
  for (size_t at = folded.find(wanted); at != std::string::npos; at = folded.find(wanted, at + 1)) {
    ++count;
  }
  return count;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int length = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring text(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &text[0], n);
  return text;
}

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Whether one byte put at `at` (over the byte there, or in front of it) is damage for certain:
// a NUL or another control character that breaks no line, or a byte of 0x80 and above between
// two that are no part of a UTF-8 sequence.
bool CertainDamage(const std::string& text, size_t at, bool inserted, char byte) {
  const unsigned v = static_cast<unsigned char>(byte);
  if (v == 0x7F || (v < 0x20 && v != '\t' && v != '\r' && v != '\n')) return true;
  if (v < 0x80) return false;
  const char before = at > 0 ? text[at - 1] : '\n';
  const size_t next = inserted ? at : at + 1;
  const char after = next < text.size() ? text[next] : '\n';
  return IsAscii(before) && IsAscii(after);
}

std::vector<size_t> Around(size_t at, size_t size) {
  std::vector<size_t> places;
  if (at > 0) places.push_back(at - 1);
  if (at < size) places.push_back(at);
  return places;
}

Case Inserted(const Fixture& f, const char* kind, const std::string& what, size_t at,
              const std::string& bytes) {
  Case c;
  c.kind = kind;
  c.what = what;
  c.bytes = f.text;
  c.bytes.insert(at, bytes);
  c.untouched = Untouched(f, Around(at, f.text.size()), c.bytes);
  return c;
}

void AddWhole(const Fixture& f, std::vector<Case>* cases) {
  Case c;
  c.kind = "whole";
  c.what = "the file as it is";
  c.bytes = f.text;
  c.untouched.assign(f.settings.size(), true);
  c.whole = true;
  cases->push_back(c);
}

void AddCuts(const Fixture& f, size_t every, std::vector<Case>* cases) {
  for (size_t length = 0; length < f.text.size(); length += every) {
    Case c;
    c.kind = "cut";
    c.what = "cut to " + std::to_string(length);
    c.bytes = f.text.substr(0, length);
    for (const Setting& s : f.settings) c.untouched.push_back(length >= s.valueEnd);
    cases->push_back(c);
  }
}

void AddByteValues(const Fixture& f, std::vector<Case>* cases) {
  const size_t size = f.text.size();
  for (unsigned v = 0; v < 256; ++v) {
    const char byte = static_cast<char>(v);
    const size_t over = (v * 131 + 17) % size;
    Case replaced;
    replaced.kind = "byte";
    replaced.what = "byte " + std::to_string(v) + " over place " + std::to_string(over);
    replaced.bytes = f.text;
    replaced.bytes[over] = byte;
    replaced.untouched = Untouched(f, {over}, replaced.bytes);
    replaced.damaged = CertainDamage(f.text, over, false, byte);
    cases->push_back(replaced);
    const size_t at = (v * 53 + 5) % (size + 1);
    Case put = Inserted(f, "byte", "byte " + std::to_string(v) + " put at " + std::to_string(at),
                        at, std::string(1, byte));
    put.damaged = CertainDamage(f.text, at, true, byte);
    cases->push_back(put);
  }
}

void AddNuls(const Fixture& f, size_t every, std::vector<Case>* cases) {
  for (size_t at = 0; at <= f.text.size(); at += every) {
    Case c = Inserted(f, "nul", "a NUL at " + std::to_string(at), at, std::string(1, '\0'));
    c.damaged = true;
    cases->push_back(c);
  }
}

void AddMarks(const Fixture& f, size_t every, std::vector<Case>* cases) {
  Case signed8;
  signed8.kind = "signature";
  signed8.what = "the UTF-8 signature before it";
  signed8.bytes = "\xEF\xBB\xBF" + f.text;
  signed8.untouched.assign(f.settings.size(), true);
  signed8.whole = true;
  cases->push_back(signed8);
  const char* const marks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  for (const char* mark : marks) {
    for (size_t at = 1; at <= f.text.size(); at += every) {
      Case c = Inserted(f, "mark", "a byte-order mark at " + std::to_string(at), at, mark);
      c.damaged = true;
      cases->push_back(c);
    }
  }
}

void AddUtf16(const Fixture& f, size_t every, std::vector<Case>* cases) {
  for (bool bigEndian : {false, true}) {
    Case c;
    c.kind = "utf16";
    c.what = bigEndian ? "in UTF-16, big end first" : "in UTF-16, little end first";
    c.bytes = Utf16(f.text, bigEndian);
    c.untouched.assign(f.settings.size(), true);
    c.whole = true;
    cases->push_back(c);
  }
  for (size_t at = 0; at <= f.text.size(); at += every) {
    Case c = Inserted(f, "utf16", "in UTF-16 with a NUL at " + std::to_string(at), at,
                      std::string(1, '\0'));
    c.bytes = Utf16(c.bytes, false);
    c.damaged = true;
    cases->push_back(c);
  }
}

void AddRepeats(const Fixture& f, std::vector<Case>* cases) {
  std::vector<std::pair<size_t, size_t>> sections;  // where each section's lines are
  for (const Setting& s : f.settings) {
    const size_t begin = s.from == 0 ? 0 : s.from + 1;
    if (sections.empty() || sections.back().first != begin) sections.push_back({begin, s.to});
  }
  for (const auto& section : sections) {
    Case c;
    c.kind = "repeat";
    c.what = "the section at " + std::to_string(section.first) + " given twice";
    c.bytes = f.text;
    c.bytes.insert(section.second, f.text.substr(section.first, section.second - section.first));
    c.untouched.assign(f.settings.size(), true);
    c.whole = true;
    cases->push_back(c);
  }
  Case all;
  all.kind = "repeat";
  all.what = "every section given again at the end";
  all.bytes = f.text + f.text;
  all.untouched.assign(f.settings.size(), true);
  all.whole = true;
  cases->push_back(all);
}

void AddMutations(const Fixture& f, unsigned seed, int count, std::vector<Case>* cases) {
  std::mt19937 rng(seed);
  for (int i = 0; i < count; ++i) {
    const damaged::Mutation m = damaged::Mutate(f.text, rng);
    Case c;
    c.kind = "mutation";
    c.what = "mutation " + std::to_string(i);
    c.bytes = m.bytes;
    c.untouched = Untouched(f, m.touched, m.bytes);
    c.damaged = m.single && CertainDamage(f.text, m.at, m.inserted, m.byte);
    cases->push_back(c);
  }
}

}  // namespace

Fixture FixtureOf(const std::string& text) {
  Fixture f;
  f.text = text;
  std::string section;
  size_t sectionFrom = 0;
  size_t firstOfSection = 0;
  auto close = [&](size_t end) {
    for (size_t i = firstOfSection; i < f.settings.size(); ++i) f.settings[i].to = end;
    firstOfSection = f.settings.size();
  };
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    const size_t contentEnd = end > start && text[end - 1] == '\r' ? end - 1 : end;
    const std::string line = Trimmed(text, start, contentEnd);
    if (!line.empty() && line[0] == '[') {
      close(start);
      section = Trimmed(line, 1, line.find(']'));
      sectionFrom = start > 0 ? start - 1 : 0;
    } else if (!line.empty() && line[0] != ';' && line[0] != '#') {
      const size_t equals = text.find('=', start);
      if (equals < contentEnd) {
        Setting s;
        s.section = section;
        s.key = Trimmed(text, start, equals);
        s.value = Trimmed(text, equals + 1, contentEnd);
        s.from = sectionFrom;
        s.valueEnd = contentEnd;
        f.settings.push_back(s);
      }
    }
    start = next;
  }
  close(text.size());
  return f;
}

std::vector<bool> Untouched(const Fixture& fixture, const std::vector<size_t>& touched,
                            const std::string& bytes) {
  const bool encoding =
      std::any_of(touched.begin(), touched.end(), [](size_t p) { return p <= 1; });
  std::vector<bool> untouched;
  for (const Setting& s : fixture.settings) {
    const bool reached =
        encoding || std::any_of(touched.begin(), touched.end(),
                                [&s](size_t p) { return p >= s.from && p < s.to; }) ||
        Occurrences(bytes, s.key) != Occurrences(fixture.text, s.key);
    untouched.push_back(!reached);
  }
  return untouched;
}

std::vector<Case> Cases(const Fixture& fixture, const Options& options) {
  const size_t every = options.every > 0 ? options.every : 1;
  std::vector<Case> cases;
  AddWhole(fixture, &cases);
  AddCuts(fixture, every, &cases);
  AddByteValues(fixture, &cases);
  AddNuls(fixture, every, &cases);
  AddMarks(fixture, every, &cases);
  AddUtf16(fixture, every, &cases);
  AddRepeats(fixture, &cases);
  AddMutations(fixture, options.seed, options.mutations, &cases);
  return cases;
}

void CheckKept(const Case& c, const Fixture& fixture, const CSimpleIniW& settings,
               damaged::Tally* tally) {
  for (size_t i = 0; i < fixture.settings.size(); ++i) {
    if (!c.untouched[i]) continue;
    const Setting& s = fixture.settings[i];
    const wchar_t* value =
        settings.GetValue(Wide(s.section).c_str(), Wide(s.key).c_str(), nullptr);
    if (value == nullptr || Wide(s.value) != value) {
      tally->Fail(c.what + ": " + s.section + "/" + s.key + (value ? " changed" : " lost"));
    }
  }
}

void Check(const Case& c, const Fixture& fixture, const CSimpleIniW& read, bool whole,
           damaged::Tally* tally) {
  CheckKept(c, fixture, read, tally);
  if (c.damaged && whole) tally->Fail(c.what + ": the damage was not found");
  if (c.whole && !whole) tally->Fail(c.what + ": a whole file was found damaged");
}

std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t c : Wide(utf8)) {
    const char hi = static_cast<char>(c >> 8);
    const char lo = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

}  // namespace settings_sweep
