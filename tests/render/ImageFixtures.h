// Encoded images made in the test itself: an animated GIF with chosen frame delays, and PNG
// bytes encoded by GDI+ from straight-alpha pixels.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "GdiplusSession.h"
#include "TempFile.h"

namespace fixtures {

// {B96B3CAF-0728-11D3-9D7B-0000F81EF32E}
constexpr GUID kPngFormat = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// A GIF89a of width x height with one frame per delay (hundredths of a second); frame i is
// filled with palette colour i % 4 of {red, green, blue, white}.
std::vector<BYTE> MakeAnimatedGif(int width, int height, const std::vector<int>& delays);

// PNG bytes of width x height pixels given as 0xAARRGGBB, straight alpha (GDI+ must run).
std::vector<BYTE> EncodePng(int width, int height, const std::vector<DWORD>& argb);

}  // namespace fixtures
