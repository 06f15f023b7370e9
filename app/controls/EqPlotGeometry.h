// Where the EQ editor's plot lies inside its client rectangle and how frequency and gain map to
// pixels: the editor owns one and lends it to its grid and curve children, so that the three
// draw and place on the same scales. Frequencies run logarithmically from zeroXFreq at the plot's
// left edge to 24 kHz at its right; gains linearly from dbMax at the top to dbMin at the bottom.
#pragma once
#include <windows.h>

struct EqPlotGeometry {
  // log10 of the frequency at the plot's right edge.
  static constexpr double kLogTopFreq = 4.380211241711606;  // log10(24000)

  // Margins between the client rectangle and the plot (bdist only sizes the rows: what is left
  // below them is the bottom gap).
  int ldist = 36;
  int tdist = 18;
  int bdist = 16;
  int rdist = 0;
  int bottomGap = 0;
  int rowHeight = 0;
  double pointStep = 0.0;  // pixels per curve point
  double xScale = 0.0;     // pixels per decade
  double yScale = 0.0;     // pixels per dB
  int plotWidth = 0;
  int plotHeight = 0;
  int dbMax = 12;
  int dbMin = -24;
  int nKedu = 12;     // dB grid rows
  int dbKeduVal = 6;  // a dB line is labelled when its value is a multiple of this
  int zeroXFreq = 10;
  double logZero = 1.0;  // log10(zeroXFreq)
  RECT client = {0, 0, 0, 0};

  // Takes a new client rectangle and derives the rows, the plot and the scales from it.
  void Recompute(const RECT& rcClient);
  // No plot to draw on: no row fits, or the margins leave no width.
  bool IsEmpty() const { return plotWidth <= 0 || plotHeight <= 0; }

  int PlotLeft() const { return client.left + ldist; }
  int PlotTop() const { return client.top + tdist; }
  int PlotBottom() const { return PlotTop() + plotHeight; }
  // The plot as the curves may paint it: from its left edge to the client's right less rdist,
  // from its top down to and including the bottom grid line (the dB minimum's row).
  RECT PlotRect() const {
    return RECT{PlotLeft(), PlotTop(), PlotLeft() + plotWidth, PlotBottom() + 1};
  }

  // Handle positions: rounded to the nearest pixel.
  int XAtFreq(double freq) const;
  int YAtGain(double gain) const;
  // The inverse mappings, unclamped: a pixel outside the plot gives a value outside its range.
  double FreqAtX(int x) const;
  double GainAtY(int y) const;
  // Grid lines: truncated, and scaled by width / decades in that order.
  int GridLineX(double freq) const;
  // The 0 dB line of the curves (truncated) and the base of a band's filled area (not).
  int ZeroLineY() const;
  double BandBaseY() const;
};
