#include "core/SAttrParse.h"

#include <shlwapi.h>

namespace SWUI {

int SAttrParse::Int(const SStringW& value) {
  int result = 0;
  if (!StrToIntExW(value, STIF_SUPPORT_HEX, &result)) return 0;
  return result;
}

}  // namespace SWUI
