// The linear layout ("linearLayout"): the layout children one after another along one axis,
// each in a slot of its own size, spare length shared by weight, each aligned across the
// axis by gravity.
#pragma once
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"
#include "layout/ILayout.h"
#include "layout/SLinearLayoutParam.h"

namespace SWUI {

class SLinearLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
  SWUI_CLASS_NAME_EX(SObjectImpl<ILayout>, L"linearLayout", OBJ_TYPE_LAYOUT)

 public:
  // Horizontal unless told otherwise, also when created by the name "linearLayout".
  explicit SLinearLayout(ORIENTATION orientation = Horz);

  // "orientation" ("horizontal", "vertical") and "gravity" (the children's default
  // alignment), values case-sensitive: S_FALSE, E_FAIL for another word; else E_NOTIMPL.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SObjectImpl<ILayout>::SetAttribute;

  BOOL IsParamAcceptable(ILayoutParam* pLayoutParam) const override;
  void LayoutChildren(ILayoutElement* parent) override;
  ILayoutParam* CreateLayoutParam() const override;
  // The children's slots summed along the axis, the largest across it. A size not known
  // (unknown extent, or match parent inside a wrap-content parent) is asked of the child
  // with -1.
  SIZE MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const override;

  ORIENTATION GetOrientation() const { return m_orientation; }
  int GetGravity() const { return m_gravity; }

 private:
  ORIENTATION m_orientation;
  int m_gravity = GravityUnset;
};

}  // namespace SWUI
