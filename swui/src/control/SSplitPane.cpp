#include "control/SSplitPane.h"

#include "control/EventSplitPaneMoved.h"
#include "control/SSplitWnd.h"
#include "core/SAttrParse.h"

namespace SWUI {

SSplitPane::SSplitPane() {
  m_evtSet.AddEvent<EventSplitPaneMoved>();
}

HRESULT SSplitPane::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  struct IntAttr {
    LPCWSTR name;
    int SSplitPane::*field;
  };
  static const IntAttr kInts[] = {
      {L"idealSize", &SSplitPane::m_nSizeIdeal},
      {L"minSize", &SSplitPane::m_nSizeMin},
      {L"maxSize", &SSplitPane::m_nSizeMax},
      {L"priority", &SSplitPane::m_nPriority},
  };
  for (const IntAttr& attr : kInts) {
    if (!SAttrParse::IsName(strAttribName, attr.name)) continue;
    this->*attr.field = SAttrParse::Int(strValue);
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(strAttribName, strValue, bLoading);
}

void SSplitPane::Place(const RECT& rc) {
  Move(&rc);
  EventSplitPaneMoved evt(this);
  evt.rcPane = rc;
  FireEvent(evt);
}

void SSplitPane::OnShowWindow(BOOL bShow, UINT nStatus) {
  const BOOL before = IsVisible(FALSE);
  SWindow::OnShowWindow(bShow, nStatus);
  // A parent's change leaves the pane's own setting, and so the layout, as it was.
  if (nStatus == 1 || IsVisible(FALSE) == before) return;
  if (auto* split = dynamic_cast<SSplitWnd*>(GetParent())) split->OnPaneShown(this);
}

void SSplitPane::OnDestroy() {
  // While WM_DESTROY arrives the pane is still its parent's child.
  if (auto* split = dynamic_cast<SSplitWnd*>(GetParent())) split->ForgetPane(this);
  SWindow::OnDestroy();
}

}  // namespace SWUI
