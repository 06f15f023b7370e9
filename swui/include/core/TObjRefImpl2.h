// IObjRef over an interface T for a class whose counted part is a base of a larger class
// Owner: the final release deletes the whole Owner object.
#pragma once
#include "base/TObjRefImpl.h"

namespace SWUI {

template <class T, class Owner>
class TObjRefImpl2 : public TObjRefImpl<T> {
 public:
  void OnFinalRelease() override { delete static_cast<Owner*>(this); }
};

}  // namespace SWUI
