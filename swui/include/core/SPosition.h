// The opaque position of an element in the framework's list and hash map; null means none.
#pragma once

namespace SWUI {

struct SPositionTag;
typedef SPositionTag* SPOSITION;

}  // namespace SWUI
