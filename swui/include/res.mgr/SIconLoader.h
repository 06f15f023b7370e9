// Icons and cursors made from whole icon (.ico) and cursor (.cur) file images held in memory
// or in a file, as zip packages and loose files hold them; animated cursors ("RIFF") go to
// the platform as they are. Every failure gives null. Damaged images are refused: every size
// is checked in 64 bits against the bytes present before anything is read.
#pragma once
#include <windows.h>

#include <cstddef>

namespace SWUI {

class SIconLoader {
 public:
  // The directory entry that best fits cx x cy (and the screen's colour depth, or 1 with
  // LR_MONOCHROME) becomes an icon, or a cursor when cursor is TRUE. LR_DEFAULTSIZE turns a
  // zero cx or cy into the system icon or cursor size; without it an icon asked at 0 x 0 takes
  // the first entry's size and a cursor the first entry.
  static HICON FromFileImage(const BYTE* bytes, size_t size, int cx, int cy, BOOL cursor,
                             UINT flags);

  // One image (bitmap header, colours, colour bits, mask bits) scaled to cx x cy (0: the
  // system size with LR_DEFAULTSIZE, else the image's own). An icon's hotspot is its centre;
  // a cursor's is (hotX, hotY) scaled with the image. An image cut inside its mask still
  // gives a handle, drawn without mask.
  static HICON FromBitmapInfo(const BYTE* bytes, size_t size, int hotX, int hotY, BOOL icon, int cx,
                              int cy, UINT flags);

  // A file mapped read-only and passed to FromFileImage.
  static HICON FromFile(LPCWSTR path, int cx, int cy, BOOL cursor, UINT flags);
};

}  // namespace SWUI
