// Static text ("text"): lets the mouse through and aligns left by default. With "multiLines"
// the text is broken character by character to the width of its rectangle, at line feeds and
// at a backslash followed by "n" written in the text, with "interHeight" pixels between lines.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SStatic : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"text")

 public:
  SStatic();

  // "multiLines" and "interHeight" (integers), then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;
  BOOL IsStaticContent() const override;

  // One line, or the broken lines; with DT_CALCRECT nothing is drawn and the rectangle takes
  // the widest line's right end and the last line's bottom.
  void DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect,
                UINT uFormat) override;

 protected:
  // Draws the stretch [iBegin, iBegin + cchText) of the text.
  virtual void DrawLine(IRenderTarget* pRT, LPCWSTR pszBuf, int iBegin, int cchText, LPRECT pRect,
                        UINT uFormat);

  BOOL m_bMultiLines = FALSE;
  int m_nLineInter = 5;

 private:
  // Breaks and draws (or only measures, with bDraw FALSE) from the rectangle's top; answers
  // the rectangle the lines cover.
  RECT BreakLines(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, const RECT& rc, UINT uFormat,
                  bool bDraw);
};

}  // namespace SWUI
