// A subscriber that calls a member function of an object. Over EventArgs it takes every event
// (slot type 1); over a concrete event class A it takes only events of that class (slot type
// A::EventID + 2) and leaves any other event unhandled instead of misreading it as an A.
#pragma once
#include <type_traits>

#include "core/EventArgs.h"
#include "core/ISlotFunctor.h"

namespace SWUI {

template <class T, class A>
class MemberFunctionSlot : public ISlotFunctor {
 public:
  using MemberFunction = bool (T::*)(A*);

  MemberFunctionSlot(MemberFunction func, T* obj) : func_(func), obj_(obj) {}

  bool operator()(EventArgs* args) override {
    if (obj_ == nullptr || func_ == nullptr || args == nullptr) return false;
    if constexpr (std::is_same_v<A, EventArgs>) {
      return (obj_->*func_)(args);
    } else {
      A* typed = dynamic_cast<A*>(args);
      if (typed == nullptr || args->GetID() != A::EventID) return false;
      return (obj_->*func_)(typed);
    }
  }

  ISlotFunctor* Clone() const override { return new MemberFunctionSlot(func_, obj_); }

  bool Equal(const ISlotFunctor& other) const override {
    if (other.GetSlotType() != GetSlotType()) return false;
    auto* same = dynamic_cast<const MemberFunctionSlot*>(&other);
    return same != nullptr && same->func_ == func_ && same->obj_ == obj_;
  }

  unsigned int GetSlotType() const override {
    if constexpr (std::is_same_v<A, EventArgs>) {
      return kSlotTypeGeneric;
    } else {
      return static_cast<unsigned int>(A::EventID) + 2;
    }
  }

 private:
  MemberFunction func_;
  T* obj_;
};

// Builds a slot for SubscribeEvent: Subscriber(&Handler::OnClick, this).
template <class T, class A>
MemberFunctionSlot<T, A> Subscriber(bool (T::*func)(A*), T* obj) {
  return MemberFunctionSlot<T, A>(func, obj);
}

}  // namespace SWUI
