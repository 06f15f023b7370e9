// A box filter that also shrinks: destination pixel (x, y) is the mean of the r x r source
// block whose top-left corner is ((x + 1) r - 1, (y + 1) r - 1), for x up to width - 4 and y
// up to height - 4. Pixels are 4 bytes; bytes 0-2 (the colours) are averaged with integer
// division, byte 3 (alpha) and the destination's last three columns and rows keep what they
// held. It works on plain memory: callers read and write the bitmaps' pixels around it.
#pragma once
#include <windows.h>

namespace SWUI {

struct BoxBlurArgs {
  int destWidth = 0;   // pixels; rows of destWidth x 4 bytes
  int destHeight = 0;
  int srcWidth = 0;    // pixels per source row; rows of srcWidth x 4 bytes
  int srcHeight = 0;   // source rows
  int blockSize = 1;   // r
  const BYTE* src = nullptr;
  BYTE* dest = nullptr;
};

// Filters the covered area. A destination under 4 x 4 has nothing to cover (TRUE, nothing
// written). Refused (FALSE, nothing written): a block size below 1, a missing buffer, or a
// source under (destWidth - 2) r - 1 columns or (destHeight - 2) r - 1 rows, which the blocks
// would read beyond.
BOOL BoxBlurPixels(const BoxBlurArgs& args);

}  // namespace SWUI
