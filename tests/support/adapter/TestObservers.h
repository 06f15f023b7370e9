// The observers a test adapter holds (one reference each) and tells on request.
#pragma once
#include <algorithm>
#include <vector>

#include "base/SAutoRefPtr.h"

template <class Observer>
class TestObservers {
 public:
  void Add(Observer* observer) {
    if (observer != nullptr) held_.emplace_back(observer);
  }
  void Remove(Observer* observer) {
    auto it = std::find_if(
        held_.begin(), held_.end(),
        [observer](const SWUI::SAutoRefPtr<Observer>& held) { return held.Get() == observer; });
    if (it != held_.end()) held_.erase(it);
  }
  size_t Count() const { return held_.size(); }
  // Calls tell(observer) for each, over a copy: an observer may unregister meanwhile.
  template <class Tell>
  void Notify(Tell tell) const {
    const auto held = held_;
    for (const auto& observer : held) tell(observer.Get());
  }

 private:
  std::vector<SWUI::SAutoRefPtr<Observer>> held_;
};
