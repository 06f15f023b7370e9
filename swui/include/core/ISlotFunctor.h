// A subscriber of an event: called with the event's arguments, answers whether it handled it.
#pragma once

namespace SWUI {

class EventArgs;

// Slot type of a subscriber that takes any EventArgs; a typed subscriber has its event's id + 2.
constexpr unsigned int kSlotTypeGeneric = 1;

struct ISlotFunctor {
  virtual ~ISlotFunctor() = default;
  // Calls the subscriber; true means handled.
  virtual bool operator()(EventArgs* args) = 0;
  // A new heap copy of this subscriber, owned by the caller.
  virtual ISlotFunctor* Clone() const = 0;
  // Whether other designates the same subscriber (same type, function and object).
  virtual bool Equal(const ISlotFunctor& other) const = 0;
  virtual unsigned int GetSlotType() const = 0;
};

}  // namespace SWUI
