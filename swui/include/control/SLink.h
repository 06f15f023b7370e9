// A hyperlink ("link"): only the rectangle its text covered at the last paint reacts to the
// mouse (cursor, hover, press, click); a click opens "href" through the shell. A link without
// text shows its href.
#pragma once
#include <windows.h>
// The shell header needs the platform types first.
#include <shellapi.h>

#include "core/SWindow.h"

namespace SWUI {

class SLink : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"link")

 public:
  // What the shell's ShellExecuteW is reached through; tests bind a stand-in.
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND hwnd, LPCWSTR operation, LPCWSTR file,
                                            LPCWSTR parameters, LPCWSTR directory, INT show);
  // Binds the function (null restores ShellExecuteW).
  static void BindShellExecute(ShellExecuteFn fn);

  SLink();

  // "href" ("@string/" names allowed), then SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;
  // An empty text becomes the href.
  void OnInitFinished(pugi::xml_node xmlNode) override;

  const SStringW& GetHref() const { return m_strLinkUrl; }
  // The text's rectangle at the last paint (host coordinates).
  RECT GetLinkRect() const { return m_rcText; }

  // Inside the link rectangle the style's cursor (TRUE); outside FALSE.
  BOOL OnSetCursor(const POINT& pt) override;
  // Places the link rectangle by the format's alignment (unless only measuring), then draws.
  void DrawText(IRenderTarget* pRT, LPCWSTR pszBuf, int cchText, LPRECT pRect,
                UINT uFormat) override;

 protected:
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);
  void OnMouseHover(UINT nFlags, POINT pt);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  MSG_WM_MOUSEHOVER(OnMouseHover)
  SWND_END_MSG_MAP(SWindow)

  RECT m_rcText = {0, 0, 0, 0};
  SStringW m_strLinkUrl;

 private:
  bool InLink(POINT pt) const { return PtInRect(&m_rcText, pt) != FALSE; }
};

}  // namespace SWUI
