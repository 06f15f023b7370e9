// The base of every skin: alpha, colourise colour and switch, scale and name, the attribute
// handling they share and scaling through a new skin of the same class.
//
// Attributes (names in any letter case): "alpha", "enableColorize" (integers, decimal or 0x
// hex), "scale" (percent), "name" (may be "@string/..."). Every handled attribute ends
// through AfterAttribute with its result: S_OK for what changes drawing, S_FALSE for what
// does not; unknown names go on to the object default, E_FAIL.
#pragma once
#include <windows.h>

#include "core/ISkinObj.h"
#include "core/SAttrParse.h"
#include "base/SObjectImpl.h"
#include "base/SString.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

using SSkinObjBaseImpl = TObjRefImpl<SObjectImpl<ISkinObj>>;

class SSkinObjBase : public SSkinObjBaseImpl {
  SWUI_CLASS_NAME_EX(SSkinObjBaseImpl, L"skinObjBase", OBJ_TYPE_SKIN)

 public:
  SSkinObjBase() = default;

  void Draw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState) override;
  void DrawWithAlpha(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;
  SIZE GetSkinSize() const override { return SIZE{0, 0}; }
  BOOL IgnoreState() const override { return TRUE; }
  int GetStates() const override { return 1; }
  BYTE GetAlpha() const override { return alpha_; }
  void SetAlpha(BYTE byAlpha) override { alpha_ = byAlpha; }
  void OnColorize(COLORREF) override {}
  int GetScale() const override { return scale_; }
  // A skin of this class made by the application's factories, filled by CopyScaledInto; null
  // without an application or when the class cannot be made.
  ISkinObj* Scale(int nScale) override;

  // Gives a skin of this family the new scale and this skin's fields; derived skins add
  // their own after calling their base.
  virtual void CopyScaledInto(ISkinObj* pTarget, int nScale) const;

  LPCWSTR GetName() const override { return name_; }
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBaseImpl::SetAttribute;

 protected:
  // Draws one state at an alpha; every concrete skin supplies it.
  virtual void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) = 0;

  // Skins read their attributes as every class does.
  using P = SAttrParse;
  // A length of this skin in pixels at another scale: value x nScale / this skin's scale, so
  // that a skin made for 200 % and asked for at 150 % shrinks.
  int ScaledLength(int value, int nScale) const;
  // A colour's alpha combined with a draw alpha below 255: (a x b) >> 8.
  static COLORREF WithAlpha(COLORREF cr, BYTE byAlpha);
  // The corner radius of a rectangle: the radius, or above 0 the percent (a fraction) of the
  // shorter side, truncated.
  static int CornerRadius(const RECT& rc, int radius, float percent);

  // Selects a render object (adopting its reference; null selects nothing) for the lifetime
  // of the scope and then the target's previous object again.
  class ScopedSelection {
   public:
    ScopedSelection(IRenderTarget* pRT, IRenderObj* pObj);
    ~ScopedSelection();
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    explicit operator bool() const { return obj_ != nullptr; }

   private:
    IRenderTarget* rt_;
    IRenderObj* obj_;
    IRenderObj* old_ = nullptr;
  };
  // New pens and brushes of a target, or null.
  static IRenderObj* NewPen(IRenderTarget* pRT, int style, COLORREF cr, int width);
  static IRenderObj* NewBrush(IRenderTarget* pRT, COLORREF cr);

  BYTE alpha_ = 0xFF;
  COLORREF colorizeColor_ = 0;
  BOOL enableColorize_ = TRUE;
  int scale_ = 100;
  SStringW name_;
};

}  // namespace SWUI
