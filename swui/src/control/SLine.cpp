#include "control/SLine.h"

#include "control/SKeyword.h"
#include "control/SScopedPen.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

using Word = SKeyword<int>;

constexpr Word kStyles[] = {{L"solid", PS_SOLID},
                            {L"dash", PS_DASH},
                            {L"dot", PS_DOT},
                            {L"dashdot", PS_DASHDOT},
                            {L"dashdotdot", PS_DASHDOTDOT}};
constexpr Word kModes[] = {
    {L"horizontal", SLine::kHorizontal}, {L"vertical", SLine::kVertical}, {L"tilt", SLine::kTilt}};

}  // namespace

HRESULT SLine::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"colorLine")) {
    if (value.IsEmpty()) return E_FAIL;
    m_crLine = GetNamedColor(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"size")) {
    m_nLineSize = P::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"lineStyle")) {
    if (!Word::Parse(kStyles, value, &m_nLineStyle)) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"mode")) {
    if (!Word::Parse(kModes, value, &m_mode)) return E_FAIL;
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SLine::OnPaint(IRenderTarget* pRT) {
  const RECT& rc = m_rcWindow;
  POINT pts[2] = {{rc.left, rc.top}, {rc.right, rc.top}};
  if (m_mode == kVertical) {
    pts[1] = POINT{rc.left, rc.bottom};
  } else if (m_mode == kTilt) {
    pts[1] = POINT{rc.right, rc.bottom};
  }
  SScopedPen pen(pRT, m_nLineStyle, m_crLine, m_nLineSize);
  if (pen) pRT->DrawLines(pts, 2);
}

}  // namespace SWUI
