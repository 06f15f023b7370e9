// How list-like controls draw a row: its background colours (plain, odd rows, selected, hot),
// its text colours (plain, selected or hot) and where the icon and the text stand in it. The
// list box and the list control share it; each keeps its own skins and decides which rows are
// selected and hot.
//
// Attributes: "colorItemBkgnd", "colorItemBkgnd2", "colorItemSelBkgnd", "colorItemHotBkgnd",
// "colorText", "colorSelText" (colours; 0x00FFFFFF means none; an empty value is refused) and
// "icon-x", "icon-y", "text-x", "text-y" (sizes; unset: the icon item height / 6 from the left
// and centred, the text after the icon).
#pragma once
#include <windows.h>

#include "IRenderTarget.h"
#include "base/SString.h"
#include "core/ISkinObj.h"
#include "core/SLayoutSize.h"

namespace SWUI {

class SWindow;

class SListItemLook {
 public:
  // What a row is drawn with.
  struct RowColors {
    COLORREF bg;    // CR_INVALID: no fill
    COLORREF text;  // CR_INVALID: the element's own
    int skinState;  // of the item skin: 0 normal, 1 hot, 2 selected
  };

  SListItemLook(COLORREF crItemBg, COLORREF crItemBg2, COLORREF crSelBg, COLORREF crHotBg,
                COLORREF crText, COLORREF crSelText);

  // S_FALSE when the name is one of the look's and the value is taken, E_FAIL when it is
  // refused, E_NOTIMPL for any other name.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value);

  // Odd rows on the second background; a selected row (else a hot one) on its mark colour, or
  // in item skin state 2 (1) when the control has an item skin, with the selected text colour.
  RowColors ColorsOf(int nRow, bool selected, bool hot, bool hasItemSkin) const;
  // Fills the row and draws the item skin in the row's state over it.
  void DrawBackground(IRenderTarget* pRT, const RECT& rc, const RowColors& colors,
                      ISkinObj* itemSkin) const;
  // The icon (skin state nImage; -1 none) and the text of one cell of a row, in wnd's scale
  // and through wnd's text drawing.
  void DrawIconText(SWindow* wnd, IRenderTarget* pRT, const RECT& rcCell, ISkinObj* iconSkin,
                    int nImage, const SStringW& text, int nItemHeight) const;

 private:
  COLORREF m_crItemBg;
  COLORREF m_crItemBg2;
  COLORREF m_crItemSelBg;
  COLORREF m_crItemHotBg;
  COLORREF m_crText;
  COLORREF m_crSelText;
  SLayoutSize m_ptIcon[2];
  SLayoutSize m_ptText[2];
};

}  // namespace SWUI
