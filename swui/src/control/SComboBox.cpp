#include "control/SComboBox.h"

#include "core/EventLBSelChanged.h"
#include "core/SDropDownWnd.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

SComboBox::SComboBox() = default;

SComboBox::~SComboBox() {
  // Closed while this class still answers the drop-down's callbacks.
  CloseUp();
  ReleaseListBox();
}

void SComboBox::ReleaseListBox() {
  SListBox* list = m_pListBox;
  m_pListBox = nullptr;
  DestroyList(list);
}

void SComboBox::OnDestroy() {
  SComboBase::OnDestroy();  // closes the drop-down, which gives the list back
  ReleaseListBox();
}

// ---- the list ----------------------------------------------------------------------------

int SComboBox::GetCurSel() const { return m_pListBox != nullptr ? m_pListBox->GetCurSel() : -1; }

int SComboBox::GetCount() const { return m_pListBox != nullptr ? m_pListBox->GetCount() : 0; }

BOOL SComboBox::SetCurSel(int iSel) {
  if (m_pListBox == nullptr || !m_pListBox->SetCurSel(iSel)) return FALSE;
  OnSelChanged();
  return TRUE;
}

SStringW SComboBox::GetLBText(int iItem, BOOL bRawText) {
  return m_pListBox != nullptr ? m_pListBox->GetText(iItem, bRawText) : SStringW();
}

void SComboBox::OnSelChanged() {
  ShowSelection();
  SComboBase::OnSelChanged();
}

BOOL SComboBox::MakeListBox(LPCWSTR className, pugi::xml_node style) {
  ReleaseListBox();
  // Not a list box: the combo stays without a list and answers as an empty one.
  m_pListBox = MakeList<SListBox>(className, style);
  return m_pListBox != nullptr;
}

BOOL SComboBox::CreateListBox(pugi::xml_node xmlNode) {
  const pugi::xml_node style = SXmlNoCase::Child(xmlNode, L"listStyle");
  const pugi::xml_attribute cls = SXmlNoCase::Attribute(style, L"wndclass");
  if (!MakeListBox(cls ? cls.value() : SListBox::ClassName(), style)) return FALSE;
  m_pListBox->SetAttribute(SStringW(L"hotTrack"), SStringW(L"1"), TRUE);
  m_pListBox->AddItemsFromXml(xmlNode, 0);
  return TRUE;
}

int SComboBox::GetListBoxHeight() {
  const int most = m_nDropHeight.toPixelSize(GetScale());
  if (m_pListBox == nullptr || m_pListBox->GetCount() == 0) return most;
  RECT margin;
  m_pListBox->GetStyle().GetMargin(&margin);
  const int height =
      m_pListBox->GetCount() * m_pListBox->GetItemHeight() + margin.top + margin.bottom;
  return height < most ? height : most;
}

// ---- the drop-down -----------------------------------------------------------------------

void SComboBox::OnCreateDropDown(SDropDownWnd* pDropDown) {
  SComboBase::OnCreateDropDown(pDropDown);
  if (m_pListBox == nullptr) return;
  InsertList(m_pListBox, pDropDown);
  m_pListBox->EnsureVisible(GetCurSel());
}

void SComboBox::OnDestroyDropDown(SDropDownWnd* pDropDown) {
  RemoveList(m_pListBox, pDropDown);
  SComboBase::OnDestroyDropDown(pDropDown);
}

// ---- tree-wide messages ------------------------------------------------------------------

BOOL SComboBox::OnLanguageChanged() {
  const BOOL result = SComboBase::OnLanguageChanged();
  if (m_pListBox != nullptr) m_pListBox->SSendMessage(UM_SETLANGUAGE);
  return result;
}

void SComboBox::OnScaleChanged(int scale) {
  SComboBase::OnScaleChanged(scale);
  if (m_pListBox != nullptr) m_pListBox->SSendMessage(UM_SETSCALE, static_cast<WPARAM>(scale));
}

// ---- events ------------------------------------------------------------------------------

BOOL SComboBox::FireEvent(EventArgs& evt) {
  if (HandleListEvent(evt, m_pListBox, EventLBSelChanged::EventID)) return TRUE;
  return SComboBase::FireEvent(evt);
}

}  // namespace SWUI
