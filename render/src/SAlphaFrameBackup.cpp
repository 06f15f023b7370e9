#include "SAlphaFrameBackup.h"

#include <algorithm>

namespace SWUI {

void SAlphaFrameBackup::Save(const SDibDirectWriter::Surface& surface, const RECT& area,
                             int thickness) {
  surface_ = surface;
  stripCount_ = 0;
  saved_.clear();
  const RECT bounds = {0, 0, surface.width, surface.height};
  RECT a;
  if (surface.bits == nullptr || !IntersectRect(&a, &area, &bounds)) return;
  // The strips follow the edges of the unclipped area: only those lie along the drawing.
  const LONG t = std::max(thickness, 1);
  const RECT strips[4] = {
      {area.left, area.top, area.right, area.top + t},                   // top
      {area.left, std::max(area.top + t, area.bottom - t), area.right, area.bottom},  // bottom
      {area.left, area.top + t, area.left + t, area.bottom - t},         // left
      {std::max(area.left + t, area.right - t), area.top + t, area.right, area.bottom - t},
  };
  size_t bytes = 0;
  for (const RECT& strip : strips) {
    RECT part;
    // The left and right strips stay inside the area, below the top and above the bottom.
    RECT inside = strip;
    inside.right = std::min(inside.right, area.right);
    inside.bottom = std::min(inside.bottom, area.bottom);
    if (!IntersectRect(&part, &inside, &a)) continue;
    strips_[stripCount_++] = part;
    bytes += static_cast<size_t>(part.right - part.left) * (part.bottom - part.top);
  }
  saved_.resize(bytes);
  BYTE* out = saved_.data();
  ForEachAlpha([&out](BYTE& alpha) { *out++ = alpha; });
}

void SAlphaFrameBackup::Restore() {
  const BYTE* in = saved_.data();
  ForEachAlpha([&in](BYTE& alpha) { alpha = *in++; });
  stripCount_ = 0;
}

template <class F>
void SAlphaFrameBackup::ForEachAlpha(F f) {
  for (int i = 0; i < stripCount_; ++i) {
    const RECT& s = strips_[i];
    for (LONG y = s.top; y < s.bottom; ++y) {
      BYTE* px = reinterpret_cast<BYTE*>(surface_.bits + static_cast<size_t>(y) * surface_.width +
                                         s.left);
      for (LONG x = s.left; x < s.right; ++x, px += 4) f(px[3]);
    }
  }
}

}  // namespace SWUI
