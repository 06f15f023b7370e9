// What the three layouts and their parameters share: the test for a size that is not known
// yet, the axis arguments of the parameter queries, and the readers of their attribute values.
#pragma once
#include <windows.h>

#include "core/SLayoutSize.h"
#include "base/SString.h"
#include "layout/ILayoutElement.h"
#include "layout/ILayoutParam.h"

namespace SWUI {

// 0x7FFFFF is the element's "not measured yet"; the anchor solver's sentinels lie above it.
constexpr int kLayoutSizeUnknown = 0x7FFFFF;

// A size in pixels is known when it is neither negative nor one of the sentinels; a known size
// never reaches 0x7FFFFF.
inline bool IsLayoutSizeKnown(int size) { return size >= 0 && size < kLayoutSizeUnknown; }
// The size itself when known, else fallback (-1 is the layouts' one spelling of "unknown").
inline int KnownSizeOr(int size, int fallback) { return IsLayoutSizeKnown(size) ? size : fallback; }

// The child's parameter when it is a Param; a child whose parameter belongs to another layout
// (or that has none) is placed as one with a cleared Param.
template <class Param>
const Param& LayoutParamOf(const ILayoutElement* child) {
  static const Param kCleared;
  ILayoutParam* param = child->GetLayoutParam();
  if (param != nullptr && param->IsClass(Param::ClassName())) return *static_cast<const Param*>(param);
  return kCleared;
}

// The answer of a parameter query over its width and height tests: Horz and Vert ask one of
// them, Any either, Both (and any other value) both.
bool TestAxes(ORIENTATION orientation, bool horz, bool vert);
// Sets width (Horz), height (Vert) or both (Both) to value; Any changes nothing.
void SetAxes(ORIENTATION orientation, const SLayoutSize& value, SLayoutSize& width,
             SLayoutSize& height);

// A "width" or "height" value: "matchParent" (and "full" where acceptFull), "wrapContent",
// compared without case, else a length or "@dim/" name.
SLayoutSize ParseLayoutSize(const SStringW& value, bool acceptFull);
// A "size" value, "width,height": E_FAIL, nothing changed, unless exactly two non-empty parts.
HRESULT ParseLayoutSizePair(const SStringW& value, bool acceptFull, SLayoutSize& width,
                            SLayoutSize& height);
// An integer written in decimal or with "0x" in hexadecimal; 0 without digits.
int ParseLayoutInt(const SStringW& value);
// A float read with "%f"; false, target unchanged, when the text holds no number.
bool ParseLayoutFloat(const SStringW& value, float& target);

}  // namespace SWUI
