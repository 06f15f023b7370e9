#include "PCModeFiles.h"

#include <SimpleIni.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "FileBytes.h"
#include "HidDevice/HexText.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamLimits.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"

namespace {

constexpr wchar_t kModeExtension[] = L".orm";
constexpr wchar_t kOldModeExtension[] = L".morv";
constexpr size_t kModeExtensionLength = 4;
constexpr size_t kOldModeExtensionLength = 5;
constexpr long kModeVersion = 2;
// A bank text must give at least the bytes a bank carries: 2 digits each and 2 of the check.
constexpr size_t kMinBankTextChars = 2 * kParamTransferSize + 2;

class FindHandle {
 public:
  FindHandle(const std::wstring& pattern, WIN32_FIND_DATAW* data)
      : m_handle(FindFirstFileW(pattern.c_str(), data)) {}
  ~FindHandle() {
    if (IsOpen()) FindClose(m_handle);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAW* data) const { return FindNextFileW(m_handle, data) != FALSE; }

 private:
  HANDLE m_handle;
};

bool EqualIgnoringCase(const wchar_t* a, size_t aLength, const wchar_t* b, size_t bLength) {
  return CompareStringOrdinal(a, static_cast<int>(aLength), b, static_cast<int>(bLength), TRUE) ==
         CSTR_EQUAL;
}

bool EndsWithIgnoringCase(const std::wstring& text, const wchar_t* suffix, size_t suffixLength) {
  return text.size() >= suffixLength && EqualIgnoringCase(text.c_str() + text.size() - suffixLength,
                                                          suffixLength, suffix, suffixLength);
}

// The mode name of a file name ending ".orm" or ".morv" (any case), or false.
bool ModeNameOf(const std::wstring& fileName, std::wstring* name) {
  size_t cut = 0;
  if (EndsWithIgnoringCase(fileName, kModeExtension, kModeExtensionLength)) {
    cut = kModeExtensionLength;
  } else if (EndsWithIgnoringCase(fileName, kOldModeExtension, kOldModeExtensionLength)) {
    cut = kOldModeExtensionLength;
  } else {
    return false;
  }
  if (fileName.size() == cut) return false;
  *name = fileName.substr(0, fileName.size() - cut);
  return true;
}

bool IsOldModeFile(const PCModeEntry& entry) {
  return EndsWithIgnoringCase(entry.path, kOldModeExtension, kOldModeExtensionLength);
}

// ".morv" first, then by name ignoring case; names equal but for case by their exact order.
bool ListOrder(const PCModeEntry& a, const PCModeEntry& b) {
  const bool aOld = IsOldModeFile(a);
  const bool bOld = IsOldModeFile(b);
  if (aOld != bOld) return aOld;
  const int folded = CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, TRUE);
  if (folded != CSTR_EQUAL) return folded == CSTR_LESS_THAN;
  return CompareStringOrdinal(a.name.c_str(), -1, b.name.c_str(), -1, FALSE) == CSTR_LESS_THAN;
}

int InsertSorted(PCModeList* list, PCModeEntry entry) {
  const auto at = std::upper_bound(list->begin(), list->end(), entry, ListOrder);
  const auto inserted = list->insert(at, std::move(entry));
  return static_cast<int>(inserted - list->begin());
}

bool LoadModeIni(const std::wstring& path, CSimpleIniW* ini) {
  std::string bytes;
  if (!ReadSmallFile(path, kMaxModeFileBytes, &bytes)) return false;
  return ini->LoadData(bytes.data(), bytes.size()) >= 0;
}

bool HasModeVersion(const CSimpleIniW& ini) {
  const long version = ini.GetLongValue(L"data", L"version", 0);
  return version == 1 || version == 2;
}

// Decodes a bank text into a scratch slot; it must carry at least a whole bank, and only values
// the program's controls can set.
bool DecodeBank(const CSimpleIniW& ini, const wchar_t* section, uint8_t* slot) {
  const wchar_t* text = ini.GetValue(section, L"data", nullptr);
  return text && wcslen(text) >= kMinBankTextChars && HexToImage(slot, text) == 1 &&
         FindUnsettableParam(slot, kParamTransferSize) < 0;
}

std::wstring HexOf(const uint8_t* image) {
  wchar_t text[kHexTextChars];
  return ImageToHex(image, text) ? std::wstring(text) : std::wstring();
}

bool EnsureFolder(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes the settings into the file of `path` in the mode folder, creating the folder.
bool WriteModeIni(const std::wstring& programFolder, const std::wstring& path,
                  const CSimpleIniW& ini) {
  std::string bytes;
  if (ini.Save(bytes, false) < 0) return false;
  return EnsureFolder(PCModeFolder(programFolder)) && ReplaceFileWith(path, bytes);
}

// The name the file system gives the file at `path`, or `fallback`.
std::wstring NameOnDisk(const std::wstring& path, const std::wstring& fallback) {
  WIN32_FIND_DATAW data;
  FindHandle find(path, &data);
  std::wstring name;
  return find.IsOpen() && ModeNameOf(data.cFileName, &name) ? name : fallback;
}

}  // namespace

std::wstring PCModeFolder(const std::wstring& programFolder) {
  const bool separated =
      !programFolder.empty() && (programFolder.back() == L'\\' || programFolder.back() == L'/');
  return programFolder + (separated ? L"mode" : L"\\mode");
}

bool IsValidPCModeName(const std::wstring& name) {
  if (name.empty() || name.back() == L'.' || name.back() == L' ') return false;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F || wcschr(L"\\/:*?\"<>|", c)) return false;
  }
  return !IsDeviceName(name);
}

std::wstring PCModeFilePath(const std::wstring& programFolder, const std::wstring& name) {
  if (!IsValidPCModeName(name)) return std::wstring();
  std::wstring path = PCModeFolder(programFolder) + L"\\" + name + kModeExtension;
  return path.size() < MAX_PATH ? path : std::wstring();
}

void ScanPCModes(const std::wstring& programFolder, PCModeList* list) {
  if (!list) return;
  list->clear();
  const std::wstring folder = PCModeFolder(programFolder);
  WIN32_FIND_DATAW data;
  FindHandle find(folder + L"\\*", &data);
  if (!find.IsOpen()) return;
  do {
    std::wstring name;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.nFileSizeHigh != 0 ||
        data.nFileSizeLow > kMaxModeFileBytes || !ModeNameOf(data.cFileName, &name)) {
      continue;
    }
    std::wstring path = folder + L"\\" + data.cFileName;
    CSimpleIniW ini(true);
    if (path.size() >= MAX_PATH || !LoadModeIni(path, &ini) || !HasModeVersion(ini)) continue;
    list->push_back({std::move(name), std::move(path)});
  } while (find.Next(&data));
  std::sort(list->begin(), list->end(), ListOrder);
}

int SavePCMode(const std::wstring& programFolder, PCModeList* list, const std::wstring& name,
               const uint8_t* current, const uint8_t* bank0, const uint8_t* bank1, bool* replaced) {
  if (replaced) *replaced = false;
  if (!list || !current || !bank0 || !bank1 || !IsValidPCModeName(name)) return -1;
  const int listed = FindPCMode(*list, name);
  // A listed mode is rewritten at its own path, so its file keeps its name on any file system.
  const std::wstring path =
      listed >= 0 ? (*list)[listed].path : PCModeFilePath(programFolder, name);
  if (path.empty()) return -1;

  const bool sing = !IsDiscoMode(GetParam(current, ParamRow::MainWorkMode));
  CSimpleIniW ini(true);
  ini.SetBoolValue(L"mode", L"sing", sing);
  ini.SetLongValue(L"data", L"version", kModeVersion);
  ini.SetValue(L"SingData", L"data", HexOf(sing ? current : bank0).c_str());
  ini.SetValue(L"DiscoData", L"data", HexOf(sing ? bank1 : current).c_str());
  if (!WriteModeIni(programFolder, path, ini)) return -1;

  if (listed >= 0) {
    if (replaced) *replaced = true;
    return listed;
  }
  return InsertSorted(list, {NameOnDisk(path, name), path});
}

bool LoadPCMode(int index, const PCModeList& list, uint8_t* current, uint8_t* singBank,
                uint8_t* discoBank) {
  const PCModeEntry* entry = GetPCMode(index, list);
  std::string bytes;
  return entry && ReadSmallFile(entry->path, kMaxModeFileBytes, &bytes) &&
         DecodePCModeFile(bytes, current, singBank, discoBank);
}

bool DecodePCModeFile(const std::string& fileBytes, uint8_t* current, uint8_t* singBank,
                      uint8_t* discoBank) {
  if (!current || !singBank || !discoBank || fileBytes.size() > kMaxModeFileBytes) return false;
  CSimpleIniW ini(true);
  if (ini.LoadData(fileBytes.data(), fileBytes.size()) < 0 || !HasModeVersion(ini)) return false;
  uint8_t sing[kParamSlotSize] = {};
  uint8_t disco[kParamSlotSize] = {};
  if (!DecodeBank(ini, L"SingData", sing) || !DecodeBank(ini, L"DiscoData", disco)) return false;
  const bool singIsCurrent = ini.GetBoolValue(L"mode", L"sing", true);
  std::memcpy(singBank, sing, kParamTransferSize);
  std::memcpy(discoBank, disco, kParamTransferSize);
  std::memcpy(current, singIsCurrent ? sing : disco, kParamTransferSize);
  return true;
}

bool DeletePCMode(int index, PCModeList* list) {
  if (!list || !GetPCMode(index, *list)) return false;
  if (!DeleteFileW((*list)[index].path.c_str())) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
  }
  list->erase(list->begin() + index);
  return true;
}

const PCModeEntry* GetPCMode(int index, const PCModeList& list) {
  return index >= 0 && static_cast<size_t>(index) < list.size() ? &list[index] : nullptr;
}

int FindPCMode(const PCModeList& list, const std::wstring& name) {
  for (size_t i = 0; i < list.size(); ++i) {
    const PCModeEntry& e = list[i];
    if (!IsOldModeFile(e) &&
        EqualIgnoringCase(e.name.c_str(), e.name.size(), name.c_str(), name.size())) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool SavePCModeBank(const std::wstring& programFolder, const std::wstring& name,
                    const uint8_t* image) {
  const std::wstring path = PCModeFilePath(programFolder, name);
  if (path.empty() || !image) return false;
  CSimpleIniW ini(true);
  ini.SetValue(L"data", L"data", HexOf(image).c_str());
  ini.SetLongValue(L"data", L"version", kModeVersion);
  return WriteModeIni(programFolder, path, ini);
}

bool LoadPCModeBank(const std::wstring& path, uint8_t* image) {
  if (!image) return false;
  CSimpleIniW ini(true);
  if (!LoadModeIni(path, &ini) || !HasModeVersion(ini)) return false;
  uint8_t bank[kParamSlotSize] = {};
  if (!DecodeBank(ini, L"data", bank)) return false;
  std::memcpy(image, bank, kParamTransferSize);
  return true;
}
