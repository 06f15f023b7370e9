// config.ini in the whole program: a damaged or unreadable file set aside before anything is
// written, the user told once and what could be read kept; a file held by another never
// written over; a file that cannot be written reported once; a close that changes nothing
// writes nothing; the PC mode dialog's stored index read by the same rules.
#include <SimpleIni.h>
#include <doctest/doctest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgPCModeEventHandler.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "IndependentReading.h"
#include "PCModeFiles.h"
#include "ProgramImages.h"
#include "ProgramRig.h"
#include "SettingsFile.h"
#include "SettingsSweep.h"
#include "control/SComboBox.h"

namespace {

std::wstring IniValue(const std::string& bytes, const wchar_t* section, const wchar_t* key) {
  CSimpleIniW ini(true);
  ini.LoadData(bytes);
  return ini.GetValue(section, key, L"(none)");
}

bool Contains(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

std::string Utf16(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// A file of that size whose first bytes are settings (the rest zeros), as a sparse write.
void WriteLarge(const std::wstring& path, const std::string& head, LONGLONG size) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  REQUIRE(h != INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  CHECK(SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
  CHECK(SetEndOfFile(h));
  CloseHandle(h);
}

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

const char kSettings[] = "[Config]\r\nLang = 1\r\ncolorIndex = 3\r\n[TabName]\r\n0 = Song\r\n";

}  // namespace

TEST_CASE("config.ini: a damaged or unreadable file is set aside whole, the user told once, and "
          "what could be read kept") {
  std::string garbage;
  for (int i = 0; i < 300; ++i) garbage += static_cast<char>((i * 151 + 7) & 0xFF);
  const std::string nul(1, '\0');
  const struct Case {
    const char* what;
    std::function<void(ProgramRig&)> write;
    bool english;      // "Lang = 1" read
    bool songKept;     // "[TabName] 0 = Song" read
    bool folder;       // a folder set aside
  } cases[] = {
      {"a NUL between two sections",
       [&](ProgramRig& rig) {
         rig.WriteSettings("[Config]\r\nLang = 1\r\ncolorIndex = 3\r\n" + nul +
                           "\r\n[TabName]\r\n0 = Song\r\n");
       },
       true, true, false},
      {"300 bytes of garbage before the settings",
       [&](ProgramRig& rig) { rig.WriteSettings(garbage + "\r\n" + kSettings); }, true, true,
       false},
      {"bytes that are no text in a line",
       [&](ProgramRig& rig) {
         rig.WriteSettings("[Config]\r\nLang = 1\r\n\xff\xfe\x80junk\r\n[TabName]\r\n0 = Song\r\n");
       },
       true, true, false},
      {"larger than 16 MiB",
       [&](ProgramRig& rig) {
         rig.WriteSettings("");
         WriteLarge(rig.SettingsPath(), kSettings, 17 << 20);
       },
       false, false, false},
      {"a folder",
       [&](ProgramRig& rig) {
         rig.WriteSettings("");
         DeleteFileW(rig.SettingsPath().c_str());
         REQUIRE(CreateDirectoryW(rig.SettingsPath().c_str(), nullptr));
       },
       false, false, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    ProgramRig rig;
    c.write(rig);
    const std::string before = c.folder ? std::string() : rig.ReadSettings();
    int language = -1;
    CHECK(rig.Run({Once([&] { language = ProgramRig::App().Language(); })}) == 0);
    CHECK((language == 1) == c.english);
    const std::wstring bad = rig.SettingsPath() + L".bad";
    REQUIRE(rig.boxes.size() == 1);
    CHECK(rig.boxes[0].framework);
    CHECK(rig.boxes[0].caption == L"prompt");
    CHECK(Contains(rig.boxes[0].text, bad));
    if (c.english) {
      CHECK(Contains(rig.boxes[0].text, L"The settings file was damaged."));
    }
    if (c.folder) {
      CHECK((GetFileAttributesW(bad.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } else {
      CHECK(ReadBytes(bad) == before);
    }
    // What could be read is in the new file, which the close completed.
    const std::string after = rig.ReadSettings();
    CHECK(IniValue(after, L"Config", L"Lang") == (c.english ? L"1" : L"(none)"));
    CHECK(IniValue(after, L"TabName", L"0") == (c.songKept ? L"Song" : L"Music"));
    CHECK(IniValue(after, L"TabOrder", L"6") == L"6");
  }
}

TEST_CASE("config.ini in UTF-16 with its mark, as an editor writes it, is read and needs no word") {
  ProgramRig rig;
  rig.WriteSettings(Utf16(L"[Config]\r\nLang = 1\r\n[TabName]\r\n0 = \u97f3\u4e50\r\n"));
  int language = -1;
  CHECK(rig.Run({Once([&] { language = ProgramRig::App().Language(); })}) == 0);
  CHECK(language == 1);
  CHECK(rig.boxes.empty());
  CHECK(GetFileAttributesW((rig.SettingsPath() + L".bad").c_str()) == INVALID_FILE_ATTRIBUTES);
  CHECK(IniValue(rig.ReadSettings(), L"TabName", L"0") == L"\u97f3\u4e50");
}

TEST_CASE("config.ini held by another is left as it is and never written; the user is told once") {
  ProgramRig rig;
  rig.WriteSettings(kSettings);
  HANDLE held = CreateFileW(rig.SettingsPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE);
  CHECK(rig.Run({Once([] {
    // A setting changed: still not written.
    ProgramRig::Send(WM_COMMAND, 71 + 2);
  })}) == 0);
  CloseHandle(held);
  CHECK(rig.ReadSettings() == kSettings);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].caption == L"Error");
  CHECK(Contains(rig.boxes[0].text, rig.SettingsPath()));
}

TEST_CASE("config.ini that cannot be written is reported once, however often it is saved") {
  ProgramRig rig;
  rig.WriteSettings(kSettings);
  HANDLE held = INVALID_HANDLE_VALUE;
  CHECK(rig.Run({Once([&] {
    // Read at start; from now on another holds it, so it cannot be replaced.
    held = CreateFileW(rig.SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    ProgramRig::Send(WM_COMMAND, 71 + 2);
    ProgramRig::Send(WM_COMMAND, 71 + 4);
  })}) == 0);
  CloseHandle(held);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"The settings cannot be saved to " + rig.SettingsPath() + L".");
  CHECK(rig.boxes[0].caption == L"Error");
  CHECK(rig.ReadSettings() == kSettings);
}

TEST_CASE("config.ini: a close that changes no setting writes nothing") {
  ProgramRig rig;
  rig.WriteSettings(kSettings);
  CHECK(rig.Run({}) == 0);
  const std::string first = rig.ReadSettings();
  const FILETIME written = LastWrite(rig.SettingsPath());
  CHECK(first != kSettings);  // the first close added the tabs
  CHECK(rig.Run({}) == 0);
  CHECK(rig.ReadSettings() == first);
  const FILETIME again = LastWrite(rig.SettingsPath());
  CHECK(CompareFileTime(&written, &again) == 0);
}

TEST_CASE("PC mode dialog: the stored index is read by config.ini's rules") {
  using PCModeDialog = CCommonDlg<CDlgPCModeEventHandler>;
  auto dialog = [] { return dynamic_cast<PCModeDialog*>(ProgramRig::OwnedDialog()); };
  auto selected = [&] {
    auto* modes = dynamic_cast<SWUI::SComboBox*>(dialog()->GetRoot()->FindChildByName(L"devMode"));
    REQUIRE(modes != nullptr);
    return modes->GetCurSel();
  };
  std::vector<ProgramRig::Step> openAndClose = {
      Once([] { ProgramRig::Defer([] { ProgramRig::Element(9003)->FireCommand(); }); }),
      Until([&] { return dialog() != nullptr; }), Once([] {}),
      Once([&] { dialog()->GetRoot()->FindChildByName(L"btn_close")->FireCommand(); }),
      Until([&] { return dialog() == nullptr; })};
  ModeFolder folder;
  PCModeList list;
  const uint8_t* image = DefaultParamImages::Sing();
  for (const wchar_t* name : {L"a", L"b", L"c"}) {
    REQUIRE(SavePCMode(folder.ProgramFolder(), &list, name, image, image, image) >= 0);
  }
  ProgramRig rig;
  rig.WriteSettings(Utf16(L"[Config]\r\nLang = 1\r\nCurrentSelectPCModeIndex = 2\r\n"));
  int firstSelection = -1;
  int secondSelection = -1;
  std::string damaged;
  std::vector<ProgramRig::Step> steps = openAndClose;
  steps[2] = Once([&] { firstSelection = selected(); });
  steps.push_back(Once([&] {
    // Damaged while the program runs: the dialog sets it aside too.
    damaged = std::string("[Config]\r\nCurrentSelectPCModeIndex = 1\r\n\0\r\n", 41);
    rig.WriteSettings(damaged);
  }));
  for (ProgramRig::Step step : openAndClose) steps.push_back(step);
  steps[steps.size() - 3] = Once([&] { secondSelection = selected(); });
  CHECK(rig.Run(steps) == 0);
  CHECK(firstSelection == 2);
  CHECK(secondSelection == 1);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(Contains(rig.boxes[0].text, L"The settings file was damaged."));
  CHECK(ReadBytes(rig.SettingsPath() + L".bad") == damaged);
  // The program's own settings are the file again.
  CHECK(IniValue(rig.ReadSettings(), L"Config", L"CurrentSelectPCModeIndex") == L"2");
}

TEST_CASE("config.ini sweep: the program starts, keeps what no damage reached, keeps the damaged "
          "file aside whole and never writes over a file it could not read") {
  const unsigned seed = damaged::Seed();
  MESSAGE("config.ini sweep seed: " << seed);
  // The program's own file, with settings of every kind and a section of the user's.
  std::string own;
  {
    ProgramRig rig;
    rig.WriteSettings(
        "[Config]\r\nLang = 1\r\ncolorIndex = 3\r\nCurrentSelectPCModeIndex = 2\r\n"
        "[TabName]\r\n1 = Voice\r\n[User]\r\nnote = kept by hand\r\n");
    CHECK(rig.Run({}) == 0);
    own = rig.ReadSettings();
  }
  const settings_sweep::Fixture fixture = settings_sweep::FixtureOf(own);
  // The middle case of each kind, the seeded mutations and a file over the limit: each is a
  // whole run of the program (the reader meets every case in the library's sweep).
  const std::vector<settings_sweep::Case> all =
      settings_sweep::Cases(fixture, {seed, 20, own.size() / 5});
  std::map<std::string, std::vector<const settings_sweep::Case*>> kinds;
  for (const settings_sweep::Case& c : all) kinds[c.kind].push_back(&c);
  std::vector<settings_sweep::Case> cases;
  for (const auto& kind : kinds) {
    if (kind.first == "mutation") {
      for (const settings_sweep::Case* c : kind.second) cases.push_back(*c);
    } else if (kind.first != "whole") {
      cases.push_back(*kind.second[kind.second.size() / 2]);
    }
  }
  settings_sweep::Case large;
  large.what = "over 16 MiB";
  large.bytes = own + std::string((16 << 20) + 1 - own.size(), ';');
  large.untouched.assign(fixture.settings.size(), false);
  cases.push_back(large);
  damaged::Tally tally;
  for (const settings_sweep::Case& c : cases) {
    CAPTURE(c.what);
    ProgramRig rig;
    rig.WriteSettings(c.bytes);
    CSimpleIniW expected(true);
    const bool damagedFile =
        c.bytes.size() > SettingsFile::kMaxBytes || !DecodeSettings(c.bytes, &expected);
    int language = -1;
    CHECK(rig.Run({Once([&] { language = ProgramRig::App().Language(); })}) == 0);
    const std::wstring bad = rig.SettingsPath() + L".bad";
    CHECK(rig.boxes.size() == (damagedFile ? 1u : 0u));
    if (damagedFile) {
      CHECK(ReadBytes(bad) == c.bytes);
    } else {
      CHECK(GetFileAttributesW(bad.c_str()) == INVALID_FILE_ATTRIBUTES);
    }
    CSimpleIniW written(true);
    CHECK(DecodeSettings(rig.ReadSettings(), &written));
    settings_sweep::CheckKept(c, fixture, written, &tally);
    if (c.untouched[0]) CHECK(language == 1);
  }
  MESSAGE("config.ini runs: " << cases.size());
  CHECK_MESSAGE(tally.failures.empty(), tally.Report());
}
