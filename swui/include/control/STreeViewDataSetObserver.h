// The tree view's observer of its adapter: a changed or invalidated branch is measured and shown
// again, an expansion change moves what follows it; nothing once the view is gone (Detach).
#pragma once
#include "base/TObjRefImpl.h"
#include "control/ITvDataSetObserver.h"

namespace SWUI {

class STreeView;

class STreeViewDataSetObserver : public TObjRefImpl<ITvDataSetObserver> {
 public:
  explicit STreeViewDataSetObserver(STreeView* view) : m_view(view) {}

  void OnBranchChanged(HSTREEITEM hBranch) override;
  void OnBranchInvalidated(HSTREEITEM hBranch) override;
  void OnBranchExpandedChanged(HSTREEITEM hBranch, BOOL bExpandedOld, BOOL bExpandedNew) override;
  // The view goes: an adapter that still holds the observer reaches nothing.
  void Detach() { m_view = nullptr; }

 private:
  STreeView* m_view;
};

}  // namespace SWUI
