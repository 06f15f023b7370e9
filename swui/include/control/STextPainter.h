// Text services kept only to draw with: they draw the text of the rich edits whose own text
// services are not made yet (SRichEdit makes them on first focus or on a change that needs
// them), one painter for all the edits of one configuration (formats, style and mode bits,
// length limit, password character). Started as an edit starts its own, they answer the
// host's questions from the edit being drawn; nothing they ask for (repaints, caret, timers,
// scroll bars, capture, focus, notifications) reaches it. UI thread only.
#pragma once
#include "base/SString.h"
#include "control/STextHost.h"

namespace SWUI {

struct IRenderTarget;

class STextPainter : public STextHost {
 public:
  STextPainter();

  // Makes the text services and starts them as pEdit starts its own; FALSE when none can be
  // made.
  BOOL Start(SRichEdit* pEdit);
  // Draws text as pEdit's own text services would, given the text, then laid out in the
  // edit's client rectangle, inset and extent.
  void Draw(SRichEdit* pEdit, const SStringW& text, IRenderTarget* pRT);

  WINBOOL TxShowScrollBar(INT, WINBOOL) override { return FALSE; }
  WINBOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
  WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return FALSE; }
  WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return FALSE; }
  void TxInvalidateRect(LPCRECT, WINBOOL) override {}
  void TxViewChange(WINBOOL) override {}
  WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
  WINBOOL TxShowCaret(WINBOOL) override { return FALSE; }
  WINBOOL TxSetCaretPos(INT, INT) override { return FALSE; }
  WINBOOL TxSetTimer(UINT, UINT) override { return FALSE; }
  void TxKillTimer(UINT) override {}
  void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
  void TxSetCapture(WINBOOL) override {}
  void TxSetFocus() override {}
  void TxSetCursor(HCURSOR, WINBOOL) override {}
  HRESULT TxNotify(DWORD, void*) override { return S_OK; }

 private:
  ~STextPainter() override = default;

  bool m_bDrawn = false;
  SStringW m_strText;
  RECT m_rcClient = {0, 0, 0, 0};
  RECT m_rcInset = {0, 0, 0, 0};
  SIZEL m_sizelExtent = {0, 0};
};

}  // namespace SWUI
