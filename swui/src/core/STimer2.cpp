#include "core/STimer2.h"

namespace SWUI {

STimer2::STimer2() = default;

STimer2::~STimer2() = default;

}  // namespace SWUI
