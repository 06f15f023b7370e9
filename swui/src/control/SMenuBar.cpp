#include "control/SMenuBar.h"

#include <algorithm>

#include "control/EventSelectMenu.h"
#include "control/SMenuItem.h"
#include "base/SXmlMark.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

SMenuBar::SMenuBar() {
  GetEventSet()->AddEvent<EventSelectMenu>();
}

SMenuBar::~SMenuBar() = default;

BOOL SMenuBar::Init(HWND hHost) {
  if (!::IsWindow(hHost)) return FALSE;
  m_hHost = hHost;
  return TRUE;
}

SMenuItem* SMenuBar::GetItem(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetItemCount()) return nullptr;
  return m_arrItems[nIndex];
}

BOOL SMenuBar::Insert(LPCWSTR pszTitle, LPCWSTR pszMenuName, int nIndex) {
  if (pszMenuName == nullptr || *pszMenuName == L'\0') return FALSE;
  SMenuItem* item = new SMenuItem(this, pszMenuName);
  if (!item->IsMenuLoaded()) {
    item->DestroyWindow();
    return FALSE;
  }
  InsertChild(item);
  // Its events (the chosen command among them) reach the bar's subscribers first.
  item->SetOwner(this);
  pugi::xml_node style = m_xmlStyle.first_child().first_child();
  while (style && style.type() != pugi::node_element) style = style.next_sibling();
  const BOOL created = item->InitFromXml(style);
  SXmlMark::ClearMarks(m_xmlStyle);
  // A button that refused its creation has left the tree already.
  if (!created) return FALSE;
  if (pszTitle != nullptr) item->SetWindowText(pszTitle);
  if (nIndex < 0 || nIndex > GetItemCount()) nIndex = GetItemCount();
  m_arrItems.insert(m_arrItems.begin() + nIndex, item);
  UpdateChildrenPosition();
  return TRUE;
}

BOOL SMenuBar::CreateChildren(pugi::xml_node xmlNode) {
  const pugi::xml_node style = SXmlNoCase::Child(xmlNode, L"btnStyle");
  if (style) {
    m_xmlStyle.reset();
    m_xmlStyle.append_copy(style);
  }
  const pugi::xml_node menus = SXmlNoCase::Child(xmlNode, L"menus");
  for (pugi::xml_node node = menus.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element || !SXmlNoCase::NameEquals(node.name(), L"menuItem")) {
      continue;
    }
    SStringW title(node.child_value());
    title.Trim();
    title = GetNamedString(title);
    const SStringW menuName(SXmlNoCase::Attribute(node, L"menuName").value());
    Insert(title.IsEmpty() ? nullptr : title.c_str(), menuName, -1);
  }
  return TRUE;
}

void SMenuBar::UpdateChildrenPosition() {
  const RECT rc = GetClientRect();
  RECT button = {rc.left + 1, rc.top, rc.left + 1 + kButtonWidth, rc.top + kButtonHeight};
  for (SMenuItem* item : m_arrItems) {
    item->Move(&button);
    OffsetRect(&button, kButtonWidth + 1, 0);
  }
}

void SMenuBar::ForgetItem(SMenuItem* item) {
  const auto it = std::find(m_arrItems.begin(), m_arrItems.end(), item);
  if (m_pActiveItem == item) m_pActiveItem = nullptr;
  if (m_pClosingItem == item) m_pClosingItem = nullptr;
  if (it == m_arrItems.end()) return;
  m_arrItems.erase(it);
  UpdateChildrenPosition();
}

void SMenuBar::OnDestroy() {
  m_arrItems.clear();
  m_pActiveItem = nullptr;
  m_pClosingItem = nullptr;
  SWindow::OnDestroy();
}

}  // namespace SWUI
