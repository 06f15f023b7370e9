// Prints the cost of the program's file formats against bare file operations on the same bytes:
// an effect export and import against a raw write and read of the image; a PC mode save and
// load against a raw write and read of both banks; listing 200 mode files with ScanPCModes
// against a bare FindFirstFile listing of the folder (and against that listing with a raw read
// of every file, which ScanPCModes cannot avoid); config.ini read at start-up and changed and
// written at close, for a file of 600,000 sections (14.9 MiB, under the 16 MiB cap) against the
// same steps on a tenth of it (per byte: 1.00 is linear) and on a small file, and against a raw
// read of the same bytes. Medians of several runs, in one process.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "EffectFile.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "PCModeFiles.h"
#include "SettingsFile.h"

namespace {

constexpr int kRounds = 7;
constexpr int kRepeats = 50;     // per round, for one file's save and load
constexpr int kScanRepeats = 3;  // per round, for a listing of the whole folder
constexpr int kModeFiles = 200;
constexpr int kBigSettingsSections = 600000;
constexpr int kTenthSettingsSections = kBigSettingsSections / 10;
constexpr int kSmallSettingsSections = 6;
constexpr int kSettingsRounds = 3;

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

// A config.ini of `sections` sections, the program's own first, laid out as the program writes
// it (so that the close's write keeps its size).
std::string SettingsText(int sections) {
  std::string text = "[Config]\r\nLang = 1\r\ncolorIndex = 2\r\n";
  for (int i = 1; i < sections; ++i) {
    char line[48];
    std::snprintf(line, sizeof line, "\r\n[s%d]\r\nk = v%06d\r\n", i, i);
    text += line;
  }
  return text;
}

struct SettingsTimes {
  double start = 0;  // read the file and take a value, as the program starts
  double close = 0;  // change a value, write the file and let the settings go, as it closes
  double bare = 0;   // a raw read of the same bytes
  size_t bytes = 0;
};

SettingsTimes TimeSettings(const std::wstring& folder, int sections) {
  const std::wstring path = folder + L"\\config_" + std::to_wstring(sections) + L".ini";
  const std::string text = SettingsText(sections);
  RawWrite(path, text.data(), static_cast<DWORD>(text.size()));
  SettingsTimes t;
  t.bytes = text.size();
  std::vector<double> starts, closes, bares;
  std::string back(text.size(), '\0');
  for (int r = 0; r < kSettingsRounds; ++r) {
    auto begin = Clock::now();
    auto* settings = new CSimpleIniW(true);
    SettingsFile file(path);
    const SettingsFile::Outcome outcome = file.Load(settings);
    if (outcome != SettingsFile::Outcome::kRead) {
      std::printf("config.ini of %d sections was not read whole (%d)\n", sections,
                  static_cast<int>(outcome));
      return t;
    }
    volatile long lang = settings->GetLongValue(L"Config", L"Lang", 0);
    (void)lang;
    auto middle = Clock::now();
    settings->SetLongValue(L"Config", L"Lang", r % 2);
    file.Save(*settings);
    delete settings;
    auto end = Clock::now();
    starts.push_back(std::chrono::duration<double, std::milli>(middle - begin).count());
    closes.push_back(std::chrono::duration<double, std::milli>(end - middle).count());
    begin = Clock::now();
    RawRead(path, &back[0], static_cast<DWORD>(back.size()));
    bares.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
  }
  for (auto* v : {&starts, &closes, &bares}) std::sort(v->begin(), v->end());
  t.start = starts[starts.size() / 2];
  t.close = closes[closes.size() / 2];
  t.bare = bares[bares.size() / 2];
  DeleteFileW(path.c_str());
  return t;
}

void PrintSettings(const char* step, double big, double tenth, double small, double perByte) {
  std::printf("config.ini %-6s %9.1f ms (600,000 sections), %8.1f ms (60,000), per byte %.2f; "
              "%7.3f ms (small file)\n",
              step, big, tenth, tenth > 0 ? big / (tenth * perByte) : 0.0, small);
}

}  // namespace

int main() {
  const std::wstring folder = MakeFolder();
  // Images the program itself could hold, which every import takes.
  const uint8_t* sing = DefaultParamImages::Sing();
  const uint8_t* disco = DefaultParamImages::Disco();
  std::vector<uint8_t> image(sing, sing + kParamImageSize), bank0(image),
      bank1(disco, disco + kParamImageSize);
  for (auto* v : {&image, &bank0, &bank1}) v->resize(kParamSlotSize);
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

  const SettingsTimes small = TimeSettings(folder, kSmallSettingsSections);
  const SettingsTimes tenth = TimeSettings(folder, kTenthSettingsSections);
  const SettingsTimes big = TimeSettings(folder, kBigSettingsSections);
  const double scale = static_cast<double>(big.bytes) / static_cast<double>(tenth.bytes);
  std::printf("(config.ini of %zu, %zu and %zu bytes)\n", big.bytes, tenth.bytes, small.bytes);
  PrintSettings("start", big.start, tenth.start, small.start, scale);
  PrintSettings("close", big.close, tenth.close, small.close, scale);
  Print("config.ini start, big file", big.start, "raw read of its bytes", big.bare);

  RemoveFolder(folder);
  return 0;
}
