// Issues element handles and maps them back to live elements (application singleton 1).
#pragma once
#include "core/SSingleton.h"

namespace SWUI {

class SWindowMgr : public SSingleton<SWindowMgr> {
 public:
  SWindowMgr();
  virtual ~SWindowMgr();
};

}  // namespace SWUI
