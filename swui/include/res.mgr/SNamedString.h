// Named strings of a UI definition; "@string/name" refers to one.
#pragma once
#include "res.mgr/SNamedValue.h"
#include "res.mgr/SStringParser.h"

namespace SWUI {

class SNamedString : public SNamedValue<SStringW, SStringParser> {
 public:
  // "@string/name" is looked up (empty when undefined); any other text is returned as is.
  SStringW Get(const SStringW& text) const;
};

}  // namespace SWUI
