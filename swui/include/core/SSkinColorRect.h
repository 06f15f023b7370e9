// A rectangle filled with one colour per state and optionally outlined, with rounded corners.
// A fill colour 0x00FFFFFF means "not set": that state is drawn as the normal one.
//
// Attributes, besides those of SSkinObjBase: "normal", "hover", "pushdown", "disable" (fill
// colours), "normalBorder", "hoverBorder", "pushdownBorder", "disableBorder" (border colours),
// "borderWidth", "cornerRadius" (integers) and "cornerPercent" (float). An empty colour value
// fails with E_FAIL.
#pragma once
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSkinColorRect : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"colorrect")

 public:
  SSkinColorRect();

  // 1 + the index of the highest state whose fill colour is set.
  int GetStates() const override;
  BOOL IgnoreState() const override { return GetStates() < 2; }
  // Colour rectangles are drawn at any size: no scaled copies.
  ISkinObj* Scale(int) override { return nullptr; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;

 protected:
  // States 4 and above draw nothing.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  COLORREF fill_[4];
  COLORREF border_[4];
  int borderWidth_ = 0;
  int cornerRadius_ = 0;
  float cornerPercent_ = 0.0f;
};

}  // namespace SWUI
