#include "controls/ZuEqCurve.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "IBitmap.h"
#include "controls/GdipCanvas.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;
using Gdiplus::PointF;

namespace {

// How far beyond the zero line a curve point may lie: a response of -inf dB (a filter's exact
// zero) still gives a point GDI+ can draw, and it is far outside any plot.
constexpr double kFarPixels = 16384.0;

}  // namespace

ZuEqCurve::ZuEqCurve()
    : total_(kEqCurvePoints), second_(kEqCurvePoints), selected_(kEqCurvePoints + 2) {}

HRESULT ZuEqCurve::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"lineWidth")) {
    lineWidth_ = P::Int(value);
    return S_OK;
  }
  COLORREF* color = nullptr;
  if (P::IsName(name, L"colorLine")) color = &colorLine_;
  if (P::IsName(name, L"colorCurrLine")) color = &colorCurrLine_;
  if (color == nullptr) return SWindow::SetAttribute(name, value, bLoading);
  return ParseNamedColor(value, color);
}

void ZuEqCurve::FillCurve(const std::vector<double>& values, PointF* pts, double maxY) const {
  const EqPlotGeometry& g = *geometry_;
  const double zero = g.ZeroLineY();
  const double left = g.PlotLeft();
  for (int i = 0; i < kEqCurvePoints; ++i) {
    double y = zero - values[i] * g.yScale;
    if (std::isnan(y)) y = zero;
    y = std::fmin(std::fmax(y, zero - kFarPixels), zero + kFarPixels);
    if (y > maxY) y = maxY;
    pts[i] = PointF(static_cast<float>(left + i * g.pointStep), static_cast<float>(y));
  }
}

bool ZuEqCurve::FillSelected() {
  const int sel = model_->selected;
  if (sel < 0 || sel >= static_cast<int>(model_->bands.size())) return false;
  const std::vector<double>& response = model_->bands[sel].response;
  if (response.size() != static_cast<size_t>(kEqCurvePoints)) return false;
  const EqPlotGeometry& g = *geometry_;
  const double bottom = g.PlotBottom();
  // A filter's area stands on the plot's bottom, a band's on its 0 dB line.
  const double base = sel >= model_->nBands ? bottom : g.BandBaseY();
  FillCurve(response, &selected_[1], bottom);
  selected_[0] = PointF(static_cast<float>(g.PlotLeft()), static_cast<float>(base));
  selected_[kEqCurvePoints + 1] = PointF(selected_[kEqCurvePoints].X, static_cast<float>(base));
  return true;
}

bool ZuEqCurve::Drawn::operator==(const Drawn& other) const {
  // Bit for bit, so that a response holding NaN still compares equal to itself.
  auto same = [](const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
  };
  return same(curve, other.curve) && same(curve2, other.curve2) &&
         same(selected, other.selected) && selectedIndex == other.selectedIndex &&
         nBands == other.nBands && second == other.second && EqualRect(&plot, &other.plot) &&
         yScale == other.yScale && pointStep == other.pointStep && zeroY == other.zeroY &&
         baseY == other.baseY && colorLine == other.colorLine &&
         colorCurrLine == other.colorCurrLine && lineWidth == other.lineWidth;
}

bool ZuEqCurve::LayerIsCurrent() {
  const EqPlotGeometry& g = *geometry_;
  Drawn now;
  now.curve = model_->curve;
  now.second = model_->hp2Index >= 0 || model_->lp2Index >= 0;
  if (now.second) now.curve2 = model_->curve2;
  now.selectedIndex = model_->selected;
  if (now.selectedIndex >= 0 && now.selectedIndex < static_cast<int>(model_->bands.size())) {
    now.selected = model_->bands[now.selectedIndex].response;
  }
  now.nBands = model_->nBands;
  now.plot = g.PlotRect();
  now.yScale = g.yScale;
  now.pointStep = g.pointStep;
  now.zeroY = g.ZeroLineY();
  now.baseY = g.BandBaseY();
  now.colorLine = colorLine_;
  now.colorCurrLine = colorCurrLine_;
  now.lineWidth = lineWidth_;
  if (layerValid_ && now == drawn_) return true;
  drawn_ = std::move(now);
  return false;
}

bool ZuEqCurve::DrawLayer(const RECT& plot) {
  layerValid_ = false;
  const SIZE size = {plot.right - plot.left, plot.bottom - plot.top};
  if (!GdipCanvas::PrepareLayer(&layer_, size)) return false;
  auto* bitmap = static_cast<IBitmap*>(layer_->GetCurrentObject(OT_BITMAP));
  if (bitmap == nullptr) return false;
  void* bits = bitmap->LockPixelBits();
  {
    GdipCanvas canvas(bits, size.cx, size.cy);
    if (!canvas.Translate(static_cast<float>(-plot.left), static_cast<float>(-plot.top))) {
      bitmap->UnlockPixelBits(bits);
      return false;
    }
    DrawCurves(canvas);
  }
  bitmap->UnlockPixelBits(bits);
  layerValid_ = true;
  return true;
}

void ZuEqCurve::DrawCurves(GdipCanvas& canvas) {
  // The point arrays as the strips took them.
  layerStrips_ = CurveStrips();
  if (selectedFilled_) {
    const Gdiplus::ARGB color = GdipCanvas::ToArgb(colorCurrLine_);
    canvas.FillPolygon(selected_.data(), kEqCurvePoints + 2, color);
    canvas.DrawLines(&selected_[1], kEqCurvePoints, color, static_cast<float>(lineWidth_));
  }
  canvas.DrawLines(total_.data(), kEqCurvePoints, GdipCanvas::ToArgb(colorLine_) | 0xFF000000u,
                   2.0f);
  if (HasSecondTotal()) canvas.DrawLines(second_.data(), kEqCurvePoints, kSecondTotalArgb, 2.0f);
}

std::vector<RECT> ZuEqCurve::CurveStrips() {
  std::vector<RECT> strips;
  if (geometry_ == nullptr || geometry_->IsEmpty() || model_ == nullptr ||
      model_->curve.size() != static_cast<size_t>(kEqCurvePoints)) {
    return strips;
  }
  const RECT plot = geometry_->PlotRect();
  const int count = (plot.right - plot.left + kStripWidth - 1) / kStripWidth;
  if (count <= 0) return strips;
  // The pens' half width and the anti-aliased fringe on every side.
  const float margin = static_cast<float>(std::max(lineWidth_, 2)) / 2.0f + 2.0f;
  std::vector<float> top(count, HUGE_VALF);
  std::vector<float> bottom(count, -HUGE_VALF);
  auto stripOf = [&](float x) {
    const int s = static_cast<int>(std::floor((x - static_cast<float>(plot.left)) / kStripWidth));
    return std::min(std::max(s, 0), count - 1);
  };
  // Each segment, widened by the margin, reaches the strips it crosses over the heights of
  // both its ends.
  auto take = [&](const PointF* pts, int n) {
    for (int i = 0; i + 1 < n; ++i) {
      const PointF& a = pts[i];
      const PointF& b = pts[i + 1];
      const float low = std::fmin(a.Y, b.Y);
      const float high = std::fmax(a.Y, b.Y);
      const int last = stripOf(std::fmax(a.X, b.X) + margin);
      for (int s = stripOf(std::fmin(a.X, b.X) - margin); s <= last; ++s) {
        top[s] = std::fmin(top[s], low);
        bottom[s] = std::fmax(bottom[s], high);
      }
    }
  };
  selectedFilled_ = FillSelected();
  // The selected area's outline runs from its base up the response and back down: its
  // strips cover the area between.
  if (selectedFilled_) take(selected_.data(), kEqCurvePoints + 2);
  if (selectedFilled_) {
    const float base = selected_[0].Y;
    for (int s = 0; s < count; ++s) {
      top[s] = std::fmin(top[s], base);
      bottom[s] = std::fmax(bottom[s], base);
    }
  }
  FillCurve(model_->curve, total_.data(), HUGE_VAL);
  take(total_.data(), kEqCurvePoints);
  if (HasSecondTotal()) {
    FillCurve(model_->curve2, second_.data(), HUGE_VAL);
    take(second_.data(), kEqCurvePoints);
  }
  for (int s = 0; s < count; ++s) {
    if (top[s] > bottom[s]) continue;
    const LONG left = plot.left + s * kStripWidth;
    const RECT reach = {left, static_cast<LONG>(std::fmax(std::floor(top[s] - margin), -kFarPixels)),
                        std::min(left + kStripWidth, plot.right),
                        static_cast<LONG>(std::fmin(std::ceil(bottom[s] + margin), kFarPixels))};
    RECT strip;
    if (IntersectRect(&strip, &plot, &reach)) strips.push_back(strip);
  }
  return strips;
}

bool ZuEqCurve::HasSecondTotal() const {
  return (model_->hp2Index >= 0 || model_->lp2Index >= 0) &&
         model_->curve2.size() == static_cast<size_t>(kEqCurvePoints);
}

void ZuEqCurve::InvalidateCurves() {
  if (!layerValid_) {
    Invalidate();
    return;
  }
  for (const RECT& strip : layerStrips_) InvalidateRect(strip);
  for (const RECT& strip : CurveStrips()) InvalidateRect(strip);
}

void ZuEqCurve::OnPaint(IRenderTarget* pRT) {
  if (geometry_ == nullptr || geometry_->IsEmpty() || model_ == nullptr ||
      model_->curve.size() != static_cast<size_t>(kEqCurvePoints)) {
    return;
  }
  // Curves far outside the dB range (a steep filter's skirt) end at the plot's edges, not at
  // the labels or the container's border below it: the layer covers the plot only.
  const RECT plot = geometry_->PlotRect();
  if (plot.right <= plot.left || plot.bottom <= plot.top) return;
  if (!LayerIsCurrent() && !DrawLayer(plot)) return;
  // Only the parts of the layer the curves reach (the rest is transparent), straight from its
  // surface.
  for (const RECT& strip : layerStrips_) {
    RECT source = strip;
    OffsetRect(&source, -plot.left, -plot.top);
    pRT->AlphaBlend(&strip, layer_, &source, 0xFF);
  }
}
