#include "control/SMenu.h"

#include <memory>

#include "control/SMenuODWnd.h"
#include "core/SApplication.h"
#include "core/SLog.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

ULONG_PTR MenuData(HMENU hMenu) {
  MENUINFO mi = {};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIM_MENUDATA;
  return GetMenuInfo(hMenu, &mi) ? mi.dwMenuData : 0;
}

void ClearMenuData(HMENU hMenu) {
  MENUINFO mi = {};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIM_MENUDATA;
  SetMenuInfo(hMenu, &mi);
}

// The data, type and sub-menu of an item; false when there is no such item.
bool QueryItem(HMENU hMenu, UINT pos, BOOL byPosition, MENUITEMINFOW* mii) {
  *mii = MENUITEMINFOW{};
  mii->cbSize = sizeof(*mii);
  mii->fMask = MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
  return GetMenuItemInfoW(hMenu, pos, byPosition, mii) != FALSE;
}

// Separators and items that are not owner-drawn carry no data of ours.
SMenuItemData* ItemDataOf(const MENUITEMINFOW& mii) {
  if ((mii.fType & MFT_OWNERDRAW) == 0 || (mii.fType & MFT_SEPARATOR) != 0) return nullptr;
  return reinterpret_cast<SMenuItemData*>(mii.dwItemData);
}

bool HasElementChild(pugi::xml_node node) {
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) return true;
  }
  return false;
}

}  // namespace

SMenu::~SMenu() {
  if (!m_bAttached) DestroyMenu();
}

BOOL SMenu::LoadMenu(pugi::xml_node xmlMenu) {
  if ((m_hMenu != nullptr && IsMenu(m_hMenu)) || !xmlMenu) return FALSE;
  HMENU hMenu = CreatePopupMenu();
  if (hMenu == nullptr) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::SMenu::LoadMenu",
                 "CreatePopupMenu failed, error %lu", GetLastError());
    return FALSE;
  }
  auto* attr = new SMenuAttr();
  attr->InitFromXml(xmlMenu);
  if (!attr->SetAsMenuData(hMenu)) {
    attr->Release();
    ::DestroyMenu(hMenu);
    return FALSE;
  }
  SetMenuContextHelpId(hMenu, xmlMenu.attribute(L"contextHelpId").as_uint(0));
  m_hMenu = hMenu;
  m_bAttached = FALSE;
  BuildMenu(hMenu, xmlMenu);
  return TRUE;
}

BOOL SMenu::LoadMenu(LPCWSTR type, LPCWSTR name) {
  if (m_hMenu != nullptr && IsMenu(m_hMenu)) return FALSE;
  SApplication* app = SApplication::getSingletonPtr();
  pugi::xml_document doc;
  if (app == nullptr || !app->LoadXmlDocument(doc, name, type)) return FALSE;
  return LoadMenu(doc.child(L"menu"));
}

BOOL SMenu::Attach(HMENU hMenu) {
  if (m_hMenu != nullptr && IsMenu(m_hMenu)) return FALSE;
  if (SMenuAttr::OfMenu(hMenu) == nullptr) return FALSE;
  m_hMenu = hMenu;
  m_bAttached = TRUE;
  return TRUE;
}

HMENU SMenu::Detach() {
  HMENU hMenu = m_hMenu;
  m_hMenu = nullptr;
  m_bAttached = FALSE;
  return hMenu;
}

UINT SMenu::TrackPopupMenu(UINT flags, int x, int y, HWND hOwner, LPCRECT prcExclude) {
  SMenuAttr* attr = GetMenuAttr();
  if (attr == nullptr) return 0;
  SMenuODWnd odWnd(hOwner, attr);
  if (odWnd.Create(nullptr, WS_POPUP, WS_EX_NOACTIVATE, 0, 0, 0, 0, nullptr, nullptr) == nullptr) {
    return 0;
  }
  if (IsWindow(hOwner) && IsWindowEnabled(hOwner)) SetForegroundWindow(hOwner);
  // TrackPopupMenu would ignore the rectangle; the extended call keeps it free.
  TPMPARAMS params = {};
  params.cbSize = sizeof(params);
  if (prcExclude != nullptr) params.rcExclude = *prcExclude;
  const UINT cmd = static_cast<UINT>(TrackPopupMenuEx(m_hMenu, flags | TPM_RETURNCMD, x, y,
                                                      odWnd.m_hWnd,
                                                      prcExclude != nullptr ? &params : nullptr));
  odWnd.DestroyWindow();
  if (cmd != 0 && (flags & TPM_RETURNCMD) == 0 && IsWindow(hOwner)) {
    SendMessageW(hOwner, WM_COMMAND, cmd, 0);
  }
  return cmd;
}

BOOL SMenu::InsertMenu(UINT pos, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text, int iIcon) {
  SMenuAttr* attr = GetMenuAttr();
  if (attr == nullptr) return FALSE;
  flags |= MF_OWNERDRAW;
  auto insert = [&](LPCWSTR item) {
    if (pos == static_cast<UINT>(-1)) {
      return ::AppendMenuW(m_hMenu, flags & ~MF_BYPOSITION, idOrSubMenu, item);
    }
    return ::InsertMenuW(m_hMenu, pos, flags, idOrSubMenu, item);
  };
  if ((flags & MF_SEPARATOR) != 0) return insert(nullptr);

  HMENU subMenu = nullptr;
  if ((flags & MF_POPUP) != 0) {
    HMENU candidate = reinterpret_cast<HMENU>(idOrSubMenu);
    if (!IsMenu(candidate)) return FALSE;
    if (SMenuAttr::OfMenu(candidate) == nullptr) {
      // Data of some other owner would be overwritten and later misread.
      if (MenuData(candidate) != 0 || !attr->SetAsMenuData(candidate)) return FALSE;
      attr->AddRef();
      subMenu = candidate;
    }
  }
  auto data = std::make_unique<SMenuItemData>();
  data->iIcon = iIcon;
  SetItemText(data.get(), SStringW(text));
  if (!insert(reinterpret_cast<LPCWSTR>(data.get()))) {
    if (subMenu != nullptr) {
      ClearMenuData(subMenu);
      attr->Release();
    }
    return FALSE;
  }
  data.release();
  return TRUE;
}

BOOL SMenu::AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text, int iIcon) {
  return InsertMenu(static_cast<UINT>(-1), flags, idOrSubMenu, text, iIcon);
}

BOOL SMenu::DeleteMenu(UINT pos, UINT flags) {
  if (GetMenuAttr() == nullptr) return FALSE;
  MENUITEMINFOW mii;
  if (!QueryItem(m_hMenu, pos, (flags & MF_BYPOSITION) != 0, &mii)) return FALSE;
  // Removed rather than deleted, so that a sub-menu's tree can still be walked and freed.
  if (!::RemoveMenu(m_hMenu, pos, flags)) return FALSE;
  delete ItemDataOf(mii);
  if (mii.hSubMenu != nullptr) {
    FreeMenuTree(mii.hSubMenu);
    ::DestroyMenu(mii.hSubMenu);
  }
  return TRUE;
}

BOOL SMenu::ModifyMenuString(UINT pos, UINT flags, LPCWSTR text) {
  SMenuItemData* data = GetItemData(m_hMenu, pos, flags);
  if (data == nullptr) return FALSE;
  SetItemText(data, SStringW(text));
  return TRUE;
}

BOOL SMenu::SetMenuUserData(UINT pos, UINT flags, ULONG_PTR userData) {
  SMenuItemData* data = GetItemData(m_hMenu, pos, flags);
  if (data == nullptr) return FALSE;
  data->dwUserData = userData;
  return TRUE;
}

ULONG_PTR SMenu::GetMenuUserData(UINT pos, UINT flags) const {
  SMenuItemData* data = GetItemData(m_hMenu, pos, flags);
  return data != nullptr ? data->dwUserData : 0;
}

void SMenu::DestroyMenu() {
  if (m_hMenu != nullptr && IsMenu(m_hMenu)) {
    FreeMenuTree(m_hMenu);
    ::DestroyMenu(m_hMenu);
  }
  m_hMenu = nullptr;
  m_bAttached = FALSE;
}

SMenuItemData* SMenu::GetItemData(HMENU hMenu, UINT pos, UINT flags) {
  if (SMenuAttr::OfMenu(hMenu) == nullptr) return nullptr;
  MENUITEMINFOW mii;
  if (!QueryItem(hMenu, pos, (flags & MF_BYPOSITION) != 0, &mii)) return nullptr;
  return ItemDataOf(mii);
}

void SMenu::SetItemText(SMenuItemData* data, const SStringW& text) const {
  SApplication* app = SApplication::getSingletonPtr();
  SMenuAttr* attr = GetMenuAttr();
  data->strText = app != nullptr && attr != nullptr ? app->Translate(text, attr->GetTrCtx()) : text;
  const int amp = text.Find(L'&');
  data->vHotKey = (amp >= 0 && amp + 1 < text.GetLength()) ? MenuHotKeyChar(text[amp + 1]) : 0;
}

void SMenu::BuildMenu(HMENU hMenu, pugi::xml_node xmlMenu) {
  for (pugi::xml_node child = xmlMenu.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const SStringW tag(child.name());
    if (tag == L"sep") {
      ::AppendMenuW(hMenu, MF_SEPARATOR | MF_OWNERDRAW, 0, nullptr);
    } else if (tag == L"item") {
      AppendItem(hMenu, child);
    }
  }
}

BOOL SMenu::AppendItem(HMENU hMenu, pugi::xml_node xmlItem) {
  auto data = std::make_unique<SMenuItemData>();
  data->iIcon = xmlItem.attribute(L"icon").as_int(-1);
  data->dwUserData = xmlItem.attribute(L"userData").as_uint(0);
  SStringW text(xmlItem.text().get());
  text.Trim();
  if (text.IsEmpty()) text = xmlItem.attribute(L"text").value();
  text = GetNamedString(text);
  SApplication* app = SApplication::getSingletonPtr();
  if (app != nullptr) text = app->Translate(text, SStringW());
  SetItemText(data.get(), text);

  const UINT id = xmlItem.attribute(L"id").as_uint(0);
  const bool disable = xmlItem.attribute(L"disable").as_bool();
  if (!HasElementChild(xmlItem) && !xmlItem.attribute(L"popup").as_bool()) {
    UINT flags = MF_OWNERDRAW;
    if (xmlItem.attribute(L"check").as_bool()) flags |= MF_CHECKED;
    if (disable) flags |= MF_GRAYED;
    // A radio item always shows its mark.
    if (xmlItem.attribute(L"radio").as_bool()) flags |= MFT_RADIOCHECK | MF_CHECKED;
    if (!::AppendMenuW(hMenu, flags, id, reinterpret_cast<LPCWSTR>(data.get()))) return FALSE;
    data.release();
    return TRUE;
  }
  HMENU subMenu = NewSubMenu(xmlItem);
  if (subMenu == nullptr) return FALSE;
  const UINT flags = MF_POPUP | MF_OWNERDRAW | (disable ? MF_GRAYED : 0);
  if (!::AppendMenuW(hMenu, flags, reinterpret_cast<UINT_PTR>(subMenu),
                     reinterpret_cast<LPCWSTR>(data.get()))) {
    FreeMenuTree(subMenu);
    ::DestroyMenu(subMenu);
    return FALSE;
  }
  data.release();
  BuildMenu(subMenu, xmlItem);
  return TRUE;
}

HMENU SMenu::NewSubMenu(pugi::xml_node xmlItem) const {
  SMenuAttr* attr = GetMenuAttr();
  HMENU subMenu = CreatePopupMenu();
  if (subMenu == nullptr) return nullptr;
  if (attr == nullptr || !attr->SetAsMenuData(subMenu)) {
    ::DestroyMenu(subMenu);
    return nullptr;
  }
  attr->AddRef();
  SetMenuContextHelpId(subMenu, xmlItem.attribute(L"contextHelpId").as_uint(0));
  return subMenu;
}

void SMenu::FreeMenuTree(HMENU hMenu) {
  SMenuAttr* attr = SMenuAttr::OfMenu(hMenu);
  if (attr == nullptr) return;
  // Cleared first: a menu met twice is released once.
  ClearMenuData(hMenu);
  const int count = GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW mii;
    if (!QueryItem(hMenu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.hSubMenu != nullptr) FreeMenuTree(mii.hSubMenu);
    delete ItemDataOf(mii);
  }
  attr->Release();
}

}  // namespace SWUI
