// The stack of style pools of the loaded UI definitions (application singleton 5).
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class SStylePoolMgr : public SSingleton<SStylePoolMgr> {
 public:
  SStylePoolMgr();
  virtual ~SStylePoolMgr();
};

}  // namespace SWUI
