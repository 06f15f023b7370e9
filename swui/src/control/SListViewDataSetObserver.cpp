#include "control/SListViewDataSetObserver.h"

#include "control/SListView.h"

namespace SWUI {

void SListViewDataSetObserver::OnChanged() {
  if (m_view != nullptr) m_view->OnDataSetChanged();
}

void SListViewDataSetObserver::OnInvalidated() {
  if (m_view != nullptr) m_view->OnDataSetInvalidated();
}

void SListViewDataSetObserver::OnItemChanged(int position) {
  if (m_view != nullptr) m_view->OnItemDataChanged(position);
}

}  // namespace SWUI
