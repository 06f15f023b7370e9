// Shared services of the rich-text edit elements (application singleton 8).
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class STextServiceHelper : public SSingleton<STextServiceHelper> {
 public:
  STextServiceHelper();
  virtual ~STextServiceHelper();
};

}  // namespace SWUI
