#include "controls/GdipCanvas.h"

#include <memory>

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

PenPtr NewPen(ARGB color, float width) {
  GpPen* pen = nullptr;
  if (GdipCreatePen1(color, width, UnitPixel, &pen) != Ok) return nullptr;
  return PenPtr(pen);
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

GdipCanvas::~GdipCanvas() {
  if (graphics_ != nullptr) GdipDeleteGraphics(graphics_);
  if (dc_ != nullptr) rt_->ReleaseDC(dc_);
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
