// The EQ editor's grid: one line per dB row, labelled where the value is a multiple of the
// label step, and one line per frequency decade step from the plot's left edge to 20 kHz,
// labelled at 20, 50, 100, 200, 500 Hz, 1, 2, 5, 10 and 20 kHz. Lines take the element's
// border colour, labels its text colour and font. It draws on the editor's geometry, which the
// editor hands it; without one, or over an empty plot, it draws nothing.
#pragma once
#include "controls/EqPlotGeometry.h"
#include "core/SWindow.h"

class ZuEqGrid : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zueqgrid")

 public:
  void SetGeometry(const EqPlotGeometry* geometry) { geometry_ = geometry; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  void OnPaint(SWUI::IRenderTarget* pRT);
  void DrawDbRows(SWUI::IRenderTarget* pRT, bool lines);
  void DrawFrequencyLines(SWUI::IRenderTarget* pRT, bool lines);

  const EqPlotGeometry* geometry_ = nullptr;
};
