// Cache of element lookups by name (application singleton 7); nothing fills it in this system.
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class SWindowFinder : public SSingleton<SWindowFinder> {
 public:
  SWindowFinder();
  virtual ~SWindowFinder();
};

}  // namespace SWUI
