// config.ini: the encodings it is read in, damaged lines left out and the rest read, damaged and
// unreadable files set aside (earlier ones kept), and writes only of what changed.
#include <SimpleIni.h>
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "IndependentReading.h"
#include "SettingsFile.h"

namespace {

// "section/key" = "value" of what a reading holds; "(none)" for a missing key.
std::wstring Value(const CSimpleIniW& ini, const wchar_t* section, const wchar_t* key) {
  return ini.GetValue(section, key, L"(none)");
}

std::string Utf16(const std::wstring& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t c : text) {
    const char hi = static_cast<char>(c >> 8);
    const char lo = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

const char kSettings[] =
    "[Config]\r\nLang = 1\r\n\r\n[TabName]\r\n0 = \xe9\x9f\xb3\xe4\xb9\x90\r\n"
    "[TabSel]\r\nindex = 3\r\n";
const wchar_t kSettingsText[] =
    L"[Config]\r\nLang = 1\r\n\r\n[TabName]\r\n0 = \u97f3\u4e50\r\n[TabSel]\r\nindex = 3\r\n";

struct Expected {
  const wchar_t* lang;
  const wchar_t* name;
  const wchar_t* index;
};

void CheckReading(const std::string& bytes, bool clean, const Expected& expected) {
  CSimpleIniW ini(true);
  CHECK(DecodeSettings(bytes, &ini) == clean);
  CHECK(Value(ini, L"Config", L"Lang") == expected.lang);
  CHECK(Value(ini, L"TabName", L"0") == expected.name);
  CHECK(Value(ini, L"TabSel", L"index") == expected.index);
}

}  // namespace

TEST_CASE("config.ini is read as UTF-8 with or without a signature and as UTF-16 with a mark") {
  const Expected all = {L"1", L"\u97f3\u4e50", L"3"};
  std::string crOnly = kSettings;
  for (size_t at = crOnly.find("\r\n"); at != std::string::npos; at = crOnly.find("\r\n", at)) {
    crOnly.erase(at + 1, 1);
  }
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"UTF-8", kSettings},
      {"UTF-8 with its signature", std::string("\xEF\xBB\xBF") + kSettings},
      {"UTF-16, little end first", Utf16(kSettingsText, false)},
      {"UTF-16, big end first", Utf16(kSettingsText, true)},
      {"lines ended by CR alone", crOnly},
      {"comments and blanks",
       std::string("; mine\r\n  # too\r\n\t\r\n") + kSettings + "[X] ;x\r\n"},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    CheckReading(c.bytes, true, all);
  }
}

TEST_CASE("config.ini: damaged lines are left out, the rest is read") {
  std::string garbage;
  for (int i = 0; i < 300; ++i) garbage += static_cast<char>((i * 73 + 11) & 0xFF);
  const std::string nul(1, '\0');
  const struct {
    const char* what;
    std::string bytes;
    Expected expected;
  } cases[] = {
      {"a NUL between sections",
       "[Config]\r\nLang = 1\r\n" + nul + "\r\n[TabName]\r\n0 = a\r\n[TabSel]\r\nindex = 3\r\n",
       {L"1", L"a", L"3"}},
      {"a NUL in a value", "[Config]\r\nLang = 1" + nul + "2\r\n[TabSel]\r\nindex = 3\r\n",
       {L"(none)", L"(none)", L"3"}},
      {"300 bytes of garbage before the settings", garbage + "\r\n" + kSettings,
       {L"1", L"\u97f3\u4e50", L"3"}},
      {"garbage run into a section line: its settings go with it",
       "\x01\x02[Config]\r\nLang = 1\r\n[TabSel]\r\nindex = 3\r\n", {L"(none)", L"(none)", L"3"}},
      {"garbage without brackets keeps the section going",
       "[Config]\r\n\x7f\x05junk\r\nLang = 1\r\n", {L"1", L"(none)", L"(none)"}},
      {"bytes that are no UTF-8", "[Config]\r\nLang = 1\r\n[TabName]\r\n0 = \xe9\x9f\r\n",
       {L"1", L"(none)", L"(none)"}},
      {"a signature inside a line", "[Config]\r\nLang = 1\r\n\xEF\xBB\xBFx = 2\r\n",
       {L"1", L"(none)", L"(none)"}},
      {"a line that is no setting", "[Config]\r\nLang = 1\r\njunk\r\n",
       {L"1", L"(none)", L"(none)"}},
      {"a setting without a key", "[Config]\r\n = 4\r\nLang = 1\r\n", {L"1", L"(none)", L"(none)"}},
      {"a section without a name", "[ ]\r\nLang = 1\r\n[TabSel]\r\nindex = 3\r\n",
       {L"(none)", L"(none)", L"3"}},
      {"a section line with more after it", "[Config] x\r\nLang = 1\r\n[TabSel]\r\nindex = 3\r\n",
       {L"(none)", L"(none)", L"3"}},
      {"UTF-16 with a byte left over", Utf16(L"[Config]\r\nLang = 1\r\n", false) + "x",
       {L"1", L"(none)", L"(none)"}},
      {"UTF-16 with a lone surrogate",
       Utf16(std::wstring(L"[Config]\r\nLang = 1\r\n[TabName]\r\n0 = \xD800x\r\n"), false),
       {L"1", L"(none)", L"(none)"}},
  };
  for (const auto& c : cases) {
    CAPTURE(c.what);
    CheckReading(c.bytes, false, c.expected);
  }
}

TEST_CASE("a file set aside becomes config.ini.bad; earlier ones move on to .bad.1, .bad.2") {
  TestFolder folder;
  const std::wstring path = folder.Sub(L"config.ini");
  CHECK(SetFileAside(path).empty());  // nothing to set aside
  for (const char* bytes : {"first", "second", "third"}) {
    WriteBytes(path, bytes);
    CHECK(SetFileAside(path) == path + L".bad");
  }
  CHECK(ReadBytes(path) == "<none>");
  CHECK(ReadBytes(path + L".bad") == "third");
  CHECK(ReadBytes(path + L".bad.1") == "second");
  CHECK(ReadBytes(path + L".bad.2") == "first");
}

TEST_CASE("config.ini is read whole or set aside, and written only when its settings change") {
  TestFolder folder;
  const std::wstring path = folder.Sub(L"config.ini");

  SUBCASE("missing: nothing read, the first save writes") {
    SettingsFile file(path);
    CSimpleIniW ini(true);
    CHECK(file.Load(&ini) == SettingsFile::Outcome::kMissing);
    ini.SetValue(L"Config", L"Lang", L"1");
    CHECK(file.Save(ini));
    CHECK(ReadBytes(path) == "[Config]\r\nLang = 1\r\n");
  }
  SUBCASE("read: a save of the same settings leaves the file as it is written") {
    WriteBytes(path, "[Config]\nLang=1\n");
    SettingsFile file(path);
    CSimpleIniW ini(true);
    CHECK(file.Load(&ini) == SettingsFile::Outcome::kRead);
    CHECK(file.Save(ini));
    CHECK(ReadBytes(path) == "[Config]\nLang=1\n");
    // While another holds it open, it cannot be replaced: that shows that nothing is written
    // until a setting changes.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK(file.Save(ini));
    ini.SetValue(L"Config", L"Lang", L"0");
    CHECK_FALSE(file.Save(ini));
    CloseHandle(held);
    CHECK(ReadBytes(path) == "[Config]\nLang=1\n");
    CHECK(file.Save(ini));
    CHECK(ReadBytes(path) == "[Config]\r\nLang = 0\r\n");
  }
  SUBCASE("damaged: set aside byte for byte before the readable settings are written") {
    const std::string damaged = std::string("[Config]\r\nLang = 1\r\n\0\r\n", 22);
    WriteBytes(path, damaged);
    SettingsFile file(path);
    CSimpleIniW ini(true);
    CHECK(file.Load(&ini) == SettingsFile::Outcome::kSetAside);
    CHECK(file.SetAsidePath() == path + L".bad");
    CHECK(ReadBytes(path + L".bad") == damaged);
    CHECK(ReadBytes(path) == "<none>");
    CHECK(file.Save(ini));
    CHECK(ReadBytes(path) == "[Config]\r\nLang = 1\r\n");
  }
  SUBCASE("held open by another: left where it is and never written over") {
    WriteBytes(path, "[Config]\r\nLang = 1\r\n");
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    SettingsFile file(path);
    CSimpleIniW ini(true);
    CHECK(file.Load(&ini) == SettingsFile::Outcome::kLeft);
    CHECK_FALSE(file.Writable());
    CloseHandle(held);
    ini.SetValue(L"Config", L"Lang", L"0");
    CHECK_FALSE(file.Save(ini));
    CHECK(ReadBytes(path) == "[Config]\r\nLang = 1\r\n");
  }
}

TEST_CASE("config.ini: a folder, or a file over the limit, is set aside unread") {
  for (const bool asFolder : {true, false}) {
    CAPTURE(asFolder);
    TestFolder folder;
    const std::wstring path = folder.Sub(L"config.ini");
    if (asFolder) {
      REQUIRE(folder.MakeFolder(L"config.ini"));
    } else {
      HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      REQUIRE(h != INVALID_HANDLE_VALUE);
      LARGE_INTEGER size;
      size.QuadPart = SettingsFile::kMaxBytes + 1;
      CHECK(SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
      CHECK(SetEndOfFile(h));
      CloseHandle(h);
    }
    SettingsFile file(path);
    CSimpleIniW ini(true);
    ini.SetValue(L"Config", L"Lang", L"1");
    CHECK(file.Load(&ini) == SettingsFile::Outcome::kSetAside);
    CHECK(ini.GetSectionSize(L"Config") == -1);
    const DWORD aside = GetFileAttributesW((path + L".bad").c_str());
    REQUIRE(aside != INVALID_FILE_ATTRIBUTES);
    CHECK(((aside & FILE_ATTRIBUTE_DIRECTORY) != 0) == asFolder);
    CHECK(file.Save(ini));
    CHECK(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES);
  }
}

TEST_CASE("config.ini: names match ignoring the case of ASCII letters only") {
  CSimpleIniW settings(true);
  REQUIRE(DecodeSettings("[CONFIG]\r\nLANG = 1\r\n[\xC3\x84rger]\r\nk = 2\r\n", &settings));
  CHECK(settings.GetLongValue(L"Config", L"lang", -1) == 1);
  CHECK(settings.GetLongValue(L"config", L"Lang", -1) == 1);
  CHECK(settings.GetLongValue(L"\u00C4RGER", L"K", -1) == 2);
  // Other letters are told apart by their case, as the C locale of the platform's runtime does.
  CHECK(settings.GetLongValue(L"\u00E4rger", L"k", -1) == -1);
  settings.SetLongValue(L"\u00E4rger", L"k", 3);
  CHECK(settings.GetLongValue(L"\u00C4rger", L"k", -1) == 2);
}

TEST_CASE("config.ini: settings that would write a file past the limit are not written") {
  TestFolder folder;
  const std::wstring path = folder.Sub(L"config.ini");
  // Read as written by hand (no spaces, no blank lines), just under the limit; written back in
  // the settings' own layout it would pass it, and the next start would set it aside unread.
  const std::string value(8000, 'v');
  std::string text;
  for (int i = 0; text.size() + 8020 <= SettingsFile::kMaxBytes; ++i) {
    text += "[s" + std::to_string(i) + "]\r\nk=" + value + "\r\n";
  }
  WriteBytes(path, text);
  SettingsFile file(path);
  CSimpleIniW ini(true);
  REQUIRE(file.Load(&ini) == SettingsFile::Outcome::kRead);
  ini.SetValue(L"Config", L"Lang", L"1");
  std::string wouldWrite;
  REQUIRE(ini.Save(wouldWrite, false) >= 0);
  REQUIRE(wouldWrite.size() > SettingsFile::kMaxBytes);
  CHECK_FALSE(file.Save(ini));
  CHECK(ReadBytes(path) == text);
  CHECK(file.Load(&ini) == SettingsFile::Outcome::kRead);
}
