// One instance at a time, across two real processes of tevaro.exe: the second brings the first
// to the front and leaves. And tevaro.exe as built: without its debug information, which lies
// beside it.
#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

struct Section {
  std::string name;
  std::string data;
};

// The sections of an executable with their contents (long names through the COFF string
// table).
std::vector<Section> Sections(const std::wstring& exe) {
  std::vector<char> file;
  if (FILE* in = _wfopen(exe.c_str(), L"rb")) {
    char chunk[65536];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, in)) > 0) file.insert(file.end(), chunk, chunk + got);
    fclose(in);
  }
  auto u16 = [&](size_t at) {
    REQUIRE(at + 2 <= file.size());
    return static_cast<uint32_t>(static_cast<uint8_t>(file[at]) |
                                 static_cast<uint8_t>(file[at + 1]) << 8);
  };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  const size_t pe = u32(0x3C);
  REQUIRE(pe + 24 <= file.size());
  REQUIRE(std::memcmp(&file[pe], "PE\0\0", 4) == 0);
  const size_t coff = pe + 4;
  const size_t strings = u32(coff + 8) + static_cast<size_t>(u32(coff + 12)) * 18;
  size_t header = coff + 20 + u16(coff + 16);
  std::vector<Section> sections;
  for (uint32_t i = 0; i < u16(coff + 2); ++i, header += 40) {
    REQUIRE(header + 40 <= file.size());
    Section section;
    section.name.assign(&file[header], strnlen(&file[header], 8));
    if (!section.name.empty() && section.name[0] == '/') {
      const size_t at = strings + std::stoul(section.name.substr(1));
      REQUIRE(at < file.size());
      section.name.assign(&file[at], strnlen(&file[at], file.size() - at));
    }
    const size_t raw = u32(header + 20);
    const size_t size = u32(header + 16);
    if (raw + size <= file.size()) section.data.assign(&file[raw], size);
    sections.push_back(section);
  }
  return sections;
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

TEST_CASE("tevaro.exe carries no debug information: it lies beside it, named by a debug link") {
  int links = 0;
  for (const Section& section : Sections(ProgramExe())) {
    CAPTURE(section.name);
    CHECK(section.name.compare(0, 6, ".debug") != 0);
    if (section.name != ".gnu_debuglink") continue;
    ++links;
    CHECK(std::string(section.data.c_str()) == "tevaro.exe.debug");
  }
  CHECK(links == 1);
  const DWORD beside = GetFileAttributesW((ProgramExe() + L".debug").c_str());
  CHECK(beside != INVALID_FILE_ATTRIBUTES);
  CHECK((beside & FILE_ATTRIBUTE_DIRECTORY) == 0);
  // The debug information is really there: the split kept it.
  bool hasInfo = false;
  for (const Section& section : Sections(ProgramExe() + L".debug")) {
    hasInfo = hasInfo || section.name == ".debug_info";
  }
  CHECK(hasInfo);
}
