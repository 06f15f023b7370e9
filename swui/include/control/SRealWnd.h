// A native child window in the element tree ("realwnd"): the application's real-window
// handler makes it from "wndclass", "wndname", "style", "exstyle" and the "params" child
// element, at initialisation ("init") or when it is first asked for or shown; it follows the
// element's visibility and position and is destroyed with the element.
#pragma once
#include <pugixml.hpp>

#include "control/IRealWndHandler.h"
#include "core/SWindow.h"

namespace SWUI {

class SRealWnd : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"realwnd")

 public:
  SRealWnd() = default;

  // "wndclass", "wndname" ("@string/" names allowed), "style", "exstyle", "init", then
  // SWindow's.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SWindow::SetAttribute;
  // SWindow's (the "params" child makes no element), then a copy of "params"; with "init"
  // the native window is made at once.
  BOOL InitFromXml(pugi::xml_node xmlNode) override;

  // The native window; with bAutoCreate one is made first when "init" is 0 and none exists.
  HWND GetRealHwnd(BOOL bAutoCreate = TRUE);
  const SStringW& GetWndClass() const { return m_strClassName; }
  const SStringW& GetWndName() const { return m_strWindowName; }
  DWORD GetWndStyle() const { return m_dwStyle; }
  DWORD GetWndExStyle() const { return m_dwExStyle; }
  // The copy of the "params" element (empty without one).
  pugi::xml_node GetParams() const { return m_xmlParams.first_child(); }
  ULONG_PTR GetData() const { return m_lpData; }
  void SetData(ULONG_PTR data) { m_lpData = data; }

  // SWindow's; a moved element moves its native window (converted to screen coordinates for
  // a popup), unless the handler moves it itself.
  void OnRelayout(const RECT& rcWnd) override;
  BOOL NeedRedrawWhenStateChange() override { return FALSE; }

 protected:
  void OnPaint(IRenderTarget*) {}
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  SWND_END_MSG_MAP(SWindow)

  SStringW m_strClassName;
  SStringW m_strWindowName;
  DWORD m_dwStyle = WS_CHILD;
  DWORD m_dwExStyle = 0;
  pugi::xml_document m_xmlParams;
  BOOL m_bInit = FALSE;
  HWND m_hRealWnd = nullptr;
  ULONG_PTR m_lpData = 0;

 private:
  static IRealWndHandler* Handler();
  // Through the handler; FALSE without one or when it made no window.
  BOOL InitRealWnd();
  void PlaceWindow(const RECT& rc);
};

}  // namespace SWUI
