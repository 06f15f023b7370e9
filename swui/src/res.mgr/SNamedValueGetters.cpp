#include "res.mgr/SNamedValueGetters.h"

#include "core/SUiDef.h"

namespace SWUI {

namespace {

IUiDefInfo* Current() {
  SUiDef* defs = SUiDef::getSingletonPtr();
  return defs != nullptr ? defs->GetUiDef() : nullptr;
}

const SNamedColor& Colors() {
  static const SNamedColor empty;
  IUiDefInfo* info = Current();
  return info != nullptr ? info->GetNamedColor() : empty;
}

const SNamedString& Strings() {
  static const SNamedString empty;
  IUiDefInfo* info = Current();
  return info != nullptr ? info->GetNamedString() : empty;
}

const SNamedDimension& Dimensions() {
  static const SNamedDimension empty;
  IUiDefInfo* info = Current();
  return info != nullptr ? info->GetNamedDimension() : empty;
}

}  // namespace

COLORREF GetNamedColor(const SStringW& text) { return Colors().Get(text); }

HRESULT ParseNamedColor(const SStringW& text, COLORREF* out) {
  if (text.IsEmpty()) return E_FAIL;
  *out = GetNamedColor(text);
  return S_OK;
}

SLayoutSize GetNamedDimension(const SStringW& text) { return Dimensions().Get(text); }

SStringW GetNamedString(const SStringW& text) { return Strings().Get(text); }

COLORREF GetNamedColorAt(int index) { return Colors().GetAt(index); }

SLayoutSize GetNamedDimensionAt(int index) { return Dimensions().GetAt(index); }

SStringW GetNamedStringAt(int index) { return Strings().GetAt(index); }

}  // namespace SWUI
