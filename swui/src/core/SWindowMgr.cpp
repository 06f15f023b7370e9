#include "core/SWindowMgr.h"

namespace SWUI {

SWindowMgr::SWindowMgr() = default;

SWindowMgr::~SWindowMgr() = default;

}  // namespace SWUI
