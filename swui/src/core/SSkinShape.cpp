#include "core/SSkinShape.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr COLORREF kNone = 0x00FFFFFF;

float ParseFloat(const SStringW& value, float fallback) {
  float f = fallback;
  swscanf(value, L"%f", &f);
  return f;
}

// The index of value among words (exact case), or -1.
int WordIndex(const SStringW& value, const LPCWSTR* words, int count) {
  for (int i = 0; i < count; ++i) {
    if (value == words[i]) return i;
  }
  return -1;
}

// Reads a child element into a part of the shape, replacing an earlier one.
template <class T>
void ReadPart(pugi::xml_node xml, SAutoRefPtr<T>* part) {
  T* obj = new T();
  obj->InitFromXml(xml);
  part->Attach(obj);
}

}  // namespace

HRESULT SSkinShape::SGradient::SetAttribute(const SStringW& name, const SStringW& value,
                                            BOOL bLoading) {
  static const LPCWSTR kTypes[] = {L"linear", L"radial", L"sweep"};
  if (P::IsName(name, L"type")) {
    const int found = WordIndex(value, kTypes, 3);
    if (found < 0) return E_FAIL;
    type = found;
    return S_OK;
  }
  if (P::IsName(name, L"angle")) angle = ParseFloat(value, angle);
  else if (P::IsName(name, L"centerX")) centerX = ParseFloat(value, centerX);
  else if (P::IsName(name, L"centerY")) centerY = ParseFloat(value, centerY);
  else if (P::IsName(name, L"startColor")) return ParseNamedColor(value, &startColor);
  else if (P::IsName(name, L"centerColor")) return ParseNamedColor(value, &centerColor);
  else if (P::IsName(name, L"endColor")) return ParseNamedColor(value, &endColor);
  else if (P::IsName(name, L"radius")) radius = GetNamedDimension(value);
  else return SShapePartImpl::SetAttribute(name, value, bLoading);
  return S_OK;
}

HRESULT SSkinShape::SStroke::SetAttribute(const SStringW& name, const SStringW& value,
                                          BOOL bLoading) {
  if (P::IsName(name, L"width")) {
    width = GetNamedDimension(value);
  } else if (P::IsName(name, L"color")) {
    return ParseNamedColor(value, &color);
  } else if (P::IsName(name, L"style")) {
    static const LPCWSTR kStyles[] = {L"solid", L"dash", L"dashDot", L"dashDotDot"};
    static const int kPenStyles[] = {PS_SOLID, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT};
    const int found = WordIndex(value, kStyles, 4);
    if (found < 0) return E_FAIL;
    style = kPenStyles[found];
  } else {
    return SShapePartImpl::SetAttribute(name, value, bLoading);
  }
  return S_OK;
}

HRESULT SSkinShape::SCornerSize::SetAttribute(const SStringW& name, const SStringW& value,
                                              BOOL bLoading) {
  if (P::IsName(name, L"radius")) {
    SArray<SStringW> pieces;
    const size_t n = SplitString(value, L',', pieces);
    if (n != 1 && n != 2) return E_INVALIDARG;
    radiusX = GetNamedDimension(pieces[0]);
    radiusY = GetNamedDimension(pieces[n - 1]);
  } else if (P::IsName(name, L"radiusX")) {
    radiusX = GetNamedDimension(value);
  } else if (P::IsName(name, L"radiusY")) {
    radiusY = GetNamedDimension(value);
  } else {
    return SShapePartImpl::SetAttribute(name, value, bLoading);
  }
  return S_OK;
}

HRESULT SSkinShape::SShapeSize::SetAttribute(const SStringW& name, const SStringW& value,
                                             BOOL bLoading) {
  if (P::IsName(name, L"width")) {
    width = GetNamedDimension(value);
  } else if (P::IsName(name, L"height")) {
    height = GetNamedDimension(value);
  } else {
    return SShapePartImpl::SetAttribute(name, value, bLoading);
  }
  return S_OK;
}

HRESULT SSkinShape::SShapeRing::SetAttribute(const SStringW& name, const SStringW& value,
                                             BOOL bLoading) {
  if (P::IsName(name, L"startAngle")) {
    startAngle = ParseFloat(value, startAngle);
  } else if (P::IsName(name, L"sweepAngle")) {
    sweepAngle = ParseFloat(value, sweepAngle);
  } else {
    return SShapePartImpl::SetAttribute(name, value, bLoading);
  }
  return S_OK;
}

SIZE SSkinShape::GetSkinSize() const {
  if (!size_) return SIZE{0, 0};
  return SIZE{size_->width.toPixelSize(scale_), size_->height.toPixelSize(scale_)};
}

void SSkinShape::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinObjBase::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinShape*>(pTarget);
  if (target == nullptr) return;
  target->shape_ = shape_;
  target->solid_ = solid_;
  target->gradient_ = gradient_;
  target->stroke_ = stroke_;
  target->corners_ = corners_;
  target->size_ = size_;
  target->ring_ = ring_;
}

HRESULT SSkinShape::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (!P::IsName(name, L"shape")) return SSkinObjBase::SetAttribute(name, value, bLoading);
  static const LPCWSTR kShapes[] = {L"rectangle", L"oval", L"ring"};
  const int found = WordIndex(value, kShapes, 3);
  if (found >= 0) shape_ = found;
  return AfterAttribute(name, value, bLoading, found >= 0 ? S_OK : E_FAIL);
}

void SSkinShape::OnInitFinished(pugi::xml_node xmlNode) {
  for (pugi::xml_node child = xmlNode.first_child(); child; child = child.next_sibling()) {
    const SStringW tag(child.name());
    if (tag == L"solid") {
      ParseNamedColor(SStringW(child.attribute(L"color").value()), &solid_);
    } else if (tag == L"gradient") {
      ReadPart(child, &gradient_);
    } else if (tag == L"stroke") {
      ReadPart(child, &stroke_);
    } else if (tag == L"corners") {
      ReadPart(child, &corners_);
    } else if (tag == L"size") {
      ReadPart(child, &size_);
    } else if (tag == L"ring") {
      ReadPart(child, &ring_);
    }
  }
}

void SSkinShape::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD, BYTE byAlpha) {
  POINT radii = {0, 0};
  if (corners_) {
    radii.x = corners_->radiusX.toPixelSize(scale_);
    radii.y = corners_->radiusY.toPixelSize(scale_);
  }
  DrawFill(pRT, *rcDraw, radii);
  DrawGradient(pRT, *rcDraw, radii, byAlpha);
  DrawStroke(pRT, *rcDraw, radii);
}

void SSkinShape::DrawFill(IRenderTarget* pRT, const RECT& rc, const POINT& radii) const {
  if (solid_ == kNone || shape_ == kRing) return;
  const bool round = radii.x > 0 || radii.y > 0;
  if (shape_ == kRectangle) {
    if (round) {
      pRT->FillSolidRoundRect(&rc, radii, solid_);
    } else {
      pRT->FillSolidRect(&rc, solid_);
    }
    return;
  }
  // FillEllipse outlines with the selected pen: a pen that draws nothing keeps it a fill.
  ScopedSelection brush(pRT, NewBrush(pRT, solid_));
  ScopedSelection noPen(pRT, NewPen(pRT, PS_NULL, 0, 1));
  pRT->FillEllipse(&rc);
}

void SSkinShape::DrawGradient(IRenderTarget* pRT, const RECT& rc, const POINT& radii,
                              BYTE byAlpha) const {
  if (!gradient_) return;
  IRegion* rgn = nullptr;
  if (FAILED(pRT->CreateRegion(&rgn)) || rgn == nullptr) return;
  if (shape_ == kOval) {
    rgn->CombineEllipse(&rc, RGN_COPY);
  } else if (shape_ == kRectangle && (radii.x > 0 || radii.y > 0)) {
    rgn->CombineRoundRect(&rc, 2 * radii.x, 2 * radii.y, RGN_COPY);
  }
  const bool clip = !rgn->IsEmpty();
  if (clip) pRT->PushClipRegion(rgn, RGN_AND);
  const SGradient& g = *gradient_;
  pRT->Reserved40(&rc, g.type, g.startColor, g.centerColor, g.endColor, g.angle, g.centerX,
                  g.centerY, g.radius.toPixelSize(scale_), byAlpha);
  if (clip) pRT->PopClip();
  rgn->Release();
}

void SSkinShape::DrawStroke(IRenderTarget* pRT, const RECT& rc, const POINT& radii) const {
  if (!stroke_) return;
  const int width = std::max(1, stroke_->width.toPixelSize(scale_));
  ScopedSelection pen(pRT, NewPen(pRT, stroke_->style, stroke_->color, width));
  if (!pen) return;
  // The stroke stays inside the rectangle: its centre line runs half a width inside.
  const RECT inner = {rc.left + width / 2, rc.top + width / 2, rc.right - width / 2,
                      rc.bottom - width / 2};
  const bool round = radii.x > 0 || radii.y > 0;
  if (shape_ == kRectangle) {
    // DrawRectangle keeps a wide pen inside the rectangle by itself.
    if (round) {
      pRT->DrawRoundRect(&inner, radii);
    } else {
      pRT->DrawRectangle(&rc);
    }
  } else if (shape_ == kOval) {
    pRT->DrawEllipse(&inner);
  } else if (ring_) {
    const LONG side = 2 * (std::min(inner.right - inner.left, inner.bottom - inner.top) / 2);
    RECT square;
    square.left = inner.left + (inner.right - inner.left - side) / 2;
    square.top = inner.top + (inner.bottom - inner.top - side) / 2;
    square.right = square.left + side;
    square.bottom = square.top + side;
    // GDI draws an arc whose ends meet as a whole ellipse: so does a full turn, and an
    // empty sweep draws nothing.
    if (std::fabs(ring_->sweepAngle) >= 360.0f) {
      pRT->DrawEllipse(&square);
    } else if (ring_->sweepAngle != 0.0f) {
      pRT->DrawArc(&square, ring_->startAngle, ring_->sweepAngle, FALSE);
    }
  }
}

}  // namespace SWUI
