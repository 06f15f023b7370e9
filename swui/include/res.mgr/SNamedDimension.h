// Named dimensions of a UI definition; "@dim/name" refers to one.
#pragma once
#include "core/SLayoutSize.h"
#include "res.mgr/SDimensionParser.h"
#include "res.mgr/SNamedValue.h"

namespace SWUI {

class SNamedDimension : public SNamedValue<SLayoutSize, SDimensionParser> {
 public:
  // "@dim/name" is looked up (0 px when undefined); anything else is read as a length.
  SLayoutSize Get(const SStringW& text) const;
};

}  // namespace SWUI
