// Writes pixels straight into the 32-bit DIB section selected in a device context, only where
// the context's clip lets drawing show: what a layer blended at constant alpha 255 (or a
// plain copy) leaves there, without the blend. What it reads of the device context (mapping,
// clip box, clip rectangles, surface) is kept until Forget, so a write costs no GDI call; the
// owner forgets whenever any of it may have changed. It refuses, writing nothing, whenever it
// cannot be sure of the result (a world transform, a mapping mode or a mirrored layout, a
// clip region that cannot be read, a surface it does not know), so that the caller draws the
// slow way instead.
#pragma once
#include <windows.h>

#include <vector>

namespace SWUI {

// What blending one premultiplied pixel over a surface does to each byte of a pixel: the
// platform's blend treats blue, green, red and alpha each on its own, so one table per byte
// (indexed by the byte the surface held) says it all.
struct ChannelMaps {
  BYTE b[256];
  BYTE g[256];
  BYTE r[256];
  BYTE a[256];
};

class SDibDirectWriter {
 public:
  // The pixels of a 32-bit top-down DIB section, width x height, row after row.
  struct Surface {
    DWORD* bits;
    LONG width;
    LONG height;
  };

  SDibDirectWriter() = default;
  ~SDibDirectWriter();
  SDibDirectWriter(const SDibDirectWriter&) = delete;
  SDibDirectWriter& operator=(const SDibDirectWriter&) = delete;

  bool Captured() const { return captured_; }
  // Reads the mapping and the clip of hdc, whose selected section is surface (no bits: none
  // that can be written directly).
  void Capture(HDC hdc, const Surface& surface);
  void Forget() { captured_ = false; }

  // The device offset of logical coordinates; false when the mapping is not a plain
  // translation or the surface cannot be written directly.
  bool Offset(POINT* offset) const {
    if (!captured_ || !direct_) return false;
    *offset = offset_;
    return true;
  }

  // The part of rc (logical coordinates) inside the device context's clip box, which for a
  // memory device context without a clip region is its surface: all that drawing can reach.
  // Empty when nothing of rc shows; rc itself when the clip box could not be read.
  RECT VisiblePart(const RECT& rc) const;

  // Writes pixel over visible (logical coordinates, a result of VisiblePart). True when done,
  // nothing drawn included; false, with nothing written, when it cannot be done directly.
  bool Fill(const RECT& visible, DWORD pixel) const;
  // Copies the pixels of src (the picture of visible, stride pixels to a row) whose alpha
  // byte is 0, made opaque; the others leave the surface alone. True and false as Fill.
  bool CopyDrawn(const RECT& visible, const DWORD* src, int stride) const;
  // Every pixel of visible that shows goes through the tables. True and false as Fill.
  bool Map(const RECT& visible, const ChannelMaps& maps) const;
  // Whether every pixel of visible that shows is opaque; false also when the surface cannot
  // be read directly.
  bool AllOpaque(const RECT& visible) const;
  // Makes every pixel of visible that shows opaque (its alpha byte 255). True and false as
  // Fill.
  bool MakeOpaque(const RECT& visible) const;

 private:
  // The device offset of logical coordinates when the mapping is a plain translation.
  static bool TranslationOf(HDC hdc, POINT* offset);
  // The rectangles of the clip region in device coordinates inside area; false when they
  // cannot be read.
  bool ReadClipRects(HDC hdc, const RECT& area);
  // Calls write(part, row) for every part of visible that shows (device coordinates), row
  // pointing at the part's first row in the surface.
  template <class F>
  bool ForEachPart(const RECT& visible, F write) const;

  bool captured_ = false;
  // What GetClipBox answered: the kind and the box in logical coordinates.
  int clipKind_ = ERROR;
  RECT clipBox_ = {0, 0, 0, 0};
  // Whether pixels can be written directly, and where.
  bool direct_ = false;
  Surface surface_ = {nullptr, 0, 0};
  POINT offset_ = {0, 0};
  std::vector<RECT> rects_;  // device coordinates, inside the surface
  HRGN clip_ = nullptr;
  std::vector<BYTE> regionData_;
};

}  // namespace SWUI
