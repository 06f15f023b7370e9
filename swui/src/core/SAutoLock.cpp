#include "core/SAutoLock.h"

namespace SWUI {

SAutoLock::SAutoLock(SCriticalSection& cs) : cs_(cs) { cs_.Enter(); }

SAutoLock::~SAutoLock() { cs_.Leave(); }

}  // namespace SWUI
