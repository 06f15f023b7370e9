// A progress bar ("progress"): an integer value inside a range shown as a bar filled from the
// low end, drawn with a background skin over the whole element and a position skin over the
// filled part; optionally with the percentage as text (horizontal bars only). The slider bar
// and the application's bars derive from it and share its range, value and skins.
//
// The range is never empty (min < max): every drawing and hit-test step divides by its width.
// A range that would be empty is refused and the old one kept; a layout's "min" and "max"
// are checked together once all its attributes are read, since either may come first.
//
// Attributes (names in any letter case, numbers decimal or 0x hex): "bkgndSkin", "posSkin"
// (skin names; an unknown name is refused and keeps the skin), "min", "max", "value" (clamped
// into the range; while a layout loads, once the range is known), "vertical", "showPercent".
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SProgress : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"progress")

 public:
  // Focusable, so that a click focuses bars and sliders alike.
  SProgress();

  // Clamps into [min, max], stores and redraws; fires nothing. TRUE.
  BOOL SetValue(int nValue);
  int GetValue() const { return m_nValue; }
  // FALSE for an empty range (nMax <= nMin), nothing changed; otherwise stores it, clamps the
  // value and redraws.
  BOOL SetRange(int nMin, int nMax);
  // Writes each bound whose pointer is not null.
  void GetRange(int* pMin, int* pMax) const;
  BOOL IsVertical() const { return m_bVertical; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // Settles what the layout gave: an empty range falls back to the range before loading, and
  // the value is clamped into the range.
  void OnInitFinished(pugi::xml_node xmlNode) override;
  void OnColorize(COLORREF cr) override;
  // The background skin's size with the style's margin; a size the layout gives along the
  // bar wins.
  SIZE GetDesiredSize(LPCRECT pRcContainer) override;
  using SWindow::GetDesiredSize;

 protected:
  // Missing skins become the built-in bar skins (vertical or horizontal); -1 when either is
  // still missing.
  int OnCreate(LPVOID lpCreateParam);
  void OnPaint(IRenderTarget* pRT);
  // (value - min) scaled to a length of pixels, in 64 bits, truncated.
  int ScaleToLength(int length) const;
  static int Clamp(int value, int lo, int hi) {
    return value < lo ? lo : (value > hi ? hi : value);
  }

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_CREATE(OnCreate)
  SWND_END_MSG_MAP(SWindow)

 protected:
  int m_nMinValue = 0;
  int m_nMaxValue = 100;
  int m_nValue = 0;
  BOOL m_bShowPercent = FALSE;
  BOOL m_bVertical = FALSE;
  SAutoRefPtr<ISkinObj> m_pSkinBkgnd;
  SAutoRefPtr<ISkinObj> m_pSkinPos;

 private:
  // The range before a layout started to load, to fall back to.
  int m_nLoadMin = 0;
  int m_nLoadMax = 100;
  bool m_bLoadingRange = false;
};

}  // namespace SWUI
