// What every list test adapter shares: its observers (notified on request) and the item trees
// it builds (TestItemTrees). The adapters of the list and multi-column views stand on it.
#pragma once
#include "TestItemTrees.h"
#include "TestObservers.h"
#include "control/ILvDataSetObserver.h"

class TestAdapterBase : public TestItemTrees {
 public:
  // Tells every registered observer.
  void NotifyChanged();
  void NotifyInvalidated();
  void NotifyItemChanged(int position);
  size_t ObserverCount() const { return observers_.Count(); }

 protected:
  void AddObserver(SWUI::ILvDataSetObserver* observer) { observers_.Add(observer); }
  void RemoveObserver(SWUI::ILvDataSetObserver* observer) { observers_.Remove(observer); }

 private:
  TestObservers<SWUI::ILvDataSetObserver> observers_;
};
