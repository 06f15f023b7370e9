// The counted pointer holders of render objects use: assigning a different object releases
// the old one and adds a reference to the new one, assigning the held one does nothing, and
// destruction releases.
#pragma once
#include "base/SAutoRefPtr.h"

namespace SWUI {

template <class T>
using RefPtrAssign = SAutoRefPtr<T>;

}  // namespace SWUI
