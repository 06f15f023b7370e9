// A hot-key field ("hotkey"): the user presses a key combination and the field shows it as
// text ("Ctrl+Shift+S") with a caret after it, reporting each change as EventSetHotKey. A rule
// may forbid modifier combinations (bits of the HKCOMB_ values, "none" forbidden by default);
// a forbidden combination is replaced by the default modifiers.
//
// Attributes (names in any letter case, numbers decimal or 0x hex): "hotKey" (the key code),
// "combKey" (the modifiers: 1 Alt, 2 Ctrl, 4 Shift), "invalidComb" (forbidden combinations),
// "defCombKey" (the modifiers used in their place).
#pragma once
#include "IFont.h"
#include "core/CAccelerator.h"
#include "core/SWindow.h"

namespace SWUI {

class SHotKeyCtrl : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"hotkey")

 public:
  // Modifier combinations (the platform's HKCOMB_ values).
  enum : WORD {
    kCombNone = 0x01,
    kCombShift = 0x02,
    kCombCtrl = 0x04,
    kCombAlt = 0x08,
    kCombCtrlShift = 0x10,
    kCombShiftAlt = 0x20,
    kCombCtrlAlt = 0x40,
    kCombCtrlShiftAlt = 0x80,
  };

  // Focusable; "none" forbidden, no default modifiers.
  SHotKeyCtrl();

  // Shows the combination: stores it, moves the caret, redraws.
  void SetHotKey(WORD wKey, WORD wModifiers);
  void GetHotKey(WORD& wKey, WORD& wModifiers) const;
  void SetRule(WORD wInvalidComb, WORD wDefaultModifiers);

  // Every key but Tab, and the system keys.
  UINT OnGetDlgCode() override { return 0x8000FFFD; }

  HRESULT SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                       BOOL bLoading) override;
  using SWindow::SetAttribute;

 protected:
  // Takes the font the element paints with, for measuring the caret's place.
  int OnCreate(LPVOID lpCreateParam);
  void OnPaint(IRenderTarget* pRT);
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnSetFocus(SwndHandle swndOld);
  void OnKillFocus(SwndHandle swndNew);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnSysKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam);
  LRESULT OnSysKeyUp(UINT uMsg, WPARAM wParam, LPARAM lParam);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_CREATE(OnCreate)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  MSG_WM_KEYDOWN(OnKeyDown)
  MSG_WM_KEYUP(OnKeyUp)
  SWND_MESSAGE_HANDLER(WM_SYSKEYDOWN, OnSysKeyDown)
  SWND_MESSAGE_HANDLER(WM_SYSKEYUP, OnSysKeyUp)
  SWND_END_MSG_MAP(SWindow)

 private:
  // The modifiers of the keys held now (or the default ones for a forbidden combination);
  // fires EventSetHotKey.
  void UpdateModifier();
  // Puts the caret after the shown text, centred in the text rectangle.
  void PlaceCaret();
  // The same, only while the field has the focus (the host's one caret is the focused
  // element's).
  void UpdateCaretPosition();
  // Moves the caret and redraws after the combination changed.
  void ShowChange();
  // The text's size in the control's font.
  SIZE MeasureText(const SStringW& text) const;
  static bool IsKeyDown(int vKey) { return (GetKeyState(vKey) & 0x8000) != 0; }

  CAccelerator m_accel;
  WORD m_wInvalidComb = kCombNone;
  WORD m_wInvalidModifier = 0;
  BOOL m_bInSetting = FALSE;
  SAutoRefPtr<IFont> m_curFont;
};

}  // namespace SWUI
