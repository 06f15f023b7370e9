// A notification of a rich edit's text services (EN_ codes); the hr a handler leaves is the
// answer the text services get.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventRENotify : public EventArgs {
  SWUI_EVENT_CLASS(16000, L"on_richedit_notify")

 public:
  explicit EventRENotify(IObject* sender) : EventArgs(sender) {}

  DWORD iNotify = 0;    // the EN_ code
  LPVOID pv = nullptr;  // the notification's data, as the text services gave it
  HRESULT hr = S_OK;
};

}  // namespace SWUI
