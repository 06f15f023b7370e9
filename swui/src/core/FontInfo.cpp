#include "core/FontInfo.h"

#include "core/SCmnMap.h"

namespace SWUI {

void FONTSTYLE::SetCharset(int charset) {
  if (charset < 0) charset = 0;
  if (charset > 0xFF) charset = 0xFF;
  dwStyle = (dwStyle & ~0xFFu) | static_cast<DWORD>(charset);
}

void FONTSTYLE::SetWeightField(UINT field) {
  if (field > kMaxWeightField) field = kMaxWeightField;
  dwStyle = (dwStyle & ~0xFF00u) | (field << 8);
}

void FONTSTYLE::SetSize(int size) {
  if (size < 0) size = 0;
  if (size > kMaxSize) size = kMaxSize;
  dwStyle = (dwStyle & 0x000FFFFFu) | (static_cast<DWORD>(size) << 20);
}

UINT FONTSTYLE::WeightField(UINT weight) {
  // Written so that weight + 2 cannot wrap.
  if (weight >= kMaxWeightField * 4) return kMaxWeightField;
  return (weight + 2) / 4;
}

size_t FontInfo::Hasher::operator()(const FontInfo& info) const {
  using Traits = SMapTraits<SStringW>;
  size_t h = Traits::Hash(info.strFaceName);
  h = h * 31 + Traits::Hash(info.strName);
  h = h * 31 + Traits::Hash(info.strPropEx);
  return h * 31 + info.style.dwStyle;
}

}  // namespace SWUI
