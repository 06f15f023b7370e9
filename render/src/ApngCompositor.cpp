#include "ApngCompositor.h"

#include <cstring>
#include <new>

namespace SWUI {

bool ApngCompositor::Init(UINT width, UINT height) {
  width_ = width;
  height_ = height;
  try {
    canvas_.assign(static_cast<size_t>(width) * height * 4, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void ApngCompositor::Over(const BYTE* src, BYTE* dst) {
  const UINT a = src[3];
  if (a == 0) return;
  if (a == 255) {
    memcpy(dst, src, 4);
    return;
  }
  // Weights in units of 1/(255 x 255): the frame's a x 255, the canvas's what the frame lets
  // through of its own alpha. Their sum is the result's alpha x 255.
  const UINT frameWeight = a * 255;
  const UINT canvasWeight = dst[3] * (255 - a);
  const UINT total = frameWeight + canvasWeight;
  for (int c = 0; c < 3; ++c) {
    dst[c] = static_cast<BYTE>((src[c] * frameWeight + dst[c] * canvasWeight + total / 2) / total);
  }
  dst[3] = static_cast<BYTE>((total + 127) / 255);
}

bool ApngCompositor::Draw(const BYTE* frame, size_t stride, const ApngRect& rect, int blendOp,
                          int disposeOp) {
  const size_t rowBytes = static_cast<size_t>(rect.width) * 4;
  if (disposeOp == kDisposePrevious) {
    try {
      kept_.resize(rowBytes * rect.height);
    } catch (const std::bad_alloc&) {
      return false;
    }
    for (UINT y = 0; y < rect.height; ++y) {
      memcpy(kept_.data() + y * rowBytes, At(rect.x, rect.y + y), rowBytes);
    }
  }
  for (UINT y = 0; y < rect.height; ++y) {
    const BYTE* src = frame + y * stride;
    BYTE* dst = At(rect.x, rect.y + y);
    if (blendOp == kBlendSource) {
      memcpy(dst, src, rowBytes);
    } else if (blendOp == kBlendOver) {
      for (UINT x = 0; x < rect.width; ++x) Over(src + x * 4, dst + x * 4);
    }
  }
  return true;
}

void ApngCompositor::Dispose(const ApngRect& rect, int disposeOp) {
  const size_t rowBytes = static_cast<size_t>(rect.width) * 4;
  for (UINT y = 0; y < rect.height; ++y) {
    BYTE* dst = At(rect.x, rect.y + y);
    if (disposeOp == kDisposeBackground) {
      memset(dst, 0, rowBytes);
    } else if (disposeOp == kDisposePrevious) {
      memcpy(dst, kept_.data() + y * rowBytes, rowBytes);
    }
  }
}

}  // namespace SWUI
