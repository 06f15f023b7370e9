// A nine-patch whose image carries its own margins: the top row and the left column of the
// file are markers (pixels with alpha mark the stretchable run), the image is what lies
// inside them.
#pragma once
#include "core/SSkinImgFrame.h"

namespace SWUI {

class SSkinImgFrame2 : public SSkinImgFrame {
  SWUI_CLASS_NAME(SSkinImgFrame, L"imgframe2")

 public:
  // "src" reads the margins from the markers: left = first marked x - 1, right = width - (the
  // first unmarked x after the run) - 1, top and bottom likewise down the left column; the
  // image becomes the inner (width - 2) x (height - 2) pixels. Not found: E_FAIL; an image
  // under 2 x 2: E_INVALIDARG; no bitmap for the inner part: E_OUTOFMEMORY. Other attributes
  // as SSkinImgFrame.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinImgFrame::SetAttribute;

 private:
  HRESULT TakeMarkedImage(IBitmap* marked);
};

}  // namespace SWUI
