// Image files from outside the program (the logo list's), decoded without GDI+, which can
// crash on some damaged PNG and BMP files: the format is recognised by the file's first bytes
// (PNG, JPEG, BMP or icon), the size the file declares is checked against a cap, and only then
// is the image decoded, by libpng, stb_image or the framework's icon loader. Anything else is
// refused. Window-free; any thread.
//
//   UserImagePixels image;
//   if (UserImageDecoder::DecodeFile(path, &image)) bitmap->Init(image.width, image.height,
//                                                                 image.bgra.data());
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct UserImagePixels {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;  // premultiplied B, G, R, A; top-down rows of width x 4 bytes
};

class UserImageDecoder {
 public:
  enum class Format { kNone, kPng, kJpeg, kBmp, kIcon };

  // Larger files are refused unread.
  static constexpr size_t kMaxFileBytes = 64u << 20;
  // The largest side and pixel count an image may declare.
  static constexpr uint32_t kMaxSide = 8192;
  static constexpr uint64_t kMaxPixels = 32u << 20;

  // The format by its signature; kNone for anything else (a BMP, JPEG or icon whose header is
  // too short to read its size is kNone too).
  static Format Recognise(const BYTE* bytes, size_t size);
  // The first image (an icon's largest, an animation's first frame). False, with out emptied,
  // for an unknown format, a declared size over the cap, or an image that does not decode.
  static bool Decode(const BYTE* bytes, size_t size, UserImagePixels* out);
  // The same for a file read whole (at most kMaxFileBytes).
  static bool DecodeFile(const std::wstring& path, UserImagePixels* out);
};
