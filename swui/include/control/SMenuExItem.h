// One item of a skinned popup menu level ("menuItem"): an element drawn with its level's item
// skin behind it (state 2 disabled, 1 highlighted, hovered or pushed, else 0), an icon column
// at its left holding a check or radio mark or an icon of the level's icon skin, its text
// after the column and, when it opens a sub-menu, the level's arrow at its right. An item
// whose XML element holds "menuItem" children owns the sub-menu level built from them.
// Attributes: "icon" (state of the icon skin, -1 none), "check", "radio", "hotKey" (its first
// character is the key that chooses the item).
#pragma once
#include <pugixml.hpp>

#include <memory>

#include "core/SWindow.h"

namespace SWUI {

class SMenuEx;
class SMenuExRoot;

class SMenuExItem : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"menuItem")

 public:
  // pItemSkin: the background, the level's item skin.
  SMenuExItem(SMenuEx* pOwnerMenu, ISkinObj* pItemSkin);
  // Deletes the sub-menu level.
  ~SMenuExItem() override;

  SMenuEx* GetOwnerMenu() const { return m_pOwnerMenu; }
  // The level this item opens, built first when it is not yet; null when it opens none.
  SMenuEx* GetSubMenu();
  // The level this item opens, built or not; null when it opens none.
  SMenuEx* PeekSubMenu() const { return m_pSubMenu.get(); }
  int GetIcon() const { return m_nIcon; }
  int GetCheck() const { return m_nCheck; }
  int GetRadio() const { return m_nRadio; }
  WCHAR GetHotKey() const { return m_cHotKey; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;
  // The element's own children, then the sub-menu level from the "menuItem" children.
  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  // 0 x 0 when hidden. The width is the element's own plus, unless a width is given, the icon
  // column, the text offset and the arrow (with a sub-menu); the height is the given one or
  // the level's item height.
  SIZE GetDesiredSize(int nParentWid, int nParentHei) override;
  using SWindow::GetDesiredSize;
  // After the icon column and the text offset, before the arrow.
  void GetTextRect(LPRECT prect) const override;

 protected:
  friend class SMenuEx;

  // The root of the item's level; null outside a level.
  SMenuExRoot* GetMenuRoot() const;
  BOOL OnEraseBkgnd(IRenderTarget* pRT);
  void OnPaint(IRenderTarget* pRT);
  void OnDestroy();
  // Draws a skin state in its own size at the column's left, at the icon offset or centred.
  void DrawInIconColumn(IRenderTarget* pRT, ISkinObj* skin, int state) const;

  SWND_BEGIN_MSG_MAP()
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

  std::unique_ptr<SMenuEx> m_pSubMenu;
  SMenuEx* m_pOwnerMenu;
  int m_nIcon = -1;
  int m_nCheck = 0;
  int m_nRadio = 0;
  WCHAR m_cHotKey = 0;
};

}  // namespace SWUI
