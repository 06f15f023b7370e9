#include "res.mgr/SColorParser.h"

#include <cwchar>

namespace SWUI {

namespace {

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

bool StartsWith(LPCWSTR text, LPCWSTR prefix) {
  return wcsncmp(text, prefix, wcslen(prefix)) == 0;
}

}  // namespace

bool SColorParser::ParseValue(const SStringW& text, COLORREF& value) {
  SStringW lower(text);
  lower.MakeLower();
  LPCWSTR s = lower;
  int r = 255, g = 255, b = 255, a = 255;
  int fields = 0;
  if (s[0] == L'#') {
    unsigned int hex[4] = {255, 255, 255, 255};
    fields = swscanf(s, L"#%02x%02x%02x%02x", &hex[0], &hex[1], &hex[2], &hex[3]);
    r = static_cast<int>(hex[0]);
    g = static_cast<int>(hex[1]);
    b = static_cast<int>(hex[2]);
    a = static_cast<int>(hex[3]);
  } else if (StartsWith(s, L"rgba")) {
    fields = swscanf(s, L"rgba(%d,%d,%d,%d)", &r, &g, &b, &a);
  } else if (StartsWith(s, L"rgb")) {
    fields = swscanf(s, L"rgb(%d,%d,%d)", &r, &g, &b);
  } else {
    return false;
  }
  if (fields != 3 && fields != 4) return false;
  value = static_cast<COLORREF>(Clamp(a)) << 24 | static_cast<COLORREF>(Clamp(b)) << 16 |
          static_cast<COLORREF>(Clamp(g)) << 8 | static_cast<COLORREF>(Clamp(r));
  return true;
}

}  // namespace SWUI
