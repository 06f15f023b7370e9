#include "core/SInterpolatorBase.h"

#include <cmath>
#include <cwchar>

namespace SWUI {

bool SInterpolatorBase::IsOne(float factor) { return std::fabs(factor - 1.0) < 1e-8; }

HRESULT SInterpolatorBase::SetFloatAttribute(const SStringW& name, const SStringW& value,
                                             BOOL bLoading, float& target) {
  float read = 0.0f;
  if (swscanf(value.c_str(), L"%f", &read) != 1) return E_INVALIDARG;
  target = read;
  return AfterAttribute(name, value, bLoading, S_FALSE);
}

}  // namespace SWUI
