#include "TestItemTrees.h"

#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

bool TestItemTrees::BuildOnce(SWindow* pItem, pugi::xml_node xmlTemplate, const wchar_t* rowXml) {
  if (pItem->GetChildrenCount() > 0) return false;
  pugi::xml_document own;
  pugi::xml_node from = xmlTemplate;
  if (!from || !from.first_child()) {
    own.load_string(rowXml);
    from = own.first_child();
  }
  pItem->InitFromXml(from);
  pItem->SubscribeEvent(EventSwndDestroy::EventID,
                        Subscriber(&TestItemTrees::OnItemDestroyed, this));
  ++panelsCreated;
  return true;
}

bool TestItemTrees::OnItemDestroyed(EventArgs*) {
  ++panelsDestroyed;
  return false;
}
