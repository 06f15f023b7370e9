#include "res.mgr/SNamedString.h"

namespace SWUI {

SStringW SNamedString::Get(const SStringW& text) const {
  static const wchar_t kPrefix[] = L"@string/";
  const int prefixLength = static_cast<int>(wcslen(kPrefix));
  if (text.IsEmpty() || wcsncmp(text, kPrefix, prefixLength) != 0) return text;
  SStringW value;
  FindValue(static_cast<LPCWSTR>(text) + prefixLength, value);
  return value;
}

}  // namespace SWUI
