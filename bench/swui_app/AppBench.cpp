// Figures of the application object: the cost of building and tearing it down with the
// built-in classes registered, and resource lookups through a manager holding three providers.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "res.mgr/SResProviderFiles.h"

using namespace SWUI;

namespace {

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
  LARGE_INTEGER freq;
  QueryPerformanceFrequency(&freq);
  return double(end.QuadPart - start.QuadPart) / double(freq.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// A folder whose index lists kPerFolder layouts named "<prefix>_<i>", all backed by one file.
const int kPerFolder = 200;

std::wstring MakeFolder(const std::wstring& base, const char* prefix) {
  std::wstring dir = base + L"\\" + std::wstring(prefix, prefix + strlen(prefix));
  CreateDirectoryW(dir.c_str(), nullptr);
  WriteFile(dir + L"\\item.xml", "<root/>");
  std::string index = "<resource><LAYOUT>";
  for (int i = 0; i < kPerFolder; ++i) {
    index += "<file name=\"" + std::string(prefix) + "_" + std::to_string(i) + "\" path=\"item.xml\"/>";
  }
  index += "</LAYOUT></resource>";
  WriteFile(dir + L"\\uires.idx", index);
  return dir;
}

void RemoveFolder(const std::wstring& dir) {
  DeleteFileW((dir + L"\\item.xml").c_str());
  DeleteFileW((dir + L"\\uires.idx").c_str());
  RemoveDirectoryW(dir.c_str());
}

}  // namespace

int main() {
  IObjRef* obj = nullptr;
  if (!CreateRenderFactory_GDI(&obj) || obj == nullptr) {
    std::printf("no render factory\n");
    return 1;
  }
  IRenderFactory* render = static_cast<IRenderFactory*>(obj);
  HINSTANCE inst = GetModuleHandleW(nullptr);

  const int kApps = 200;
  LARGE_INTEGER t0 = Now();
  for (int i = 0; i < kApps; ++i) {
    SApplication app(render, inst);
  }
  LARGE_INTEGER t1 = Now();
  std::printf("SApplication construct+destroy (default register): %.1f us each (%d runs)\n",
              Seconds(t0, t1) * 1e6 / kApps, kApps);

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = std::wstring(temp) + L"bench_swui_app_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(base.c_str(), nullptr);
  const char* prefixes[] = {"a", "b", "c"};
  std::vector<std::wstring> dirs;
  {
    SApplication app(render, inst);
    for (const char* prefix : prefixes) {
      dirs.push_back(MakeFolder(base, prefix));
      auto* files = new SResProviderFiles();
      if (files->Init(reinterpret_cast<WPARAM>(dirs.back().c_str()), 0)) app.AddResProvider(files);
      files->Release();
    }
    // Names spread over the three providers, plus misses that ask all of them.
    std::vector<std::wstring> names;
    for (int i = 0; i < kPerFolder; i += 7) {
      for (const char* prefix : prefixes) names.push_back(std::wstring(prefix, prefix + 1) + L"_" + std::to_wstring(i));
      names.push_back(L"missing_" + std::to_wstring(i));
    }
    const int kRounds = 200;
    size_t found = 0;
    LARGE_INTEGER t2 = Now();
    for (int r = 0; r < kRounds; ++r) {
      for (const std::wstring& name : names) {
        if (app.GetMatchResProvider(L"LAYOUT", name.c_str()) != nullptr) ++found;
      }
    }
    LARGE_INTEGER t3 = Now();
    double lookups = double(kRounds) * names.size();
    std::printf("resource lookups across 3 providers: %.0f per second (%.0f lookups, %zu found)\n",
                lookups / Seconds(t2, t3), lookups, found);
  }
  for (const std::wstring& dir : dirs) RemoveFolder(dir);
  RemoveDirectoryW(base.c_str());
  render->Release();
  return 0;
}
