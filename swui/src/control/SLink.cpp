#include "control/SLink.h"

#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

SLink::ShellExecuteFn g_shellExecute = ShellExecuteW;

// Where a span of a size starts between lo and hi: centred, at the far end or at lo.
LONG PlaceSpan(LONG lo, LONG hi, LONG size, UINT centre, UINT atEnd) {
  if (centre) return lo + (hi - lo - size) / 2;
  return atEnd ? hi - size : lo;
}

}  // namespace

void SLink::BindShellExecute(ShellExecuteFn fn) {
  g_shellExecute = fn != nullptr ? fn : ShellExecuteW;
}

SLink::SLink() { m_style.SetAttribute(L"align", L"left", TRUE); }

HRESULT SLink::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (SAttrParse::IsName(name, L"href")) {
    m_strLinkUrl = GetNamedString(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SLink::OnInitFinished(pugi::xml_node xmlNode) {
  SWindow::OnInitFinished(xmlNode);
  if (m_strText.GetText(TRUE).IsEmpty()) m_strText.SetText(m_strLinkUrl);
}

BOOL SLink::OnSetCursor(const POINT& pt) {
  if (!InLink(pt)) return FALSE;
  return SWindow::OnSetCursor(pt);
}

void SLink::DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect, UINT uFormat) {
  if (!(uFormat & DT_CALCRECT)) {
    // Measured from the top: the vertical placement is this element's.
    RECT measured = *pRect;
    pRT->DrawText(pszBuf, cchText, &measured, (uFormat & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    const LONG width = measured.right - measured.left;
    const LONG height = measured.bottom - measured.top;
    m_rcText.left =
        PlaceSpan(pRect->left, pRect->right, width, uFormat & DT_CENTER, uFormat & DT_RIGHT);
    m_rcText.top =
        PlaceSpan(pRect->top, pRect->bottom, height, uFormat & DT_VCENTER, uFormat & DT_BOTTOM);
    m_rcText.right = m_rcText.left + width;
    m_rcText.bottom = m_rcText.top + height;
  }
  SWindow::DrawText(pRT, pszBuf, cchText, pRect, uFormat);
}

void SLink::OnLButtonDown(UINT nFlags, POINT pt) {
  if (InLink(pt)) SWindow::OnLButtonDown(nFlags, pt);
}

void SLink::OnLButtonUp(UINT nFlags, POINT pt) {
  if (!InLink(pt)) {
    // A press dragged off the text is no click: it leaves no pushed look behind.
    ReleaseCapture();
    if (m_dwState & WndState_PushDown) ModifyState(0, WndState_PushDown, TRUE);
    return;
  }
  // Only a press that began on the text makes a click that opens the link.
  const bool clicked = (m_dwState & WndState_PushDown) != 0;
  SWindow::OnLButtonUp(nFlags, pt);
  if (clicked && !m_strLinkUrl.IsEmpty()) {
    g_shellExecute(nullptr, L"open", m_strLinkUrl, nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void SLink::OnMouseMove(UINT, POINT pt) {
  const bool hovered = (m_dwState & WndState_Hover) != 0;
  if (!InLink(pt) && hovered) {
    SWindow::OnMouseLeave();
  } else if (InLink(pt) && !hovered) {
    SWindow::OnMouseHover(0, pt);
  }
}

void SLink::OnMouseHover(UINT nFlags, POINT pt) {
  if (InLink(pt)) SWindow::OnMouseHover(nFlags, pt);
}

}  // namespace SWUI
