#include "controls/SChromeTabCtrl.h"

#include "controls/EventChromeTabClose.h"
#include "controls/EventChromeTabNew.h"
#include "controls/EventChromeTabSelChanged.h"
#include "core/EventCmd.h"
#include "core/EventSwndDestroy.h"
#include "core/MemberFunctionSlot.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

constexpr wchar_t kTabStyle[] = L"tabStyle";
constexpr wchar_t kCloseBtnStyle[] = L"closeBtnStyle";

// A measured length that is not known (or negative) takes no room.
LONG KnownLength(LONG length) {
  return length < 0 || length >= SWindow::kSizeUnknown ? 0 : length;
}

}  // namespace

SChromeTabCtrl::SChromeTabCtrl() {
  SetFlag(SWF_CLIPCLIENT, TRUE);
  m_evtSet.AddEvent<EventChromeTabNew>();
  m_evtSet.AddEvent<EventChromeTabClose>();
  m_evtSet.AddEvent<EventChromeTabSelChanged>();
}

SChromeTabCtrl::~SChromeTabCtrl() = default;

DWORD SChromeTabCtrl::Now() const { return m_tick ? m_tick() : GetTickCount(); }

// ---- tabs --------------------------------------------------------------------------------

SChromeTab* SChromeTabCtrl::MakeTab(pugi::xml_node node, LPCWSTR title, int pos) {
  auto* tab = new SChromeTab(this);
  SAutoRefPtr<SChromeTab> hold(tab);  // the tree's reference goes if the creation fails
  InsertChild(tab);
  if (pugi::xml_node style = SXmlNoCase::Child(m_styles, kTabStyle)) tab->ApplyStyle(style);
  if (title != nullptr) {
    tab->SetWindowText(title);
    tab->SetToolTipText(title);
  }
  tab->SubscribeEvent(EventCmd::EventID, Subscriber(&SChromeTabCtrl::OnTabClick, this));
  Follow(tab);
  if (!tab->InitFromXml(node)) return nullptr;  // it destroyed itself

  const int count = GetTabCount();
  if (pos < 0 || pos > count) pos = count;
  if (!m_tabs.InsertAt(static_cast<size_t>(pos), tab)) {
    DestroyChild(tab);
    return nullptr;
  }
  tab->SetOrdinal(count);
  Renumber();
  return tab;
}

void SChromeTabCtrl::Renumber() {
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) m_tabs[i]->SetIndex(static_cast<int>(i));
}

void SChromeTabCtrl::Follow(SChromeTab* child) {
  child->SubscribeEvent(EventSwndDestroy::EventID,
                        Subscriber(&SChromeTabCtrl::OnChildDestroy, this));
}

void SChromeTabCtrl::Unfollow(SChromeTab* child) {
  child->GetEventSet()->UnsubscribeEvent(EventSwndDestroy::EventID,
                                         Subscriber(&SChromeTabCtrl::OnChildDestroy, this));
}

bool SChromeTabCtrl::OnChildDestroy(EventArgs* evt) {
  if (evt->sender == static_cast<IObject*>(m_pBtnNew)) {
    m_pBtnNew = nullptr;
    return false;
  }
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    if (evt->sender != static_cast<IObject*>(m_tabs[i])) continue;
    Forget(static_cast<int>(i));
    LayoutNow();
    break;
  }
  return false;
}

void SChromeTabCtrl::AddCloseButton(SChromeTab* tab) {
  pugi::xml_node style = SXmlNoCase::Child(m_styles, kCloseBtnStyle);
  SApplication* app = SApplication::getSingletonPtr();
  if (!style || !tab->GetAllowClose() || app == nullptr) return;
  auto* button = SObjectFactoryMgr::TakeObjectAs<SWindow>(app->CreateWindowByName(L"imgbtn"));
  if (button == nullptr) return;
  tab->InsertChild(button);
  button->SubscribeEvent(EventCmd::EventID, Subscriber(&SChromeTabCtrl::OnCloseBtnClick, this));
  button->InitFromXml(style);
}

BOOL SChromeTabCtrl::InsertTab(LPCWSTR title, int pos) {
  SAutoRefPtr<SChromeTab> tab(MakeTab(pugi::xml_node(), title, pos));
  if (tab == nullptr) return FALSE;
  pos = tab->GetIndex();

  // It appears right after the tab before it (at the strip's start for the first), at its
  // desired length, and slides from there.
  RECT start;
  if (pos > 0) {
    start = m_tabs[static_cast<size_t>(pos - 1)]->GetWindowRect();
  } else {
    GetClientRect(&start);
    if (m_bVertical) {
      start.bottom = start.top;
    } else {
      start.right = start.left;
    }
  }
  const RECT placed =
      m_bVertical ? RECT{start.left, start.bottom, start.right, start.bottom + m_nDesiredSize}
                  : RECT{start.right, start.top, start.right + m_nDesiredSize, start.bottom};
  tab->MoveNow(placed);
  AddCloseButton(tab);
  LayoutNow();

  EventChromeTabNew evt(this);
  evt.pNewTab = tab;
  evt.iNewTab = pos;
  FireEvent(evt);
  return TRUE;
}

BOOL SChromeTabCtrl::RemoveTab(SChromeTab* tab) {
  const int pos = PositionOf(tab);
  if (pos < 0) return FALSE;
  Forget(pos);
  DestroyChild(tab);
  LayoutNow();
  return TRUE;
}

void SChromeTabCtrl::Forget(int pos) {
  SChromeTab* tab = m_tabs[static_cast<size_t>(pos)];
  const int ordinal = tab->GetOrdinal();
  if (m_pSelectedTab == tab) m_pSelectedTab = nullptr;
  m_tabs.RemoveAt(static_cast<size_t>(pos));
  Renumber();
  for (SChromeTab* other : m_tabs) {
    if (other->GetOrdinal() > ordinal) other->SetOrdinal(other->GetOrdinal() - 1);
  }
}

BOOL SChromeTabCtrl::RemoveTab(int pos) {
  SChromeTab* tab = GetTab(pos);
  return tab != nullptr && RemoveTab(tab);
}

int SChromeTabCtrl::PositionOf(const SChromeTab* tab) const {
  if (tab == nullptr) return -1;
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    if (m_tabs[i] == tab) return static_cast<int>(i);
  }
  return -1;
}

void SChromeTabCtrl::SetCurSel(int i) {
  // Below -1 is no position: the settings file may hold anything.
  if (i < -1 || i >= GetTabCount()) return;
  const int old = GetCurSel();
  if (i == old) return;
  if (m_pSelectedTab != nullptr) {
    SChromeTab* was = m_pSelectedTab;
    m_pSelectedTab = nullptr;
    was->ModifyState(0, WndState_Check, TRUE);
  }
  if (i != -1) {
    m_pSelectedTab = m_tabs[static_cast<size_t>(i)];
    m_pSelectedTab->ModifyState(WndState_Check, 0, TRUE);
  }
  EventChromeTabSelChanged evt(this);
  evt.iOldSel = old;
  evt.iNewSel = i;
  FireEvent(evt);
}

int SChromeTabCtrl::GetCurSel() const {
  return m_pSelectedTab != nullptr ? m_pSelectedTab->GetIndex() : -1;
}

SChromeTab* SChromeTabCtrl::GetTab(int i) const {
  if (i < 0 || i >= GetTabCount()) return nullptr;
  return m_tabs[static_cast<size_t>(i)];
}

int SChromeTabCtrl::GetTabOrdinal(int i) const {
  SChromeTab* tab = GetTab(i);
  return tab != nullptr ? tab->GetOrdinal() : -1;
}

int SChromeTabCtrl::FindTabByOrdinal(int ordinal) const {
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    if (m_tabs[i]->GetOrdinal() == ordinal) return static_cast<int>(i);
  }
  return -1;
}

BOOL SChromeTabCtrl::ChangeTabPos(SChromeTab* dragged, POINT pt) {
  if (PositionOf(dragged) < 0) return FALSE;
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    SChromeTab* other = m_tabs[i];
    if (other == dragged) continue;
    RECT rc = other->GetWindowRect();
    const bool passed = m_bVertical ? (rc.top + rc.bottom) / 2 <= pt.y && pt.y <= rc.bottom
                                    : (rc.left + rc.right) / 2 <= pt.x && pt.x <= rc.right;
    if (!passed) continue;
    // The other tab jumps by its own length to the side the dragged one came from.
    const int from = dragged->GetIndex();
    const int to = other->GetIndex();
    const LONG length = m_bVertical ? rc.bottom - rc.top : rc.right - rc.left;
    const LONG step = from > to ? length : -length;
    OffsetRect(&rc, m_bVertical ? 0 : step, m_bVertical ? step : 0);
    dragged->SetIndex(to);
    other->SetIndex(from);
    other->MoveNow(rc);
    m_tabs[static_cast<size_t>(to)] = dragged;
    m_tabs[static_cast<size_t>(from)] = other;
  }
  return TRUE;
}

// ---- layout and frames -------------------------------------------------------------------

void SChromeTabCtrl::UpdateChildrenPosition() {
  RECT rc;
  GetClientRect(&rc);
  SIZE button = {0, 0};
  if (m_pBtnNew != nullptr) {
    button = m_pBtnNew->GetDesiredSize(&rc);
    button.cx = KnownLength(button.cx);
    button.cy = KnownLength(button.cy);
  }
  const int count = GetTabCount();
  LONG avail = m_bVertical ? rc.bottom - rc.top - button.cy : rc.right - rc.left - button.cx;
  if (avail < 0) avail = 0;
  // Tabs shrink evenly when they do not fit and never grow beyond the desired length.
  LONG size = m_nDesiredSize;
  if (count > 0 && static_cast<long long>(avail) <= static_cast<long long>(size) * count) {
    size = avail / count;
  }
  RECT slot = m_bVertical ? RECT{rc.left, rc.top, rc.right, rc.top + size}
                          : RECT{rc.left, rc.top, rc.left + size, rc.bottom};
  // By index: a handler of what a move raises may remove tabs.
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    m_tabs[i]->MoveTo(slot);
    OffsetRect(&slot, m_bVertical ? 0 : size, m_bVertical ? size : 0);
  }
  if (m_pBtnNew != nullptr) {
    m_pBtnNew->MoveTo(
        RECT{slot.left, slot.top, slot.left + button.cx, slot.top + button.cy});
  }
}

void SChromeTabCtrl::LayoutNow() {
  UpdateChildrenPosition();
  SetLayoutDirty(0);
}

bool SChromeTabCtrl::IsSliding() const {
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) {
    if (m_tabs[i]->IsRunning()) return true;
  }
  return m_pBtnNew != nullptr && m_pBtnNew->IsRunning();
}

void SChromeTabCtrl::OnNextFrame() {
  // The host passes to the system only areas outside the box around what it passed since its
  // last paint, so the place a tab leaves between two others (a slide done in one step after a
  // slow start) may be painted but never shown. What waits is painted first; then the whole
  // strip, which holds every place a tab leaves or takes, is marked in one piece.
  if (IsSliding() && m_pContainer != nullptr) {
    m_pContainer->UpdateWindow();
    InvalidateRect(m_rcWindow);
  }
  const DWORD now = Now();
  for (size_t i = 0; i < m_tabs.GetCount(); ++i) m_tabs[i]->Step(now);
  if (m_pBtnNew != nullptr) m_pBtnNew->Step(now);
}

// ---- handlers ----------------------------------------------------------------------------

bool SChromeTabCtrl::OnTabClick(EventArgs* evt) {
  const int pos = PositionOf(dynamic_cast<SChromeTab*>(evt->sender));
  if (pos >= 0) SetCurSel(pos);
  return true;
}

bool SChromeTabCtrl::OnNewBtnClick(EventArgs*) {
  InsertTab(nullptr, -1);
  return true;
}

bool SChromeTabCtrl::OnCloseBtnClick(EventArgs* evt) {
  auto* button = dynamic_cast<SWindow*>(evt->sender);
  auto* found = button != nullptr ? dynamic_cast<SChromeTab*>(button->GetParent()) : nullptr;
  const int pos = PositionOf(found);
  if (pos < 0) return true;
  // The handlers may remove the tab themselves, or more.
  SAutoRefPtr<SChromeTabCtrl> self(this);
  SAutoRefPtr<SChromeTab> tab(found);
  EventChromeTabClose close(this);
  close.pCloseTab = tab;
  close.iCloseTab = pos;
  FireEvent(close);
  RemoveTab(tab);  // FALSE when it is no longer in the strip
  return true;
}

// ---- creation ----------------------------------------------------------------------------

BOOL SChromeTabCtrl::CreateChildren(pugi::xml_node xmlNode) {
  if (pugi::xml_node style = SXmlNoCase::Child(xmlNode, kTabStyle)) m_styles.append_copy(style);
  pugi::xml_node tabs = SXmlNoCase::Child(xmlNode, L"tabs");
  for (pugi::xml_node node = tabs.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element ||
        !SXmlNoCase::NameEquals(node.name(), SChromeTab::ClassName())) {
      continue;
    }
    MakeTab(node, nullptr, -1);
  }
  if (pugi::xml_node node = SXmlNoCase::Child(xmlNode, L"newBtnStyle")) {
    auto* button = new SChromeTab(this);
    SAutoRefPtr<SChromeTab> hold(button);
    InsertChild(button);
    button->SubscribeEvent(EventCmd::EventID, Subscriber(&SChromeTabCtrl::OnNewBtnClick, this));
    if (button->InitFromXml(node)) {
      m_pBtnNew = button;
      Follow(button);
    }
  }
  if (pugi::xml_node style = SXmlNoCase::Child(xmlNode, kCloseBtnStyle)) {
    m_styles.append_copy(style);
    for (SChromeTab* tab : m_tabs) AddCloseButton(tab);
  }
  return TRUE;
}

int SChromeTabCtrl::OnCreate(LPVOID lpCreateParam) {
  const int result = SWindow::OnCreate(lpCreateParam);
  if (result == 0 && m_pContainer != nullptr) m_pContainer->RegisterTimelineHandler(this);
  return result;
}

void SChromeTabCtrl::OnDestroy() {
  if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
  // The children go with the strip, not one by one; one taken out of the tree may outlive it.
  for (SChromeTab* tab : m_tabs) Unfollow(tab);
  if (m_pBtnNew != nullptr) Unfollow(m_pBtnNew);
  m_tabs.RemoveAll();
  m_pBtnNew = nullptr;
  m_pSelectedTab = nullptr;
  SWindow::OnDestroy();
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SChromeTabCtrl::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                     BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"tabDesiredSize")) {
    const int size = P::Int(strValue);
    if (size < 0) return E_FAIL;
    m_nDesiredSize = size;
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"enableDrag")) {
    m_nEnableDrag = P::Int(strValue);
    hr = S_FALSE;
  } else if (P::IsName(strAttribName, L"tabAlign")) {
    if (strValue == L"vertical") {
      m_bVertical = TRUE;
    } else if (strValue == L"horizontal") {
      m_bVertical = FALSE;
    } else {
      return E_FAIL;
    }
    hr = S_OK;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  if (hr == S_OK && !bLoading) LayoutNow();
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

}  // namespace SWUI
