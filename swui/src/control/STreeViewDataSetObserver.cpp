#include "control/STreeViewDataSetObserver.h"

#include "control/STreeView.h"

namespace SWUI {

void STreeViewDataSetObserver::OnBranchChanged(HSTREEITEM hBranch) {
  if (m_view != nullptr) m_view->OnBranchChanged(hBranch);
}

void STreeViewDataSetObserver::OnBranchInvalidated(HSTREEITEM hBranch) {
  if (m_view != nullptr) m_view->OnBranchChanged(hBranch);
}

void STreeViewDataSetObserver::OnBranchExpandedChanged(HSTREEITEM hBranch, BOOL bExpandedOld,
                                                       BOOL bExpandedNew) {
  if (m_view != nullptr) m_view->OnBranchExpandedChanged(hBranch, bExpandedOld, bExpandedNew);
}

}  // namespace SWUI
