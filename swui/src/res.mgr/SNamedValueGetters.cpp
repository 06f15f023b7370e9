#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

struct CurrentTables {
  const SNamedColor* colors = nullptr;
  const SNamedString* strings = nullptr;
  const SNamedDimension* dimensions = nullptr;
};

CurrentTables g_current;

const SNamedColor& Colors() {
  static const SNamedColor empty;
  return g_current.colors != nullptr ? *g_current.colors : empty;
}

const SNamedString& Strings() {
  static const SNamedString empty;
  return g_current.strings != nullptr ? *g_current.strings : empty;
}

const SNamedDimension& Dimensions() {
  static const SNamedDimension empty;
  return g_current.dimensions != nullptr ? *g_current.dimensions : empty;
}

}  // namespace

COLORREF GetNamedColor(const SStringW& text) { return Colors().Get(text); }

SLayoutSize GetNamedDimension(const SStringW& text) { return Dimensions().Get(text); }

SStringW GetNamedString(const SStringW& text) { return Strings().Get(text); }

COLORREF GetNamedColorAt(int index) { return Colors().GetAt(index); }

SLayoutSize GetNamedDimensionAt(int index) { return Dimensions().GetAt(index); }

SStringW GetNamedStringAt(int index) { return Strings().GetAt(index); }

void SetCurrentNamedValues(const SNamedColor* colors, const SNamedString* strings,
                           const SNamedDimension* dimensions) {
  g_current.colors = colors;
  g_current.strings = strings;
  g_current.dimensions = dimensions;
}

}  // namespace SWUI
