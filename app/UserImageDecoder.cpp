#include "UserImageDecoder.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstring>
#include <new>

#include "FileBytes.h"
#include "IImgDecoderFactory.h"
#include "IImgX.h"
#include "RenderModule.h"
#include "base/SAutoRefPtr.h"
#include "core/SByteOrder.h"
#include "res.mgr/SIconLoader.h"

using SWUI::ReadLE16;
using SWUI::ReadLE32;

namespace {

const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
const size_t kIconHeader = 6;
const size_t kIconEntry = 16;

uint32_t ReadBE32(const BYTE* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

bool SizeAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= UserImageDecoder::kMaxSide &&
         height <= UserImageDecoder::kMaxSide && width * height <= UserImageDecoder::kMaxPixels;
}

bool IsPng(const BYTE* bytes, size_t size) {
  return size >= sizeof(kPngSignature) && memcmp(bytes, kPngSignature, sizeof(kPngSignature)) == 0;
}

// The size a PNG stream's header declares; false without a header chunk first.
bool PngSize(const BYTE* bytes, size_t size, uint64_t* width, uint64_t* height) {
  if (!IsPng(bytes, size) || size < 24 || memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  *width = ReadBE32(bytes + 16);
  *height = ReadBE32(bytes + 20);
  return true;
}

// The first frame of an image decoded by one of the render layer's decoders.
bool DecodeWith(BOOL (*create)(SWUI::IObjRef**), const BYTE* bytes, size_t size,
                UserImagePixels* out) {
  SWUI::IObjRef* obj = nullptr;
  if (!create(&obj) || obj == nullptr) return false;
  SWUI::SAutoRefPtr<SWUI::IImgDecoderFactory> factory;
  factory.Attach(static_cast<SWUI::IImgDecoderFactory*>(obj));
  SWUI::IImgX* raw = nullptr;
  if (!factory->CreateImgX(&raw) || raw == nullptr) return false;
  SWUI::SAutoRefPtr<SWUI::IImgX> image;
  image.Attach(raw);
  if (image->LoadFromMemory(const_cast<BYTE*>(bytes), size) < 1) return false;
  SWUI::IImgFrame* frame = image->GetFrame(0);
  UINT width = 0;
  UINT height = 0;
  if (frame == nullptr || !frame->GetSize(&width, &height) || !SizeAllowed(width, height)) {
    return false;
  }
  const size_t stride = static_cast<size_t>(width) * 4;
  out->bgra.resize(stride * height);
  if (!frame->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(stride * height),
                         out->bgra.data())) {
    return false;
  }
  out->width = width;
  out->height = height;
  return true;
}

bool DecodePng(const BYTE* bytes, size_t size, UserImagePixels* out) {
  uint64_t width = 0;
  uint64_t height = 0;
  if (!PngSize(bytes, size, &width, &height) || !SizeAllowed(width, height)) return false;
  return DecodeWith(&SWUI::CreateImgDecoderFactory_PNG, bytes, size, out);
}

// JPEG and BMP: the signature has been seen, so stb_image reads them as what they are.
bool DecodeStb(const BYTE* bytes, size_t size, UserImagePixels* out) {
  if (size > INT_MAX) return false;
  int width = 0;
  int height = 0;
  int components = 0;
  if (!stbi_info_from_memory(bytes, static_cast<int>(size), &width, &height, &components) ||
      width <= 0 || height <= 0 || !SizeAllowed(static_cast<uint64_t>(width), height)) {
    return false;
  }
  return DecodeWith(&SWUI::CreateImgDecoderFactory_STB, bytes, size, out);
}

// ---- icons -------------------------------------------------------------------------------

// The directory entry with the most pixels whose image lies inside the bytes, -1 without one;
// its size (0 in the directory meaning 256).
int LargestIcon(const BYTE* bytes, size_t size, int* width, int* height) {
  const size_t count = ReadLE16(bytes + 4);
  if ((size - kIconHeader) / kIconEntry < count) return -1;
  int best = -1;
  for (size_t i = 0; i < count; ++i) {
    const BYTE* entry = bytes + kIconHeader + i * kIconEntry;
    const uint64_t length = ReadLE32(entry + 8);
    const uint64_t offset = ReadLE32(entry + 12);
    if (length == 0 || offset + length > size) continue;
    const int w = entry[0] == 0 ? 256 : entry[0];
    const int h = entry[1] == 0 ? 256 : entry[1];
    if (best < 0 || w * h > *width * *height) {
      best = static_cast<int>(i);
      *width = w;
      *height = h;
    }
  }
  return best;
}

class IconHandle {
 public:
  explicit IconHandle(HICON icon) : icon_(icon) {}
  ~IconHandle() {
    if (icon_ != nullptr) DestroyIcon(icon_);
  }
  IconHandle(const IconHandle&) = delete;
  IconHandle& operator=(const IconHandle&) = delete;
  HICON get() const { return icon_; }

 private:
  HICON icon_;
};

// The bitmaps GetIconInfo hands out, deleted with the holder.
struct IconBits {
  ICONINFO info = {};
  ~IconBits() {
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  }
};

// A bitmap's rows as 32-bit top-down pixels (rows at most).
bool ReadRows(HBITMAP bitmap, int width, int rows, std::vector<DWORD>* pixels) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -rows;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  pixels->assign(static_cast<size_t>(width) * rows, 0);
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const int got = GetDIBits(screen, bitmap, 0, static_cast<UINT>(rows), pixels->data(), &bi,
                            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return got == rows;
}

// An icon's pixels: its own alpha when the colour image has any, else the mask's.
bool IconPixels(HICON icon, UserImagePixels* out) {
  IconBits bits;
  if (!GetIconInfo(icon, &bits.info) || bits.info.hbmMask == nullptr) return false;
  BITMAP mask = {};
  if (GetObjectW(bits.info.hbmMask, sizeof(mask), &mask) == 0) return false;
  const bool monochrome = bits.info.hbmColor == nullptr;
  const int width = mask.bmWidth;
  const int height = monochrome ? mask.bmHeight / 2 : mask.bmHeight;
  if (!SizeAllowed(static_cast<uint64_t>(width), static_cast<uint64_t>(height))) return false;
  // A monochrome icon's mask holds the AND mask above the XOR (colour) image.
  std::vector<DWORD> maskRows;
  std::vector<DWORD> colourRows;
  if (!ReadRows(bits.info.hbmMask, width, monochrome ? height * 2 : height, &maskRows)) {
    return false;
  }
  if (monochrome) {
    colourRows.assign(maskRows.begin() + static_cast<size_t>(width) * height, maskRows.end());
  } else if (!ReadRows(bits.info.hbmColor, width, height, &colourRows)) {
    return false;
  }
  bool hasAlpha = false;
  for (DWORD c : colourRows) hasAlpha = hasAlpha || (c >> 24) != 0;
  const size_t count = static_cast<size_t>(width) * height;
  out->bgra.resize(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const DWORD c = colourRows[i];
    const DWORD alpha = hasAlpha ? c >> 24 : ((maskRows[i] & 0xFFFFFF) != 0 ? 0 : 255);
    BYTE* p = &out->bgra[i * 4];
    p[0] = static_cast<BYTE>((c & 0xFF) * alpha / 255);
    p[1] = static_cast<BYTE>(((c >> 8) & 0xFF) * alpha / 255);
    p[2] = static_cast<BYTE>(((c >> 16) & 0xFF) * alpha / 255);
    p[3] = static_cast<BYTE>(alpha);
  }
  out->width = static_cast<UINT>(width);
  out->height = static_cast<UINT>(height);
  return true;
}

// The largest image of an icon file: a PNG one through libpng, a bitmap one through the
// framework's icon loader (which checks every size against the bytes).
bool DecodeIcon(const BYTE* bytes, size_t size, UserImagePixels* out) {
  int width = 0;
  int height = 0;
  const int chosen = LargestIcon(bytes, size, &width, &height);
  if (chosen < 0) return false;
  const BYTE* entry = bytes + kIconHeader + static_cast<size_t>(chosen) * kIconEntry;
  const BYTE* image = bytes + ReadLE32(entry + 12);
  const size_t length = ReadLE32(entry + 8);
  if (IsPng(image, length)) return DecodePng(image, length, out);
  IconHandle icon(SWUI::SIconLoader::FromFileImage(bytes, size, width, height, FALSE, 0));
  return icon.get() != nullptr && IconPixels(icon.get(), out);
}

}  // namespace

UserImageDecoder::Format UserImageDecoder::Recognise(const BYTE* bytes, size_t size) {
  if (bytes == nullptr) return Format::kNone;
  if (IsPng(bytes, size)) return Format::kPng;
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return Format::kJpeg;
  // File header (14 bytes) and the bitmap header's size field.
  if (size >= 18 && bytes[0] == 'B' && bytes[1] == 'M') return Format::kBmp;
  if (size >= kIconHeader && ReadLE16(bytes) == 0 && ReadLE16(bytes + 2) == 1 &&
      ReadLE16(bytes + 4) > 0) {
    return Format::kIcon;
  }
  return Format::kNone;
}

bool UserImageDecoder::Decode(const BYTE* bytes, size_t size, UserImagePixels* out) {
  *out = UserImagePixels();
  bool decoded = false;
  try {
    switch (Recognise(bytes, size)) {
      case Format::kPng: decoded = DecodePng(bytes, size, out); break;
      case Format::kJpeg:
      case Format::kBmp: decoded = DecodeStb(bytes, size, out); break;
      case Format::kIcon: decoded = DecodeIcon(bytes, size, out); break;
      case Format::kNone: break;
    }
  } catch (const std::bad_alloc&) {
    decoded = false;
  }
  if (!decoded) *out = UserImagePixels();
  return decoded;
}

bool UserImageDecoder::DecodeFile(const std::wstring& path, UserImagePixels* out) {
  std::string bytes;
  if (!ReadSmallFile(path, kMaxFileBytes, &bytes)) {
    *out = UserImagePixels();
    return false;
  }
  return Decode(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), out);
}
