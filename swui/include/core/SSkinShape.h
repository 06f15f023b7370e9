// A vector shape: a rectangle (with optional round corners), an oval or a ring, with an
// optional solid fill, gradient and stroke. Its parts come from child elements of the skin's
// XML, each an object of its own that scaled copies share:
//
//   <shape name="s" shape="rectangle">
//     <solid color="#ff0000"/>
//     <gradient type="linear" angle="90" centerX="0.5" centerY="0.5" startColor="#fff"
//               centerColor="..." endColor="..." radius="10dp"/>
//     <stroke width="2dp" color="#000000" style="dash"/>
//     <corners radius="4dp"/>   (or radius="4dp,6dp", or radiusX, radiusY)
//     <size width="20dp" height="10dp"/>
//     <ring startAngle="0" sweepAngle="270"/>
//   </shape>
//
// Sizes convert to pixels at the skin's scale when drawn. Attribute "shape": "rectangle",
// "oval" or "ring" (exact words; another fails with E_FAIL). The draw alpha applies to the
// gradient only. Gradients go to the render target's Reserved40, which the GDI back-end does
// not draw.
#pragma once
#include "base/SAutoRefPtr.h"
#include "core/SLayoutSize.h"
#include "base/SObjectImpl.h"
#include "core/SSkinObjBase.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SSkinShape : public SSkinObjBase {
  SWUI_CLASS_NAME(SSkinObjBase, L"shape")

 public:
  enum ShapeType { kRectangle = 0, kOval = 1, kRing = 2 };

  // The base of the parts: counted, configured by attributes (unknown names: E_FAIL).
  class SShapePart : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {};
  using SShapePartImpl = SObjectImpl<IObject>;

  class SGradient : public SShapePart {
    SWUI_CLASS_NAME_EX(SShapePartImpl, L"gradient", OBJ_TYPE_UNDEF)
   public:
    enum Type { kLinear = 0, kRadial = 1, kSweep = 2 };
    // "type" ("linear", "radial", "sweep"; another word E_FAIL), "angle", "centerX",
    // "centerY" (floats), "startColor", "centerColor", "endColor", "radius" (a size).
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
    using SShapePartImpl::SetAttribute;
    int type = kLinear;
    float angle = 0.0f;
    float centerX = 0.5f;
    float centerY = 0.5f;
    COLORREF startColor = 0;
    COLORREF centerColor = 0;
    COLORREF endColor = 0;
    SLayoutSize radius;
  };

  class SStroke : public SShapePart {
    SWUI_CLASS_NAME_EX(SShapePartImpl, L"stroke", OBJ_TYPE_UNDEF)
   public:
    // "width" (a size), "color", "style" ("solid", "dash", "dashDot", "dashDotDot"; another
    // word E_FAIL).
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
    using SShapePartImpl::SetAttribute;
    SLayoutSize width;
    COLORREF color = 0xFF000000;
    int style = PS_SOLID;
  };

  class SCornerSize : public SShapePart {
    SWUI_CLASS_NAME_EX(SShapePartImpl, L"corners", OBJ_TYPE_UNDEF)
   public:
    // "radius" (one size for both, or two separated by ','; another count E_INVALIDARG),
    // "radiusX", "radiusY" (sizes).
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
    using SShapePartImpl::SetAttribute;
    SLayoutSize radiusX;
    SLayoutSize radiusY;
  };

  class SShapeSize : public SShapePart {
    SWUI_CLASS_NAME_EX(SShapePartImpl, L"size", OBJ_TYPE_UNDEF)
   public:
    // "width", "height" (sizes).
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
    using SShapePartImpl::SetAttribute;
    SLayoutSize width;
    SLayoutSize height;
  };

  class SShapeRing : public SShapePart {
    SWUI_CLASS_NAME_EX(SShapePartImpl, L"ring", OBJ_TYPE_UNDEF)
   public:
    // "startAngle", "sweepAngle" (floats, degrees).
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
    using SShapePartImpl::SetAttribute;
    float startAngle = 0.0f;
    float sweepAngle = 360.0f;
  };

  SSkinShape() = default;

  // The size part in pixels at the skin's scale; 0 x 0 without one.
  SIZE GetSkinSize() const override;
  // The base fields, the shape and the solid colour; the parts are shared.
  void CopyScaledInto(ISkinObj* pTarget, int nScale) const override;

  int GetShape() const { return shape_; }
  COLORREF GetSolidColor() const { return solid_; }

  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SSkinObjBase::SetAttribute;
  // Reads the parts from the child elements.
  void OnInitFinished(pugi::xml_node xmlNode) override;

 protected:
  // Fill, gradient, then stroke; the target's brush and pen are given back afterwards.
  void OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) override;

 private:
  void DrawFill(IRenderTarget* pRT, const RECT& rc, const POINT& radii) const;
  void DrawGradient(IRenderTarget* pRT, const RECT& rc, const POINT& radii, BYTE byAlpha) const;
  void DrawStroke(IRenderTarget* pRT, const RECT& rc, const POINT& radii) const;

  int shape_ = kRectangle;
  COLORREF solid_ = 0x00FFFFFF;  // none
  SAutoRefPtr<SGradient> gradient_;
  SAutoRefPtr<SStroke> stroke_;
  SAutoRefPtr<SCornerSize> corners_;
  SAutoRefPtr<SShapeSize> size_;
  SAutoRefPtr<SShapeRing> ring_;
};

}  // namespace SWUI
