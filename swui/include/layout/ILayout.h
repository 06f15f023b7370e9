// Places the layout children of an element (the anchor layout by default; linear and grid
// layouts by the element's "layout" attribute). A layout keeps no state between calls.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "base/IObject.h"
#include "layout/ILayoutElement.h"
#include "layout/ILayoutParam.h"

namespace SWUI {

struct ILayout : public IObjRef, public IObject {
  // Whether the parameter belongs to this kind of layout (its class-name test).
  virtual BOOL IsParamAcceptable(ILayoutParam* pLayoutParam) const = 0;
  // Places every layout child of parent inside its children layout rectangle.
  virtual void LayoutChildren(ILayoutElement* parent) = 0;
  // A new cleared parameter of this layout's kind (one reference), null when out of memory.
  virtual ILayoutParam* CreateLayoutParam() const = 0;
  // The size the children need inside the given extents (sentinels mean unknown).
  virtual SIZE MeasureChildren(ILayoutElement* parent, int nWidth, int nHeight) const = 0;
};

}  // namespace SWUI
