// Whoever owns translatable texts answers the context they are translated in.
#pragma once
#include "base/SString.h"

namespace SWUI {

struct ITrCtxProvider {
  // The translation context of the owner's texts (empty for the translator's default).
  virtual SStringW GetTrCtx() const = 0;

 protected:
  ~ITrCtxProvider() = default;
};

}  // namespace SWUI
