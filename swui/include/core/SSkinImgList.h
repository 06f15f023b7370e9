// An image strip: one bitmap of equal cells side by side (stacked when vertical), one cell per
// state, drawn 1:1, stretched or tiled into the destination.
//
// Attributes, besides those of SSkinObjBase: "src" (an image reference "type:name", loaded
// through the application's resource providers; not found: E_FAIL, the old image stays),
// "states" (at least 1, else E_INVALIDARG and the old count stays), "tile", "autoFit",
// "vertical" (integers), "filterLevel" ("none", "low", "medium", "high" in any letter case;
// another word fails with E_FAIL at once) and "stateMap" (decimal numbers joined by '-', such
// as "0-1-1-2": state i is drawn as cell map[i]).
#pragma once
#include <windows.h>

#include "IBitmap.h"
#include "base/SArray.h"
#include "base/SAutoRefPtr.h"
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSkinImgList : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"imglist")

 public:
  SSkinImgList() = default;

  // The image's size with the width (the height when vertical) divided by the states field;
  // 0 x 0 without an image.
  SIZE GetSkinSize() const override;
  BOOL IgnoreState() const override { return GetStates() == 1; }
  // The state map's length when it has entries, else the states field.
  int GetStates() const override;
  // The first tint keeps an untinted copy; later tints start from it; 0 restores it.
  void OnColorize(COLORREF cr) override;
  // Fields copied; the image (and its untinted copy) resampled so that each cell is scaled.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  // A count below 1 is refused (FALSE), the old one kept.
  virtual BOOL SetStates(int nStates);
  // A new image drops the untinted copy and the remembered tint.
  virtual void SetImage(IBitmap* pImg);
  virtual IBitmap* GetImage() const { return image_; }
  virtual void SetTile(BOOL bTile) { tile_ = bTile; }
  virtual BOOL IsTile() const { return tile_; }
  virtual void SetVertical(BOOL bVertical) { vertical_ = bVertical; }
  virtual BOOL IsVertical() const { return vertical_; }
  // The mode word for the render target: low 16 bits 0 (1:1) without autoFit, else 2 (tile)
  // or 1 (stretch); the filter level in the high 16 bits.
  virtual UINT GetExpandMode() const;

  BOOL IsAutoFit() const { return autoFit_; }
  void SetAutoFit(BOOL bAutoFit) { autoFit_ = bAutoFit; }
  int GetFilterLevel() const { return filterLevel_; }
  const SArray<int>& GetStateMap() const { return stateMap_; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;

 protected:
  // The state's cell, mapped through the state map, drawn with the expand mode.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;
  // The cell of a state index (not mapped), in image pixels.
  RECT CellRect(int index) const;
  // A drawn state through the state map (unchanged past its end or without one).
  DWORD MappedState(DWORD dwState) const;
  // The image named by an attribute value, with one reference, or null.
  static IBitmap* LoadImageRef(const SStringW& value);

  SAutoRefPtr<IBitmap> image_;
  int states_ = 1;
  BOOL tile_ = FALSE;
  BOOL autoFit_ = TRUE;
  BOOL vertical_ = FALSE;
  SAutoRefPtr<IBitmap> backup_;  // the untinted image while a tint is applied
  int filterLevel_ = kNone_FilterLevel;
  SArray<int> stateMap_;
};

}  // namespace SWUI
