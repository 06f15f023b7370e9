// Raised by an adapter view for every event of an item panel's tree (the panel's own events
// included): the panel and the event it carries, which lives only while this one is fired.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class SItemPanel;

class EventOfPanel : public EventArgs {
  SWUI_EVENT_CLASS(10006, L"on_event_of_panel")

 public:
  explicit EventOfPanel(IObject* sender) : EventArgs(sender) {}

  SItemPanel* pItemPanel = nullptr;
  EventArgs* pOrgEvt = nullptr;
};

}  // namespace SWUI
