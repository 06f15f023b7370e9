#include "control/SComboView.h"

namespace SWUI {

int SComboView::GetCurSel() const { return m_pList != nullptr ? m_pList->GetSel() : -1; }

int SComboView::GetCount() const {
  ILvAdapter* adapter = m_pList != nullptr ? m_pList->GetAdapter() : nullptr;
  return adapter != nullptr ? adapter->GetCount() : 0;
}

BOOL SComboView::SetCurSel(int iSel) {
  if (m_pList == nullptr || iSel < -1 || iSel >= GetCount() || iSel == GetCurSel()) return FALSE;
  m_pList->SetSel(iSel, FALSE);
  OnSelChanged();
  return TRUE;
}

SStringW SComboView::GetLBText(int iItem, BOOL bRawText) {
  if (iItem < 0 || iItem >= GetCount()) return SStringW();
  const SStringW text = m_pList->GetAdapter()->GetItemDesc(iItem);
  return bRawText ? text : tr(text);
}

int SComboView::GetListBoxHeight() {
  const int count = GetCount();
  return FitDropHeight(count, count > 0 ? m_pList->GetItemLocator()->GetTotalHeight() : 0);
}

}  // namespace SWUI
