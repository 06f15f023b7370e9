#include "HidDevice/HexText.h"

#include <cwchar>

#include "HidDevice/Crc8.h"
#include "HidDevice/ParamDesc.h"

namespace {

constexpr wchar_t kDigits[] = L"0123456789ABCDEF";

// Upper-case hex digit value, or -1.
int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

void EncodeByte(uint8_t b, wchar_t* out) {
  out[0] = kDigits[b >> 4];
  out[1] = kDigits[b & 0x0F];
}

}  // namespace

bool DecodeHexPair(const wchar_t* pair, uint8_t* value) {
  const int hi = DigitValue(pair[0]);
  const int lo = DigitValue(pair[1]);
  if (hi < 0 || lo < 0) return false;
  *value = static_cast<uint8_t>((hi << 4) | lo);
  return true;
}

int ImageToHex(const uint8_t* image, wchar_t* text) {
  if (!image || !text) return 0;
  for (int i = 0; i < kParamTransferSize; ++i) EncodeByte(image[i], text + 2 * i);
  EncodeByte(Crc8(image, kParamTransferSize), text + 2 * kParamTransferSize);
  text[2 * kParamTransferSize + 2] = L'\0';
  return 1;
}

int HexToImage(uint8_t* out, const wchar_t* text) {
  if (!out || !text) return 0;
  const size_t n = wcslen(text);
  if (n < 2 || n % 2 != 0 || n - 2 > 2 * static_cast<size_t>(kHexMaxDataBytes)) return 0;
  const size_t count = (n - 2) / 2;
  for (size_t i = 0; i < count; ++i) {
    if (!DecodeHexPair(text + 2 * i, out + i)) return 0;
  }
  uint8_t check = 0;
  if (!DecodeHexPair(text + n - 2, &check)) return 0;
  return check == Crc8(out, count) ? 1 : 0;
}
