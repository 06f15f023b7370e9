#include "SchemeContrast.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "LayoutAudit.h"
#include "controls/ContrastRatio.h"
#include "control/STabCtrl.h"
#include "core/SWindow.h"
#include "core/SwndStyle.h"

using SWUI::SWindow;

namespace {

DWORD RgbOf(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

// Anti-aliased edges of the glyphs lie between the text's colour and the one under it.
bool Near(DWORD a, DWORD b, int within) {
  for (int shift = 0; shift <= 16; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        within) {
      return false;
    }
  }
  return true;
}

std::string Hex(DWORD rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06lX", static_cast<unsigned long>(rgb & 0xFFFFFF));
  return text;
}

}  // namespace

double SchemeContrast::Ratio(DWORD rgbA, DWORD rgbB) {
  auto colorRef = [](DWORD rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); };
  return ContrastRatio(colorRef(rgbA), colorRef(rgbB));
}

void SchemeContrast::Check(SWindow* root) {
  if (root == nullptr) return;
  const RECT all = {0, 0, size_.cx, size_.cy};
  Walk(root, all);
}

void SchemeContrast::Walk(SWindow* element, const RECT& visible) {
  if (!element->IsVisible(TRUE)) return;
  RECT shown;
  const RECT rc = element->GetWindowRect();
  if (!IntersectRect(&shown, &rc, &visible)) return;
  CheckText(element, shown);
  RECT client;
  element->GetClientRect(&client);
  RECT inner;
  if (!IntersectRect(&inner, &client, &visible)) return;
  for (SWindow* child = element->GetWindow(SWUI::GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(SWUI::GSW_NEXTSIBLING)) {
    Walk(child, inner);
  }
}

void SchemeContrast::CheckText(SWindow* element, const RECT& visible) {
  // Texts of controls the user cannot use need not stand out.
  if (element->IsDisabled(TRUE)) return;
  if (auto* tabs = dynamic_cast<SWUI::STabCtrl*>(element)) {
    CheckTabTitles(tabs, visible);
    return;
  }
  if (element->GetWindowText(TRUE).IsEmpty()) return;
  CheckColor(element, element->GetStyle().GetTextColor(element->GetStateIndex()), visible);
}

void SchemeContrast::CheckTabTitles(SWUI::STabCtrl* tabs, const RECT& visible) {
  // The titles draw in the state colours the tab control gives them: the chosen one pushed.
  for (int i = 0; i < tabs->GetItemCount(); ++i) {
    RECT item, shown;
    if (!tabs->GetItemRect(i, &item) || !IntersectRect(&shown, &item, &visible)) continue;
    const int state = i == tabs->GetCurSel() ? SWUI::SwndStyle::kStatePush
                                             : SWUI::SwndStyle::kStateNormal;
    CheckColor(tabs, tabs->GetStyle().GetTextColor(state), shown);
  }
}

void SchemeContrast::CheckColor(SWindow* element, COLORREF color, const RECT& visible) {
  if (color == SWUI::CR_INVALID) return;
  const DWORD text = RgbOf(color);
  DWORD under = 0;
  if (!Underneath(visible, text, &under)) return;
  ++checked_;
  const double ratio = Ratio(text, under);
  if (ratio >= kMinimum) return;
  char figure[16];
  std::snprintf(figure, sizeof figure, "%.2f", ratio);
  failures_.push_back(where_ + ": " + LayoutAudit::Describe(element) + " text " + Hex(text) +
                      " on " + Hex(under) + " is " + figure + ":1 at " +
                      LayoutAudit::Rect(visible));
}

bool SchemeContrast::Underneath(const RECT& rc, DWORD text, DWORD* under) const {
  // A frame's border is no background: two pixels of each edge stay out where the element is
  // large enough. Gradients spread a fill over many near colours: they count as one, the mean
  // of those within 16 levels per channel.
  RECT inner = rc;
  if (inner.right - inner.left > 12 && inner.bottom - inner.top > 12) InflateRect(&inner, -2, -2);
  struct Bucket {
    int count = 0;
    long sum[3] = {0, 0, 0};
  };
  std::map<DWORD, Bucket> buckets;
  for (int y = std::max(0L, inner.top); y < std::min(size_.cy, inner.bottom); ++y) {
    for (int x = std::max(0L, inner.left); x < std::min(size_.cx, inner.right); ++x) {
      const DWORD rgb = pixels_[y * size_.cx + x] & 0xFFFFFF;
      if (Near(rgb, text, 24)) continue;
      Bucket& bucket = buckets[(rgb >> 4) & 0x0F0F0F];
      ++bucket.count;
      for (int c = 0; c < 3; ++c) bucket.sum[c] += (rgb >> (8 * c)) & 0xFF;
    }
  }
  const Bucket* best = nullptr;
  for (const auto& entry : buckets) {
    if (best == nullptr || entry.second.count > best->count) best = &entry.second;
  }
  if (best == nullptr) return false;
  *under = 0;
  for (int c = 0; c < 3; ++c) {
    *under |= static_cast<DWORD>((best->sum[c] + best->count / 2) / best->count) << (8 * c);
  }
  return true;
}
