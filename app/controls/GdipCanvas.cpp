#include "controls/GdipCanvas.h"

#include <algorithm>
#include <memory>

#include "IRenderFactory.h"
#include "core/SApplication.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct PenDeleter {
  void operator()(GpPen* pen) const { GdipDeletePen(pen); }
};
struct BrushDeleter {
  void operator()(GpBrush* brush) const { GdipDeleteBrush(brush); }
};
struct PathDeleter {
  void operator()(GpPath* path) const { GdipDeletePath(path); }
};
using PenPtr = std::unique_ptr<GpPen, PenDeleter>;
using BrushPtr = std::unique_ptr<GpBrush, BrushDeleter>;
using PathPtr = std::unique_ptr<GpPath, PathDeleter>;

PenPtr NewPen(ARGB color, float width, GdipCanvas::Stroke stroke = GdipCanvas::Stroke::kSolid) {
  GpPen* made = nullptr;
  if (GdipCreatePen1(color, width, UnitPixel, &made) != Ok) return nullptr;
  PenPtr pen(made);
  if (stroke == GdipCanvas::Stroke::kDotted && GdipSetPenDashStyle(made, DashStyleDot) != Ok) {
    return nullptr;
  }
  return pen;
}

BrushPtr NewSolidBrush(ARGB color) {
  GpSolidFill* brush = nullptr;
  if (GdipCreateSolidFill(color, &brush) != Ok) return nullptr;
  return BrushPtr(brush);
}

}  // namespace

GdipCanvas::GdipCanvas(SWUI::IRenderTarget* pRT) : rt_(pRT) {
  if (rt_ == nullptr) return;
  dc_ = rt_->GetDC(0);
  if (dc_ == nullptr) return;
  if (GdipCreateFromHDC(dc_, &graphics_) != Ok) {
    graphics_ = nullptr;
    return;
  }
  GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias);
}

GdipCanvas::GdipCanvas(void* bits, int width, int height) {
  if (bits == nullptr || width <= 0 || height <= 0) return;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                static_cast<BYTE*>(bits), &bitmap_) != Ok) {
    bitmap_ = nullptr;
    return;
  }
  GpImage* image = bitmap_;
  if (GdipGetImageGraphicsContext(image, &graphics_) != Ok) {
    graphics_ = nullptr;
    return;
  }
  GdipSetSmoothingMode(graphics_, SmoothingModeAntiAlias);
}

GdipCanvas::~GdipCanvas() {
  if (graphics_ != nullptr) GdipDeleteGraphics(graphics_);
  if (bitmap_ != nullptr) GdipDisposeImage(bitmap_);
  if (dc_ != nullptr) rt_->ReleaseDC(dc_);
}

bool GdipCanvas::PrepareLayer(SWUI::SAutoRefPtr<SWUI::IRenderTarget>* layer, SIZE size) {
  if (size.cx <= 0 || size.cy <= 0) return false;
  if (*layer == nullptr) {
    SWUI::IRenderFactory* factory = SWUI::SApplication::getSingleton().GetRenderFactory();
    SWUI::IRenderTarget* made = nullptr;
    if (factory == nullptr || !factory->CreateRenderTarget(&made, size.cx, size.cy)) return false;
    layer->Attach(made);
  } else if (FAILED((*layer)->Resize(size))) {
    return false;
  }
  const RECT whole = {0, 0, size.cx, size.cy};
  return SUCCEEDED((*layer)->ClearRect(&whole, 0));
}

ARGB GdipCanvas::ToArgb(COLORREF cr) {
  const ARGB alpha = (cr >> 24) & 0xFF;
  return alpha << 24 | static_cast<ARGB>(GetRValue(cr)) << 16 |
         static_cast<ARGB>(GetGValue(cr)) << 8 | GetBValue(cr);
}

bool GdipCanvas::ClipTo(const RECT& rc) {
  return graphics_ != nullptr &&
         GdipSetClipRectI(graphics_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                          CombineModeIntersect) == Ok;
}

bool GdipCanvas::Translate(float dx, float dy) {
  return graphics_ != nullptr &&
         GdipTranslateWorldTransform(graphics_, dx, dy, MatrixOrderPrepend) == Ok;
}

bool GdipCanvas::DrawLines(const PointF* points, int count, ARGB color, float width) {
  if (graphics_ == nullptr || count < 2) return false;
  PenPtr pen = NewPen(color, width);
  return pen != nullptr && GdipDrawLines(graphics_, pen.get(), points, count) == Ok;
}

bool GdipCanvas::FillPolygon(const PointF* points, int count, ARGB color) {
  if (graphics_ == nullptr || count < 3) return false;
  BrushPtr brush = NewSolidBrush(color);
  return brush != nullptr &&
         GdipFillPolygon(graphics_, brush.get(), points, count, FillModeAlternate) == Ok;
}

bool GdipCanvas::FillEllipseGradient(const RectF& rc, ARGB center, ARGB rim) {
  if (graphics_ == nullptr) return false;
  GpPath* made = nullptr;
  if (GdipCreatePath(FillModeAlternate, &made) != Ok) return false;
  PathPtr path(made);
  if (GdipAddPathEllipse(path.get(), rc.X, rc.Y, rc.Width, rc.Height) != Ok) return false;
  GpPathGradient* gradient = nullptr;
  if (GdipCreatePathGradientFromPath(path.get(), &gradient) != Ok) return false;
  BrushPtr brush(gradient);
  const PointF middle(rc.X + rc.Width / 2, rc.Y + rc.Height / 2);
  INT rims = 1;
  if (GdipSetPathGradientCenterPoint(gradient, &middle) != Ok ||
      GdipSetPathGradientCenterColor(gradient, center) != Ok ||
      GdipSetPathGradientSurroundColorsWithCount(gradient, &rim, &rims) != Ok) {
    return false;
  }
  return GdipFillPath(graphics_, brush.get(), path.get()) == Ok;
}

bool GdipCanvas::DrawEllipse(const RectF& rc, ARGB color, float width) {
  if (graphics_ == nullptr) return false;
  PenPtr pen = NewPen(color, width);
  return pen != nullptr &&
         GdipDrawEllipse(graphics_, pen.get(), rc.X, rc.Y, rc.Width, rc.Height) == Ok;
}

COLORREF GdipCanvas::RimColor(COLORREF center) {
  COLORREF rim = center & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    // Saturating: a wrapped channel would turn a light centre dark (0xE8 + 0x39 -> 0x21).
    const DWORD channel = std::min<DWORD>(((center >> shift) & 0xFF) + 0x39, 0xFF);
    rim |= channel << shift;
  }
  return rim;
}

bool GdipCanvas::DrawHandleDisc(const RECT& rc, COLORREF center) {
  if (IsRectEmpty(&rc) || !ClipTo(rc)) return false;
  const RectF body(static_cast<float>(rc.left), static_cast<float>(rc.top),
                   static_cast<float>(rc.right - rc.left), static_cast<float>(rc.bottom - rc.top));
  const ARGB argb = ToArgb(center);
  const bool filled = FillEllipseGradient(body, argb, ToArgb(RimColor(center)));
  return DrawEllipse(body, argb, 1.0f) && filled;
}

bool GdipCanvas::DrawLine(const PointF& from, const PointF& to, ARGB color, float width,
                          Stroke stroke) {
  if (graphics_ == nullptr) return false;
  PenPtr pen = NewPen(color, width, stroke);
  return pen != nullptr && GdipDrawLine(graphics_, pen.get(), from.X, from.Y, to.X, to.Y) == Ok;
}

bool GdipCanvas::DrawRectangle(const RectF& rc, ARGB color, float width) {
  if (graphics_ == nullptr) return false;
  PenPtr pen = NewPen(color, width);
  return pen != nullptr &&
         GdipDrawRectangle(graphics_, pen.get(), rc.X, rc.Y, rc.Width, rc.Height) == Ok;
}

bool GdipCanvas::DrawArc(const RectF& rc, float start, float sweep, ARGB color, float width,
                         Stroke stroke) {
  if (graphics_ == nullptr) return false;
  PenPtr pen = NewPen(color, width, stroke);
  return pen != nullptr &&
         GdipDrawArc(graphics_, pen.get(), rc.X, rc.Y, rc.Width, rc.Height, start, sweep) == Ok;
}
