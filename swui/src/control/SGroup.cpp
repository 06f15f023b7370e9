#include "control/SGroup.h"

#include "control/SScopedPen.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// The title keeps this far from the frame's left and right ends, and the frame's lines this
// far from the title.
constexpr int kTitleIndent = 20;
constexpr int kTitleGap = 5;

}  // namespace

SGroup::SGroup() = default;

HRESULT SGroup::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  const bool isLine1 = SAttrParse::IsName(name, L"colorLine1");
  if (isLine1 || SAttrParse::IsName(name, L"colorLine2")) {
    if (value.IsEmpty()) return E_FAIL;
    (isLine1 ? m_crLine1 : m_crLine2) = GetNamedColor(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"round")) {
    m_nRound = GetNamedDimension(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (SAttrParse::IsName(name, L"headerHeight")) {
    m_nHeaderHeight = GetNamedDimension(value);
    return AfterAttribute(name, value, bLoading, S_OK);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SGroup::GetChildrenLayoutRect(RECT* prc) const {
  SWindow::GetChildrenLayoutRect(prc);
  prc->top += m_nHeaderHeight.toPixelSize(GetScale());
}

SIZE SGroup::GetDesiredSize(int nParentWid, int nParentHei) {
  SIZE size = SWindow::GetDesiredSize(nParentWid, nParentHei);
  // A given height or the parent's is the frame's own; only measured content lies below the
  // header.
  if (m_pLayoutParam != nullptr && m_pLayoutParam->IsWrapContent(Vert)) {
    size.cy += m_nHeaderHeight.toPixelSize(GetScale());
  }
  return size;
}

void SGroup::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const SStringW text = GetWindowText(FALSE);
  SIZE textSize = {0, 0};
  if (!text.IsEmpty()) pRT->MeasureText(text, text.GetLength(), &textSize);

  RECT rcTitle = m_rcWindow;
  rcTitle.left += kTitleIndent;
  rcTitle.right -= kTitleIndent;
  rcTitle.bottom = rcTitle.top + textSize.cy + 2;
  const UINT align = GetTextAlign();
  if (align & DT_CENTER) {
    rcTitle.left += (rcTitle.right - rcTitle.left - textSize.cx) / 2;
    rcTitle.right = rcTitle.left + textSize.cx;
  } else if (align & DT_RIGHT) {
    rcTitle.left = rcTitle.right - textSize.cx;
  } else {
    rcTitle.right = rcTitle.left + textSize.cx;
  }

  if (!text.IsEmpty()) {
    RECT rcGap = rcTitle;
    InflateRect(&rcGap, kTitleGap, kTitleGap);
    pRT->PushClipRect(&rcGap, RGN_DIFF);
  }
  RECT rcFrame = m_rcWindow;
  if (!text.IsEmpty()) rcFrame.top += textSize.cy / 2;
  rcFrame.left += 1;
  rcFrame.top += 1;
  rcFrame.right -= 1;
  const int round = m_nRound.toPixelSize(GetScale());
  DrawFrame(pRT, rcFrame, m_crLine1, round);
  rcFrame.left -= 1;
  rcFrame.top -= 1;
  rcFrame.right += 1;
  rcFrame.bottom -= 1;
  DrawFrame(pRT, rcFrame, m_crLine2, round);

  if (!text.IsEmpty()) {
    pRT->PopClip();
    pRT->DrawText(text, text.GetLength(), &rcTitle, DT_VCENTER | DT_SINGLELINE);
  }
  AfterPaint(pRT, painter);
}

void SGroup::DrawFrame(IRenderTarget* pRT, const RECT& rc, COLORREF cr, int round) {
  SScopedPen pen(pRT, PS_SOLID, cr, 1);
  if (pen) pRT->DrawRoundRect(&rc, POINT{round, round});
}

}  // namespace SWUI
