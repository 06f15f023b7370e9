// A progress bar of three skins ("zuprogressex"): over the background skin, the filled part
// (from the left, or up from the bottom of a vertical bar) shows the bottom skin at its start
// and the top skin at its end, each at its own length, and the middle skin stretched between.
// A fill shorter than both ends shows what fits of them, the top one above.
//
// Attributes, besides the progress bar's: "SkinPosBottom", "SkinPosMid", "SkinPosTop" (skin
// names; a name no pool knows is refused and keeps the skin, an empty one removes it).
#pragma once
#include <windows.h>

#include "control/SProgress.h"

class ZuProgressEX : public SWUI::SProgress {
  SWUI_CLASS_NAME(SWUI::SProgress, L"zuprogressex")

 public:
  HRESULT SetAttribute(const SWUI::SStringW& strAttribName, const SWUI::SStringW& strValue,
                       BOOL bLoading) override;
  using SWUI::SProgress::SetAttribute;
  void OnColorize(COLORREF cr) override;

 protected:
  void OnPaint(SWUI::IRenderTarget* pRT);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  SWND_END_MSG_MAP(SWUI::SProgress)

 private:
  // The fill's three pieces: start, middle, end along the bar.
  void DrawFill(SWUI::IRenderTarget* pRT, const RECT& fill);
  // An end skin's length along the bar.
  int LengthOf(SWUI::ISkinObj* skin) const;

  SWUI::SAutoRefPtr<SWUI::ISkinObj> m_pSkinBottom;
  SWUI::SAutoRefPtr<SWUI::ISkinObj> m_pSkinMid;
  SWUI::SAutoRefPtr<SWUI::ISkinObj> m_pSkinTop;
};
