#include "SGdiAlphaLayer.h"

#include "FillPixels.h"
#include "SBitmap_GDI.h"

namespace SWUI {

namespace {

// Fills the scratch surface's top-left width x height pixels with one value and maps visible's
// top-left corner to them; false when the scratch cannot be had.
bool FillScratch(SGdiScratchSurface& scratch, const RECT& visible, DWORD pixel) {
  const int width = visible.right - visible.left;
  const int height = visible.bottom - visible.top;
  if (width <= 0 || height <= 0 || !scratch.Reserve(width, height)) return false;
  DWORD* row = scratch.Bits();
  for (int y = 0; y < height; ++y, row += scratch.Stride()) FillPixels(row, width, pixel);
  SetViewportOrgEx(scratch.GetDC(), -visible.left, -visible.top, nullptr);
  return true;
}

// Blends the scratch surface's picture of rc onto the target (the scratch context maps rc's
// top-left corner to its own origin).
void BlendScratch(HDC target, HDC scratch, const RECT& rc, BYTE alpha) {
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  ::AlphaBlend(target, rc.left, rc.top, width, height, scratch, rc.left, rc.top, width, height,
               bf);
}

// A 256 x 1 section selected into a memory device context of its own.
class RowSurface {
 public:
  RowSurface() {
    bitmap_ = SBitmap_GDI::CreateDIB32(256, 1, reinterpret_cast<void**>(&bits_));
    dc_ = bitmap_ != nullptr ? CreateCompatibleDC(nullptr) : nullptr;
    if (dc_ != nullptr) old_ = ::SelectObject(dc_, bitmap_);
  }
  ~RowSurface() {
    if (dc_ != nullptr) {
      if (old_ != nullptr) ::SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  RowSurface(const RowSurface&) = delete;
  RowSurface& operator=(const RowSurface&) = delete;
  bool Ready() const { return old_ != nullptr; }
  HDC GetDC() const { return dc_; }
  DWORD* Bits() const { return bits_; }

 private:
  HBITMAP bitmap_ = nullptr;
  DWORD* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

bool SGdiAlphaLayer::UniformBlendMaps(DWORD pixel, ChannelMaps* maps) {
  RowSurface under;
  RowSurface over;
  if (!under.Ready() || !over.Ready()) return false;
  for (DWORD v = 0; v < 256; ++v) {
    under.Bits()[v] = v | v << 8 | v << 16 | v << 24;
    over.Bits()[v] = pixel;
  }
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
  if (!::AlphaBlend(under.GetDC(), 0, 0, 256, 1, over.GetDC(), 0, 0, 256, 1, bf)) return false;
  GdiFlush();
  for (int v = 0; v < 256; ++v) {
    const DWORD px = under.Bits()[v];
    maps->b[v] = static_cast<BYTE>(px);
    maps->g[v] = static_cast<BYTE>(px >> 8);
    maps->r[v] = static_cast<BYTE>(px >> 16);
    maps->a[v] = static_cast<BYTE>(px >> 24);
  }
  return true;
}

void SGdiAlphaLayer::BlendSolid(HDC hdcTarget, SGdiScratchSurface& scratch, const RECT& visible,
                                COLORREF cr) {
  if (!FillScratch(scratch, visible, OpaquePixel(cr))) return;
  BlendScratch(hdcTarget, scratch.GetDC(), visible, static_cast<BYTE>(cr >> 24));
}

bool SGdiAlphaLayer::CopySolid(HDC hdcTarget, SGdiScratchSurface& scratch, const RECT& visible,
                               DWORD pixel) {
  if (!FillScratch(scratch, visible, pixel)) return false;
  ::BitBlt(hdcTarget, visible.left, visible.top, visible.right - visible.left,
           visible.bottom - visible.top, scratch.GetDC(), visible.left, visible.top, SRCCOPY);
  return true;
}

SGdiAlphaLayer::SGdiAlphaLayer(HDC hdcTarget, SGdiScratchSurface& scratch,
                               const SDibDirectWriter& writer, const RECT& rc, BYTE byAlpha,
                               bool bCopy)
    : target_(hdcTarget),
      scratch_(scratch),
      writer_(writer),
      alpha_(byAlpha),
      rc_(writer.VisiblePart(rc)),
      copy_(bCopy) {
  width_ = rc_.right - rc_.left;
  height_ = rc_.bottom - rc_.top;
  if (width_ <= 0 || height_ <= 0 || !scratch_.Reserve(width_, height_)) return;
  dc_ = scratch_.GetDC();
  SetViewportOrgEx(dc_, -rc_.left, -rc_.top, nullptr);

  pen_ = ::SelectObject(target_, GetStockObject(BLACK_PEN));
  brush_ = ::SelectObject(target_, GetStockObject(BLACK_BRUSH));
  font_ = ::SelectObject(target_, GetStockObject(DEFAULT_GUI_FONT));
  ::SelectObject(dc_, pen_);
  ::SelectObject(dc_, brush_);
  ::SelectObject(dc_, font_);
  ::SetTextColor(dc_, ::GetTextColor(target_));

  if (copy_) {
    ::BitBlt(dc_, rc_.left, rc_.top, width_, height_, target_, rc_.left, rc_.top, SRCCOPY);
  }
  GdiFlush();
  Prime();
}

void SGdiAlphaLayer::Prime() {
  DWORD* row = scratch_.Bits();
  for (int y = 0; y < height_; ++y, row += scratch_.Stride()) {
    if (copy_) {
      for (int x = 0; x < width_; ++x) row[x] |= 0xFF000000u;
    } else {
      FillPixels(row, width_, 0xFF000000u);
    }
  }
}

void SGdiAlphaLayer::BlendBack() {
  // At full strength the drawn pixels replace the target's and the others leave it alone.
  if (alpha_ == 0xFF && writer_.CopyDrawn(rc_, scratch_.Bits(), scratch_.Stride())) return;
  DWORD* row = scratch_.Bits();
  for (int y = 0; y < height_; ++y, row += scratch_.Stride()) {
    for (int x = 0; x < width_; ++x) {
      row[x] = (row[x] & 0xFF000000u) ? 0 : (row[x] | 0xFF000000u);
    }
  }
  BlendScratch(target_, dc_, rc_, alpha_);
}

SGdiAlphaLayer::~SGdiAlphaLayer() {
  if (dc_ == nullptr) return;
  GdiFlush();
  BlendBack();
  // Give the target its objects back; the scratch context keeps only stock objects.
  ::SelectObject(dc_, GetStockObject(BLACK_PEN));
  ::SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  ::SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  ::SelectObject(target_, pen_);
  ::SelectObject(target_, brush_);
  ::SelectObject(target_, font_);
}

}  // namespace SWUI
