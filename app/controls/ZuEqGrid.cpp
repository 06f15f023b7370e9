#include "controls/ZuEqGrid.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "IBitmap.h"
#include "IFont.h"
#include "IPen.h"
#include "IRegion.h"
#include "IRenderFactory.h"
#include "controls/GridLine.h"
#include "core/SApplication.h"

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

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A 32-bit surface of the size, made or resized; its pixels are undefined.
bool PrepareGridSurface(SAutoRefPtr<IRenderTarget>* surface, SIZE size) {
  if (*surface == nullptr) {
    IRenderFactory* factory = SApplication::getSingleton().GetRenderFactory();
    IRenderTarget* made = nullptr;
    if (factory == nullptr || !factory->CreateRenderTarget(&made, size.cx, size.cy)) return false;
    surface->Attach(made);
    return true;
  }
  return SUCCEEDED((*surface)->Resize(size));
}

IBitmap* SurfaceBitmap(IRenderTarget* surface) {
  return static_cast<IBitmap*>(surface->GetCurrentObject(OT_BITMAP));
}

// Whether two surfaces of the same size hold the same pixels in `area` (surface coordinates).
bool SamePixels(IRenderTarget* a, IRenderTarget* b, const RECT& area) {
  IBitmap* bitmapA = SurfaceBitmap(a);
  IBitmap* bitmapB = SurfaceBitmap(b);
  if (bitmapA == nullptr || bitmapB == nullptr) return false;
  const SIZE size = bitmapA->Size();
  const SIZE other = bitmapB->Size();
  if (size.cx != other.cx || size.cy != other.cy || area.left < 0 || area.top < 0 ||
      area.right > size.cx || area.bottom > size.cy) {
    return false;
  }
  GdiFlush();
  const auto* pixelsA = static_cast<const DWORD*>(bitmapA->GetPixelBits());
  const auto* pixelsB = static_cast<const DWORD*>(bitmapB->GetPixelBits());
  if (pixelsA == nullptr || pixelsB == nullptr) return false;
  const size_t rowBytes = static_cast<size_t>(area.right - area.left) * sizeof(DWORD);
  for (int y = area.top; y < area.bottom; ++y) {
    const size_t at = static_cast<size_t>(y) * size.cx + area.left;
    if (std::memcmp(pixelsA + at, pixelsB + at, rowBytes) != 0) return false;
  }
  return true;
}

// Only a target drawn without a transform maps element pixels one to one.
bool IsPlainTarget(IRenderTarget* pRT) {
  float matrix[6] = {};
  if (FAILED(pRT->GetTransform(matrix))) return false;
  return matrix[0] == 1.0f && matrix[1] == 0.0f && matrix[2] == 0.0f && matrix[3] == 1.0f &&
         matrix[4] == 0.0f && matrix[5] == 0.0f;
}

// The part of `window` the target paints, when that is one rectangle (a paint of several
// areas leaves stale pixels between them, which are no ground to compare).
bool PaintsOneRect(IRenderTarget* pRT, const RECT& window, RECT* area) {
  pRT->GetClipBox(area);
  IntersectRect(area, area, &window);
  SAutoRefPtr<IRegion> clip;
  IRegion* made = nullptr;
  if (FAILED(pRT->GetClipRegion(&made)) || made == nullptr) return false;
  clip.Attach(made);
  if (clip->IsEmpty()) return true;  // no clip region: the box is all of it
  const int kind = clip->CombineRect(&window, RGN_AND);
  return kind == NULLREGION || kind == SIMPLEREGION;
}

}  // namespace

bool ZuEqGrid::Look::operator==(const Look& other) const {
  return SameRect(window, other.window) && SameRect(client, other.client) &&
         std::equal(std::begin(margins), std::end(margins), std::begin(other.margins)) &&
         std::equal(std::begin(scale), std::end(scale), std::begin(other.scale)) &&
         border == other.border && text == other.text &&
         std::memcmp(&font, &other.font, sizeof font) == 0;
}

ZuEqGrid::Look ZuEqGrid::CurrentLook(IRenderTarget* pRT) const {
  const EqPlotGeometry& g = *geometry_;
  Look look;
  look.window = GetWindowRect();
  look.client = g.client;
  const int margins[4] = {g.ldist, g.tdist, g.rdist, g.bdist};
  std::copy(std::begin(margins), std::end(margins), look.margins);
  const int scale[5] = {g.dbMax, g.dbMin, g.nKedu, g.dbKeduVal, g.zeroXFreq};
  std::copy(std::begin(scale), std::end(scale), look.scale);
  look.border = m_style.GetBorderColor();
  look.text = pRT->GetTextColor();
  if (auto* font = static_cast<IFont*>(pRT->GetCurrentObject(OT_FONT))) {
    if (const LOGFONTW* lf = font->LogFont()) look.font = *lf;
  }
  return look;
}

void ZuEqGrid::OnPaint(IRenderTarget* pRT) {
  if (geometry_ == nullptr || geometry_->IsEmpty()) return;
  SPainter painter;
  BeforePaint(pRT, painter);
  const Look look = CurrentLook(pRT);
  RECT area = {0, 0, 0, 0};
  const bool plain = IsPlainTarget(pRT) && PaintsOneRect(pRT, look.window, &area);
  const bool current = keptValid_ && look == kept_;
  if (!plain || !current || !CopyKept(pRT, area)) {
    // A paint of the whole grid keeps it anew; a partial one only draws (and the kept grid
    // stays good while its look does).
    if (!current) keptValid_ = false;
    if (plain && SameRect(area, look.window) && !Keep(pRT, look)) keptValid_ = false;
    DrawGrid(pRT);
    ++drawCount_;
  }
  AfterPaint(pRT, painter);
}

bool ZuEqGrid::CopyKept(IRenderTarget* pRT, const RECT& area) {
  if (IsRectEmpty(&area)) return true;
  const RECT& window = kept_.window;
  RECT inSurface = area;
  OffsetRect(&inSurface, -window.left, -window.top);
  if (FAILED(now_->BitBlt(&inSurface, pRT, area.left, area.top, SRCCOPY)) ||
      !SamePixels(now_, beneath_, inSurface)) {
    return false;
  }
  return SUCCEEDED(pRT->BitBlt(&area, withGrid_, inSurface.left, inSurface.top, SRCCOPY));
}

bool ZuEqGrid::Keep(IRenderTarget* pRT, const Look& look) {
  const RECT& window = look.window;
  const SIZE size = {window.right - window.left, window.bottom - window.top};
  if (size.cx <= 0 || size.cy <= 0 || !PrepareGridSurface(&beneath_, size) ||
      !PrepareGridSurface(&withGrid_, size) || !PrepareGridSurface(&now_, size)) {
    return false;
  }
  const RECT whole = {0, 0, size.cx, size.cy};
  if (FAILED(beneath_->BitBlt(&whole, pRT, window.left, window.top, SRCCOPY)) ||
      FAILED(withGrid_->BitBlt(&whole, beneath_, 0, 0, SRCCOPY))) {
    return false;
  }
  // The same drawing as on the target: its font and text colour, element coordinates.
  SAutoRefPtr<IRenderObj> oldFont;
  IRenderObj* old = nullptr;
  withGrid_->SelectObject(pRT->GetCurrentObject(OT_FONT), &old);
  oldFont.Attach(old);
  withGrid_->SetTextColor(pRT->GetTextColor());
  POINT origin = {0, 0};
  withGrid_->SetViewportOrg(POINT{-window.left, -window.top});
  DrawGrid(withGrid_);
  withGrid_->SetViewportOrg(origin);
  withGrid_->SelectObject(oldFont, nullptr);
  kept_ = look;
  keptValid_ = true;
  return true;
}

void ZuEqGrid::DrawGrid(IRenderTarget* pRT) {
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
