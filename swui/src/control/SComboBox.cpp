#include "control/SComboBox.h"

namespace SWUI {

int SComboBox::GetCurSel() const { return m_pList != nullptr ? m_pList->GetCurSel() : -1; }

int SComboBox::GetCount() const { return m_pList != nullptr ? m_pList->GetCount() : 0; }

BOOL SComboBox::SetCurSel(int iSel) {
  if (m_pList == nullptr || !m_pList->SetCurSel(iSel)) return FALSE;
  OnSelChanged();
  return TRUE;
}

SStringW SComboBox::GetLBText(int iItem, BOOL bRawText) {
  return m_pList != nullptr ? m_pList->GetText(iItem, bRawText) : SStringW();
}

BOOL SComboBox::CreateListBox(pugi::xml_node xmlNode) {
  if (!MakeListFromStyle(xmlNode)) return FALSE;
  m_pList->AddItemsFromXml(xmlNode, 0);
  return TRUE;
}

int SComboBox::GetListBoxHeight() {
  const int count = GetCount();
  return FitDropHeight(count, count > 0 ? count * m_pList->GetItemHeight() : 0);
}

}  // namespace SWUI
