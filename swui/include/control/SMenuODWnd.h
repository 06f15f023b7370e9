// The hidden window that an SMenu is tracked with: it measures and draws the owner-drawn items
// with the menu's attribute object, answers menu characters with the items' hot keys and
// passes the menu's notifications on to the owner window. It lives only while the menu is
// tracked.
#pragma once
#include <windows.h>

#include "control/SMenuAttr.h"
#include "core/CSimpleWnd.h"
#include "base/SAutoRefPtr.h"

namespace SWUI {

class SMenuODWnd : public CSimpleWnd {
 public:
  SMenuODWnd(HWND hOwner, SMenuAttr* attr);

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  // Items with data: the item height and icon, margins and text width (cut to the widest
  // item); separators: the separator skin's height (3 without one) and no width.
  void MeasureItem(LPMEASUREITEMSTRUCT mis) const;
  // Draws the item over the menu colour into a memory target of its size, then copies that
  // to the menu's DC.
  void DrawItem(const DRAWITEMSTRUCT* dis) const;
  // MAKELRESULT(index, MNC_EXECUTE) of the first item of the menu whose hot key is the
  // character (separators counted), else 0.
  LRESULT OnMenuChar(WCHAR ch, HMENU hMenu) const;

 private:
  void DrawItemContent(IRenderTarget* rt, const RECT& rc, const DRAWITEMSTRUCT* dis) const;

  HWND m_hOwner;
  SAutoRefPtr<SMenuAttr> m_attr;
};

}  // namespace SWUI
