// Whether the autorun value points at this program: read from the current user's Run key, else
// the machine's, however it was written.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "ProgramRig.h"
#include "control/SMenuEx.h"
#include "control/SMenuExItem.h"

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValue[] = L"zuorv";

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Sets (or with a null text deletes) the value; with `terminated` false the stored bytes lack
// the terminating zero.
void SetValue(HKEY root, const wchar_t* text, bool terminated = true) {
  HKEY key = nullptr;
  REQUIRE(RegCreateKeyExW(root, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
          ERROR_SUCCESS);
  if (text == nullptr) {
    RegDeleteValueW(key, kValue);
  } else {
    const DWORD chars = static_cast<DWORD>(wcslen(text)) + (terminated ? 1 : 0);
    RegSetValueExW(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   chars * sizeof(wchar_t));
  }
  RegCloseKey(key);
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = towupper(c);
  return text;
}

// Both Run values are removed while the test runs and left absent.
struct RunValues {
  RunValues() { Clear(); }
  ~RunValues() { Clear(); }
  static void Clear() {
    SetValue(HKEY_CURRENT_USER, nullptr);
    SetValue(HKEY_LOCAL_MACHINE, nullptr);
  }
};

// The stored value of the current user and its size in bytes; empty, 0 without one.
std::wstring StoredValue(DWORD* bytes) {
  *bytes = 0;
  wchar_t text[1024] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValue, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, text,
                   &size) != ERROR_SUCCESS) {
    return std::wstring();
  }
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key);
  RegQueryValueExW(key, kValue, nullptr, nullptr, nullptr, bytes);
  RegCloseKey(key);
  return text;
}

// The tray menu's "Run on startup" check.
int TrayAutoRunCheck() {
  SWUI::SMenuEx menu;
  REQUIRE(ProgramRig::Logic().LoadTrayMenu(menu));
  SWUI::SMenuExItem* item = menu.FindItem(8, MF_BYCOMMAND);
  REQUIRE(item != nullptr);
  return item->GetCheck();
}

}  // namespace

TEST_CASE("autorun: the value names this program when its path, unquoted, matches without case") {
  ProgramRig rig;
  RunValues values;
  const std::wstring path = ProgramPath();
  const std::wstring quoted = L"\"" + path + L"\" -hide";
  // Longer than the 260 characters a fixed buffer would hold.
  const std::wstring longValue = quoted + std::wstring(300, L' ') + L"-x";
  struct Case {
    const char* what;
    HKEY root;
    std::wstring value;
    bool terminated;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"quoted path and -hide", HKEY_CURRENT_USER, quoted, true, true},
      {"the path in another case", HKEY_CURRENT_USER, L"\"" + Upper(path) + L"\" -hide", true,
       true},
      {"the bare path", HKEY_CURRENT_USER, path, true, true},
      {"unquoted path and -hide", HKEY_CURRENT_USER, path + L" -hide", true, false},
      {"another program", HKEY_CURRENT_USER, L"\"C:\\other.exe\" -hide", true, false},
      {"only the machine's", HKEY_LOCAL_MACHINE, quoted, true, true},
      {"stored without its terminator", HKEY_CURRENT_USER, quoted, false, true},
      {"over 520 bytes", HKEY_CURRENT_USER, longValue, true, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    RunValues::Clear();
    SetValue(c.root, c.value.c_str(), c.terminated);
    CHECK(CApplication::Get().IsAutoRunEnabled() == c.expected);
    CApplication::Destroy();
  }
  RunValues::Clear();
  CHECK_FALSE(CApplication::Get().IsAutoRunEnabled());
  CApplication::Destroy();
}

TEST_CASE("autorun: \"Run on startup\" writes the value with its terminator, then deletes it") {
  ProgramRig rig;
  RunValues values;
  const std::wstring expected = L"\"" + ProgramPath() + L"\" -hide";
  CHECK(rig.Run({Once([&] {
    CHECK(TrayAutoRunCheck() == 0);
    ProgramRig::Send(WM_COMMAND, 8);
    DWORD bytes = 0;
    CHECK(StoredValue(&bytes) == expected);
    CHECK(bytes == (expected.size() + 1) * sizeof(wchar_t));
    CHECK(ProgramRig::App().IsAutoRunEnabled());
    CHECK(TrayAutoRunCheck() == 1);
    ProgramRig::Send(WM_COMMAND, 8);
    CHECK(StoredValue(&bytes).empty());
    CHECK(bytes == 0);
    CHECK_FALSE(ProgramRig::App().IsAutoRunEnabled());
    CHECK(TrayAutoRunCheck() == 0);
  })}) == 0);
}
