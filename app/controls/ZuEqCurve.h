// The EQ editor's response curves, drawn with GDI+ over the editor's geometry: the selected
// band's (or filter's) response as a filled area with its outline, the total response, and the
// second total when the model has second filters. The point arrays are made once with the
// element and refilled at every paint from the model's ready-made responses. Without a model,
// without geometry or over an empty plot it draws nothing.
#pragma once
#include <objidl.h>
#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "Eq/EqCurve.h"
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

  const EqPlotGeometry* geometry_ = nullptr;
  const EqCurveInfo* model_ = nullptr;
  COLORREF colorLine_ = 0x0000FF00;
  COLORREF colorCurrLine_ = 0x323C3C3C;
  int lineWidth_ = 2;
  std::vector<Gdiplus::PointF> total_;
  std::vector<Gdiplus::PointF> second_;
  std::vector<Gdiplus::PointF> selected_;  // base, the 1024 curve points, base
};
