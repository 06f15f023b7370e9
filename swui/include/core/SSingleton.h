// Base of the framework's one-per-process objects: the constructor publishes the instance,
// the destructor withdraws it.
#pragma once
#include <cassert>

namespace SWUI {

template <class T>
class SSingleton {
 public:
  SSingleton() {
    assert(ms_Singleton == nullptr);
    ms_Singleton = static_cast<T*>(this);
  }
  ~SSingleton() { ms_Singleton = nullptr; }
  SSingleton(const SSingleton&) = delete;
  SSingleton& operator=(const SSingleton&) = delete;

  static T& getSingleton() {
    assert(ms_Singleton != nullptr);
    return *ms_Singleton;
  }
  static T* getSingletonPtr() { return ms_Singleton; }

 private:
  static inline T* ms_Singleton = nullptr;
};

}  // namespace SWUI
