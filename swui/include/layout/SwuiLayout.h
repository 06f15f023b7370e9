// The anchor layout, every element's layout unless its XML names another: each child's four
// edges follow its SwuiLayoutParam, relative to the parent's layout rectangle, its centre or
// extent, a neighbouring layout sibling or a sibling named by id.
#pragma once
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"
#include "layout/ILayout.h"
#include "layout/SwuiLayoutParam.h"

namespace SWUI {

// Solver sentinels: a coordinate not computed yet, and one that waits for another.
constexpr int POS_INIT = 0x11000000;
constexpr int POS_WAIT = 0x12000000;

class SwuiLayout : public TObjRefImpl<SObjectImpl<ILayout>> {
  SWUI_CLASS_NAME_EX(SObjectImpl<ILayout>, L"SwuiLayout", OBJ_TYPE_LAYOUT)

 public:
  // No attributes of its own.
  HRESULT SetAttribute(const SStringW&, const SStringW&, BOOL) override { return E_NOTIMPL; }
  using SObjectImpl<ILayout>::SetAttribute;

  BOOL IsParamAcceptable(ILayoutParam* pLayoutParam) const override;
  // Edges that never resolve keep their sentinel (plus the layout origin); the child then
  // lies outside the visible area.
  void LayoutChildren(ILayoutElement* parent) override;
  ILayoutParam* CreateLayoutParam() const override;
  // The content size; an unknown given extent (any sentinel or negative) leaves the items
  // that depend on it unresolved and measures match-parent children by their content.
  SIZE MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const override;

  static bool IsKnown(int coordinate) { return coordinate != POS_INIT && coordinate != POS_WAIT; }
};

}  // namespace SWUI
