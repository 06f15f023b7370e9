#include "SDibDirectWriter.h"

#include "FillPixels.h"

namespace SWUI {

SDibDirectWriter::~SDibDirectWriter() {
  if (clip_ != nullptr) DeleteObject(clip_);
}

bool SDibDirectWriter::TranslationOf(HDC hdc, POINT* offset) {
  if (GetMapMode(hdc) != MM_TEXT || GetLayout(hdc) != 0) return false;
  if (GetGraphicsMode(hdc) == GM_ADVANCED) {
    XFORM xf{};
    if (!GetWorldTransform(hdc, &xf)) return false;
    if (xf.eM11 != 1.0f || xf.eM12 != 0.0f || xf.eM21 != 0.0f || xf.eM22 != 1.0f ||
        xf.eDx != 0.0f || xf.eDy != 0.0f) {
      return false;
    }
  }
  // With MM_TEXT and no transform, device = logical - window origin + viewport origin.
  POINT viewport;
  POINT window;
  if (!GetViewportOrgEx(hdc, &viewport) || !GetWindowOrgEx(hdc, &window)) return false;
  offset->x = viewport.x - window.x;
  offset->y = viewport.y - window.y;
  return true;
}

bool SDibDirectWriter::ReadClipRects(HDC hdc, const RECT& area) {
  if (clip_ == nullptr) clip_ = CreateRectRgn(0, 0, 0, 0);
  if (clip_ == nullptr || GetClipRgn(hdc, clip_) != 1) return false;
  const DWORD size = GetRegionData(clip_, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return false;
  regionData_.resize(size);
  auto* data = reinterpret_cast<RGNDATA*>(regionData_.data());
  if (GetRegionData(clip_, size, data) != size || data->rdh.iType != RDH_RECTANGLES) {
    return false;
  }
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    RECT part;
    if (IntersectRect(&part, &rects[i], &area)) rects_.push_back(part);
  }
  return true;
}

void SDibDirectWriter::Capture(HDC hdc, const Surface& surface) {
  captured_ = true;
  direct_ = false;
  rects_.clear();
  clipKind_ = ::GetClipBox(hdc, &clipBox_);
  surface_ = surface;
  if (clipKind_ == ERROR || surface.bits == nullptr || !TranslationOf(hdc, &offset_)) return;
  // The clip box on the surface, in device coordinates.
  RECT area = clipBox_;
  OffsetRect(&area, offset_.x, offset_.y);
  const RECT bounds = {0, 0, surface.width, surface.height};
  if (clipKind_ == NULLREGION || !IntersectRect(&area, &area, &bounds)) {
    direct_ = true;
    return;
  }
  // A simple clip is its box; a complex one goes by its rectangles.
  if (clipKind_ == COMPLEXREGION) {
    direct_ = ReadClipRects(hdc, area);
    return;
  }
  rects_.push_back(area);
  direct_ = true;
}

RECT SDibDirectWriter::VisiblePart(const RECT& rc) const {
  if (clipKind_ == ERROR) return rc;
  RECT visible;
  if (!IntersectRect(&visible, &rc, &clipBox_)) SetRectEmpty(&visible);
  return visible;
}

template <class F>
bool SDibDirectWriter::ForEachPart(const RECT& visible, F write) const {
  if (!captured_ || !direct_) return false;
  if (IsRectEmpty(&visible)) return true;
  RECT area = visible;
  OffsetRect(&area, offset_.x, offset_.y);
  // Whatever GDI still holds back must land before the pixels are touched.
  GdiFlush();
  for (const RECT& rc : rects_) {
    RECT part;
    if (!IntersectRect(&part, &rc, &area)) continue;
    write(part, surface_.bits + static_cast<size_t>(part.top) * surface_.width);
  }
  return true;
}

bool SDibDirectWriter::Fill(const RECT& visible, DWORD pixel) const {
  return ForEachPart(visible, [&](const RECT& part, DWORD* row) {
    for (LONG y = part.top; y < part.bottom; ++y, row += surface_.width) {
      FillPixels(row + part.left, part.right - part.left, pixel);
    }
  });
}

bool SDibDirectWriter::CopyDrawn(const RECT& visible, const DWORD* src, int stride) const {
  // src's top-left pixel lies at visible's top-left corner.
  const LONG left = visible.left + offset_.x;
  const LONG top = visible.top + offset_.y;
  return ForEachPart(visible, [&](const RECT& part, DWORD* row) {
    const DWORD* in = src + static_cast<size_t>(part.top - top) * stride + (part.left - left);
    const LONG width = part.right - part.left;
    for (LONG y = part.top; y < part.bottom; ++y, row += surface_.width, in += stride) {
      DWORD* out = row + part.left;
      for (LONG x = 0; x < width; ++x) {
        if ((in[x] & 0xFF000000u) == 0) out[x] = in[x] | 0xFF000000u;
      }
    }
  });
}

bool SDibDirectWriter::Map(const RECT& visible, const ChannelMaps& maps) const {
  return ForEachPart(visible, [&](const RECT& part, DWORD* row) {
    for (LONG y = part.top; y < part.bottom; ++y, row += surface_.width) {
      for (LONG x = part.left; x < part.right; ++x) {
        const DWORD px = row[x];
        row[x] = static_cast<DWORD>(maps.b[px & 0xFF]) |
                 static_cast<DWORD>(maps.g[(px >> 8) & 0xFF]) << 8 |
                 static_cast<DWORD>(maps.r[(px >> 16) & 0xFF]) << 16 |
                 static_cast<DWORD>(maps.a[px >> 24]) << 24;
      }
    }
  });
}

bool SDibDirectWriter::AllOpaque(const RECT& visible) const {
  bool opaque = true;
  const bool read = ForEachPart(visible, [&](const RECT& part, DWORD* row) {
    for (LONG y = part.top; y < part.bottom && opaque; ++y, row += surface_.width) {
      for (LONG x = part.left; x < part.right; ++x) {
        if ((row[x] >> 24) != 0xFF) {
          opaque = false;
          break;
        }
      }
    }
  });
  return read && opaque;
}

bool SDibDirectWriter::MakeOpaque(const RECT& visible) const {
  return ForEachPart(visible, [&](const RECT& part, DWORD* row) {
    for (LONG y = part.top; y < part.bottom; ++y, row += surface_.width) {
      for (LONG x = part.left; x < part.right; ++x) row[x] |= 0xFF000000u;
    }
  });
}

}  // namespace SWUI
