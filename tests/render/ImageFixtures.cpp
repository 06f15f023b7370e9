#include "ImageFixtures.h"

#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>

#include <string>

namespace fixtures {

using namespace Gdiplus::DllExports;

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

namespace {

// Packs variable-width codes least significant bit first.
class BitWriter {
 public:
  void Put(unsigned code, int width) {
    acc_ |= code << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      out_.push_back(static_cast<BYTE>(acc_ & 0xFF));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  std::vector<BYTE> Finish() {
    if (bits_ > 0) out_.push_back(static_cast<BYTE>(acc_ & 0xFF));
    return out_;
  }

 private:
  std::vector<BYTE> out_;
  unsigned acc_ = 0;
  int bits_ = 0;
};

void Put16(std::vector<BYTE>& out, int v) {
  out.push_back(static_cast<BYTE>(v & 0xFF));
  out.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
}

// Image data for 2-bit pixels without real compression: a clear code before every two
// literals keeps the code width at 3 bits.
std::vector<BYTE> LzwLiterals(const std::vector<BYTE>& pixels) {
  const unsigned kClear = 4;
  const unsigned kEnd = 5;
  BitWriter w;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % 2 == 0) w.Put(kClear, 3);
    w.Put(pixels[i], 3);
  }
  w.Put(kEnd, 3);
  return w.Finish();
}

}  // namespace

std::vector<BYTE> MakeAnimatedGif(int width, int height, const std::vector<int>& delays) {
  std::vector<BYTE> gif = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(gif, width);
  Put16(gif, height);
  gif.push_back(0x91);  // global colour table of 4 entries, 2 bits of colour resolution
  gif.push_back(0);
  gif.push_back(0);
  const BYTE palette[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  gif.insert(gif.end(), palette, palette + 12);
  const BYTE loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                       '2',  '.',  '0',  0x03, 0x01, 0x00, 0x00, 0x00};
  gif.insert(gif.end(), loop, loop + sizeof(loop));
  for (size_t f = 0; f < delays.size(); ++f) {
    const BYTE gce[] = {0x21, 0xF9, 0x04, 0x04, 0, 0, 0, 0};
    gif.insert(gif.end(), gce, gce + sizeof(gce));
    gif[gif.size() - 4] = static_cast<BYTE>(delays[f] & 0xFF);
    gif[gif.size() - 3] = static_cast<BYTE>((delays[f] >> 8) & 0xFF);
    gif.push_back(0x2C);
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, width);
    Put16(gif, height);
    gif.push_back(0);
    gif.push_back(2);  // minimum code size
    const std::vector<BYTE> pixels(static_cast<size_t>(width) * height,
                                   static_cast<BYTE>(f % 4));
    const std::vector<BYTE> data = LzwLiterals(pixels);
    for (size_t pos = 0; pos < data.size(); pos += 255) {
      const size_t n = std::min<size_t>(255, data.size() - pos);
      gif.push_back(static_cast<BYTE>(n));
      gif.insert(gif.end(), data.begin() + pos, data.begin() + pos + n);
    }
    gif.push_back(0);
  }
  gif.push_back(0x3B);
  return gif;
}

std::vector<BYTE> EncodePng(int width, int height, const std::vector<DWORD>& argb) {
  std::vector<BYTE> out;
  UINT count = 0;
  UINT size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok) return out;
  std::vector<BYTE> list(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(list.data());
  if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return out;
  const CLSID* png = nullptr;
  for (UINT i = 0; i < count; ++i) {
    if (IsEqualGUID(codecs[i].FormatID, kPngFormat)) png = &codecs[i].Clsid;
  }
  if (png == nullptr) return out;
  Gdiplus::GpBitmap* bmp = nullptr;
  std::vector<DWORD> pixels = argb;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), &bmp) != Gdiplus::Ok) {
    return out;
  }
  IStream* stream = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
    if (GdipSaveImageToStream(bmp, stream, png, nullptr) == Gdiplus::Ok) {
      HGLOBAL mem = nullptr;
      STATSTG stat{};
      if (SUCCEEDED(GetHGlobalFromStream(stream, &mem)) &&
          SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
        const BYTE* p = static_cast<const BYTE*>(GlobalLock(mem));
        out.assign(p, p + stat.cbSize.LowPart);
        GlobalUnlock(mem);
      }
    }
    stream->Release();
  }
  GdipDisposeImage(bmp);
  return out;
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::wstring(dir) + L"tevaro_render_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         name;
}

}  // namespace fixtures
