#include "controls/SChromeTab.h"

#include "controls/EventChromeTabDbClick.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SAttrParse.h"

namespace SWUI {

SChromeTab::SChromeTab(SChromeTabCtrl* owner) : m_pOwnerCtrl(owner) {
  SetFlag(SWF_CLIPCLIENT, TRUE);
  // A title longer than its tab keeps its start and ends with an ellipsis; a style may say
  // otherwise.
  m_style.SetAttribute(SStringW(L"dotted"), SStringW(L"1"), TRUE);
}

void SChromeTab::MoveTo(const RECT& target) {
  if (m_pOwnerCtrl == nullptr) {
    MoveNow(target);
    return;
  }
  m_rcFrom = m_rcWindow;
  m_rcTo = target;
  Start(m_pOwnerCtrl->Now(), kMoveDuration);
}

void SChromeTab::MoveNow(const RECT& rc) {
  Stop();
  Move(&rc);
}

void SChromeTab::OnAnimatorState(int percent) {
  auto at = [percent](LONG from, LONG to) { return from + (to - from) * percent / 100; };
  const RECT rc = {at(m_rcFrom.left, m_rcTo.left), at(m_rcFrom.top, m_rcTo.top),
                   at(m_rcFrom.right, m_rcTo.right), at(m_rcFrom.bottom, m_rcTo.bottom)};
  Move(&rc);
}

void SChromeTab::ApplyStyle(pugi::xml_node style) {
  for (pugi::xml_attribute attr = style.first_attribute(); attr; attr = attr.next_attribute()) {
    SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
  }
}

HRESULT SChromeTab::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  if (SAttrParse::IsName(strAttribName, L"allowClose")) {
    m_bAllowClose = SAttrParse::Int(strValue);
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(strAttribName, strValue, bLoading);
}

void SChromeTab::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  BringWindowToTop();
  m_ptDragOrigin = pt;
  m_bDragging = false;
}

void SChromeTab::OnMouseMove(UINT nFlags, POINT pt) {
  // Only the tab the button went down on follows the mouse: its origin is that press's.
  if (!(nFlags & MK_LBUTTON) || GetCapture() != m_swnd || m_iIndex == -1) return;
  if (m_pOwnerCtrl == nullptr || !m_pOwnerCtrl->IsDragEnabled()) return;
  RECT rc = m_rcWindow;
  if (m_pOwnerCtrl->IsVertical()) {
    OffsetRect(&rc, 0, pt.y - m_ptDragOrigin.y);
  } else {
    OffsetRect(&rc, pt.x - m_ptDragOrigin.x, 0);
  }
  MoveNow(rc);
  m_ptDragOrigin = pt;
  m_pOwnerCtrl->ChangeTabPos(this, pt);
  m_bDragging = true;
}

void SChromeTab::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);  // a release inside fires the click, which selects
  if (!m_bDragging) return;
  m_bDragging = false;
  // Every tab slides into its slot, this one too.
  if (m_pOwnerCtrl != nullptr) m_pOwnerCtrl->UpdateChildrenPosition();
}

void SChromeTab::OnLButtonDblClk(UINT, POINT) {
  EventChromeTabDbClick evt(this);
  evt.iTabOrdinal = m_iOrdinal;
  evt.iTabIndex = m_iIndex;
  FireEvent(evt);
}

void SChromeTab::OnDestroy() {
  Stop();
  m_pOwnerCtrl = nullptr;
  SWindow::OnDestroy();
}

}  // namespace SWUI
