#include "SGdiScratchSurface.h"

#include <algorithm>
#include <climits>

#include "SBitmap_GDI.h"

namespace SWUI {

namespace {

// Sizes grow in steps, so that layers of slowly growing sizes do not remake the section
// each time.
constexpr int kStep = 64;

int RoundedUp(int n) { return n > INT_MAX - kStep ? n : (n + kStep - 1) / kStep * kStep; }

}  // namespace

SGdiScratchSurface::~SGdiScratchSurface() { Free(); }

void SGdiScratchSurface::Free() {
  if (dc_ != nullptr) {
    if (oldBitmap_ != nullptr) ::SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  oldBitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool SGdiScratchSurface::Reserve(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (bitmap_ != nullptr && width <= width_ && height <= height_) return true;
  const int w = std::max(width, width_);
  const int h = std::max(height, height_);
  void* bits = nullptr;
  HBITMAP bmp = SBitmap_GDI::CreateDIB32(RoundedUp(w), RoundedUp(h), &bits);
  int made[2] = {RoundedUp(w), RoundedUp(h)};
  if (bmp == nullptr) {
    // Near the size limit the rounding may be what fails.
    bmp = SBitmap_GDI::CreateDIB32(w, h, &bits);
    made[0] = w;
    made[1] = h;
  }
  if (bmp == nullptr) {
    Free();
    return false;
  }
  if (dc_ == nullptr) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) {
      DeleteObject(bmp);
      Free();
      return false;
    }
    SetBkMode(dc_, TRANSPARENT);
  }
  HGDIOBJ previous = ::SelectObject(dc_, bmp);
  if (previous == nullptr) {
    DeleteObject(bmp);
    Free();
    return false;
  }
  if (bitmap_ != nullptr) {
    DeleteObject(bitmap_);
  } else {
    oldBitmap_ = previous;
  }
  bitmap_ = bmp;
  bits_ = static_cast<DWORD*>(bits);
  width_ = made[0];
  height_ = made[1];
  return true;
}

}  // namespace SWUI
