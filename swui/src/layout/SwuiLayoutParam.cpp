#include "layout/SwuiLayoutParam.h"

#include <cmath>
#include <cwchar>

#include "base/SArray.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

PosItemType KindOfPrefix(wchar_t c) {
  switch (c) {
    case L'%':
      return PosPercent;
    case L'@':
      return PosSize;
    case L'[':
      return PosPrevNear;
    case L']':
      return PosNextNear;
    case L'{':
      return PosPrevFar;
    case L'|':
      return PosCenter;
    case L'}':
      return PosNextFar;
    default:
      return PosNormal;
  }
}

// "sib." then an edge word, the sibling's id, ':' and a number.
bool ParseSiblingItem(const SStringW& text, PosItem& item) {
  struct EdgeWord {
    const wchar_t* word;
    PosItemType kind;
  };
  // Only near or far matters: "left@" in a y item takes the sibling's top.
  static const EdgeWord kWords[] = {
      {L"left@", PosSibNear}, {L"right@", PosSibFar}, {L"top@", PosSibNear}, {L"bottom@", PosSibFar}};
  const SStringW rest = text.Mid(4);
  for (const EdgeWord& edge : kWords) {
    const int len = static_cast<int>(wcslen(edge.word));
    if (rest.Left(len) != edge.word) continue;
    SArray<SStringW> parts;
    if (SplitString(rest.Mid(len), L':', parts) != 2) return false;
    const int id = static_cast<int>(wcstol(parts[0], nullptr, 10));
    if (id == 0) return false;
    SLayoutSize value = GetNamedDimension(parts[1]);
    item.pit = edge.kind;
    item.nRefID = id;
    item.cMinus = 1;
    if (value.fSize < 0.0f) {
      item.cMinus = -1;
      value.fSize = -value.fSize;
    }
    item.nPos = value;
    return true;
  }
  return false;
}

}  // namespace

bool SwuiLayoutParam::ParsePosItem(const SStringW& text, PosItem& item) {
  if (text.IsEmpty()) return false;
  if (text.Left(4) == L"sib.") return ParseSiblingItem(text, item);
  const wchar_t* p = text.c_str();
  item.pit = KindOfPrefix(*p);
  if (item.pit != PosNormal) ++p;
  item.nRefID = -1;
  item.cMinus = 1;
  if (*p == L'-') {
    item.cMinus = -1;
    ++p;
  }
  item.nPos = GetNamedDimension(SStringW(p));
  return true;
}

bool SwuiLayoutParam::ParsePosPair(const SStringW& x, const SStringW& y, bool allowSize,
                                   PosItem& outX, PosItem& outY) const {
  PosItem px, py;
  if (!ParsePosItem(x, px) || !ParsePosItem(y, py)) return false;
  if (!allowSize && (px.pit == PosSize || py.pit == PosSize)) return false;
  outX = px;
  outY = py;
  return true;
}

// The size that a 4-item pos fixes along one axis: "0" to "-0" spans the parent, a '@' item
// is the size itself (or, with '-', wrap content), anything else is left to the two items.
SLayoutSize SwuiLayoutParam::SizeFromItems(const PosItem& first, const PosItem& second) {
  SLayoutSize size;
  if (first.pit == PosNormal && first.cMinus == 1 && first.nPos.IsZero() &&
      second.pit == PosNormal && second.cMinus == -1 && second.nPos.IsZero()) {
    size.SetMatchParent();
  } else if (second.pit == PosSize) {
    if (second.cMinus == 1) {
      size = second.nPos;
    } else {
      size.SetWrapContent();
    }
  } else {
    size.SetInvalid();
  }
  return size;
}

HRESULT SwuiLayoutParam::ParsePos(const SStringW& value) {
  SArray<SStringW> parts;
  const size_t count = SplitString(value, L',', parts);
  if (count != 2 && count != 4) return E_INVALIDARG;
  for (SStringW& part : parts) part.Trim();

  if (ParsePosPair(parts[0], parts[1], false, m_data.posLeft, m_data.posTop)) m_data.nCount = 2;
  // The second pair alone decides how the sizes follow, as the text was written.
  if (count == 4 &&
      ParsePosPair(parts[2], parts[3], true, m_data.posRight, m_data.posBottom)) {
    m_data.nCount = 4;
    m_data.width = SizeFromItems(m_data.posLeft, m_data.posRight);
    m_data.height = SizeFromItems(m_data.posTop, m_data.posBottom);
  } else {
    if (!m_data.width.IsValid()) m_data.width.SetWrapContent();
    if (!m_data.height.IsValid()) m_data.height.SetWrapContent();
  }
  return S_OK;
}

HRESULT SwuiLayoutParam::SetAttribute(const SStringW& name, const SStringW& value,
                                      BOOL bLoading) {
  if (name.CompareNoCase(L"pos") == 0) return ParsePos(value);
  if (name.CompareNoCase(L"offset") == 0) {
    float x = 0.0f, y = 0.0f;
    if (swscanf(value.c_str(), L"%f,%f", &x, &y) != 2) return E_FAIL;
    m_data.fOffsetX = x;
    m_data.fOffsetY = y;
    return S_OK;
  }
  return SLayoutParamBase::SetAttribute(name, value, bLoading);
}

void SwuiLayoutParam::Clear() { m_data = SwuiLayoutParamStruct(); }

bool SwuiLayoutParam::IsWrapContent(ORIENTATION orientation) const {
  // Without "pos" nothing else can size the child, so an unset size wraps its content.
  const bool noPos = m_data.nCount == 0;
  return TestAxes(orientation,
                  m_data.width.IsWrapContent() || (noPos && !m_data.width.IsValid()),
                  m_data.height.IsWrapContent() || (noPos && !m_data.height.IsValid()));
}

SLayoutSize SwuiLayoutParam::GetSpecifiedSize(ORIENTATION orientation) const {
  return orientation == Vert ? m_data.height : m_data.width;
}

bool SwuiLayoutParam::IsOffsetRequired(ORIENTATION orientation) const {
  const float offset = orientation == Vert ? m_data.fOffsetY : m_data.fOffsetX;
  return std::fabs(offset) >= 1e-8f;
}

}  // namespace SWUI
