// How a parent's layout places one child: created by the parent's layout, owned by the child,
// filled from the child's layout attributes ("pos", "size", "weight", "layout_gravity", ...).
#pragma once
#include "base/IObjRef.h"
#include "base/IObject.h"
#include "core/SLayoutSize.h"

namespace SWUI {

enum ORIENTATION {
  Horz = 0,  // width
  Vert = 1,  // height
  Any = 2,   // either
  Both = 3,  // both
};

struct ILayoutParam : public IObjRef, public IObject {
  // Back to the state of a new parameter.
  virtual void Clear() = 0;
  virtual bool IsMatchParent(ORIENTATION orientation) const = 0;
  virtual bool IsWrapContent(ORIENTATION orientation) const = 0;
  virtual bool IsSpecifiedSize(ORIENTATION orientation) const = 0;
  virtual SLayoutSize GetSpecifiedSize(ORIENTATION orientation) const = 0;
  virtual void SetMatchParent(ORIENTATION orientation) = 0;
  virtual void SetWrapContent(ORIENTATION orientation) = 0;
  virtual void SetSpecifiedSize(ORIENTATION orientation, const SLayoutSize& size) = 0;
  // The parameter's data block, whose layout each parameter class documents.
  virtual void* GetRawData() = 0;
};

}  // namespace SWUI
