// Whether the autorun value points at this program: read from the current user's Run key, else
// the machine's, however it was written.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "ProgramRig.h"

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
