#include "controls/ZuCarGrid.h"

#include "control/SScopedPen.h"
#include "controls/GridLine.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

namespace {

constexpr int kTick = 5;
constexpr UINT kLabelFormat = DT_SINGLELINE | DT_VCENTER | DT_RIGHT;

void Label(IRenderTarget* pRT, double valueMm, RECT box) {
  SStringW text;
  text.Format(L"%.01f", valueMm / 1000.0);
  pRT->DrawText(text, text.GetLength(), &box, kLabelFormat);
}

}  // namespace

HRESULT ZuCarGrid::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"widthGuidLine")) {
    widthGuidLine_ = P::Int(value);
    return S_OK;
  }
  if (P::IsName(name, L"widthCoords")) {
    widthCoords_ = P::Int(value);
    return S_OK;
  }
  COLORREF* color = nullptr;
  if (P::IsName(name, L"colorGuidLine")) color = &colorGuidLine_;
  if (P::IsName(name, L"colorCoords")) color = &colorCoords_;
  if (color == nullptr) return SWindow::SetAttribute(name, value, bLoading);
  return ParseNamedColor(value, color);
}

void ZuCarGrid::OnPaint(IRenderTarget* pRT) {
  if (geometry_ == nullptr) return;
  const CarPlotGeometry& g = *geometry_;
  const RECT rc = GetClientRect();
  const RECT area = g.DrawingArea(rc);
  SPainter painter;
  BeforePaint(pRT, painter);
  {
    SScopedPen pen(pRT, PS_SOLID, colorCoords_, widthCoords_);
    if (pen) {
      GridLine::Draw(pRT, area.left, area.bottom, area.right, area.bottom);
      GridLine::Draw(pRT, area.left, area.top, area.left, area.bottom);
    }
    DrawScales(pRT, rc, area);
  }
  {
    SScopedPen pen(pRT, PS_DOT, colorGuidLine_, widthGuidLine_);
    if (pen) {
      GridLine::Draw(pRT, area.left, g.guide.y, area.right, g.guide.y);
      GridLine::Draw(pRT, g.guide.x, area.top, g.guide.x, area.bottom);
    }
  }
  AfterPaint(pRT, painter);
}

// Ticks are drawn with the coordinate pen selected by the caller. The first tick of each scale
// always shows; the next follows while its label still fits inside the drawing area.
void ZuCarGrid::DrawScales(IRenderTarget* pRT, const RECT& rc, const RECT& area) {
  const CarPlotGeometry& g = *geometry_;
  const int step = g.GridStep();
  int y = area.bottom;
  // Millimetres as doubles: a long scale of large steps stays exact and never overflows.
  double value = g.yStart;
  do {
    GridLine::Draw(pRT, area.left, y, area.left + kTick, y);
    Label(pRT, value, RECT{rc.left + 2, y - 15, area.left, y + 15});
    value += g.mmPerScale;
    y -= step;
  } while (y - 15 >= area.top);

  const int halfMargin = g.ldist / 2;
  int x = area.left;
  value = g.xStart;
  do {
    GridLine::Draw(pRT, x, area.bottom, x, area.bottom - kTick);
    Label(pRT, value,
          RECT{x - halfMargin - 8, area.bottom, x + g.ldist - halfMargin - 10, area.bottom + 30});
    value += g.mmPerScale;
    x += step;
  } while (x + g.ldist - halfMargin - 10 <= area.right);
}
