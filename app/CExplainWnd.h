// The window that explains the network dialog's "Set IP" switch: a plain, non-modal host window
// over "LAYOUT:XML_EXPLAIN", owned by the dialog. Its close box closes it; the dialog keeps one
// at a time and destroys it with itself.
#pragma once
#include "core/SHostWnd.h"

class CExplainWnd : public SWUI::SHostWnd {
 public:
  static constexpr const wchar_t* kLayout = L"LAYOUT:XML_EXPLAIN";
  static constexpr int kEnglishRaise = 35;
  static constexpr int kEnglishWidth = 360;
  static constexpr int kEnglishHeight = 250;

  CExplainWnd();

  // Creates the window over the owner (centred on it), sends it WM_INITDIALOG and shows it;
  // English texts need a larger window, 35 pixels higher. False when it could not be made.
  bool Open(HWND owner, bool english);

  // The close box ("btn_close", id 2) destroys the window.
  BOOL HandleEvent(SWUI::EventArgs* evt) override;
};
