#include "controls/EqPlotGeometry.h"

#include <cmath>

namespace {

// A pixel offset from a double: truncated toward zero, with what no int can hold (a band at
// 0 Hz gives -inf, a broken model NaN) pinned far outside any surface instead.
int ToPixel(double value) {
  constexpr double kFar = 1 << 24;
  if (std::isnan(value)) return 0;
  if (value > kFar) return static_cast<int>(kFar);
  if (value < -kFar) return -static_cast<int>(kFar);
  return static_cast<int>(value);
}

}  // namespace

void EqPlotGeometry::Recompute(const RECT& rcClient) {
  client = rcClient;
  const int height = client.bottom - client.top;
  const int width = client.right - client.left;
  rowHeight = nKedu > 0 ? (height - tdist - bdist) / nKedu : 0;
  plotHeight = rowHeight * nKedu;
  bottomGap = height - tdist - plotHeight;
  plotWidth = width - ldist - rdist;
  pointStep = plotWidth / 1024.0;
  xScale = plotWidth / (kLogTopFreq - logZero);
  yScale = dbMax > dbMin ? plotHeight / static_cast<double>(dbMax - dbMin) : 0.0;
}

int EqPlotGeometry::XAtFreq(double freq) const {
  return PlotLeft() + ToPixel((std::log10(freq) - logZero) * xScale + 0.5);
}

int EqPlotGeometry::YAtGain(double gain) const {
  return PlotTop() + ToPixel((dbMax - gain) * yScale + 0.5);
}

double EqPlotGeometry::FreqAtX(int x) const {
  return std::pow(10.0, (x - PlotLeft()) / xScale + logZero);
}

double EqPlotGeometry::GainAtY(int y) const { return dbMax - (y - PlotTop()) / yScale; }

int EqPlotGeometry::GridLineX(double freq) const {
  return PlotLeft() + ToPixel((std::log10(freq) - logZero) * plotWidth / (kLogTopFreq - logZero));
}

int EqPlotGeometry::ZeroLineY() const { return ToPixel(dbMax * yScale) + PlotTop(); }

double EqPlotGeometry::BandBaseY() const { return dbMax * yScale + PlotTop(); }
