// SMenuEx: building the levels, editing them and the events of their items. Showing, placing
// and running the menu are in SMenuExShow.cpp.
#include "control/SMenuEx.h"

#include <cwchar>
#include <memory>

#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"
#include "control/SMenuExRunData.h"
#include "control/SMenuExSep.h"
#include "core/EventCmd.h"
#include "core/EventSwndMouseHover.h"
#include "core/EventSwndMouseLeave.h"
#include "core/SApplication.h"
#include "base/SXmlMark.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

// The first element of the document a node belongs to.
pugi::xml_node TopElementOf(const pugi::xml_node& node) {
  for (pugi::xml_node child = node.root().first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) return child;
  }
  return pugi::xml_node();
}

bool IsMenuElement(const pugi::xml_node& node) {
  return node && node.type() == pugi::node_element &&
         (wcscmp(node.name(), L"menuRoot") == 0 || wcscmp(node.name(), L"menuItem") == 0);
}

}  // namespace

SMenuEx::SMenuEx() : SHostWnd(nullptr), m_pParent(nullptr) { InitLevelHost(); }

SMenuEx::SMenuEx(SMenuExItem* pParent) : SHostWnd(nullptr), m_pParent(pParent) {
  InitLevelHost();
}

void SMenuEx::InitLevelHost() {
  // A menu takes no drop, and a level that never shows needs nothing to drive its repaints.
  m_bRegisterDropTarget = FALSE;
  m_bDummyOnFirstShow = TRUE;
}

SMenuEx::~SMenuEx() {
  // While this object is whole: its items tell it they go, their sub-menus go with them.
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
  if (SMenuExRunData* data = SMenuExRunData::Current()) data->RemoveLevel(this);
}

// ---- building ----------------------------------------------------------------------------

BOOL SMenuEx::LoadMenu(LPCWSTR resId, HWND hParent) {
  SApplication* app = SApplication::getSingletonPtr();
  if (resId == nullptr || app == nullptr || m_hWnd != nullptr) return FALSE;
  SStringW type;
  SStringW name;
  SplitResRef(SStringW(resId), SStringW(kDefaultType), &type, &name);
  pugi::xml_document doc;
  if (!app->LoadXmlDocument(doc, name, type)) return FALSE;
  const BOOL built = IniMenu(TopElementOf(doc), hParent);
  SXmlMark::ClearMarks(doc);
  return built;
}

BOOL SMenuEx::IniMenu(pugi::xml_node xmlMenu, HWND hOwner) {
  if (m_hWnd != nullptr || !IsMenuElement(xmlMenu)) return FALSE;
  if (CSimpleWnd::Create(L"", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, 0, 0, 0, hOwner,
                         nullptr) == nullptr) {
    return FALSE;
  }
  m_hOwner = hOwner;
  m_bMenuInitialized = FALSE;

  pugi::xml_document host;
  pugi::xml_node swui = host.append_child(L"SWUI");
  swui.append_attribute(L"translucent") = L"1";
  pugi::xml_attribute trCtx = SXmlNoCase::Attribute(xmlMenu, L"trCtx");
  if (m_pParent == nullptr && trCtx) swui.append_attribute(L"trCtx") = trCtx.value();
  swui.append_child(L"root");
  // A fixed size: the level sizes its window itself whenever it shows.
  InitFromXml(swui, 1, 1);

  m_pRoot = new SMenuExRoot(this);
  GetRoot()->InsertChild(m_pRoot);
  const pugi::xml_node top = TopElementOf(xmlMenu);
  if (top != xmlMenu) {
    for (pugi::xml_attribute attr = top.first_attribute(); attr; attr = attr.next_attribute()) {
      m_pRoot->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
    }
  }
  m_pRoot->InitFromXml(xmlMenu);
  // A sub-menu's element is its item's: the item shows the text, the level none.
  m_pRoot->SetWindowText(L"");
  if (ILayoutParam* param = m_pRoot->GetLayoutParam()) param->SetWrapContent(Both);
  return TRUE;
}

void SMenuEx::DeferMenu(pugi::xml_node xmlMenu, HWND hOwner) {
  if (m_hWnd != nullptr || !IsMenuElement(xmlMenu)) return;
  m_pendingXml.reset(new pugi::xml_document());
  const pugi::xml_node top = TopElementOf(xmlMenu);
  pugi::xml_node copiedTop = m_pendingXml->append_child(top.name());
  for (pugi::xml_attribute attr = top.first_attribute(); attr; attr = attr.next_attribute()) {
    copiedTop.append_copy(attr);
  }
  copiedTop.append_copy(xmlMenu);
  m_hPendingOwner = hOwner;
}

BOOL SMenuEx::EnsureBuilt() {
  if (m_pendingXml == nullptr) return m_hWnd != nullptr;
  std::unique_ptr<pugi::xml_document> doc = std::move(m_pendingXml);
  m_bBuilding = TRUE;
  const BOOL built = IniMenu(doc->first_child().first_child(), m_hPendingOwner);
  m_bBuilding = FALSE;
  SXmlMark::ClearMarks(*doc);
  return built;
}

BOOL SMenuEx::CreateEmptyMenu(SMenuExItem* pItem) {
  if (pItem == nullptr || pItem->m_pSubMenu != nullptr || m_pRoot == nullptr) return FALSE;
  std::unique_ptr<SMenuEx> sub(new SMenuEx(pItem));
  pugi::xml_document doc;
  if (!sub->IniMenu(doc.append_child(L"menuRoot"), m_hOwner)) return FALSE;
  sub->m_pRoot->CopyLookFrom(*m_pRoot);
  pItem->m_pSubMenu = std::move(sub);
  return TRUE;
}

// ---- the items ---------------------------------------------------------------------------

SMenuExItem* SMenuEx::GetMenuItem(int id) {
  return m_pRoot != nullptr ? m_pRoot->FindChildByID2<SMenuExItem>(id) : nullptr;
}

SMenuEx* SMenuEx::GetSubMenu(int id) {
  SMenuExItem* item = FindItem(static_cast<UINT>(id), MF_BYCOMMAND);
  return item != nullptr ? item->GetSubMenu() : nullptr;
}

SMenuExItem* SMenuEx::FindItem(UINT pos, UINT flags) {
  if (m_pRoot == nullptr) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (pos >= static_cast<UINT>(m_pRoot->GetChildrenCount())) return nullptr;
    return dynamic_cast<SMenuExItem*>(m_pRoot->GetChild(static_cast<int>(pos) + 1));
  }
  return dynamic_cast<SMenuExItem*>(m_pRoot->FindChildByID(static_cast<int>(pos)));
}

BOOL SMenuEx::DeleteMenu(UINT pos, UINT flags) {
  SMenuExItem* item = FindItem(pos, flags);
  return item != nullptr && m_pRoot->DestroyChild(item);
}

BOOL SMenuEx::InsertMenu(UINT pos, UINT flags, int id, LPCWSTR text) {
  if (m_pRoot == nullptr) return FALSE;
  SMenuExItem* before = FindItem(pos, flags);
  SMenuExItem* item = (flags & MF_SEPARATOR) ? new SMenuExSep(this, m_pRoot->GetSepSkin())
                                             : new SMenuExItem(this, m_pRoot->GetItemSkin());
  if (SApplication* app = SApplication::getSingletonPtr()) app->SetSwndDefAttr(item);
  SWindow* after = ICWND_LAST;
  if (before != nullptr) {
    after = before->GetWindow(GSW_PREVSIBLING);
    if (after == nullptr) after = ICWND_FIRST;
  }
  m_pRoot->InsertChild(item, after);
  item->InitFromXml(pugi::xml_node());
  if (flags & MF_SEPARATOR) return TRUE;
  item->SetWindowText(text != nullptr ? text : L"");
  if (flags & MF_POPUP) CreateEmptyMenu(item);
  SStringW value;
  value.Format(L"%d", id);
  item->SetAttribute(SStringW(L"ID"), value, FALSE);
  if (flags & MF_CHECKED) item->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE);
  return TRUE;
}

void SMenuEx::OnItemDestroyed(SMenuExItem* pItem) {
  if (pItem == m_pHoverItem) {
    if (m_hWnd != nullptr) KillTimer(kTimerSubMenu);
    m_pHoverItem = nullptr;
  }
  if (pItem == m_pCheckItem) m_pCheckItem = nullptr;
}

// ---- the host's side ---------------------------------------------------------------------

SStringW SMenuEx::GetTranslatorContext() const {
  if (m_pParent != nullptr) return m_pParent->GetTrCtx();
  return SHostWnd::GetTranslatorContext();
}

int SMenuEx::GetScale() const {
  SMenuExRunData* data = SMenuExRunData::Current();
  return data != nullptr ? data->GetScale() : 100;
}

HWND SMenuEx::EventOwner() const {
  SMenuExRunData* data = SMenuExRunData::Current();
  return data != nullptr ? data->GetOwner() : m_hOwner;
}

BOOL SMenuEx::HandleEvent(EventArgs* evt) {
  SMenuExRunData* data = SMenuExRunData::Current();
  auto* item = dynamic_cast<SMenuExItem*>(evt->sender);
  if (item == nullptr) {
    // Only a running menu has anyone to tell: building a menu raises events of its own, also
    // when a level is built while the menu runs.
    if (m_bBuilding) return FALSE;
    HWND owner = data != nullptr ? data->GetOwner() : nullptr;
    if (owner == nullptr || !::IsWindow(owner)) return FALSE;
    return static_cast<BOOL>(
        ::SendMessageW(owner, UM_HANDLEEVENT, 0, reinterpret_cast<LPARAM>(evt)));
  }
  switch (evt->GetID()) {
    case EventSwndMouseHover::EventID:
      HideSubMenu();
      if (item->PeekSubMenu() != nullptr) {
        m_pHoverItem = item;
        SetTimer(kTimerSubMenu, kSubMenuDelay);
      }
      return FALSE;
    case EventSwndMouseLeave::EventID:
      if (item->PeekSubMenu() != nullptr) {
        KillTimer(kTimerSubMenu);
        m_pHoverItem = nullptr;
      }
      return FALSE;
    case EventCmd::EventID:
      if (item->PeekSubMenu() != nullptr) {
        ShowSubMenu(item, FALSE);
        return FALSE;
      }
      if (item->GetID() == 0 || data == nullptr) return FALSE;
      data->Exit(item->GetID());
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL SMenuEx::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                   LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd) {
    lResult = 0;
    switch (msg) {
      case WM_MOUSEACTIVATE:
        lResult = MA_NOACTIVATE;
        return TRUE;
      case WM_TIMER:
        if (OnTimer(wParam)) return TRUE;
        break;
      case WM_KEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wParam))) return TRUE;
        break;
      case WM_DESTROY:
        OnLevelDestroyed(hWnd, wParam, lParam, lResult);
        return TRUE;
      default:
        break;
    }
  }
  return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

void SMenuEx::OnLevelDestroyed(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  // The window may go before this object (an owner's destruction takes its owned windows):
  // the tree goes with it, and the level must not be left pointing into it.
  SHostWnd::ProcessWindowMessage(hWnd, WM_DESTROY, wParam, lParam, lResult, 0);
  if (SMenuExRunData* data = SMenuExRunData::Current()) data->RemoveLevel(this);
  m_pRoot = nullptr;
  m_pHoverItem = nullptr;
  m_pCheckItem = nullptr;
}

}  // namespace SWUI
