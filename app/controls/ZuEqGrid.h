// The EQ editor's grid: one line per dB row, labelled where the value is a multiple of the
// label step, and one line per frequency decade step from the plot's left edge to 20 kHz,
// labelled at 20, 50, 100, 200, 500 Hz, 1, 2, 5, 10 and 20 kHz. Lines take the element's
// border colour, labels its text colour and font. It draws on the editor's geometry, which the
// editor hands it; without one, or over an empty plot, it draws nothing.
//
// The grid is kept as pixels: what lay beneath it when it was drawn, and the same with the grid
// over it. A paint copies the kept grid wherever what lies beneath now is what lay beneath then,
// and draws it again (and keeps it anew) when the geometry, the window rectangle, the colours,
// the font or what lies beneath changed.
#pragma once
#include "controls/EqPlotGeometry.h"
#include "core/SWindow.h"

class ZuEqGrid : public SWUI::SWindow {
  SWUI_CLASS_NAME(SWUI::SWindow, L"zueqgrid")

 public:
  void SetGeometry(const EqPlotGeometry* geometry) { geometry_ = geometry; }
  // How often the grid was drawn line by line (the rest of its paints were copies).
  int DrawCount() const { return drawCount_; }

 protected:
  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SWindow)

 private:
  // What the grid's pixels follow from, besides what lies beneath it.
  struct Look {
    RECT window = {0, 0, 0, 0};
    RECT client = {0, 0, 0, 0};
    int margins[4] = {0, 0, 0, 0};
    int scale[5] = {0, 0, 0, 0, 0};  // dbMax, dbMin, nKedu, dbKeduVal, zeroXFreq
    COLORREF border = 0;
    COLORREF text = 0;
    LOGFONTW font = {};
    bool operator==(const Look& other) const;
  };

  void OnPaint(SWUI::IRenderTarget* pRT);
  Look CurrentLook(SWUI::IRenderTarget* pRT) const;
  // Draws the lines and labels with the target's font and text colour.
  void DrawGrid(SWUI::IRenderTarget* pRT);
  void DrawDbRows(SWUI::IRenderTarget* pRT, bool lines);
  void DrawFrequencyLines(SWUI::IRenderTarget* pRT, bool lines);
  // Copies the kept grid over `area` when what lies beneath it there is unchanged.
  bool CopyKept(SWUI::IRenderTarget* pRT, const RECT& area);
  // Keeps what lies beneath the whole grid now, and the grid drawn over it.
  bool Keep(SWUI::IRenderTarget* pRT, const Look& look);

  const EqPlotGeometry* geometry_ = nullptr;
  Look kept_;
  bool keptValid_ = false;
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> beneath_;   // what lay beneath the kept grid
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> withGrid_;  // the same with the grid drawn over it
  SWUI::SAutoRefPtr<SWUI::IRenderTarget> now_;       // what lies beneath now, to compare
  int drawCount_ = 0;
};
