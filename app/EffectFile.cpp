#include "EffectFile.h"

#include <windows.h>

#include <cstring>

#include "FileBytes.h"
#include "HidDevice/HexText.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamLimits.h"

namespace {

constexpr wchar_t kSection[] = L"ORVConfig";
constexpr wchar_t kKey[] = L"data";

// Decodes the 2766 characters of a value: every one an upper-case hex digit and the last pair
// the low byte of the sum of the bytes before it.
bool DecodeValue(const wchar_t* text, uint8_t* bytes) {
  unsigned sum = 0;
  for (int i = 0; i < kParamTransferSize; ++i) {
    if (!DecodeHexPair(text + 2 * i, bytes + i)) return false;
    sum += bytes[i];
  }
  uint8_t check = 0;
  return DecodeHexPair(text + 2 * kParamTransferSize, &check) && check == static_cast<uint8_t>(sum);
}

}  // namespace

bool ExportEffectFile(const wchar_t* path, const uint8_t* image) {
  if (!path || !*path || !image) return false;
  // The platform reads the file whole to change it: only what an import would read is.
  if (IsDeviceName(path) ||
      (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES &&
       !IsSmallDiskFile(path, kMaxEffectFileBytes))) {
    return false;
  }
  uint8_t bytes[kParamTransferSize];
  std::memcpy(bytes, image, sizeof bytes);
  return WritePrivateProfileStructW(kSection, kKey, bytes, sizeof bytes, path) != FALSE;
}

bool ReadEffectFile(const wchar_t* path, uint8_t* out) {
  if (!path || !*path || !out || !IsSmallDiskFile(path, kMaxEffectFileBytes)) return false;
  // One character more than a good value, so that a longer one reads as too long.
  wchar_t text[kEffectValueChars + 2] = {};
  const DWORD length =
      GetPrivateProfileStringW(kSection, kKey, L"", text, kEffectValueChars + 2, path);
  if (length != static_cast<DWORD>(kEffectValueChars)) return false;
  uint8_t checked[kParamTransferSize];
  if (!DecodeValue(text, checked)) return false;
  // A value no control can set would reach the processor as it stands.
  if (FindUnsettableParam(checked, kParamTransferSize) >= 0) return false;

  uint8_t read[kParamTransferSize] = {};
  if (!GetPrivateProfileStructW(kSection, kKey, read, sizeof read, path)) return false;
  if (std::memcmp(read, checked, sizeof read) != 0) return false;
  std::memcpy(out, read, sizeof read);
  return true;
}

std::wstring EffectFileFilter(const std::wstring& description) {
  std::wstring filter = description + L"(*.orv)";
  filter.push_back(L'\0');
  filter += L"*.orv;";
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}
