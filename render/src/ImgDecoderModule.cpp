// Picks an image decoder module by name.
#include <cwchar>

#include "RenderModule.h"

namespace SWUI {

BOOL CreateImgDecoderFactoryByName(LPCWSTR pszModuleName, IObjRef** ppObj) {
  if (pszModuleName == nullptr || ppObj == nullptr) return FALSE;
  if (wcscmp(pszModuleName, L"imgdecoder-wic") == 0) return CreateImgDecoderFactory_WIC(ppObj);
  if (wcscmp(pszModuleName, L"imgdecoder-stb") == 0) return CreateImgDecoderFactory_STB(ppObj);
  if (wcscmp(pszModuleName, L"imgdecoder-png") == 0) return CreateImgDecoderFactory_PNG(ppObj);
  if (wcscmp(pszModuleName, L"imgdecoder-gdip") == 0) return CreateImgDecoderFactory_GDIP(ppObj);
  return FALSE;
}

}  // namespace SWUI
