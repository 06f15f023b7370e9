#include "controls/ZuEqGrid.h"

#include <cwchar>

#include "IPen.h"
#include "controls/GridLine.h"

using namespace SWUI;

namespace {

struct FreqLine {
  double freq;      // 0: the plot's left edge (zeroXFreq)
  LPCWSTR label;    // null: unlabelled
};

const FreqLine kFreqLines[] = {
    {0, nullptr},         {20, L"20Hz"},       {30, nullptr},       {40, nullptr},
    {50, L"50Hz"},        {60, nullptr},       {70, nullptr},       {80, nullptr},
    {90, nullptr},        {100, L"100Hz"},     {200, L"200Hz"},     {300, nullptr},
    {400, nullptr},       {500, L"500Hz"},     {600, nullptr},      {700, nullptr},
    {800, nullptr},       {900, nullptr},      {1000, L"1kHz"},     {2000, L"2kHz"},
    {3000, nullptr},      {4000, nullptr},     {5000, L"5kHz"},     {6000, nullptr},
    {7000, nullptr},      {8000, nullptr},     {9000, nullptr},     {10000, L"10kHz"},
    {20000, L"20kHz"},
};
static_assert(sizeof(kFreqLines) / sizeof(kFreqLines[0]) == 29, "29 frequency lines");

}  // namespace

void ZuEqGrid::OnPaint(IRenderTarget* pRT) {
  if (geometry_ == nullptr || geometry_->IsEmpty()) return;
  SPainter painter;
  BeforePaint(pRT, painter);
  SAutoRefPtr<IPen> pen;
  const COLORREF border = m_style.GetBorderColor();
  if (border != CR_INVALID) {
    IPen* made = nullptr;
    pRT->CreatePen(PS_SOLID, border, 1, &made);
    pen.Attach(made);
  }
  SAutoRefPtr<IRenderObj> oldPen;
  if (pen != nullptr) {
    IRenderObj* old = nullptr;
    pRT->SelectObject(pen, &old);
    oldPen.Attach(old);
  }
  DrawDbRows(pRT, pen != nullptr);
  DrawFrequencyLines(pRT, pen != nullptr);
  if (pen != nullptr) pRT->SelectObject(oldPen, nullptr);
  AfterPaint(pRT, painter);
}

void ZuEqGrid::DrawDbRows(IRenderTarget* pRT, bool lines) {
  const EqPlotGeometry& g = *geometry_;
  const int rowDb = (g.dbMax - g.dbMin) / g.nKedu;
  const int right = g.client.right - g.rdist;
  for (int k = 0; k <= g.nKedu; ++k) {
    const int value = g.dbMax - k * rowDb;
    const int y = g.PlotTop() + k * g.rowHeight;
    if (lines) GridLine::Draw(pRT, g.PlotLeft(), y, right, y);
    if (value % g.dbKeduVal != 0) continue;
    wchar_t text[24];
    const int len = swprintf(text, 24, L"%ddB", value);
    RECT box = {g.client.left + 2, y - 7, g.client.left + g.ldist - 2, y - 7 + g.rowHeight + 2};
    pRT->DrawText(text, len, &box, DT_RIGHT | DT_SINGLELINE);
  }
}

void ZuEqGrid::DrawFrequencyLines(IRenderTarget* pRT, bool lines) {
  const EqPlotGeometry& g = *geometry_;
  const int bottom = g.client.bottom - g.bottomGap;
  for (const FreqLine& line : kFreqLines) {
    const int x = g.GridLineX(line.freq > 0 ? line.freq : g.zeroXFreq);
    if (lines) GridLine::Draw(pRT, x, g.PlotTop(), x, bottom);
    if (line.label != nullptr) {
      pRT->TextOut(x - 12, bottom + 2, line.label, static_cast<int>(wcslen(line.label)));
    }
  }
}
