// Hex text of parameter images.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HidDevice/Crc8.h"
#include "HidDevice/HexText.h"
#include "HidDevice/ParamDesc.h"

TEST_CASE("an image round-trips through 2766 upper-case hex digits") {
  std::vector<uint8_t> image(kParamSlotSize);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 37 + 11);

  std::vector<wchar_t> text(kHexTextChars, L'?');
  REQUIRE(ImageToHex(image.data(), text.data()) == 1);
  const std::wstring s(text.data());
  CHECK(s.size() == 2766);
  CHECK(s.substr(0, 4) == L"0B30");  // bytes 0x0B, 0x30, high nibble first
  CHECK(s.find_first_not_of(L"0123456789ABCDEF") == std::wstring::npos);

  std::vector<uint8_t> back(kHexMaxDataBytes, 0xEE);
  CHECK(HexToImage(back.data(), text.data()) == 1);
  CHECK(std::memcmp(back.data(), image.data(), kParamTransferSize) == 0);
  CHECK(back[kParamTransferSize] == 0xEE);  // nothing written past the decoded bytes

  text[100] = L'a' + (text[100] == L'A' ? 1 : 0);  // a lower-case digit
  CHECK(HexToImage(back.data(), text.data()) == 0);
  text[100] = s[100];
  text[7] = s[7] == L'0' ? L'1' : L'0';  // a changed byte fails the check
  CHECK(HexToImage(back.data(), text.data()) == 0);
}

TEST_CASE("hex text that is malformed is refused") {
  uint8_t out[kHexMaxDataBytes + 8] = {};
  CHECK(HexToImage(out, L"FF") == 1);  // no bytes: the check of nothing is 0xFF
  CHECK(HexToImage(out, L"ff") == 0);  // lower case
  CHECK(HexToImage(out, L"") == 0);    // shorter than the check
  CHECK(HexToImage(out, L"F") == 0);
  CHECK(HexToImage(out, L"00FFF") == 0);  // odd length
  CHECK(HexToImage(nullptr, L"FF") == 0);
  CHECK(HexToImage(out, nullptr) == 0);
  CHECK(ImageToHex(nullptr, reinterpret_cast<wchar_t*>(out)) == 0);

  // 1402 data bytes are the most; 1403 (2808 characters) are refused without decoding.
  uint8_t data[kHexMaxDataBytes + 1];
  for (size_t i = 0; i < sizeof data; ++i) data[i] = static_cast<uint8_t>(i);
  auto hexOf = [](const uint8_t* bytes, size_t n) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring t;
    for (size_t i = 0; i < n; ++i) {
      t += digits[bytes[i] >> 4];
      t += digits[bytes[i] & 15];
    }
    const uint8_t c = Crc8(bytes, n);
    t += digits[c >> 4];
    t += digits[c & 15];
    return t;
  };
  CHECK(HexToImage(out, hexOf(data, kHexMaxDataBytes).c_str()) == 1);
  std::memset(out, 0x5A, sizeof out);
  const std::wstring tooLong = hexOf(data, kHexMaxDataBytes + 1);
  CHECK(tooLong.size() == 2808);
  CHECK(HexToImage(out, tooLong.c_str()) == 0);
  CHECK(out[0] == 0x5A);
}
