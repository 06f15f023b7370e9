#include "res.mgr/SResProviderFactory.h"

#include "res.mgr/SResProviderFiles.h"
#include "res.mgr/SResProviderPE.h"

namespace SWUI {

BOOL CreateResProvider(int kind, IResProvider** out) {
  if (out == nullptr) return FALSE;
  *out = nullptr;
  switch (kind) {
    case RES_PE:
      *out = new SResProviderPE();
      break;
    case RES_FILE:
      *out = new SResProviderFiles();
      break;
    default:
      break;
  }
  return *out != nullptr;
}

}  // namespace SWUI
