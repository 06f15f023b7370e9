#include "res.mgr/SNamedColor.h"

namespace SWUI {

COLORREF SNamedColor::Get(const SStringW& text) const {
  static const wchar_t kPrefix[] = L"@color/";
  const int prefixLength = static_cast<int>(wcslen(kPrefix));
  COLORREF value = kMissing;
  if (wcsncmp(text, kPrefix, prefixLength) == 0) {
    FindValue(static_cast<LPCWSTR>(text) + prefixLength, value);
    return value;
  }
  if (!SColorParser::ParseValue(text, value)) return kMissing;
  return value;
}

}  // namespace SWUI
