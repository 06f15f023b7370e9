// What a concrete combo does with its list element of class ListT, whose selection change is
// the event kSelChangedId: the list is made from the combo's "listStyle" (its "wndclass", by
// default ListT's own tag, must make a ListT; anything else is released and leaves no list),
// held by the combo, put into the drop-down while it is open (shown, focused, the selection
// scrolled into view) and taken back as it closes, told of scale and language changes, and
// destroyed with the combo. While open, the list's selection change runs OnSelChanged (the edit
// part shows the choice) and its click closes the drop-down. UI thread only.
#pragma once
#include <pugixml.hpp>

#include "control/SComboBase.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

template <class ListT, DWORD kSelChangedId>
class TComboList : public SComboBase {
 public:
  ~TComboList() override {
    // Closed while this class still answers the drop-down's callbacks.
    CloseUp();
    ReleaseList();
  }

  // The edit part (while its events are live) shows the choice; repaint; the event.
  void OnSelChanged() override {
    ShowSelection();
    SComboBase::OnSelChanged();
  }
  void OnCreateDropDown(SDropDownWnd* pDropDown) override {
    SComboBase::OnCreateDropDown(pDropDown);
    if (m_pList == nullptr) return;
    m_pDropDownWnd->HostContent(m_pList);
    m_pList->EnsureVisible(GetCurSel());
  }
  void OnDestroyDropDown(SDropDownWnd* pDropDown) override {
    if (m_pDropDownWnd != nullptr) m_pDropDownWnd->ReturnContent(m_pList, GetContainer());
    SComboBase::OnDestroyDropDown(pDropDown);
  }
  BOOL OnLanguageChanged() override {
    const BOOL result = SComboBase::OnLanguageChanged();
    if (m_pList != nullptr) m_pList->SSendMessage(UM_SETLANGUAGE);
    return result;
  }
  void OnScaleChanged(int scale) override {
    SComboBase::OnScaleChanged(scale);
    if (m_pList != nullptr) m_pList->SSendMessage(UM_SETSCALE, static_cast<WPARAM>(scale));
  }
  BOOL FireEvent(EventArgs& evt) override {
    if (HandleListEvent(evt, m_pList, kSelChangedId)) return TRUE;
    return SComboBase::FireEvent(evt);
  }

 protected:
  // Makes the list of that class from its style element, in place of any old one; FALSE when
  // the class makes no ListT.
  BOOL MakeListOf(LPCWSTR className, pugi::xml_node style) {
    ReleaseList();
    m_pList = MakeList<ListT>(className, style);
    return m_pList != nullptr;
  }
  // The list of the combo's "listStyle" child, with hot tracking.
  BOOL MakeListFromStyle(pugi::xml_node xmlNode) {
    const pugi::xml_node style = SXmlNoCase::Child(xmlNode, L"listStyle");
    const pugi::xml_attribute cls = SXmlNoCase::Attribute(style, L"wndclass");
    if (!MakeListOf(cls ? cls.value() : ListT::ClassName(), style)) return FALSE;
    m_pList->SetAttribute(SStringW(L"hotTrack"), SStringW(L"1"), TRUE);
    return TRUE;
  }
  // dropHeight in pixels; with rows, at most their height plus the list's vertical margin.
  int FitDropHeight(int rows, int rowsHeight) const {
    const int most = m_nDropHeight.toPixelSize(GetScale());
    if (m_pList == nullptr || rows <= 0) return most;
    RECT margin;
    m_pList->GetStyle().GetMargin(&margin);
    const int height = rowsHeight + margin.top + margin.bottom;
    return height < most ? height : most;
  }
  void ReleaseList() {
    ListT* list = m_pList;
    m_pList = nullptr;
    DestroyList(list);
  }
  void OnDestroy() {
    SComboBase::OnDestroy();  // closes the drop-down, which gives the list back
    ReleaseList();
  }

  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SComboBase)

  ListT* m_pList = nullptr;
};

}  // namespace SWUI
