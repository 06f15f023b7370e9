// An image strip drawn as a nine-patch: the corners of each cell at their own size, the edges
// and the centre stretched or tiled.
//
// Attributes, tried before those of SSkinImgList: "margin" ("%d,%d,%d,%d": left, top, right,
// bottom; numbers missing from the text leave their margins), "left", "top", "right",
// "bottom", "margin-x" (left and right), "margin-y" (top and bottom), all integers, and
// "margin2" (four sizes such as "4dp" separated by ',', converted at scale 100; another count
// fails with E_INVALIDARG at once).
#pragma once
#include "core/SSkinImgList.h"

namespace SWUI {

class SSkinImgFrame : public SSkinImgList {
  SWUI_CLASS_NAME(SSkinImgList, L"imgframe")

 public:
  SSkinImgFrame() = default;

  // Frames ignore autoFit: 2 (tile) when tile is set, else 1 (stretch).
  UINT GetExpandMode() const override;
  // The strip's copy, then each margin scaled.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  const RECT& GetMargin() const { return margin_; }
  void SetMargin(const RECT& margin) { margin_ = margin; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinImgList::SetAttribute;

 protected:
  // The state's cell (the state map does not apply) as a nine-patch.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

  RECT margin_ = {0, 0, 0, 0};
};

}  // namespace SWUI
