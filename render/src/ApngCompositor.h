// The canvas on which the frames of an animated PNG are composed, in straight R, G, B, A.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

namespace SWUI {

// A frame's place on the canvas; always inside it.
struct ApngRect {
  UINT x;
  UINT y;
  UINT width;
  UINT height;
};

class ApngCompositor {
 public:
  enum BlendOp { kBlendSource = 0, kBlendOver = 1 };
  enum DisposeOp { kDisposeNone = 0, kDisposeBackground = 1, kDisposePrevious = 2 };

  // A cleared canvas of width x height; false when it cannot be held.
  bool Init(UINT width, UINT height);

  // Draws a frame of rect's size (rows stride bytes apart) at rect: SOURCE replaces the
  // canvas pixels, OVER composes straight colour over them, any other operation draws nothing.
  // When dispose is PREVIOUS the area is kept first, so Dispose can bring it back.
  bool Draw(const BYTE* frame, size_t stride, const ApngRect& rect, int blendOp, int disposeOp);

  // After the frame was shown: BACKGROUND clears its area, PREVIOUS restores the area as it
  // was before the frame was drawn (cleared, before the first frame), anything else keeps it.
  void Dispose(const ApngRect& rect, int disposeOp);

  const BYTE* Pixels() const { return canvas_.data(); }
  size_t Bytes() const { return canvas_.size(); }

  // One pixel of a frame composed over one canvas pixel with APNG's OVER, rounded.
  static void Over(const BYTE* src, BYTE* dst);

 private:
  BYTE* At(UINT x, UINT y) { return canvas_.data() + (static_cast<size_t>(y) * width_ + x) * 4; }

  UINT width_ = 0;
  UINT height_ = 0;
  std::vector<BYTE> canvas_;
  std::vector<BYTE> kept_;
};

}  // namespace SWUI
