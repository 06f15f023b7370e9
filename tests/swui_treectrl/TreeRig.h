// A tree control in the element rig: rows 20 high, indent 16, 16 x 16 cell skins for the toggle
// ("tg", 6 states), the check box ("ck", 9 states) and the icons ("ic", 4 states), a scroll-bar
// skin 10 thick and the framework's built-in skins loaded.
#pragma once
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "GeometryChecks.h"
#include "control/STreeCtrl.h"

class TreeRig : public ElementRig {
 public:
  TreeRig() : ElementRig(300, 200, true) {
    AddSkins(L"<skin><cellsb name='sb' ideal='10' arrows='0'/>"
             L"<cells name='tg' states='6' size='16,16'/><cells name='ck' states='9' size='16,16'/>"
             L"<cells name='ic' states='4' size='16,16'/></skin>");
  }

  // A tree "tc" at (0,0) of the size ("w,h"), with the given attributes and item XML.
  SWUI::STreeCtrl* LoadTree(const wchar_t* items, const wchar_t* attrs = L"",
                            const wchar_t* size = L"200,100") {
    std::wstring xml = L"<root><treectrl name='tc' pos='0,0,@";
    std::wstring wh = size;
    xml += wh.substr(0, wh.find(L',')) + L",@" + wh.substr(wh.find(L',') + 1);
    xml += L"' sbSkin='sb' toggleSkin='tg' checkSkin='ck' iconSkin='ic' ";
    xml += attrs;
    xml += L">";
    xml += items;
    xml += L"</treectrl></root>";
    Load(xml.c_str());
    return Find<SWUI::STreeCtrl>(L"tc");
  }

  // The draws of a test skin since the log was cleared.
  std::vector<SkinDraw> Draws(const wchar_t* skin) const { return Skin(skin)->Draws(); }
};

// The item whose text is the given one (null when none).
inline SWUI::HSTREEITEM ItemNamed(SWUI::STreeCtrl* tree, const wchar_t* text) {
  for (SWUI::HSTREEITEM h = tree->GetNextItem(SWUI::STVI_ROOT); h != 0; h = tree->GetNextItem(h)) {
    SWUI::SStringW got;
    tree->GetItemText(h, got);
    if (got == text) return h;
  }
  return 0;
}

// Whether the item has a row now (all its ancestors expanded).
inline bool Shown(SWUI::STreeCtrl* tree, SWUI::HSTREEITEM h) {
  const RECT rc = tree->GetItemRect(h);
  return !IsRectEmpty(&rc);
}

inline void Click(SWUI::SWindow* wnd, int x, int y) {
  wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  wnd->SSendMessage(WM_LBUTTONUP, 0, At(x, y));
}
