#include "core/SWindowFinder.h"

namespace SWUI {

SWindowFinder::SWindowFinder() = default;

SWindowFinder::~SWindowFinder() = default;

}  // namespace SWUI
