#include "core/SStylePoolMgr.h"

namespace SWUI {

SStylePoolMgr::SStylePoolMgr() = default;

SStylePoolMgr::~SStylePoolMgr() = default;

}  // namespace SWUI
