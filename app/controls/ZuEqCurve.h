// The EQ editor's response curves, drawn with GDI+ over the editor's geometry: the selected
// band's (or filter's) response as a filled area with its outline, the total response, and the
// second total when the model has second filters. The point arrays are made once with the
// element and refilled from the model's ready-made responses. The curves are drawn into a layer
// over the plot (premultiplied, transparent elsewhere), which is blended onto the target at every
// paint and drawn again only when what it shows changed: the responses, the selection, the
// geometry or the pens. Without a model, without geometry or over an empty plot it draws
// nothing.
#pragma once
#include <objidl.h>
#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "Eq/EqCurve.h"
#include "IRenderTarget.h"
#include "base/SAutoRefPtr.h"
#include "controls/EqPlotGeometry.h"
#include "core/SWindow.h"

class ZuEqCurve : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zueqcurve")

 public:
  // Pen of the second total: ARGB.
  static constexpr Gdiplus::ARGB kSecondTotalArgb = 0xC8C5C512;

  ZuEqCurve();

  // "lineWidth", "colorLine", "colorCurrLine".
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SWindow::SetAttribute;

  void SetGeometry(const EqPlotGeometry* geometry) { geometry_ = geometry; }
  void SetModel(const EqCurveInfo* model) { model_ = model; }
  const EqCurveInfo* GetModel() const { return model_; }
  // Marks for repainting only where the curves were and where they are now (after a change of
  // the model): the rest of the plot keeps its pixels.
  void InvalidateCurves();

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnPaint(SWUI::IRenderTarget* pRT);
  // Fills pts with (x_i, zero line - values[i] x yScale), y at most maxY.
  void FillCurve(const std::vector<double>& values, Gdiplus::PointF* pts, double maxY) const;
  // The selected record's area and outline; false when the model selects none it holds.
  bool FillSelected();
  // Whether the layer shows the model and geometry as they are now (it notes them when not).
  bool LayerIsCurrent();
  // Draws the curves into the layer over the plot rectangle; false when no layer could be made.
  bool DrawLayer(const RECT& plot);
  // Where the curves reach now, within the plot: one rectangle for each vertical strip of the
  // plot they cross (the point arrays are filled meanwhile); none without a model.
  std::vector<RECT> CurveStrips();
  bool HasSecondTotal() const;
  // The curves on a canvas in the element's coordinates.
  void DrawCurves(class GdipCanvas& canvas);

  const EqPlotGeometry* geometry_ = nullptr;
  const EqCurveInfo* model_ = nullptr;
  COLORREF colorLine_ = 0x0000FF00;
  COLORREF colorCurrLine_ = 0x323C3C3C;
  int lineWidth_ = 2;
  std::vector<Gdiplus::PointF> total_;
  std::vector<Gdiplus::PointF> second_;
  std::vector<Gdiplus::PointF> selected_;  // base, the 1024 curve points, base

  // The layer and what it was drawn from.
  struct Drawn {
    std::vector<double> curve;
    std::vector<double> curve2;
    std::vector<double> selected;
    int selectedIndex = -1;
    int nBands = 0;
    bool second = false;
    RECT plot = {0, 0, 0, 0};
    double yScale = 0.0;
    double pointStep = 0.0;
    double zeroY = 0.0;
    double baseY = 0.0;
    COLORREF colorLine = 0;
    COLORREF colorCurrLine = 0;
    int lineWidth = 0;
    bool operator==(const Drawn& other) const;
  };
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> layer_;
  Drawn drawn_;
  bool layerValid_ = false;
  static constexpr int kStripWidth = 32;
  std::vector<RECT> layerStrips_;  // where the layer's curves reach, element coordinates
  bool selectedFilled_ = false;    // whether CurveStrips filled the selected area's points
};
