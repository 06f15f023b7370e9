#include "TestAdapterBase.h"

#include <algorithm>

#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

void TestAdapterBase::AddObserver(ILvDataSetObserver* observer) {
  if (observer != nullptr) observers_.emplace_back(observer);
}

void TestAdapterBase::RemoveObserver(ILvDataSetObserver* observer) {
  auto it = std::find_if(observers_.begin(), observers_.end(),
                         [observer](const SAutoRefPtr<ILvDataSetObserver>& held) {
                           return held.Get() == observer;
                         });
  if (it != observers_.end()) observers_.erase(it);
}

void TestAdapterBase::NotifyChanged() {
  const auto held = observers_;
  for (const auto& observer : held) observer->OnChanged();
}

void TestAdapterBase::NotifyInvalidated() {
  const auto held = observers_;
  for (const auto& observer : held) observer->OnInvalidated();
}

void TestAdapterBase::NotifyItemChanged(int position) {
  const auto held = observers_;
  for (const auto& observer : held) observer->OnItemChanged(position);
}

bool TestAdapterBase::BuildOnce(SWindow* pItem, pugi::xml_node xmlTemplate, const wchar_t* rowXml) {
  if (pItem->GetChildrenCount() > 0) return false;
  pugi::xml_document own;
  pugi::xml_node from = xmlTemplate;
  if (!from || !from.first_child()) {
    own.load_string(rowXml);
    from = own.first_child();
  }
  pItem->InitFromXml(from);
  pItem->SubscribeEvent(EventSwndDestroy::EventID,
                        Subscriber(&TestAdapterBase::OnItemDestroyed, this));
  ++panelsCreated;
  return true;
}

bool TestAdapterBase::OnItemDestroyed(EventArgs*) {
  ++panelsDestroyed;
  return false;
}
