#include "SImgX_STB.h"

#include <stb/stb_image.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "PremultiplyRgbaToBgra.h"

namespace SWUI {

SImgX_STB::SImgX_STB(BOOL bPremultiplied) : premultiplied_(bPremultiplied) {}

int SImgX_STB::LoadFromMemory(void* pBuf, size_t bufLen) {
  frame_.reset();
  if (pBuf == nullptr || bufLen == 0 || bufLen > INT_MAX) return 0;
  int width = 0;
  int height = 0;
  int components = 0;
  BYTE* rgba = stbi_load_from_memory(static_cast<const stbi_uc*>(pBuf), static_cast<int>(bufLen),
                                     &width, &height, &components, 4);
  return Take(rgba, width, height);
}

int SImgX_STB::LoadFromFileW(LPCWSTR pszFileName) {
  frame_.reset();
  FILE* file = pszFileName != nullptr ? _wfopen(pszFileName, L"rb") : nullptr;
  if (file == nullptr) return 0;
  int width = 0;
  int height = 0;
  int components = 0;
  BYTE* rgba = stbi_load_from_file(file, &width, &height, &components, 4);
  fclose(file);
  return Take(rgba, width, height);
}

int SImgX_STB::Take(BYTE* rgba, int width, int height) {
  if (rgba == nullptr) return 0;
  PremultiplyRgbaToBgra(rgba, static_cast<size_t>(width) * static_cast<size_t>(height));
  frame_ = std::make_unique<SImgFrame_STB>(rgba, static_cast<UINT>(width),
                                           static_cast<UINT>(height));
  return 1;
}

IImgFrame* SImgX_STB::GetFrame(UINT iFrame) {
  return iFrame < GetFrameCount() ? frame_.get() : nullptr;
}

}  // namespace SWUI
