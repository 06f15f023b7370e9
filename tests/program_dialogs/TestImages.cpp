#include "TestImages.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <vector>

#include "IconFixtures.h"
#include "LittleEndian.h"
#include "PngFixtures.h"

namespace images {

namespace {

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::string*>(context);
  out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

std::vector<unsigned char> Rgb(int width, int height, uint32_t rgb) {
  std::vector<unsigned char> pixels;
  for (int i = 0; i < width * height; ++i) {
    pixels.push_back(static_cast<unsigned char>(rgb >> 16));
    pixels.push_back(static_cast<unsigned char>(rgb >> 8));
    pixels.push_back(static_cast<unsigned char>(rgb));
  }
  return pixels;
}

}  // namespace

std::string Png(int width, int height, uint32_t rgb) {
  const fixtures::Rgba colour{static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8),
                              static_cast<BYTE>(rgb), 0xFF};
  const std::vector<BYTE> png = fixtures::EncodePng(
      fixtures::Fill(static_cast<UINT>(width), static_cast<UINT>(height), colour));
  return std::string(png.begin(), png.end());
}

std::string Bmp(int width, int height, uint32_t rgb) {
  std::string out;
  stbi_write_bmp_to_func(Append, &out, width, height, 3, Rgb(width, height, rgb).data());
  return out;
}

std::string Jpeg(int width, int height, uint32_t rgb) {
  std::string out;
  stbi_write_jpg_to_func(Append, &out, width, height, 3, Rgb(width, height, rgb).data(), 95);
  return out;
}

std::string Ico(int width, int height, uint32_t rgb, uint8_t alpha) {
  return fixtures::MakeIconFile(
      {fixtures::SolidIcon(width, height, (static_cast<uint32_t>(alpha) << 24) | rgb)});
}

std::string PngIco(int width, int height, uint32_t rgb) {
  const std::string png = Png(width, height, rgb);
  std::string out;
  // Directory header (reserved, type 1, one entry), the entry, then the PNG stream.
  fixtures::PutLE16(out, 0);
  fixtures::PutLE16(out, 1);
  fixtures::PutLE16(out, 1);
  out.push_back(static_cast<char>(width & 0xFF));
  out.push_back(static_cast<char>(height & 0xFF));
  fixtures::PutLE16(out, 0);   // colours, reserved
  fixtures::PutLE16(out, 1);   // planes
  fixtures::PutLE16(out, 32);  // bit count
  fixtures::PutLE32(out, static_cast<uint32_t>(png.size()));
  fixtures::PutLE32(out, 6 + 16);
  return out + png;
}

}  // namespace images
