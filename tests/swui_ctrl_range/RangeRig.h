// What the range-control tests stand on: the element rig with the framework's built-in skins
// and cell skins that fill their rectangle with one colour per state and record every draw:
//   "bg"    100 x 8, grey #c0c0c0                  "bar"   1 x 8, #0000ff
//   "thumb" 10 x 20, states #ff0000 #00ff00 #0000ff #808080
//   "vthumb" 20 x 10, the same states
//   "sb"    90 x 10, coloured by scroll-bar part: 0 #ff0000, 1 #00ff00, 2 #0000ff, 3 #ffff00,
//           4 unused #000000, 5 #ff00ff (the thumb)
//   "up", "down" 12 x 8, states #ff0000 #00ff00 #0000ff #808080
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include "ElementRig.h"
#include "HeldKeys.h"

constexpr wchar_t kRangeSkins[] =
    L"<skin>"
    L"<cells name='bg' size='100,8' colors='#c0c0c0'/>"
    L"<cells name='bar' size='1,8' colors='#0000ff'/>"
    L"<cells name='thumb' size='10,20' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cells name='vthumb' size='20,10' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cells name='sb' size='90,10' colors='#ff0000,#00ff00,#0000ff,#ffff00,#000000,#ff00ff'/>"
    L"<cells name='up' size='12,8' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"<cells name='down' size='12,8' colors='#ff0000,#00ff00,#0000ff,#808080'/>"
    L"</skin>";

class RangeRig : public ElementRig {
 public:
  explicit RangeRig(int width = 200, int height = 200) : ElementRig(width, height, true) {
    AddSkins(kRangeSkins);
  }
};

// Pixel colours as the surface holds them (0xAARRGGBB).
constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kGrey = 0xFFC0C0C0;
constexpr DWORD kYellow = 0xFFFFFF00;
constexpr DWORD kMagenta = 0xFFFF00FF;
