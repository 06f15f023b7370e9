// One decoded frame of an image: premultiplied 32-bit pixels (bytes B, G, R, A), top-down rows
// of width x 4 bytes without padding. Frames belong to their image and live as long as it.
#pragma once
#include <windows.h>

namespace SWUI {

struct IImgFrame {
  // Width and height in pixels; FALSE when the frame holds no pixels.
  virtual BOOL GetSize(UINT* pWid, UINT* pHei) = 0;
  // Copies the frame's pixels into pbBuffer. Decoders that cannot copy a part copy the whole
  // frame; cbBufferSize must then be exactly width x height x 4.
  virtual BOOL CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) = 0;
  // The frame's display time in the decoder's own unit: milliseconds from the GDI+ decoder,
  // hundredths of a second from the PNG/APNG decoder; 0 for a still image and from the
  // stb_image and WIC decoders.
  virtual int GetDelay() = 0;

 protected:
  ~IImgFrame() = default;
};

}  // namespace SWUI
