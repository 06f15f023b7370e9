#include "layout/SGridLayoutParam.h"

#include <algorithm>

#include "layout/SGridLayout.h"
#include "layout/SLayoutUtil.h"

namespace SWUI {

int SGridLayoutParam::ParseGravity(const SStringW& value) {
  struct Word {
    const wchar_t* word;
    int gravity;
  };
  static const Word kWords[] = {{L"left", GridGravityStart},   {L"top", GridGravityStart},
                                {L"center", GridGravityCenter}, {L"right", GridGravityEnd},
                                {L"bottom", GridGravityEnd},    {L"fill", GridGravityFill}};
  for (const Word& w : kWords) {
    if (value.CompareNoCase(w.word) == 0) return w.gravity;
  }
  return GridGravityUnset;
}

HRESULT SGridLayoutParam::SetAttribute(const SStringW& name, const SStringW& value,
                                       BOOL bLoading) {
  // A span below one would leave the child no cell; one beyond the count cap could never fit.
  const auto span = [&value] {
    return std::min(std::max(ParseLayoutInt(value), 1), SGridLayout::kMaxCount);
  };
  if (name.CompareNoCase(L"columnSpan") == 0) {
    m_data.nColSpan = span();
  } else if (name.CompareNoCase(L"rowSpan") == 0) {
    m_data.nRowSpan = span();
  } else if (name.CompareNoCase(L"layout_xGravity") == 0) {
    m_data.layoutGravityX = ParseGravity(value);
  } else if (name.CompareNoCase(L"layout_yGravity") == 0) {
    m_data.layoutGravityY = ParseGravity(value);
  } else if (name.CompareNoCase(L"columnWeight") == 0) {
    if (!ParseLayoutFloat(value, m_data.fColWeight)) return E_INVALIDARG;
  } else if (name.CompareNoCase(L"rowWeight") == 0) {
    if (!ParseLayoutFloat(value, m_data.fRowWeight)) return E_INVALIDARG;
  } else {
    return SLayoutParamBase::SetAttribute(name, value, bLoading);
  }
  return S_OK;
}

}  // namespace SWUI
