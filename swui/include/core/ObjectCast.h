// The typed view of a framework object or event by its class name: T when the object's
// IsClass answers T's class name (its own or a base's), else null. Events answer their
// script names as class names, so the same test serves them.
#pragma once
#include "base/IObject.h"

namespace SWUI {

template <class T>
T* ObjectCast(IObject* obj) {
  if (obj == nullptr || !obj->IsClass(T::ClassName())) return nullptr;
  return static_cast<T*>(obj);
}

template <class T>
const T* ObjectCast(const IObject* obj) {
  if (obj == nullptr || !obj->IsClass(T::ClassName())) return nullptr;
  return static_cast<const T*>(obj);
}

}  // namespace SWUI
