#include "PngRgbaDecoder.h"

#include <png.h>

#include <cstring>
#include <memory>

namespace SWUI {

namespace {

struct MemorySource {
  const BYTE* next;
  size_t left;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (count > source->left) png_error(png, "read error");
  memcpy(out, source->next, count);
  source->next += count;
  source->left -= count;
}

// libpng's errors jump back to the setjmp of the function that made the read structure.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Every image arrives as 8-bit R, G, B, A: palette, low-bit gray and tRNS expanded, a 0xFF
// alpha added where there is none, gray made RGB, 16-bit samples stripped.
void AskForRgba8(png_structp png, png_infop info) {
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  png_set_strip_16(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Holds the setjmp of a read, so it owns nothing that has a destructor: the row pointers
// belong to the caller.
bool RunRead(MemorySource* source, png_bytepp rows, png_uint_32 width, png_uint_32 height) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, source, ReadFromMemory);
  png_read_info(png, info);
  AskForRgba8(png, info);
  const bool ok = png_get_image_width(png, info) == width &&
                  png_get_image_height(png, info) == height &&
                  png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4;
  if (ok) {
    png_read_image(png, rows);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

}  // namespace

bool PngRgbaDecoder::Decode(const BYTE* png, size_t size, UINT width, UINT height, BYTE* out,
                            size_t stride) {
  if (width == 0 || height == 0) return false;
  std::unique_ptr<png_bytep[]> rows(new png_bytep[height]);
  for (UINT y = 0; y < height; ++y) rows[y] = out + static_cast<size_t>(y) * stride;
  MemorySource source = {png, size};
  return RunRead(&source, rows.get(), width, height);
}

}  // namespace SWUI
