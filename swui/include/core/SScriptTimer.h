// Timers of script modules (application singleton 3); no script module exists in this system.
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class SScriptTimer : public SSingleton<SScriptTimer> {
 public:
  SScriptTimer();
  virtual ~SScriptTimer();
};

}  // namespace SWUI
