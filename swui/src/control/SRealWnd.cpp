#include "control/SRealWnd.h"

#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "base/SXmlMark.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

IRealWndHandler* SRealWnd::Handler() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? dynamic_cast<IRealWndHandler*>(app->GetRealWndHandler()) : nullptr;
}

HRESULT SRealWnd::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"wndclass") || P::IsName(name, L"wndname")) {
    (P::IsName(name, L"wndclass") ? m_strClassName : m_strWindowName) = GetNamedString(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"style") || P::IsName(name, L"exstyle")) {
    (P::IsName(name, L"style") ? m_dwStyle : m_dwExStyle) = static_cast<DWORD>(P::Int(value));
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  if (P::IsName(name, L"init")) {
    m_bInit = P::Int(value);
    return AfterAttribute(name, value, bLoading, S_FALSE);
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

BOOL SRealWnd::InitFromXml(pugi::xml_node xmlNode) {
  // The parameters are there before the first showing may make the window.
  pugi::xml_node params = SXmlNoCase::Child(xmlNode, L"params");
  m_xmlParams.reset();
  if (params) m_xmlParams.append_copy(params);
  const int oldMark = params ? SXmlMark::GetMark(params) : 0;
  if (params) SXmlMark::SetMark(params, 1);
  const BOOL ok = SWindow::InitFromXml(xmlNode);
  if (params) SXmlMark::SetMark(params, oldMark);
  if (!ok) return FALSE;
  if (m_bInit && m_hRealWnd == nullptr) InitRealWnd();
  return TRUE;
}

HWND SRealWnd::GetRealHwnd(BOOL bAutoCreate) {
  if (bAutoCreate && !m_bInit && m_hRealWnd == nullptr) InitRealWnd();
  return m_hRealWnd;
}

BOOL SRealWnd::InitRealWnd() {
  IRealWndHandler* handler = Handler();
  if (handler == nullptr) return FALSE;
  m_dwStyle |= WS_CHILD;
  HWND hwnd = handler->CreateRealWnd(this);
  if (hwnd == nullptr || !IsWindow(hwnd)) return FALSE;
  m_hRealWnd = hwnd;
  if (!m_bInit && !handler->ResizeRealWnd(this)) {
    const RECT rc = GetClientRect();
    SetWindowPos(m_hRealWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER);
  }
  handler->InitRealWnd(this);
  return TRUE;
}

void SRealWnd::OnRelayout(const RECT& rcWnd) {
  const RECT old = m_rcWindow;
  SWindow::OnRelayout(rcWnd);
  if (EqualRect(&old, &m_rcWindow) || m_hRealWnd == nullptr) return;
  IRealWndHandler* handler = Handler();
  if (handler != nullptr && handler->MoveRealWnd(this, m_rcWindow)) return;
  PlaceWindow(m_rcWindow);
}

void SRealWnd::PlaceWindow(const RECT& rc) {
  RECT target = rc;
  if (GetWindowLongW(m_hRealWnd, GWL_STYLE) & WS_POPUP) {
    HWND host = ContainerHostHwnd();
    if (host != nullptr) MapWindowPoints(host, HWND_DESKTOP, reinterpret_cast<POINT*>(&target), 2);
  }
  SetWindowPos(m_hRealWnd, nullptr, target.left, target.top, target.right - target.left,
               target.bottom - target.top, SWP_NOZORDER);
}

void SRealWnd::OnDestroy() {
  if (m_hRealWnd != nullptr) {
    if (IRealWndHandler* handler = Handler()) handler->DestroyRealWnd(this);
    m_hRealWnd = nullptr;
  }
  SWindow::OnDestroy();
}

void SRealWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  SWindow::OnShowWindow(bShow, nStatus);
  const BOOL shown = IsVisible(TRUE);
  if (shown && m_hRealWnd == nullptr) InitRealWnd();
  if (m_hRealWnd != nullptr) ShowWindow(m_hRealWnd, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace SWUI
