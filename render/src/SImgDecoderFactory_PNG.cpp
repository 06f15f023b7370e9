#include "SImgDecoderFactory_PNG.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "IBitmap.h"
#include "RenderModule.h"
#include "SImgX_PNG.h"
#include "TryNewArray.h"

namespace SWUI {

namespace {

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Premultiplied B, G, R, A into straight R, G, B, A, rounded; alpha 0 gives four zero bytes.
void StraightRow(const BYTE* src, BYTE* dst, UINT width) {
  for (UINT x = 0; x < width; ++x, src += 4, dst += 4) {
    const UINT a = src[3];
    if (a == 0) {
      dst[0] = dst[1] = dst[2] = dst[3] = 0;
      continue;
    }
    for (int c = 0; c < 3; ++c) {
      const UINT v = (src[2 - c] * 255u + a / 2) / a;
      dst[c] = static_cast<BYTE>(v > 255 ? 255 : v);
    }
    dst[3] = static_cast<BYTE>(a);
  }
}

// Holds the setjmp of the write, so it owns nothing that has a destructor: the file and the
// rows belong to the caller.
bool RunWrite(FILE* file, png_bytepp rows, png_uint_32 width, png_uint_32 height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  if (height >= 0x40000000u) png_error(png, "Image is too tall to process in memory");
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

BOOL SImgDecoderFactory_PNG::CreateImgX(IImgX** ppImgDecoder) {
  if (ppImgDecoder == nullptr) return FALSE;
  *ppImgDecoder = new SImgX_PNG(TRUE);
  return TRUE;
}

HRESULT SImgDecoderFactory_PNG::SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void*) {
  if (pImg == nullptr || pszFileName == nullptr) return E_INVALIDARG;
  const UINT width = pImg->Width();
  const UINT height = pImg->Height();
  const BYTE* bits = static_cast<const BYTE*>(pImg->LockPixelBits());
  if (bits == nullptr || width == 0 || height == 0) {
    pImg->UnlockPixelBits(const_cast<BYTE*>(bits));
    return E_FAIL;
  }
  // The file gets rows of its own: the bitmap's pixels stay as they are.
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  std::unique_ptr<BYTE[]> pixels = TryNewArray<BYTE>(rowBytes * height);
  std::unique_ptr<png_bytep[]> rows = TryNewArray<png_bytep>(height);
  if (pixels && rows) {
    for (UINT y = 0; y < height; ++y) {
      rows[y] = pixels.get() + y * rowBytes;
      StraightRow(bits + y * rowBytes, rows[y], width);
    }
  }
  pImg->UnlockPixelBits(const_cast<BYTE*>(bits));
  if (!pixels || !rows) return E_OUTOFMEMORY;

  FILE* file = _wfopen(pszFileName, L"wb");
  if (file == nullptr) return E_FAIL;
  const bool written = RunWrite(file, rows.get(), width, height);
  const bool closed = fclose(file) == 0;
  if (written && closed) return S_OK;
  DeleteFileW(pszFileName);  // a cut-off file is no image
  return E_FAIL;
}

BOOL CreateImgDecoderFactory_PNG(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  *ppObj = new SImgDecoderFactory_PNG();
  return TRUE;
}

}  // namespace SWUI
