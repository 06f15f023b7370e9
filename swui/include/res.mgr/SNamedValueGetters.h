// Resolving attribute texts that may name a value of the current UI definition: "@color/",
// "@dim/" and "@string/" references are looked up in its tables, other texts are read as
// literals. The current definition is SUiDef's; without one the lookups use empty tables, so
// literals still parse and every reference gives the table's missing value. UI thread only.
#pragma once
#include "core/SLayoutSize.h"
#include "base/SString.h"
#include "res.mgr/SNamedColor.h"
#include "res.mgr/SNamedDimension.h"
#include "res.mgr/SNamedString.h"

namespace SWUI {

COLORREF GetNamedColor(const SStringW& text);
// A colour attribute's value: E_FAIL, out unchanged, for an empty text; else S_OK with the
// colour GetNamedColor gives.
HRESULT ParseNamedColor(const SStringW& text, COLORREF* out);
SLayoutSize GetNamedDimension(const SStringW& text);
SStringW GetNamedString(const SStringW& text);

// The value at an index of the current tables (the missing value outside them).
COLORREF GetNamedColorAt(int index);
SLayoutSize GetNamedDimensionAt(int index);
SStringW GetNamedStringAt(int index);

}  // namespace SWUI
