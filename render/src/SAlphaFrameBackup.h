// Saves the alpha bytes of the frame of an area of a 32-bit top-down surface (the strips of a
// given thickness along its four edges) and writes them back: around a drawing that touches
// nothing deeper inside, the same as saving the whole area, at a cost that grows with the
// area's edges instead of its size. Its buffer is kept from one use to the next.
#pragma once
#include <windows.h>

#include <vector>

#include "SDibDirectWriter.h"

namespace SWUI {

class SAlphaFrameBackup {
 public:
  // Saves the frame of area (surface pixels, clipped to the surface); a thickness of half the
  // area's width or height or more saves all of it.
  void Save(const SDibDirectWriter::Surface& surface, const RECT& area, int thickness);
  // Writes the saved bytes back; nothing when nothing was saved.
  void Restore();

 private:
  // Calls f(alpha byte) for every saved pixel, strip by strip, row by row.
  template <class F>
  void ForEachAlpha(F f);

  SDibDirectWriter::Surface surface_ = {nullptr, 0, 0};
  RECT strips_[4] = {};
  int stripCount_ = 0;
  std::vector<BYTE> saved_;
};

}  // namespace SWUI
