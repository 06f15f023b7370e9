#include "core/SSkinPoolMgr.h"

namespace SWUI {

SSkinPoolMgr::SSkinPoolMgr() = default;

SSkinPoolMgr::~SSkinPoolMgr() = default;

int SSkinPoolMgr::LoadBuiltinSkins(pugi::xml_node) { return 0; }

}  // namespace SWUI
