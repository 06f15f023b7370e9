// What a tree adapter tells the view that shows its tree: a branch (an item and everything
// below it) changed, must be read again, or an item was expanded or collapsed. The tree view
// makes its own observer, which forwards to the view. Adapters call it on the UI thread only.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "core/STree.h"

namespace SWUI {

struct ITvDataSetObserver : public IObjRef {
  virtual void OnBranchChanged(HSTREEITEM hBranch) = 0;
  virtual void OnBranchInvalidated(HSTREEITEM hBranch) = 0;
  virtual void OnBranchExpandedChanged(HSTREEITEM hBranch, BOOL bExpandedOld,
                                       BOOL bExpandedNew) = 0;

 protected:
  virtual ~ITvDataSetObserver() = default;
};

}  // namespace SWUI
