// Thread timers of elements (application singleton 2).
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class STimer2 : public SSingleton<STimer2> {
 public:
  STimer2();
  virtual ~STimer2();
};

}  // namespace SWUI
