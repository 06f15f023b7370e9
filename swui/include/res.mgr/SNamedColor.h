// Named colours of a UI definition; "@color/name" refers to one.
#pragma once
#include "res.mgr/SColorParser.h"
#include "res.mgr/SNamedValue.h"

namespace SWUI {

class SNamedColor : public SNamedValue<COLORREF, SColorParser> {
 public:
  // What an undefined name or an unparsable literal gives: white with alpha 0.
  static constexpr COLORREF kMissing = 0x00FFFFFF;

  SNamedColor() : SNamedValue(kMissing) {}

  // "@color/name" is looked up (exact case); anything else is read as a colour literal.
  COLORREF Get(const SStringW& text) const;
};

}  // namespace SWUI
