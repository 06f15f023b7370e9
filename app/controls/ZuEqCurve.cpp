#include "controls/ZuEqCurve.h"

#include <cmath>

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

void ZuEqCurve::OnPaint(IRenderTarget* pRT) {
  if (geometry_ == nullptr || geometry_->IsEmpty() || model_ == nullptr ||
      model_->curve.size() != static_cast<size_t>(kEqCurvePoints)) {
    return;
  }
  GdipCanvas canvas(pRT);
  // Curves far outside the dB range (a steep filter's skirt) end at the plot's edges, not at
  // the labels or the container's border below it.
  if (!canvas.ClipTo(geometry_->PlotRect())) return;
  if (FillSelected()) {
    const Gdiplus::ARGB color = GdipCanvas::ToArgb(colorCurrLine_);
    canvas.FillPolygon(selected_.data(), kEqCurvePoints + 2, color);
    canvas.DrawLines(&selected_[1], kEqCurvePoints, color, static_cast<float>(lineWidth_));
  }
  FillCurve(model_->curve, total_.data(), HUGE_VAL);
  canvas.DrawLines(total_.data(), kEqCurvePoints, GdipCanvas::ToArgb(colorLine_) | 0xFF000000u,
                   2.0f);
  const bool second = model_->hp2Index >= 0 || model_->lp2Index >= 0;
  if (second && model_->curve2.size() == static_cast<size_t>(kEqCurvePoints)) {
    FillCurve(model_->curve2, second_.data(), HUGE_VAL);
    canvas.DrawLines(second_.data(), kEqCurvePoints, kSecondTotalArgb, 2.0f);
  }
}
