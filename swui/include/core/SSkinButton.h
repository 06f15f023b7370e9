// A button drawn from colours: per state (normal, hover, pushed, disabled) a border, and a
// vertical gradient from an upper to a lower colour, flat when the two are equal; corners
// rounded by a radius or by a fraction of the shorter side.
//
// Attributes, besides those of SSkinObjBase: "colorBorder", "colorBorderHover",
// "colorBorderPush", "colorBorderDisable", "colorUp", "colorUpHover", "colorUpPush",
// "colorUpDisable", "colorDown", "colorDownHover", "colorDownPush", "colorDownDisable"
// (colours, "@color/..." allowed; an empty value fails with E_FAIL), "cornerRadius" (integer)
// and "cornerPercent" (float, above 0 it wins over the radius). A border colour 0x00FFFFFF
// means "not set": the normal border is drawn instead.
#pragma once
#include "core/SSkinObjBase.h"

namespace SWUI {

class SSkinButton : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"button")

 public:
  // The twelve colours of a button: border, upper and lower colour of each state.
  struct Colors {
    COLORREF border[4];
    COLORREF up[4];
    COLORREF down[4];
  };

  SSkinButton();

  BOOL IgnoreState() const override { return FALSE; }
  int GetStates() const override { return 4; }
  // Button skins are drawn at any size: no scaled copies.
  ISkinObj* Scale(int) override { return nullptr; }
  // Tints the twelve colours from their untinted values; 0 restores them.
  void OnColorize(COLORREF cr) override;

  const Colors& GetColors() const { return colors_; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;

 protected:
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  Colors colors_;
  Colors saved_;  // untinted colours while a tint is applied
  int cornerRadius_ = 2;
  float cornerPercent_ = 0.0f;
};

}  // namespace SWUI
