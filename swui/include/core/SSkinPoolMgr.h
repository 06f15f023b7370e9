// The stack of skin pools: a host window's own skins hide the UI definition's, which hide
// the built-in system skins (application singleton 6).
#pragma once
#include <pugixml.hpp>

#include "core/SSingleton.h"

namespace SWUI {

class SSkinPoolMgr : public SSingleton<SSkinPoolMgr> {
 public:
  SSkinPoolMgr();
  virtual ~SSkinPoolMgr();

  // Hands the framework's "skin" element to the built-in pool; the number of skins created.
  // Skin objects come with the skin classes: until then nothing is created.
  int LoadBuiltinSkins(pugi::xml_node skin);
};

}  // namespace SWUI
