#include "res.mgr/SNamedDimension.h"

namespace SWUI {

SLayoutSize SNamedDimension::Get(const SStringW& text) const {
  static const wchar_t kPrefix[] = L"@dim/";
  const int prefixLength = static_cast<int>(wcslen(kPrefix));
  if (wcsncmp(text, kPrefix, prefixLength) != 0) return SLayoutSize::fromString(text);
  SLayoutSize value = GetMissingValue();
  FindValue(static_cast<LPCWSTR>(text) + prefixLength, value);
  return value;
}

}  // namespace SWUI
