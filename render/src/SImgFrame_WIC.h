// One frame decoded by the Windows Imaging Component: a bitmap that WIC holds in memory of its
// own, so the frame outlives the bytes it was decoded from. Its delay is always 0.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include "IImgFrame.h"
#include "base/SAutoRefPtr.h"

namespace SWUI {

class SImgFrame_WIC : public IImgFrame {
 public:
  SImgFrame_WIC() = default;
  SImgFrame_WIC(const SImgFrame_WIC&) = delete;
  SImgFrame_WIC& operator=(const SImgFrame_WIC&) = delete;

  // Holds a reference to the frame's pixels (null: the frame has none).
  void SetSource(IWICBitmapSource* source) { source_ = source; }

  // FALSE for a frame without pixels or when WIC fails.
  BOOL GetSize(UINT* pWid, UINT* pHei) override;
  // Copies the rectangle (the whole frame when null) with the given stride; FALSE for a frame
  // without pixels or when WIC refuses the rectangle, the stride or the buffer size.
  BOOL CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) override;
  int GetDelay() override { return 0; }

 private:
  SAutoRefPtr<IWICBitmapSource> source_;
};

}  // namespace SWUI
