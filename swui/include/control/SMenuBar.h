// A row of menu buttons ("menubar"): each button (SMenuItem) owns a skinned popup menu loaded
// from the program's resources. A press on a button pops its menu up below it; while a menu
// runs, moving onto another button ends it and opens that button's menu; a press on the
// button whose menu runs only closes it. The chosen command is reported by EventSelectMenu,
// fired through the button (whose owner is the bar) with the bar as sender.
//
// XML: an optional "btnStyle" child, whose first element is every button's XML, and a "menus"
// child of "menuItem" elements, each with "menuName" (the menu resource) and its title as
// text. A menu that does not load adds no button. Buttons are 49 x 20 pixels from the client's
// left + 1, one pixel apart. Menus pop up only after Init gave the bar its host window.
// UI thread only.
#pragma once
#include <pugixml.hpp>
#include <vector>

#include "core/SWindow.h"

namespace SWUI {

class SMenuItem;

class SMenuBar : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"menubar")

 public:
  static constexpr int kButtonWidth = 49;
  static constexpr int kButtonHeight = 20;

  SMenuBar();
  ~SMenuBar() override;

  // Keeps the host's window when it is one; FALSE otherwise.
  BOOL Init(HWND hHost);
  HWND GetHostWnd() const { return m_hHost; }
  // A button for the menu resource, titled pszTitle (none: no text), at nIndex among the
  // buttons (negative: last). FALSE without a menu name or when the menu does not load.
  BOOL Insert(LPCWSTR pszTitle, LPCWSTR pszMenuName, int nIndex = -1);
  int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
  SMenuItem* GetItem(int nIndex) const;
  BOOL IsMenuShown() const { return m_bMenuShown; }
  SMenuItem* GetActiveItem() const { return m_pActiveItem; }

  BOOL CreateChildren(pugi::xml_node xmlNode) override;
  void UpdateChildrenPosition() override;

 protected:
  friend class SMenuItem;

  SWND_BEGIN_MSG_MAP()
  MSG_WM_DESTROY(OnDestroy)
  SWND_END_MSG_MAP(SWindow)

  void OnDestroy();
  // A button being destroyed leaves the bar, which places the others again.
  void ForgetItem(SMenuItem* item);

  // The buttons, each removed when it is destroyed (ForgetItem).
  std::vector<SMenuItem*> m_arrItems;
  pugi::xml_document m_xmlStyle;
  HWND m_hHost = nullptr;
  BOOL m_bMenuShown = FALSE;
  SMenuItem* m_pActiveItem = nullptr;
  // The button whose own press closed its menu: that press must not open it again.
  SMenuItem* m_pClosingItem = nullptr;
};

}  // namespace SWUI
