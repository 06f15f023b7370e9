#include "layout/SLinearLayoutParam.h"

#include "base/SArray.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

bool SLinearLayoutParam::ParseGravity(const SStringW& value, int& gravity) {
  if (value == L"left" || value == L"top") {
    gravity = GravityStart;
  } else if (value == L"center") {
    gravity = GravityCenter;
  } else if (value == L"right" || value == L"bottom") {
    gravity = GravityEnd;
  } else {
    return false;
  }
  return true;
}

HRESULT SLinearLayoutParam::ParseExtend(const SStringW& value) {
  SArray<SStringW> parts;
  const size_t count = SplitString(value, L',', parts);
  if (count == 1) {
    const SLayoutSize all = GetNamedDimension(parts[0]);
    m_data.extend_left = m_data.extend_top = m_data.extend_right = m_data.extend_bottom = all;
    return S_OK;
  }
  if (count != 4) return E_INVALIDARG;
  m_data.extend_left = GetNamedDimension(parts[0]);
  m_data.extend_top = GetNamedDimension(parts[1]);
  m_data.extend_right = GetNamedDimension(parts[2]);
  m_data.extend_bottom = GetNamedDimension(parts[3]);
  return S_OK;
}

HRESULT SLinearLayoutParam::SetAttribute(const SStringW& name, const SStringW& value,
                                         BOOL bLoading) {
  if (name.CompareNoCase(L"weight") == 0) {
    return ParseLayoutFloat(value, m_data.weight) ? S_FALSE : E_INVALIDARG;
  }
  if (name.CompareNoCase(L"layout_gravity") == 0) {
    return ParseGravity(value, m_data.gravity) ? S_FALSE : E_FAIL;
  }
  if (name.CompareNoCase(L"extend") == 0) return ParseExtend(value);
  struct NamedExtend {
    const wchar_t* name;
    SLayoutSize SLinearLayoutParamStruct::*field;
  };
  static const NamedExtend kExtends[] = {
      {L"extend_left", &SLinearLayoutParamStruct::extend_left},
      {L"extend_top", &SLinearLayoutParamStruct::extend_top},
      {L"extend_right", &SLinearLayoutParamStruct::extend_right},
      {L"extend_bottom", &SLinearLayoutParamStruct::extend_bottom}};
  for (const NamedExtend& extend : kExtends) {
    if (name.CompareNoCase(extend.name) == 0) {
      m_data.*extend.field = GetNamedDimension(value);
      return S_FALSE;
    }
  }
  return SLayoutParamBase::SetAttribute(name, value, bLoading);
}

void SLinearLayoutParam::Clear() {
  m_data.width.SetWrapContent();
  m_data.height.SetWrapContent();
  m_data.weight = 0.0f;
  m_data.gravity = GravityUnset;
}

}  // namespace SWUI
