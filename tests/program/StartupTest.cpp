// Start-up and shut-down of the whole program: the language and the settings file, the data
// folder the shell names (or does not), the framework's resources missing, the autorun value,
// the tray icon and the single instance across two real processes.
#include <SimpleIni.h>
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "ProgramRig.h"
#include "SShellNotifyIcon.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"

namespace {

const wchar_t kChineseTitle[] = L"Tevaro \u97f3\u6548\u5904\u7406\u5668";

std::wstring WindowTitle(HWND hwnd) {
  wchar_t text[128] = {};
  GetWindowTextW(hwnd, text, 128);
  return text;
}

// config.ini as a settings object reads it.
void ReadIni(const std::string& bytes, CSimpleIniW* ini) { ini->LoadData(bytes); }

std::wstring TabTitle(int position) {
  auto* strip = static_cast<SWUI::SChromeTabCtrl*>(ProgramRig::Element(L"orv_chromeTab"));
  SWUI::SChromeTab* tab = strip->GetTab(position);
  return tab != nullptr ? std::wstring(tab->GetWindowText().c_str()) : std::wstring();
}

}  // namespace

TEST_CASE("start-up: \"Lang\" of config.ini chooses the language, by SimpleIni's integer rule") {
  struct Case {
    const char* settings;
    bool english;
  };
  const Case cases[] = {
      {"[Config]\r\nLang = 1\r\n", true},  {"[Config]\r\nLang = 0x1\r\n", true},
      {"[Config]\r\nLang = 5\r\n", true},  {"", false},
      {"[Config]\r\nLang = 0\r\n", false}, {"[Config]\r\nLang = 1a\r\n", false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.settings);
    ProgramRig rig;
    if (c.settings[0] != '\0') rig.WriteSettings(c.settings);
    std::wstring title;
    int language = -1;
    CHECK(rig.Run({Once([&] {
      title = WindowTitle(ProgramRig::MainHwnd());
      language = ProgramRig::App().Language();
    })}) == 0);
    CHECK(title == (c.english ? L"Tevaro" : kChineseTitle));
    CHECK((language != 0) == c.english);
  }
}

TEST_CASE("start-up: a UTF-8 config.ini with Chinese tab names comes back as it was") {
  ProgramRig rig;
  // Music renamed, MIC and Effect swapped, the second tab selected.
  const std::string settings =
      "[Config]\r\nLang = 0\r\n"
      "[TabOrder]\r\n0 = 0\r\n1 = 2\r\n2 = 1\r\n3 = 3\r\n4 = 4\r\n5 = 5\r\n6 = 6\r\n"
      "[TabName]\r\n0 = \xe9\x9f\xb3\xe4\xb9\x90\xe5\x8e\x85\r\n1 = \xe8\xaf\x9d\xe7\xad\x92"
      "A\r\n"
      "[TabSel]\r\nindex = 1\r\n";
  rig.WriteSettings(settings);
  std::vector<std::wstring> titles;
  CHECK(rig.Run({Once([&] {
    for (int i = 0; i < 3; ++i) titles.push_back(TabTitle(i));
  })}) == 0);
  REQUIRE(titles.size() == 3);
  CHECK(titles[0] == L"\u97f3\u4e50\u5385");
  CHECK(titles[2] == L"\u8bdd\u7b52A");
  CSimpleIniW before(true);
  CSimpleIniW after(true);
  ReadIni(settings, &before);
  ReadIni(rig.ReadSettings(), &after);
  for (const wchar_t* section : {L"TabOrder", L"TabName", L"TabSel"}) {
    CSimpleIniW::TNamesDepend keys;
    before.GetAllKeys(section, keys);
    for (const auto& key : keys) {
      CAPTURE(std::string(key.pItem, key.pItem + wcslen(key.pItem)));
      CHECK(std::wstring(after.GetValue(section, key.pItem, L"")) ==
            before.GetValue(section, key.pItem, L""));
    }
  }
  // Titles never renamed are written back as they are (untranslated).
  CHECK(std::wstring(after.GetValue(L"TabName", L"3", L"")) == L"Main output");
  // UTF-8 without a signature.
  CHECK(rig.ReadSettings().compare(0, 3, "\xef\xbb\xbf") != 0);
}

TEST_CASE(
    "start-up: without a data folder from the shell the defaults hold and nothing is written") {
  ProgramRig rig;
  rig.NoShellFolder();
  const bool rootHadOne = GetFileAttributesW(L"\\config.ini") != INVALID_FILE_ATTRIBUTES;
  int language = -1;
  CHECK(rig.Run({Once([&] { language = ProgramRig::App().Language(); })}) == 0);
  CHECK(language == 0);
  CHECK_FALSE(rig.SettingsExist());
  if (!rootHadOne) CHECK(GetFileAttributesW(L"\\config.ini") == INVALID_FILE_ATTRIBUTES);
}

TEST_CASE("start-up: without the program's resources the system box says so and no window opens") {
  ProgramRig rig;
  rig.UseInstance(nullptr);
  rig.ExpectEarlyEnd();
  bool ran = false;
  CHECK(rig.Run({Once([&] { ran = true; })}, 5000) == 0);
  CHECK_FALSE(ran);
  REQUIRE(rig.boxes.size() == 1);
  CHECK(rig.boxes[0].text == L"\u521d\u59cb\u5316\u754c\u9762\u8d44\u6e90\u5931\u8d25");
  CHECK(rig.boxes[0].caption == L"ERROR");
  CHECK(rig.boxes[0].type == MB_OK);
  CHECK_FALSE(rig.boxes[0].framework);
  // The mutex was given back.
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CApplication::kMutexName);
  CHECK(mutex == nullptr);
  if (mutex != nullptr) CloseHandle(mutex);
}

TEST_CASE("start-up: the tray icon is added with the program's record and deleted at close") {
  ProgramRig rig;
  HWND main = nullptr;
  CHECK(rig.Run({Once([&] { main = ProgramRig::MainHwnd(); })}) == 0);
  REQUIRE(rig.trayCalls.size() == 2);
  const NOTIFYICONDATAW& added = rig.trayCalls[0].data;
  CHECK(rig.trayCalls[0].message == NIM_ADD);
  CHECK(added.cbSize == SShellNotifyIcon::kRecordSize);
  CHECK(added.uID == 100);
  CHECK(added.uFlags == 7);
  CHECK(added.uCallbackMessage == 2125);
  CHECK(added.hWnd == main);
  CHECK(added.hIcon != nullptr);
  CHECK(std::wstring(added.szTip) == kChineseTitle);
  CHECK(rig.trayCalls[1].message == NIM_DELETE);
}

TEST_CASE("start-up: the shell refuses the icon under the null driver, so none is deleted") {
  ProgramRig rig;
  rig.RealTray();
  bool visible = true;
  CHECK(rig.Run({Once([&] { visible = ProgramRig::Logic().TrayIcon().IsVisible(); })}) == 0);
  CHECK_FALSE(visible);
  REQUIRE(rig.trayCalls.size() == 1);
  CHECK(rig.trayCalls[0].message == NIM_ADD);
}

TEST_CASE("start-up: \"-hide\" anywhere in the command line leaves the window hidden") {
  ProgramRig rig;
  bool visible = true;
  CHECK(rig.Run(L"x-hidey", {Once([&] { visible = IsWindowVisible(ProgramRig::MainHwnd()); })}) ==
        0);
  CHECK_FALSE(visible);
}
