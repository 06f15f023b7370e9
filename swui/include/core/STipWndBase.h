// A plain popup that shows a short text in the system's tooltip colours: the framework's
// tooltip and the application's simple value tip are both one. It never activates, stays on
// top, sizes itself to its text (word-wrapped in a 500 x 1000 box, plus 5 pixels on every
// side) and keeps inside its monitor.
#pragma once
#include <windows.h>

#include "core/CSimpleWnd.h"
#include "base/SString.h"

namespace SWUI {

class STipWndBase : public CSimpleWnd {
 public:
  // WS_POPUP with the two lowest style bits; no activation, tool window, topmost.
  static const DWORD kStyle = 0x80000003;
  static const DWORD kExStyle = 0x08000088;
  // Space between the frame and the text, on every side.
  static const int kTextInset = 5;

  // Which part of the nearest monitor the window keeps inside when shown.
  enum Bounds { kMonitorRect, kWorkArea };

  STipWndBase() = default;
  ~STipWndBase() override;

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  const SStringW& GetText() const { return m_strText; }
  HFONT GetFont() const { return m_hFont; }

 protected:
  // Creates the hidden window with its title and the font at 100 %; null when the window
  // cannot be made.
  HWND CreateTipWindow(LPCWSTR title);
  // Remakes the font from DEFAULT_GUI_FONT with face "宋体" and height -12 x scale / 100;
  // FALSE (and the old font kept) when it cannot be made.
  BOOL SetFontScale(int scale);
  int GetFontScale() const { return m_fontScale; }

  // With a text: sizes the window to it at its current top-left corner, moves it back inside
  // the bounds when it passes their right or bottom edge, shows it on top without activating
  // it and repaints it. Without a text nothing happens.
  void ShowTip(Bounds bounds, UINT swpFlags);
  // Hides the window.
  void HideTip();

  SStringW m_strText;

 private:
  // The background in COLOR_INFOBK framed by the current pen, then the text inset.
  void Paint(HDC dc);

  HFONT m_hFont = nullptr;
  int m_fontScale = 100;
};

}  // namespace SWUI
