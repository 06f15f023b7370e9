// What an adapter tells the view that shows its data: the data set changed as a whole (count,
// heights, anything), it must be read again at the next paint, or one item changed. Each view
// makes its own observer, which forwards to the view's handler of the same meaning. Adapters
// call it on the UI thread only.
#pragma once
#include "base/IObjRef.h"

namespace SWUI {

struct ILvDataSetObserver : public IObjRef {
  virtual void OnChanged() = 0;
  virtual void OnInvalidated() = 0;
  virtual void OnItemChanged(int position) = 0;

 protected:
  virtual ~ILvDataSetObserver() = default;
};

}  // namespace SWUI
