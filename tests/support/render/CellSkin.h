// Skins for control tests: each fills what it draws with one solid colour per state, so pixels
// show which state a control asked for, and records every draw, so a test can read the state,
// rectangle and alpha it was asked for.
//
//   <cells name='c4'/>                                   4 states of 10 x 10, the palette
//   <cells name='c8' states='8' size='20,12'/>
//   <cells name='bar' size='1,8' colors='#0000ff'/>       one state per listed colour
//   <cellsb name='sb' ideal='10' arrows='0'/>             a scroll-bar skin (class "scrollbar")
//
// A cell skin colours a state by its low word, so a packed scroll-bar state takes the colour
// of its part; a state at or above the state count is recorded but draws nothing. The
// scroll-bar skin colours a packed state by its state byte (bits 16-23).
#pragma once
#include <windows.h>

#include <vector>

#include "core/SSkinObjBase.h"
#include "core/SSkinScrollbar.h"

// One draw a test skin was asked for.
struct SkinDraw {
  const SWUI::ISkinObj* skin;
  DWORD raw;      // the state word as given
  int part;       // a scroll-bar skin's part code (bits 0-15); -1 from a cell skin
  int state;      // a cell skin's state as given; a scroll-bar skin's state byte
  BOOL vertical;  // a scroll-bar skin's orientation
  RECT rc;
  BYTE alpha;
};

class CellSkin : public SWUI::SSkinObjBase {
  SWUI_CLASS_NAME(SWUI::SSkinObjBase, L"cells")

 public:
  // Every draw of every test skin, in order (cleared when test skins are added or removed).
  static std::vector<SkinDraw> log;
  // The palette's colour of a state as the render target reads it back (0xAARRGGBB, opaque).
  static DWORD Colour(int state);

  // This skin's colour of a state (its "colors", else the palette); 0 for none.
  DWORD ColourOf(int state) const;
  // This skin's draws in the record.
  std::vector<SkinDraw> Draws() const;

  // "states" (count), "size" ("w,h"), "colors" (a list of colours, one state each).
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinObjBase::SetAttribute;
  SIZE GetSkinSize() const override { return size_; }
  BOOL IgnoreState() const override { return GetStates() < 2; }
  int GetStates() const override;
  SWUI::ISkinObj* Scale(int) override { return nullptr; }

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int states_ = -1;  // unset: one per colour, or 4 over the palette
  SIZE size_ = {10, 10};
  std::vector<DWORD> colours_;  // 0xAARRGGBB
};

class CellSbSkin : public SWUI::SSkinScrollbar {
  SWUI_CLASS_NAME(SWUI::SSkinScrollbar, L"cellsb")

 public:
  // "ideal" (the bar's thickness, default 10) and "arrows" (0: none).
  HRESULT SetAttribute(const SWUI::SStringW& name, const SWUI::SStringW& value,
                       BOOL bLoading) override;
  using SWUI::SSkinScrollbar::SetAttribute;
  int GetIdealSize() const override { return ideal_; }
  BOOL HasArrows() const override { return arrows_; }

 protected:
  void OnDraw(SWUI::IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  int ideal_ = 10;
  BOOL arrows_ = TRUE;
};

// Fills a rectangle with a colour as read back (0xAARRGGBB), its alpha scaled by alpha.
void FillCell(SWUI::IRenderTarget* pRT, const RECT& rc, DWORD argb, BYTE alpha);
