#include "control/SComboView.h"

#include "control/EventLVSelChanged.h"
#include "core/SDropDownWnd.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

SComboView::SComboView() = default;

SComboView::~SComboView() {
  // Closed while this class still answers the drop-down's callbacks.
  CloseUp();
  ReleaseListView();
}

void SComboView::ReleaseListView() {
  SListView* list = m_pListView;
  m_pListView = nullptr;
  DestroyList(list);
}

void SComboView::OnDestroy() {
  SComboBase::OnDestroy();  // closes the drop-down, which gives the list back
  ReleaseListView();
}

// ---- the list ----------------------------------------------------------------------------

int SComboView::GetCurSel() const {
  return m_pListView != nullptr ? m_pListView->GetSel() : -1;
}

int SComboView::GetCount() const {
  ILvAdapter* adapter = m_pListView != nullptr ? m_pListView->GetAdapter() : nullptr;
  return adapter != nullptr ? adapter->GetCount() : 0;
}

BOOL SComboView::SetCurSel(int iSel) {
  if (m_pListView == nullptr) return FALSE;
  if (iSel < 0) iSel = -1;
  if (iSel >= GetCount() || iSel == GetCurSel()) return FALSE;
  m_pListView->SetSel(iSel, FALSE);
  OnSelChanged();
  return TRUE;
}

SStringW SComboView::GetLBText(int iItem, BOOL bRawText) {
  if (iItem < 0 || iItem >= GetCount()) return SStringW();
  const SStringW text = m_pListView->GetAdapter()->GetItemDesc(iItem);
  return bRawText ? text : tr(text);
}

void SComboView::OnSelChanged() {
  ShowSelection();
  SComboBase::OnSelChanged();
}

BOOL SComboView::CreateListBox(pugi::xml_node xmlNode) {
  ReleaseListView();
  const pugi::xml_node style = SXmlNoCase::Child(xmlNode, L"listStyle");
  const pugi::xml_attribute cls = SXmlNoCase::Attribute(style, L"wndclass");
  // Not a list view: released, and the combo refuses every list operation.
  m_pListView = MakeList<SListView>(cls ? cls.value() : SListView::ClassName(), style);
  if (m_pListView == nullptr) return FALSE;
  m_pListView->SetAttribute(SStringW(L"hotTrack"), SStringW(L"1"), TRUE);
  return TRUE;
}

int SComboView::GetListBoxHeight() {
  const int most = m_nDropHeight.toPixelSize(GetScale());
  if (GetCount() == 0) return most;
  RECT margin;
  m_pListView->GetStyle().GetMargin(&margin);
  const int height =
      m_pListView->GetItemLocator()->GetTotalHeight() + margin.top + margin.bottom;
  return height < most ? height : most;
}

// ---- the drop-down -----------------------------------------------------------------------

void SComboView::OnCreateDropDown(SDropDownWnd* pDropDown) {
  SComboBase::OnCreateDropDown(pDropDown);
  if (m_pListView == nullptr) return;
  InsertList(m_pListView, pDropDown);
  m_pListView->EnsureVisible(GetCurSel());
}

void SComboView::OnDestroyDropDown(SDropDownWnd* pDropDown) {
  RemoveList(m_pListView, pDropDown);
  SComboBase::OnDestroyDropDown(pDropDown);
}

// ---- tree-wide messages and events -------------------------------------------------------

BOOL SComboView::OnLanguageChanged() {
  const BOOL result = SComboBase::OnLanguageChanged();
  if (m_pListView != nullptr) m_pListView->SSendMessage(UM_SETLANGUAGE);
  return result;
}

void SComboView::OnScaleChanged(int scale) {
  SComboBase::OnScaleChanged(scale);
  if (m_pListView != nullptr) m_pListView->SSendMessage(UM_SETSCALE, static_cast<WPARAM>(scale));
}

BOOL SComboView::FireEvent(EventArgs& evt) {
  if (HandleListEvent(evt, m_pListView, EventLVSelChanged::EventID)) return TRUE;
  return SComboBase::FireEvent(evt);
}

}  // namespace SWUI
