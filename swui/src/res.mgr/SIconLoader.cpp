#include "res.mgr/SIconLoader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "SDibHeader.h"
#include "core/SByteOrder.h"
#include "core/SLog.h"

namespace SWUI {

namespace {

const size_t kDirHeader = 6;
const size_t kDirEntry = 16;

#define ICON_TRACE(...) \
  SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, __func__, __VA_ARGS__)

// One directory entry as the choice sees it.
struct Entry {
  int width;
  int height;
  int bitCount;
};

class IconDirectory {
 public:
  IconDirectory(const BYTE* bytes, size_t size)
      : bytes_(bytes), size_(size), count_(size >= kDirHeader ? ReadLE16(bytes + 4) : 0) {}

  bool Fits() const { return size_ >= kDirHeader && size_ - kDirHeader >= count_ * kDirEntry; }
  int Count() const { return count_; }
  const BYTE* Raw(int i) const { return bytes_ + kDirHeader + static_cast<size_t>(i) * kDirEntry; }

  // The directory's width and height (0 meaning 256) and the bit count of the image's own
  // header; false when the entry is past the count or its header ends past the data.
  bool Read(int i, Entry* e) const {
    if (i < 0 || i >= count_) return false;
    const BYTE* d = Raw(i);
    const uint64_t offset = ReadLE32(d + 12);
    if (offset > size_ || size_ - offset < 4) return false;
    const BYTE* header = bytes_ + offset;
    const uint32_t headerSize = ReadLE32(header);
    const uint64_t needed = headerSize == 12 ? 12 : 16;
    if (headerSize < needed || size_ - offset < headerSize) return false;
    e->width = d[0] == 0 ? 256 : d[0];
    e->height = d[1] == 0 ? 256 : d[1];
    e->bitCount = ReadLE16(header + (headerSize == 12 ? 10 : 14));
    return true;
  }

  // The entry's image: it must lie inside the bytes.
  bool Image(int i, const BYTE** image, size_t* available) const {
    const BYTE* d = Raw(i);
    const uint64_t length = ReadLE32(d + 8);
    const uint64_t offset = ReadLE32(d + 12);
    if (offset + length > size_) return false;
    *image = bytes_ + offset;
    *available = size_ - static_cast<size_t>(offset);
    return true;
  }

 private:
  const BYTE* bytes_;
  size_t size_;
  int count_;
};

int ChooseIcon(const IconDirectory& dir, int cx, int cy, int depth, UINT flags) {
  Entry e{};
  if (flags & LR_DEFAULTSIZE) {
    if (cx == 0) cx = GetSystemMetrics(SM_CXICON);
    if (cy == 0) cy = GetSystemMetrics(SM_CYICON);
  } else if (cx == 0 && cy == 0) {
    if (!dir.Read(0, &e)) return -1;
    cx = e.width;
    cy = e.height;
  }
  int best = -1;
  int bestDx = 0;
  int bestDy = 0;
  for (int i = 0; i < dir.Count(); ++i) {
    if (!dir.Read(i, &e)) continue;
    const int dx = std::abs(cx - e.width);
    const int dy = std::abs(cy - e.height);
    if (best < 0 || dx + dy < bestDx + bestDy) {
      best = i;
      bestDx = dx;
      bestDy = dy;
      if (dx + dy == 0) break;
    }
  }
  if (best < 0) return -1;
  int chosen = -1;
  int bestDepth = 0;
  for (int i = 0; i < dir.Count(); ++i) {
    if (!dir.Read(i, &e) || std::abs(cx - e.width) != bestDx || std::abs(cy - e.height) != bestDy) {
      continue;
    }
    const int dd = std::abs(depth - e.bitCount);
    if (chosen < 0 || dd < bestDepth) {
      chosen = i;
      bestDepth = dd;
    }
  }
  return chosen;
}

int ChooseCursor(const IconDirectory& dir, int cx, int cy, UINT flags) {
  Entry e{};
  if (flags & LR_DEFAULTSIZE) {
    if (cx == 0) cx = GetSystemMetrics(SM_CXCURSOR);
    if (cy == 0) cy = GetSystemMetrics(SM_CYCURSOR);
  } else if (cx == 0 && cy == 0) {
    return dir.Count() > 0 ? 0 : -1;
  }
  cy *= 2;
  // The largest entry that fits.
  int best = -1;
  int bestW = 0;
  int bestH = 0;
  for (int i = 0; i < dir.Count(); ++i) {
    if (!dir.Read(i, &e)) continue;
    if (e.width <= cx && e.height <= cy && e.width > bestW && e.height > bestH) {
      best = i;
      bestW = e.width;
      bestH = e.height;
    }
  }
  if (best >= 0) return best;
  // Else the smallest.
  bestW = 255;
  bestH = 255;
  for (int i = 0; i < dir.Count(); ++i) {
    if (!dir.Read(i, &e)) continue;
    if (best < 0 || (e.width < bestW && e.height < bestH)) {
      best = i;
      bestW = e.width;
      bestH = e.height;
    }
  }
  return best;
}

int ScreenBitsPerPixel() {
  HDC screen = GetDC(nullptr);
  const int bits = screen != nullptr ? GetDeviceCaps(screen, BITSPIXEL) : 32;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return bits;
}

// The bitmaps an icon is made of; deleted with the holder (the icon keeps copies).
struct IconBitmaps {
  HBITMAP mask = nullptr;
  HBITMAP colour = nullptr;
  HBITMAP alpha = nullptr;
  ~IconBitmaps() {
    for (HBITMAP b : {mask, colour, alpha}) {
      if (b != nullptr) DeleteObject(b);
    }
  }
};

// A memory device context compatible with the display, selecting one bitmap at a time.
class ScreenDC {
 public:
  ScreenDC() {
    screen_ = GetDC(nullptr);
    dc_ = screen_ != nullptr ? CreateCompatibleDC(screen_) : nullptr;
    if (dc_ != nullptr) SetStretchBltMode(dc_, COLORONCOLOR);
  }
  ~ScreenDC() {
    Deselect();
    if (dc_ != nullptr) DeleteDC(dc_);
    if (screen_ != nullptr) ReleaseDC(nullptr, screen_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;

  bool Ok() const { return dc_ != nullptr; }
  // Puts the context's own bitmap back, so the drawn ones can be used elsewhere.
  void Deselect() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    old_ = nullptr;
  }
  HDC Screen() const { return screen_; }

  // Stretches bits (described by info) over the whole source into (0, y, cx, cy) of bitmap.
  bool Stretch(HBITMAP bitmap, int y, int cx, int cy, int srcW, int srcH, const void* bits,
               const BITMAPINFO* info) {
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (previous == nullptr) return false;
    if (old_ == nullptr) old_ = previous;
    return StretchDIBits(dc_, 0, y, cx, cy, 0, 0, srcW, srcH, bits, info, DIB_RGB_COLORS,
                         SRCCOPY) != 0;
  }
  // Fills (0, 0, cx, cy) of bitmap with black (mask bits 0: opaque).
  bool Clear(HBITMAP bitmap, int cx, int cy) {
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (previous == nullptr) return false;
    if (old_ == nullptr) old_ = previous;
    return PatBlt(dc_, 0, 0, cx, cy, BLACKNESS) != 0;
  }

 private:
  HDC screen_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// What FromBitmapInfo learns from the image before it draws anything.
struct IconImage {
  SDibHeader dib;
  int width = 0;
  int height = 0;  // of the picture: half the header's
  uint64_t headerBytes = 0;
  uint64_t colourBytes = 0;
  uint64_t maskBytes = 0;
  bool hasMask = false;
};

bool ReadImage(const BYTE* bytes, size_t size, IconImage* image) {
  if (bytes == nullptr || size < 12) return false;
  const uint32_t headerSize = ReadLE32(bytes);
  if (headerSize > size) {
    ICON_TRACE("invalid header size %u\n", headerSize);
    return false;
  }
  SDibHeader& dib = image->dib;
  const bool read = dib.Read(bytes, size);
  if (!read || (dib.size != 12 && !(dib.size == 40 && (dib.compression == BI_RGB ||
                                                       dib.compression == BI_BITFIELDS)))) {
    ICON_TRACE("invalid bitmap header %u\n", headerSize);
    return false;
  }
  switch (dib.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  if (dib.compression == BI_BITFIELDS && dib.bitCount != 16 && dib.bitCount != 32) return false;
  if (dib.width <= 0 || dib.width > 0xFFFF || dib.height < 2 || dib.height > 0x1FFFF) return false;
  image->width = static_cast<int>(dib.width);
  image->height = static_cast<int>(dib.height / 2);
  image->headerBytes = dib.HeaderAndColours();
  image->colourBytes = dib.BitsBytes(image->height);
  image->maskBytes = SDibHeader::RowBytes(image->width, 1) * image->height;
  if (size < image->headerBytes + image->colourBytes) {
    ICON_TRACE("truncated file %u < %u+%u+%u\n", static_cast<unsigned>(size),
               static_cast<unsigned>(image->headerBytes), static_cast<unsigned>(image->colourBytes),
               static_cast<unsigned>(image->maskBytes));
    return false;
  }
  image->hasMask = size - image->headerBytes - image->colourBytes >= image->maskBytes;
  return true;
}

// A 1-bit image whose colours are black then white is drawn through the mask alone.
bool IsMonochrome(const IconImage& image, const std::vector<BYTE>& header) {
  if (image.dib.bitCount != 1 || image.dib.ColourCount() < 2) return false;
  const size_t at = image.dib.core ? 12 : image.dib.size;
  const size_t step = image.dib.core ? 3 : 4;
  const BYTE* c = header.data() + at;
  return c[0] == 0 && c[1] == 0 && c[2] == 0 && c[step] == 255 && c[step + 1] == 255 &&
         c[step + 2] == 255;
}

// The copied header turned into one for the 1-bit mask: black and white colours after it.
void MakeMaskHeader(const IconImage& image, std::vector<BYTE>* header) {
  BYTE* h = header->data();
  if (image.dib.core) {
    const WORD one = 1;
    memcpy(h + 10, &one, 2);
    const BYTE colours[6] = {0, 0, 0, 255, 255, 255};
    memcpy(h + 12, colours, 6);
    return;
  }
  auto* info = reinterpret_cast<BITMAPINFOHEADER*>(h);
  info->biBitCount = 1;
  info->biCompression = BI_RGB;
  info->biSizeImage = 0;
  info->biClrUsed = 2;
  info->biClrImportant = 2;
  const BYTE colours[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  memcpy(h + 40, colours, 8);
}

bool AnyAlpha(const BYTE* bits, uint64_t bytes) {
  for (uint64_t i = 3; i < bytes; i += 4) {
    if (bits[i] != 0) return true;
  }
  return false;
}

// A top-down 32-bit DIB section of the target size with the image stretched into it. Its
// colours stay straight: the platform premultiplies an icon's colours by their alpha itself,
// so premultiplying here too would darken every translucent pixel twice.
HBITMAP MakeAlphaBitmap(ScreenDC& dc, int cx, int cy, const IconImage& image, const BYTE* bits,
                        const BITMAPINFO* info) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP alpha = CreateDIBSection(dc.Screen(), &bi, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (alpha == nullptr) return nullptr;
  if (!dc.Stretch(alpha, 0, cx, cy, image.width, image.height, bits, info)) {
    DeleteObject(alpha);
    return nullptr;
  }
  return alpha;
}

// Owns a read-only view of a file.
class MappedFile {
 public:
  explicit MappedFile(LPCWSTR path) {
    file_ = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_, &size) || size.QuadPart == 0 || size.QuadPart > MAXDWORD) return;
    mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_ == nullptr) return;
    view_ = static_cast<const BYTE*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    if (view_ != nullptr) size_ = static_cast<size_t>(size.QuadPart);
  }
  ~MappedFile() {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const BYTE* Bytes() const { return view_; }
  size_t Size() const { return size_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const BYTE* view_ = nullptr;
  size_t size_ = 0;
};

}  // namespace

HICON SIconLoader::FromFileImage(const BYTE* bytes, size_t size, int cx, int cy, BOOL cursor,
                                 UINT flags) {
  if (bytes == nullptr) return nullptr;
  if (size >= 4 && memcmp(bytes, "RIFF", 4) == 0) {
    if (size > MAXDWORD) return nullptr;
    return CreateIconFromResourceEx(const_cast<BYTE*>(bytes), static_cast<DWORD>(size), FALSE,
                                    0x00030000, cx, cy, flags);
  }
  IconDirectory dir(bytes, size);
  if (!dir.Fits()) return nullptr;
  const int depth = (flags & LR_MONOCHROME) ? 1 : ScreenBitsPerPixel();
  const int chosen =
      cursor ? ChooseCursor(dir, cx, cy, flags) : ChooseIcon(dir, cx, cy, depth, flags);
  const BYTE* image = nullptr;
  size_t available = 0;
  if (chosen < 0 || !dir.Image(chosen, &image, &available)) return nullptr;
  const BYTE* entry = dir.Raw(chosen);
  return FromBitmapInfo(image, available, ReadLE16(entry + 4), ReadLE16(entry + 6), !cursor, cx, cy,
                        flags);
}

HICON SIconLoader::FromBitmapInfo(const BYTE* bytes, size_t size, int hotX, int hotY, BOOL icon,
                                  int cx, int cy, UINT flags) {
  IconImage image;
  if (!ReadImage(bytes, size, &image)) return nullptr;
  if (cx == 0) {
    cx = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR) : image.width;
  }
  if (cy == 0) {
    cy = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR) : image.height;
  }
  if (cx <= 0 || cy <= 0) return nullptr;
  if (icon) {
    hotX = cx / 2;
    hotY = cy / 2;
  } else if (cx != image.width || cy != image.height) {
    hotX = static_cast<int>(static_cast<int64_t>(hotX) * cx / image.width);
    hotY = static_cast<int>(static_cast<int64_t>(hotY) * cy / image.height);
  }

  // Room for the 1-bit header the mask is drawn with; only bytes that exist are copied.
  std::vector<BYTE> header(static_cast<size_t>(std::max<uint64_t>(image.headerBytes, 48)), 0);
  memcpy(header.data(), bytes, static_cast<size_t>(image.headerBytes));
  if (image.dib.core) {
    const WORD half = static_cast<WORD>(image.height);
    memcpy(header.data() + 6, &half, 2);
  } else {
    reinterpret_cast<BITMAPINFOHEADER*>(header.data())->biHeight = image.height;
  }
  const auto* info = reinterpret_cast<const BITMAPINFO*>(header.data());
  const BYTE* colourBits = bytes + image.headerBytes;
  const BYTE* maskBits = colourBits + image.colourBytes;

  IconBitmaps bitmaps;  // outlives dc, which deselects them first
  ScreenDC dc;
  if (!dc.Ok()) return nullptr;
  if (IsMonochrome(image, header)) {
    bitmaps.mask = CreateBitmap(cx, cy * 2, 1, 1, nullptr);
    if (bitmaps.mask == nullptr || !dc.Clear(bitmaps.mask, cx, cy * 2) ||
        !dc.Stretch(bitmaps.mask, cy, cx, cy, image.width, image.height, colourBits, info) ||
        (image.hasMask &&
         !dc.Stretch(bitmaps.mask, 0, cx, cy, image.width, image.height, maskBits, info))) {
      return nullptr;
    }
  } else {
    bitmaps.mask = CreateBitmap(cx, cy, 1, 1, nullptr);
    bitmaps.colour = CreateBitmap(cx, cy, GetDeviceCaps(dc.Screen(), PLANES),
                                  GetDeviceCaps(dc.Screen(), BITSPIXEL), nullptr);
    if (bitmaps.mask == nullptr || bitmaps.colour == nullptr ||
        !dc.Stretch(bitmaps.colour, 0, cx, cy, image.width, image.height, colourBits, info)) {
      return nullptr;
    }
    if (image.dib.bitCount == 32 && AnyAlpha(colourBits, image.colourBytes)) {
      bitmaps.alpha = MakeAlphaBitmap(dc, cx, cy, image, colourBits, info);
      if (bitmaps.alpha == nullptr) return nullptr;
    }
    MakeMaskHeader(image, &header);
    if (!dc.Clear(bitmaps.mask, cx, cy) ||
        (image.hasMask &&
         !dc.Stretch(bitmaps.mask, 0, cx, cy, image.width, image.height, maskBits, info))) {
      return nullptr;
    }
  }
  dc.Deselect();
  ICONINFO ii{};
  ii.fIcon = icon;
  ii.xHotspot = static_cast<DWORD>(hotX);
  ii.yHotspot = static_cast<DWORD>(hotY);
  ii.hbmMask = bitmaps.mask;
  ii.hbmColor = bitmaps.alpha != nullptr ? bitmaps.alpha : bitmaps.colour;
  return CreateIconIndirect(&ii);
}

HICON SIconLoader::FromFile(LPCWSTR path, int cx, int cy, BOOL cursor, UINT flags) {
  if (path == nullptr) return nullptr;
  MappedFile file(path);
  if (file.Bytes() == nullptr) return nullptr;
  return FromFileImage(file.Bytes(), file.Size(), cx, cy, cursor, flags);
}

}  // namespace SWUI
