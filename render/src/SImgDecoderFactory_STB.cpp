#include "SImgDecoderFactory_STB.h"

#include "RenderModule.h"
#include "SImgX_STB.h"

// stb_image's implementation lives in this one translation unit.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace SWUI {

BOOL SImgDecoderFactory_STB::CreateImgX(IImgX** ppImgDecoder) {
  if (ppImgDecoder == nullptr) return FALSE;
  *ppImgDecoder = new SImgX_STB(TRUE);
  return TRUE;
}

BOOL CreateImgDecoderFactory_STB(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  *ppObj = new SImgDecoderFactory_STB();
  return TRUE;
}

}  // namespace SWUI
