// What the application control tests stand on: the element rig with the application's
// sliders, buttons, progress bars and knob registered (as start-up will register them), the
// framework's built-in skins, and image-list skins of solid cells made on demand.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "core/SSkinPool.h"

// Pixel colours as the surface holds them (0xAARRGGBB).
constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kGrey = 0xFF808080;
constexpr DWORD kYellow = 0xFFFFFF00;
constexpr DWORD kMagenta = 0xFFFF00FF;
constexpr DWORD kCyan = 0xFF00FFFF;
constexpr DWORD kBlack = 0xFF000000;

class ZuRig : public ElementRig {
 public:
  explicit ZuRig(int width = 200, int height = 200);
  ~ZuRig();

  // An image-list skin "name" of one cell of width x height per colour (state i shows
  // colours[i]), drawn stretched. Without a width or height the skin has no image (no size).
  void AddCells(const wchar_t* name, int width, int height, const std::vector<DWORD>& colors);

  // Paints and writes the surface as png\<name>.png (zoomed) to look at.
  void PaintAndSave(const wchar_t* name);
  // How many pixels of a rectangle hold the colour.
  int Count(const RECT& rc, DWORD color) const { return render.CountEqual(rc, color); }
  // Every pixel of the rectangle holds the colour.
  bool All(const RECT& rc, DWORD color) const {
    return Count(rc, color) == (rc.right - rc.left) * (rc.bottom - rc.top);
  }

 private:
  SWUI::SSkinPool* pool_ = nullptr;
};

// Records the commands an element fires and, for sliders, the positions they notify
// (EventSliderPos).
struct ZuEvents {
  explicit ZuEvents(SWUI::SWindow* wnd);
  std::vector<int> positions;
  int commands = 0;
};
