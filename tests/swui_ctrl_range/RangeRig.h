// What the range-control tests stand on: the element rig with the framework's built-in skins
// loaded, and a pool of cell skins that fill their rectangle with one colour per state and
// record every draw.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "ElementRig.h"
#include "core/SSkinObjBase.h"
#include "core/SSkinPool.h"

// A skin of a given size ("size" = "w,h") that fills its rectangle with the colour of the
// state ("colors" = "#rrggbb,#rrggbb,..."; one state per colour). A packed scroll-bar state
// takes the colour of its part (the low word). Every draw is recorded.
class CellSkin : public SWUI::SSkinObjBase {
  SWUI_CLASS_NAME(SWUI::SSkinObjBase, L"cellskin")

 public:
  struct Draw {
    RECT rc;
    DWORD state;
  };
  std::vector<Draw> draws;

  SIZE GetSkinSize() const override { return size_; }
  int GetStates() const override { return static_cast<int>(colors_.size()); }
  BOOL IgnoreState() const override { return colors_.size() < 2; }
  ISkinObj* Scale(int) override { return nullptr; }
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinObjBase::SetAttribute;

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  SIZE size_ = {0, 0};
  std::vector<COLORREF> colors_;
};

// Test skins (all cell skins):
//   "bg"    100 x 8, white-ish grey #c0c0c0        "bar"   1 x 8, #0000ff
//   "thumb" 10 x 20, states #ff0000 #00ff00 #0000ff #808080
//   "vthumb" 20 x 10, the same states
//   "sb"    scroll-bar parts: 0 #ff0000, 1 #00ff00, 2 #0000ff, 3 #ffff00, 4 unused #000000,
//           5 #ff00ff (the thumb)
//   "up", "down" 12 x 8, states #ff0000 #00ff00 #0000ff #808080
class RangeRig : public ElementRig {
 public:
  explicit RangeRig(int width = 200, int height = 200);
  ~RangeRig();

  // A test skin of the pool by name.
  CellSkin* Skin(const wchar_t* name) const;
  // Forgets every test skin's recorded draws.
  void ClearDraws() const;

 private:
  SWUI::SSkinPool* pool_ = nullptr;
};

// Pixel colours as the surface holds them (0xAARRGGBB).
constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kGrey = 0xFFC0C0C0;
constexpr DWORD kYellow = 0xFFFFFF00;
constexpr DWORD kMagenta = 0xFFFF00FF;

// Sets the keyboard state of the thread: the listed keys held, all others up.
void HoldKeys(std::initializer_list<int> keys);
