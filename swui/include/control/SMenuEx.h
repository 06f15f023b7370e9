// The skinned popup menu. Every level is a translucent popup host window of its own (WS_POPUP,
// topmost tool window, never activated, no drop target) whose tree is one SMenuExRoot of items
// and separators, so items are ordinary elements drawn with skins, translated texts and
// styles. Loading builds the top level, hidden; a sub-menu level is built (window and tree)
// when it is first shown or asked for (GetSubMenu). TrackPopupMenu shows the top level and
// runs a loop of its
// own on the UI thread until an item is chosen, the user clicks outside the menu, presses
// Escape (or Left on the top level) or the owner's top-level window loses the foreground. The
// chosen command comes back (TPM_RETURNCMD) or goes to the owner as WM_COMMAND.
//
// The owner is sent WM_INITMENUPOPUP once per level, the first time the level shows (wParam
// the level, lParam the index of its item among the item's siblings, 0 for the top level),
// and, while a menu runs, UM_HANDLEEVENT (wParam 0, lParam the event) for every event raised
// inside a level by an element that is no menu item. Keys typed while a menu runs go to its
// deepest open level. UI thread only.
//
//   SMenuEx menu;
//   if (menu.LoadMenu(L"smenu:menu_tray", hWnd)) menu.TrackPopupMenu(0, pt.x, pt.y, hWnd);
#pragma once
#include <memory>
#include <pugixml.hpp>

#include "core/SHostWnd.h"

namespace SWUI {

class SMenuExItem;
class SMenuExRoot;

class SMenuEx : public SHostWnd {
 public:
  // The level's window timer that opens the sub-menu of the item under the mouse.
  static constexpr UINT_PTR kTimerSubMenu = 100;
  static constexpr UINT kSubMenuDelay = 500;
  // A name without a type is of this one.
  static constexpr LPCWSTR kDefaultType = L"SMENUEX";

  // A top-level menu.
  SMenuEx();
  // The level that an item opens.
  explicit SMenuEx(SMenuExItem* pParent);
  // Destroys the level's window (with every level below it).
  ~SMenuEx() override;

  // resId: "type:name", or a name of type "SMENUEX". FALSE when the resource cannot be loaded
  // or its first element is neither "menuRoot" nor "menuItem", or when a menu is loaded.
  BOOL LoadMenu(LPCWSTR resId, HWND hParent);
  // Builds the level from a "menuRoot" element (or a "menuItem" one, whose children form the
  // level) with its owner window, and every level below it. A sub-menu level takes the
  // attributes of the document's top element first. FALSE when the level has a window already
  // or the element is neither.
  BOOL IniMenu(pugi::xml_node xmlMenu, HWND hOwner);
  // Keeps a copy of what IniMenu would build a sub-menu level from (its element and the
  // document's top element's attributes), for EnsureBuilt.
  void DeferMenu(pugi::xml_node xmlMenu, HWND hOwner);
  // Builds a deferred level now; TRUE when the level has its window.
  BOOL EnsureBuilt();
  // Shows the menu at (x, y) (screen; flags TPM_CENTERALIGN, TPM_RIGHTALIGN, TPM_VCENTERALIGN,
  // TPM_BOTTOMALIGN place it around the point) and runs it with every level at nScale percent.
  // With TPM_RETURNCMD: the chosen id, 0 when the user dismissed the menu, -1 when the owner
  // lost the foreground. Otherwise a chosen item's id goes to the owner as WM_COMMAND and the
  // answer is 1. -1 without a window.
  int TrackPopupMenu(UINT flags, int x, int y, HWND hOwner, int nScale = 100);
  // Ends the running menu (if any) with a command and wakes its loop.
  static void ExitPopupMenu(int nCmdId = 0);

  // The item of that id in this level (a miss writes the typed search's trace line).
  SMenuExItem* GetMenuItem(int id);
  // The sub-menu of the item of that id in this level; null when none.
  SMenuEx* GetSubMenu(int id);
  // With MF_BYPOSITION the pos-th item of the level (null past the last or for -1), else the
  // item of id pos.
  SMenuExItem* FindItem(UINT pos, UINT flags);
  // Destroys the item FindItem finds; FALSE when none.
  BOOL DeleteMenu(UINT pos, UINT flags);
  // Inserts an item (MF_SEPARATOR: a separator) before the one FindItem finds, or last. An
  // item gets the text, the id, an empty sub-menu with MF_POPUP and its check mark with
  // MF_CHECKED. FALSE only without a level to insert into.
  BOOL InsertMenu(UINT pos, UINT flags, int id, LPCWSTR text);

  SMenuExRoot* GetMenuRoot() const { return m_pRoot; }
  SMenuExItem* GetParentItem() const { return m_pParent; }
  HWND GetOwnerHwnd() const { return m_hOwner; }
  // The highlighted item of the level (the one whose sub-menu is open); null for none.
  SMenuExItem* GetOpenItem() const { return m_pCheckItem; }
  // The item whose sub-menu opens when timer kTimerSubMenu fires; null for none.
  SMenuExItem* GetPendingItem() const { return m_pHoverItem; }

  // Every level translates in the top menu's context ("trCtx").
  SStringW GetTranslatorContext() const override;
  // The running menu's scale; 100 when none runs.
  int GetScale() const override;
  // Hover, leave and clicks of the level's items; every other event goes to the owner while
  // the menu runs.
  BOOL HandleEvent(EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  friend class SMenuExItem;

  // Measures and places the level, shows it without activation and records it as shown.
  void ShowMenu(UINT flags, int x, int y);
  // Hides the level, its open sub-menu first. A sub-menu level without bKeepParentItem also
  // takes the highlight off its item.
  void HideMenu(BOOL bKeepParentItem);
  // Opens an item's sub-menu to the right of the level (or left when it would not fit), with
  // its first item highlighted when bSelectFirst.
  void ShowSubMenu(SMenuExItem* pItem, BOOL bSelectFirst);
  // Hides the open item's sub-menu.
  void HideSubMenu();
  // The loop: until the menu exits, a quit arrives or hTop is no longer the foreground window.
  void RunMenu(HWND hTop);
  BOOL OnTimer(UINT_PTR id);
  BOOL OnKeyDown(UINT vk);
  // The highlighted item becomes pItem (null: none).
  void SetOpenItem(SMenuExItem* pItem);
  // Fires the first enabled item whose hot key is the key's character; FALSE when none.
  BOOL FireHotKey(UINT vk);
  void SendInitPopup(UINT index);
  // Gives an item inserted at run time an empty sub-menu with this level's look.
  BOOL CreateEmptyMenu(SMenuExItem* pItem);
  // An item of this level goes: forget it wherever it is kept.
  void OnItemDestroyed(SMenuExItem* pItem);
  // The level's window goes, and its tree with it.
  void OnLevelDestroyed(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  // The owner that hears of the menu: the running menu's, else the level's.
  HWND EventOwner() const;

  SMenuExItem* m_pParent;
  // The host settings every level shares.
  void InitLevelHost();
  // What a deferred level is built from, until it is.
  std::unique_ptr<pugi::xml_document> m_pendingXml;
  HWND m_hPendingOwner = nullptr;
  // Set while a deferred level builds: the events its building raises concern nobody.
  BOOL m_bBuilding = FALSE;
  SMenuExItem* m_pHoverItem = nullptr;
  SMenuExItem* m_pCheckItem = nullptr;
  BOOL m_bMenuInitialized = FALSE;
  HWND m_hOwner = nullptr;
  // The level's root (held by the tree).
  SMenuExRoot* m_pRoot = nullptr;
};

}  // namespace SWUI
