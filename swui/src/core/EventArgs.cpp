#include "core/EventArgs.h"

namespace SWUI {

EventArgs::EventArgs(IObject* sender)
    : idFrom(sender != nullptr ? sender->GetID() : 0),
      nameFrom(sender != nullptr ? sender->GetName() : nullptr),
      sender(sender) {}

}  // namespace SWUI
