// A slim scroll bar without arrow buttons with one image for each orientation: "srcVert" laid
// out as SSkinVScrollbar's (states columns by 2 rows), "srcHorz" as ZUSkinHScrollbar's (2
// columns by states rows). It draws only when both images are loaded, ignores "src" for
// drawing, uses state 4 as given (no inactive rule; a state at or beyond the count draws as
// 0), and keeps its colours when the application colourises skins. Without a "states"
// attribute the images hold 4 states.
//
// Attributes, besides the scroll-bar skin's: "srcVert", "srcHorz" (an image reference
// "type:name"; an image that does not load fails with E_FAIL and the old one stays).
#pragma once
#include "base/SAutoRefPtr.h"
#include "core/SSkinScrollbar.h"

namespace SWUI {

class SSkinNewScrollbar : public SSkinScrollbar {
  SWUI_CLASS_NAME(SSkinScrollbar, L"newScrollbar")

 public:
  SSkinNewScrollbar();

  BOOL HasArrows() const override { return FALSE; }
  // The vertical image width / states; 0 without a vertical image.
  int GetIdealSize() const override;
  RECT GetPartRect(int part, int state, BOOL vertical) const override;
  void OnColorize(COLORREF) override {}
  // The scroll-bar fields, then both images resampled so that each cell is scaled.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  IBitmap* GetVertImage() const { return vert_; }
  IBitmap* GetHorzImage() const { return horz_; }
  void SetVertImage(IBitmap* image) { vert_ = image; }
  void SetHorzImage(IBitmap* image) { horz_ = image; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinScrollbar::SetAttribute;

 protected:
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  SAutoRefPtr<IBitmap> vert_;
  SAutoRefPtr<IBitmap> horz_;
};

}  // namespace SWUI
