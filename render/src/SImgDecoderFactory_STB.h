// The stb_image decoder ("stb"); it does not write images.
#pragma once
#include <windows.h>

#include "IImgDecoderFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgDecoderFactory_STB : public TObjRefImpl<IImgDecoderFactory> {
 public:
  BOOL CreateImgX(IImgX** ppImgDecoder) override;
  LPCWSTR GetDescription() const override { return L"stb"; }
};

}  // namespace SWUI
