#include "control/SStatic.h"

#include <algorithm>
#include <cwchar>

#include "core/SAttrParse.h"

namespace SWUI {

namespace {

int TextWidth(IRenderTarget* pRT, LPCWSTR text, int cch) {
  SIZE size = {0, 0};
  if (cch > 0) pRT->MeasureText(text, cch, &size);
  return size.cx;
}

}  // namespace

SStatic::SStatic() {
  m_dwFlags |= SWF_MSGTRANSPARENT;
  m_style.SetAttribute(L"align", L"left", TRUE);
}

BOOL SStatic::IsStaticContent() const {
  return std::wcscmp(GetObjectClass(), SStatic::ClassName()) == 0 && !IsFocusable();
}

HRESULT SStatic::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"multiLines")) {
    m_bMultiLines = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"interHeight")) {
    m_nLineInter = SAttrParse::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SStatic::DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect,
                       UINT uFormat) {
  if (!m_bMultiLines) {
    DrawLine(pRT, pszBuf, 0, cchText, pRect, uFormat);
    return;
  }
  if (cchText < 0) cchText = pszBuf != nullptr ? static_cast<int>(wcslen(pszBuf)) : 0;
  if (uFormat & DT_CALCRECT) {
    *pRect = BreakLines(pRT, pszBuf, cchText, *pRect, uFormat, false);
    return;
  }
  RECT rc = *pRect;
  if (uFormat & (DT_VCENTER | DT_BOTTOM)) {
    // The lines are drawn from the top: the block is measured first and moved down.
    const RECT block = BreakLines(pRT, pszBuf, cchText, rc, uFormat, false);
    const int room = (rc.bottom - rc.top) - (block.bottom - block.top);
    rc.top += (uFormat & DT_BOTTOM) ? room : room / 2;
  }
  BreakLines(pRT, pszBuf, cchText, rc, uFormat & ~(DT_VCENTER | DT_BOTTOM), true);
}

void SStatic::DrawLine(IRenderTarget* pRT, LPCWSTR pszBuf, int iBegin, int cchText, LPRECT pRect,
                       UINT uFormat) {
  pRT->DrawText(pszBuf + iBegin, cchText, pRect, uFormat);
}

RECT SStatic::BreakLines(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, const RECT& rc,
                         UINT uFormat, bool bDraw) {
  SIZE sizeA = {0, 0};
  pRT->MeasureText(L"A", 1, &sizeA);
  const int lineHeight = sizeA.cy;
  RECT covered = {rc.left, rc.top, rc.left, rc.top};
  if (cchText <= 0) return covered;

  int lineTop = rc.top;
  int lineStart = 0;
  auto finishLine = [&](int end) {
    const int width = TextWidth(pRT, pszBuf + lineStart, end - lineStart);
    covered.right = std::max<LONG>(covered.right, rc.left + width);
    covered.bottom = lineTop + lineHeight;
    if (bDraw) {
      RECT rcLine = {rc.left, lineTop, rc.right, lineTop + lineHeight};
      DrawLine(pRT, pszBuf, lineStart, end - lineStart, &rcLine, uFormat & ~DT_CALCRECT);
    }
    lineTop += lineHeight + m_nLineInter;
  };

  const LPCWSTR end = pszBuf + cchText;
  LPCWSTR p = pszBuf;
  while (p < end) {
    const int pos = static_cast<int>(p - pszBuf);
    if (*p == L'\n') {
      finishLine(pos);
      lineStart = pos + 1;
      ++p;
      continue;
    }
    if (*p == L'\\' && p + 1 < end && p[1] == L'n') {
      finishLine(pos);
      lineStart = pos + 2;
      p += 2;
      continue;
    }
    LPCWSTR next = CharNextW(p);
    if (next <= p || next > end) next = p + 1;
    const int nextPos = static_cast<int>(next - pszBuf);
    if (pos > lineStart &&
        rc.left + TextWidth(pRT, pszBuf + lineStart, nextPos - lineStart) > rc.right) {
      finishLine(pos);  // this character starts the next line
      lineStart = pos;
      continue;
    }
    p = next;
  }
  finishLine(cchText);
  return covered;
}

}  // namespace SWUI
