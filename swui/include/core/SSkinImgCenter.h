// An image strip whose cell is drawn at its own size, centred in the destination.
#pragma once
#include "core/SSkinImgList.h"

namespace SWUI {

class SSkinImgCenter : public SSkinImgList {
  SWUI_CLASS_NAME(SSkinImgList, L"imgCenter")

 protected:
  // The state's cell (the state map does not apply) centred: left = rect.left + (rect width
  // - cell width) / 2, top likewise.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;
};

}  // namespace SWUI
