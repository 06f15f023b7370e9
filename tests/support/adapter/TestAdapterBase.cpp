#include "TestAdapterBase.h"

using namespace SWUI;

void TestAdapterBase::NotifyChanged() {
  observers_.Notify([](ILvDataSetObserver* observer) { observer->OnChanged(); });
}

void TestAdapterBase::NotifyInvalidated() {
  observers_.Notify([](ILvDataSetObserver* observer) { observer->OnInvalidated(); });
}

void TestAdapterBase::NotifyItemChanged(int position) {
  observers_.Notify(
      [position](ILvDataSetObserver* observer) { observer->OnItemChanged(position); });
}
