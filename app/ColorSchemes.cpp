#include "ColorSchemes.h"

#include <cstdio>

#include "controls/ZuEqCurve.h"
#include "core/SWindow.h"
#include "core/SwndStyle.h"

using SWUI::SStringW;
using SWUI::SWindow;

namespace {

// By scheme index: 0 the untinted look, 1 black, 2 grey, 3 pink, 4 red, 5 golden. The grey
// scheme keeps the untinted colours, which read on its grey as on the blue-grey; the coloured
// ones take an accent and a curve of their own hue, light enough for their tinted panels. The
// golden tint lights the buttons and chosen pills most: their texts turn nearly white there
// (not white itself, which the layouts give texts that keep it in every scheme).
const ColorSchemes::Palette kPalettes[] = {
    {RGB(0xD7, 0xDB, 0xE0), RGB(0xA0, 0xA8, 0xB1), RGB(0x3F, 0xA9, 0xF5), RGB(0x3F, 0xC4, 0x6B)},
    {RGB(0xD7, 0xDB, 0xE0), RGB(0xA0, 0xA8, 0xB1), RGB(0x3F, 0xA9, 0xF5), RGB(0x3F, 0xC4, 0x6B)},
    {RGB(0xD7, 0xDB, 0xE0), RGB(0xA0, 0xA8, 0xB1), RGB(0x3F, 0xA9, 0xF5), RGB(0x3F, 0xC4, 0x6B)},
    {RGB(0xD7, 0xDB, 0xE0), RGB(0xC4, 0xB4, 0xC0), RGB(0xF0, 0x8C, 0xD8), RGB(0xF0, 0x8C, 0xD8)},
    {RGB(0xD7, 0xDB, 0xE0), RGB(0xC8, 0xB4, 0xB4), RGB(0xFF, 0x9A, 0x8A), RGB(0xFF, 0x9A, 0x8A)},
    {RGB(0xFA, 0xFB, 0xFC), RGB(0xE0, 0xD8, 0xC4), RGB(0xFF, 0xDC, 0x6E), RGB(0xFF, 0xDC, 0x6E)},
};
constexpr int kPaletteCount = static_cast<int>(sizeof kPalettes / sizeof kPalettes[0]);

bool SameRgb(COLORREF a, COLORREF b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); }

// The colour as an attribute value, "#rrggbbaa".
SStringW ColorValue(COLORREF rgb, BYTE alpha) {
  wchar_t text[16];
  swprintf(text, 16, L"#%02x%02x%02x%02x", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), alpha);
  return SStringW(text);
}

}  // namespace

const ColorSchemes::Palette& ColorSchemes::Of(int index) {
  return kPalettes[index >= 0 && index < kPaletteCount ? index : 0];
}

void ColorSchemes::Recolor(SWindow* tree, int from, int to) {
  if (tree == nullptr) return;
  RecolorElement(tree, Of(from), Of(to));
}

void ColorSchemes::RecolorElement(SWindow* element, const Palette& from, const Palette& to) {
  SWUI::SwndStyle& style = element->GetStyle();
  bool changed = false;
  for (int state = 0; state < SWUI::SwndStyle::kStateCount; ++state) {
    const COLORREF color = style.GetTextColor(state);
    if (color == SWUI::CR_INVALID) continue;
    const COLORREF alpha = color & 0xFF000000u;
    for (COLORREF Palette::*role : {&Palette::text, &Palette::label, &Palette::accent}) {
      if (!SameRgb(color, from.*role)) continue;
      style.SetTextColor(state, (to.*role & 0xFFFFFF) | alpha);
      changed = true;
      break;
    }
  }
  if (auto* curve = dynamic_cast<ZuEqCurve*>(element)) {
    curve->SetAttribute(SStringW(L"colorLine"), ColorValue(to.curve, 0xFF), FALSE);
    curve->SetAttribute(SStringW(L"colorCurrLine"), ColorValue(to.accent, 0x32), FALSE);
    changed = true;
  }
  if (changed) element->Invalidate();
  for (SWindow* child = element->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    RecolorElement(child, from, to);
  }
}
