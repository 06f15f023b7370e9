// A native popup menu (HMENU) whose items are all owner-drawn with the framework's skins, fonts
// and colours, built from XML ("item", "sep") and shown with the platform's TrackPopupMenu.
//
// Ownership: an SMenu holds one HMENU tree. Every HMENU of the tree (sub-menus too) holds one
// reference to the tree's SMenuAttr in its menu data, and every item but a separator owns an
// SMenuItemData; DestroyMenu releases both. A menu taken with Attach is not destroyed with the
// object. Only menus made by the framework are accepted: a menu whose data is not a live
// SMenuAttr is foreign.
//
// XML: the menu element's attributes set the SMenuAttr (plus "contextHelpId"); each "item"
// has "id", "icon" (-1), "userData" (0), "check", "radio", "disable", "popup" and its text
// (its own text trimmed, else "text"); an item with element children or "popup" is a
// sub-menu. "sep" is a separator; other elements are skipped.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "control/SMenuAttr.h"
#include "control/SMenuItemData.h"
#include "base/SString.h"

namespace SWUI {

class SMenu {
 public:
  SMenu() = default;
  // Destroys the menu unless it was attached.
  ~SMenu();
  SMenu(const SMenu&) = delete;
  SMenu& operator=(const SMenu&) = delete;

  // Builds a new menu from an element; FALSE when this object holds a menu already or the
  // menu cannot be made.
  BOOL LoadMenu(pugi::xml_node xmlMenu);
  // The same from the first "menu" element of an XML resource ("type", "name").
  BOOL LoadMenu(LPCWSTR type, LPCWSTR name);

  // Takes a framework-made menu without owning it; FALSE for a foreign menu or when this
  // object holds a menu already.
  BOOL Attach(HMENU hMenu);
  // Lets go of the menu without destroying it.
  HMENU Detach();
  HMENU GetHMenu() const { return m_hMenu; }
  // The attribute object of the held menu, or null.
  SMenuAttr* GetMenuAttr() const { return SMenuAttr::OfMenu(m_hMenu); }

  // Shows the menu; the chosen command, 0 for none. Without TPM_RETURNCMD in flags the
  // command is also sent to the owner as WM_COMMAND.
  UINT TrackPopupMenu(UINT flags, int x, int y, HWND hOwner, LPCRECT prcExclude = nullptr);

  // An owner-drawn item; pos -1 appends. A sub-menu (MF_POPUP, id the HMENU) without data
  // takes this menu's attribute object; a foreign one is refused.
  BOOL InsertMenu(UINT pos, UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text, int iIcon = -1);
  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCWSTR text, int iIcon = -1);
  // Removes an item with its data; a sub-menu goes with its whole tree.
  BOOL DeleteMenu(UINT pos, UINT flags);
  // Replaces the text of an item that has data.
  BOOL ModifyMenuString(UINT pos, UINT flags, LPCWSTR text);
  BOOL SetMenuUserData(UINT pos, UINT flags, ULONG_PTR data);
  // 0 for an item without data.
  ULONG_PTR GetMenuUserData(UINT pos, UINT flags) const;

  // Frees every item's data and releases the attribute object of each menu of the tree,
  // then destroys the menu.
  void DestroyMenu();

  // The data of an item of a framework-made menu (by position with MF_BYPOSITION, else by
  // command), or null for separators, foreign menus and missing items.
  static SMenuItemData* GetItemData(HMENU hMenu, UINT pos, UINT flags);

 private:
  // Stores the translated text and the hot key of the given text.
  void SetItemText(SMenuItemData* data, const SStringW& text) const;
  // Appends the items of an element to a menu of this tree.
  void BuildMenu(HMENU hMenu, pugi::xml_node xmlMenu);
  BOOL AppendItem(HMENU hMenu, pugi::xml_node xmlItem);
  // A new popup menu sharing this tree's attribute object (one more reference), or null.
  HMENU NewSubMenu(pugi::xml_node xmlItem) const;
  // Releases the tree below and including hMenu without destroying the handles.
  static void FreeMenuTree(HMENU hMenu);

  HMENU m_hMenu = nullptr;
  BOOL m_bAttached = FALSE;
};

}  // namespace SWUI
