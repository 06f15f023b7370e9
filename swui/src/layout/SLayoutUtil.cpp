#include "layout/SLayoutUtil.h"

#include <cwchar>

#include "base/SArray.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

bool TestAxes(ORIENTATION orientation, bool horz, bool vert) {
  switch (orientation) {
    case Horz:
      return horz;
    case Vert:
      return vert;
    case Any:
      return horz || vert;
    default:
      return horz && vert;
  }
}

void SetAxes(ORIENTATION orientation, const SLayoutSize& value, SLayoutSize& width,
             SLayoutSize& height) {
  if (orientation == Horz || orientation == Both) width = value;
  if (orientation == Vert || orientation == Both) height = value;
}

SLayoutSize ParseLayoutSize(const SStringW& value, bool acceptFull) {
  SLayoutSize size;
  if (value.CompareNoCase(L"matchParent") == 0 || (acceptFull && value.CompareNoCase(L"full") == 0)) {
    size.SetMatchParent();
  } else if (value.CompareNoCase(L"wrapContent") == 0) {
    size.SetWrapContent();
  } else {
    size = GetNamedDimension(value);
  }
  return size;
}

HRESULT ParseLayoutSizePair(const SStringW& value, bool acceptFull, SLayoutSize& width,
                            SLayoutSize& height) {
  SArray<SStringW> parts;
  if (SplitString(value, L',', parts) != 2) return E_FAIL;
  width = ParseLayoutSize(parts[0], acceptFull);
  height = ParseLayoutSize(parts[1], acceptFull);
  return S_OK;
}

int ParseLayoutInt(const SStringW& value) {
  const wchar_t* text = value.c_str();
  if (text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    return static_cast<int>(wcstoul(text + 2, nullptr, 16));
  }
  return static_cast<int>(wcstol(text, nullptr, 10));
}

bool ParseLayoutFloat(const SStringW& value, float& target) {
  float read = 0.0f;
  if (swscanf(value.c_str(), L"%f", &read) != 1) return false;
  target = read;
  return true;
}

}  // namespace SWUI
