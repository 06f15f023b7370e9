// GDI+ drawing on a render target's device context, as the EQ editor's curves and handles
// draw: anti-aliasing asked for, colours given in the framework's layout (red in the low byte)
// and converted to ARGB here. The caller keeps GDI+ started (the program's entry routine does).
// Each operation reports whether GDI+ did it; a canvas that could not be made draws nothing.
#pragma once
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"

class GdipCanvas {
 public:
  explicit GdipCanvas(SWUI::IRenderTarget* pRT);
  // Straight into premultiplied 32-bit pixels, rows top down (a layer's own bits).
  GdipCanvas(void* bits, int width, int height);
  ~GdipCanvas();
  GdipCanvas(const GdipCanvas&) = delete;
  GdipCanvas& operator=(const GdipCanvas&) = delete;

  bool IsReady() const { return graphics_ != nullptr; }
  // Keeps what follows inside the rectangle (on top of the target's own clip): an element
  // paints nowhere it would not be repainted.
  bool ClipTo(const RECT& rc);
  // What follows is drawn moved by (dx, dy): a layer drawn in its owner's coordinates.
  bool Translate(float dx, float dy);

  // A layer of that size, transparent, for drawing once and blending often (premultiplied, as
  // the target's blends take it): made, or the one given resized. False when it cannot be.
  static bool PrepareLayer(SWUI::SAutoRefPtr<SWUI::IRenderTarget>* layer, SIZE size);

  // Alpha << 24 | red << 16 | green << 8 | blue of a framework colour.
  static Gdiplus::ARGB ToArgb(COLORREF cr);

  // A polyline through the points.
  bool DrawLines(const Gdiplus::PointF* points, int count, Gdiplus::ARGB color, float width);
  // A polygon filled with the alternate rule.
  bool FillPolygon(const Gdiplus::PointF* points, int count, Gdiplus::ARGB color);
  // An ellipse in the rectangle (x, y, width, height) filled from the centre colour at its
  // middle to the rim colour at its edge.
  bool FillEllipseGradient(const Gdiplus::RectF& rc, Gdiplus::ARGB center, Gdiplus::ARGB rim);
  bool DrawEllipse(const Gdiplus::RectF& rc, Gdiplus::ARGB color, float width);
  // A draggable handle's body: the whole rectangle as an ellipse graded from the centre colour
  // to the rim colour (RimColor), outlined in the centre colour, clipped to the rectangle.
  bool DrawHandleDisc(const RECT& rc, COLORREF center);
  // Red, green and blue each raised by 0x39, saturating at 0xFF; alpha kept.
  static COLORREF RimColor(COLORREF center);

  // Strokes, solid or dotted (GDI+'s dot dash style).
  enum class Stroke { kSolid, kDotted };
  bool DrawLine(const Gdiplus::PointF& from, const Gdiplus::PointF& to, Gdiplus::ARGB color,
                float width, Stroke stroke);
  bool DrawRectangle(const Gdiplus::RectF& rc, Gdiplus::ARGB color, float width);
  // The arc of the ellipse in rc from start over sweep degrees (clockwise from the x axis).
  bool DrawArc(const Gdiplus::RectF& rc, float start, float sweep, Gdiplus::ARGB color, float width,
               Stroke stroke);

 private:
  SWUI::IRenderTarget* rt_ = nullptr;
  HDC dc_ = nullptr;
  Gdiplus::GpBitmap* bitmap_ = nullptr;
  Gdiplus::GpGraphics* graphics_ = nullptr;
};
