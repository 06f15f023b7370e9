// Prints the cost of the program's file formats against bare file operations on the same bytes:
// an effect export and import against a raw write and read of the image; a PC mode save and
// load against a raw write and read of both banks; listing 200 mode files with ScanPCModes
// against a bare FindFirstFile listing of the folder (and against that listing with a raw read
// of every file, which ScanPCModes cannot avoid). Medians of several runs, in one process.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "EffectFile.h"
#include "HidDevice/ParamDesc.h"
#include "PCModeFiles.h"

namespace {

constexpr int kRounds = 7;
constexpr int kRepeats = 50;     // per round, for one file's save and load
constexpr int kScanRepeats = 3;  // per round, for a listing of the whole folder
constexpr int kModeFiles = 200;

using Clock = std::chrono::steady_clock;

// Median over kRounds of the time per call of `work` run `repeats` times, in milliseconds.
double MedianMs(const std::function<void()>& work, int repeats = kRepeats) {
  std::vector<double> rounds;
  for (int r = 0; r < kRounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) work();
    rounds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() /
                     repeats);
  }
  std::sort(rounds.begin(), rounds.end());
  return rounds[rounds.size() / 2];
}

void Print(const char* what, double ours, const char* bareWhat, double bare) {
  std::printf("%-30s %8.3f ms, %-26s %8.3f ms, ratio %.2f\n", what, ours, bareWhat, bare,
              bare > 0 ? ours / bare : 0.0);
}

bool RawWrite(const std::wstring& path, const void* bytes, DWORD size) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, bytes, size, &written, nullptr);
  CloseHandle(h);
  return ok && written == size;
}

bool RawRead(const std::wstring& path, void* bytes, DWORD size) {
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD read = 0;
  const BOOL ok = ReadFile(h, bytes, size, &read, nullptr);
  CloseHandle(h);
  return ok && read == size;
}

std::wstring MakeFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  const std::wstring folder =
      std::wstring(base) + L"bench_appcore_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void RemoveFolder(const std::wstring& folder) {
  for (const wchar_t* sub : {L"\\mode", L""}) {
    const std::wstring dir = folder + sub;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
          DeleteFileW((dir + L"\\" + data.cFileName).c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
  }
  RemoveDirectoryW((folder + L"\\mode").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main() {
  const std::wstring folder = MakeFolder();
  std::vector<uint8_t> image(kParamSlotSize), bank0(kParamSlotSize), bank1(kParamSlotSize);
  for (int i = 0; i < kParamSlotSize; ++i) {
    image[i] = static_cast<uint8_t>(i * 7);
    bank0[i] = static_cast<uint8_t>(i * 11);
    bank1[i] = static_cast<uint8_t>(i * 13 + 1);
  }
  std::vector<uint8_t> back(kParamSlotSize), back0(kParamSlotSize), back1(kParamSlotSize);

  // Each export goes to a new name, as the platform keeps recent profile files cached by name.
  int counter = 0;
  const double effect = MedianMs([&] {
    const std::wstring path = folder + L"\\e" + std::to_wstring(counter++ % 64) + L".orv";
    ExportEffectFile(path.c_str(), image.data());
    ReadEffectFile(path.c_str(), back.data());
  });
  const std::wstring raw = folder + L"\\raw.bin";
  const double effectBare = MedianMs([&] {
    RawWrite(raw, image.data(), kParamTransferSize);
    RawRead(raw, back.data(), kParamTransferSize);
  });
  Print("effect export + import", effect, "raw write + read", effectBare);

  PCModeList list;
  const double mode = MedianMs([&] {
    const int index = SavePCMode(folder, &list, L"bench", image.data(), bank0.data(), bank1.data());
    LoadPCMode(index, list, back.data(), back0.data(), back1.data());
  });
  std::vector<uint8_t> banks(2 * kParamTransferSize);
  const double modeBare = MedianMs([&] {
    RawWrite(raw, banks.data(), static_cast<DWORD>(banks.size()));
    RawRead(raw, banks.data(), static_cast<DWORD>(banks.size()));
  });
  Print("mode save + load", mode, "raw write + read", modeBare);

  for (int i = 0; i < kModeFiles - 1; ++i) {
    SavePCMode(folder, &list, L"mode " + std::to_wstring(i), image.data(), bank0.data(),
               bank1.data());
  }
  PCModeList scanned;
  const double scan = MedianMs([&] { ScanPCModes(folder, &scanned); }, kScanRepeats);
  size_t listed = 0;
  const double scanBare = MedianMs(
      [&] {
        WIN32_FIND_DATAW data;
        listed = 0;
        HANDLE find = FindFirstFileW((folder + L"\\mode\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return;
        do ++listed;
        while (FindNextFileW(find, &data));
        FindClose(find);
      },
      kScanRepeats);
  // What reading every file costs by itself: the listing plus a raw read of each.
  std::vector<char> buffer(16384);
  const double readBare = MedianMs(
      [&] {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"\\mode\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
          if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
          RawRead(folder + L"\\mode\\" + data.cFileName, buffer.data(), data.nFileSizeLow);
        } while (FindNextFileW(find, &data));
        FindClose(find);
      },
      kScanRepeats);
  std::printf("(%zu modes listed, %zu directory entries)\n", scanned.size(), listed);
  Print("ScanPCModes of 200 files", scan, "FindFirstFile listing", scanBare);
  Print("ScanPCModes of 200 files", scan, "listing + raw read of each", readBare);

  RemoveFolder(folder);
  return 0;
}
