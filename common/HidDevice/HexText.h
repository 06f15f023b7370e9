// Hex text of parameter images, as the mode files store them: upper-case hex digits of the
// bytes, high nibble first, closed by the two digits of the bytes' Crc8.
#pragma once
#include <cstdint>

constexpr int kHexTextChars = 2 * 1382 + 2 + 1;  // digits of the bytes, of the check, and a NUL
constexpr int kHexMaxDataBytes = 1402;

// Encodes bytes 0..1381 of the image into `text` (room for kHexTextChars wide characters).
// Returns 1, or 0 when either pointer is null.
int ImageToHex(const uint8_t* image, wchar_t* text);

// Decodes `text` into `out` (room for kHexMaxDataBytes bytes) and checks its last two digits
// against the Crc8 of the decoded bytes. Returns 1 when the text is well formed and the check
// matches. A text shorter than the two check digits, of odd length or longer than
// kHexMaxDataBytes bytes decodes nothing; a bad digit stops the decode (bytes before it stay).
int HexToImage(uint8_t* out, const wchar_t* text);

// Decodes two upper-case hex digits, high nibble first; false at any other character.
bool DecodeHexPair(const wchar_t* pair, uint8_t* value);
