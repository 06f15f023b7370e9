// The list view's observer of its adapter: it forwards each call to the view's handler of the
// same meaning, and nothing once the view is gone (Detach).
#pragma once
#include "base/TObjRefImpl.h"
#include "control/ILvDataSetObserver.h"

namespace SWUI {

class SListView;

class SListViewDataSetObserver : public TObjRefImpl<ILvDataSetObserver> {
 public:
  explicit SListViewDataSetObserver(SListView* view) : m_view(view) {}

  void OnChanged() override;
  void OnInvalidated() override;
  void OnItemChanged(int position) override;
  // The view goes: an adapter that still holds the observer reaches nothing.
  void Detach() { m_view = nullptr; }

 private:
  SListView* m_view;
};

}  // namespace SWUI
