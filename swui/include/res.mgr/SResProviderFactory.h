// Creation of the concrete resource providers by kind.
#pragma once
#include <windows.h>

#include "res.mgr/IResProvider.h"

namespace SWUI {

enum ResProviderKind {
  RES_PE = 0,    // resources of a module
  RES_FILE = 1,  // a folder with its index
};

// Stores a new provider (one reference, passed to the caller) in *out and returns TRUE;
// any other kind sets *out to null and returns FALSE.
BOOL CreateResProvider(int kind, IResProvider** out);

}  // namespace SWUI
