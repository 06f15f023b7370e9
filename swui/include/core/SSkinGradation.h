// A gradient between two colours over the whole rectangle, vertical or horizontal.
//
// Attributes, besides those of SSkinObjBase: "colorFrom", "colorTo" (colours; an empty value
// fails with E_FAIL) and "vertical" (integer, default 1).
#pragma once
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSkinGradation : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"gradation")

 public:
  SSkinGradation() = default;

  // Gradients are drawn at any size: no scaled copies.
  ISkinObj* Scale(int) override { return nullptr; }
  // Tints both colours from their untinted values; 0 restores them.
  void OnColorize(COLORREF cr) override;

  COLORREF GetColorFrom() const { return from_; }
  COLORREF GetColorTo() const { return to_; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;

 protected:
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  COLORREF from_ = 0x00FFFFFF;
  COLORREF to_ = 0x00FFFFFF;
  BOOL vertical_ = TRUE;
  COLORREF tint_ = 0;  // the gradient's own stored tint
  COLORREF savedFrom_ = 0x00FFFFFF;
  COLORREF savedTo_ = 0x00FFFFFF;
};

}  // namespace SWUI
