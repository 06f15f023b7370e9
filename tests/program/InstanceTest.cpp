// One instance at a time, across two real processes of tevaro.exe: the second brings the first
// to the front and leaves.
#include <doctest/doctest.h>

#include <string>

#include "CApplication.h"
#include "WaitUntil.h"

namespace {

// tevaro.exe of the same build: <build>\app\tevaro.exe beside <build>\tests\program\.
std::wstring ProgramExe() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  for (int i = 0; i < 3; ++i) exe.erase(exe.rfind(L'\\'));
  return exe + L"\\app\\tevaro.exe";
}

class Process {
 public:
  explicit Process(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + ProgramExe() + L"\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    started_ = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &info_) != FALSE;
  }
  ~Process() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 9);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  // The exit code once it ended within the time, else STILL_ACTIVE.
  DWORD WaitExit(DWORD ms) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0) {
      GetExitCodeProcess(info_.hProcess, &code);
    }
    return code;
  }

 private:
  PROCESS_INFORMATION info_ = {};
  bool started_ = false;
};

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK TakeTitledWindow(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  if (pid != search->pid || wcscmp(cls, CApplication::kHostClassName) != 0) return TRUE;
  // Its tooltip shares the class; the main window's title is the program's name.
  wchar_t title[64] = {};
  GetWindowTextW(wnd, title, 64);
  if (wcsncmp(title, L"Tevaro", 6) != 0) return TRUE;
  search->found = wnd;
  return FALSE;
}

// The process's main window.
HWND MainWindowOf(DWORD pid) {
  Search search = {pid, nullptr};
  EnumWindows(TakeTitledWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

TEST_CASE("single instance: a second start shows the first, hidden one and exits at once") {
  Process first(L"x-hidey");
  REQUIRE(first.Started());
  HWND window = nullptr;
  REQUIRE(WaitUntil([&] { return (window = MainWindowOf(first.Id())) != nullptr; }, 20000));
  CHECK_FALSE(IsWindowVisible(window));

  Process second(L"");
  REQUIRE(second.Started());
  CHECK(second.WaitExit(20000) == 0);  // a process start under Wine takes seconds when loaded
  CHECK(IsWindowVisible(window));
  CHECK((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);

  PostMessageW(window, WM_CLOSE, 0, 0);
  CHECK(first.WaitExit(5000) == 0);
}
