// Small image files of each format the logo list takes, written by the test: a PNG and an icon
// (32-bit with alpha) of one colour, a BMP and a JPEG (through stb_image_write). Colours are
// 0xRRGGBB.
#pragma once
#include <cstdint>
#include <string>

namespace images {

std::string Png(int width, int height, uint32_t rgb);
std::string Bmp(int width, int height, uint32_t rgb);
std::string Jpeg(int width, int height, uint32_t rgb);
// A 32-bit icon with one image of that size, half transparent when alpha is 0x80.
std::string Ico(int width, int height, uint32_t rgb, uint8_t alpha = 0xFF);
// An icon whose one image is a PNG stream.
std::string PngIco(int width, int height, uint32_t rgb);

}  // namespace images
