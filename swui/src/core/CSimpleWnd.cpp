#include "core/CSimpleWnd.h"

#include "core/CSimpleWndHelper.h"
#include "core/SLog.h"

namespace SWUI {

namespace {

// Where a window keeps its object: a window created in the framework's class in its user
// data (the class is ours, and reading it costs next to nothing), a subclassed window in this
// property (its user data belongs to its own class).
const wchar_t kObjectProp[] = L"SWUI.CSimpleWnd";

// Reflected notifications carry the original message plus this.
const UINT kOcmBase = WM_USER + 0x1C00;

CSimpleWnd* CreatedObjectOf(HWND hWnd) {
  return reinterpret_cast<CSimpleWnd*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

CSimpleWnd* SubclassedObjectOf(HWND hWnd) {
  return static_cast<CSimpleWnd*>(GetPropW(hWnd, kObjectProp));
}

WNDPROC WndProcOf(HWND hWnd) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// SetWindowLongPtrW answers 0 both for a failure and for an old value of 0.
bool SetLongPtr(HWND hWnd, int index, LONG_PTR value, LONG_PTR* old) {
  SetLastError(0);
  LONG_PTR prev = SetWindowLongPtrW(hWnd, index, value);
  if (prev == 0 && GetLastError() != 0) return false;
  if (old != nullptr) *old = prev;
  return true;
}

bool SetWndProc(HWND hWnd, WNDPROC proc, WNDPROC* old) {
  LONG_PTR prev = 0;
  if (!SetLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc), &prev)) return false;
  if (old != nullptr) *old = reinterpret_cast<WNDPROC>(prev);
  return true;
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// The messages by which controls tell their parent something.
bool IsControlNotification(UINT msg) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return true;
    default:
      return IsCtlColor(msg);
  }
}

}  // namespace

CSimpleWnd::CSimpleWnd(HWND hWnd) : m_hWnd(hWnd) {}

CSimpleWnd::~CSimpleWnd() {
  if (m_hWnd == nullptr || !RoutesHere(m_hWnd)) return;
  if (m_bSubclassed) {
    UnsubclassWindow(TRUE);
  } else {
    ::DestroyWindow(m_hWnd);
  }
}

BOOL CSimpleWnd::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) { return FALSE; }

void CSimpleWnd::OnFinalMessage(HWND) {}

HWND CSimpleWnd::Create(LPCWSTR windowName, DWORD style, DWORD exStyle, int x, int y, int cx,
                        int cy, HWND hWndParent, LPVOID createParam) {
  CSimpleWndHelper* helper = CSimpleWndHelper::getSingletonPtr();
  if (helper == nullptr || helper->GetClassAtom() == 0 || m_hWnd != nullptr) return nullptr;
  helper->BeginCreate(this);
  HWND hWnd = CreateWindowExW(exStyle, MAKEINTATOM(helper->GetClassAtom()), windowName, style, x, y,
                              cx, cy, hWndParent, nullptr, helper->GetAppInstance(), createParam);
  DWORD error = GetLastError();
  helper->EndCreate();
  if (hWnd == nullptr) {
    SLog::Printf(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::CSimpleWnd::Create",
                 "CreateWindowExW failed, error %lu", error);
    return nullptr;
  }
  if (m_hWnd != hWnd) {
    // The window never reached this object (its user data could not be set): useless.
    ::DestroyWindow(hWnd);
    return nullptr;
  }
  return hWnd;
}

bool CSimpleWnd::RoutesHere(HWND hWnd) const {
  if (m_bSubclassed) return SubclassedObjectOf(hWnd) == this;
  return WndProcOf(hWnd) == &CSimpleWnd::CreatedWindowProc && CreatedObjectOf(hWnd) == this;
}

void CSimpleWnd::ForgetWindow(HWND hWnd) {
  if (m_bSubclassed) {
    RemovePropW(hWnd, kObjectProp);
  } else {
    SetLongPtr(hWnd, GWLP_USERDATA, 0, nullptr);
  }
}

BOOL CSimpleWnd::SubclassWindow(HWND hWnd) {
  if (m_hWnd != nullptr || !IsWindow(hWnd)) return FALSE;
  if (SubclassedObjectOf(hWnd) != nullptr || WndProcOf(hWnd) == &CSimpleWnd::CreatedWindowProc) {
    return FALSE;
  }
  if (!SetPropW(hWnd, kObjectProp, this)) return FALSE;
  // Messages may arrive as soon as the procedure is set: everything must be in place.
  m_hWnd = hWnd;
  m_bSubclassed = TRUE;
  m_pfnSuperWindowProc = WndProcOf(hWnd);
  if (!SetWndProc(hWnd, &CSimpleWnd::SubclassedWindowProc, &m_pfnSuperWindowProc)) {
    Detach();
    return FALSE;
  }
  return TRUE;
}

HWND CSimpleWnd::UnsubclassWindow(BOOL force) {
  if (m_hWnd == nullptr || !m_bSubclassed) return nullptr;
  if (!force && WndProcOf(m_hWnd) != &CSimpleWnd::SubclassedWindowProc) return nullptr;
  if (!SetWndProc(m_hWnd, m_pfnSuperWindowProc, nullptr)) return nullptr;
  HWND old = m_hWnd;
  Detach();
  return old;
}

void CSimpleWnd::Detach() {
  ForgetWindow(m_hWnd);
  m_hWnd = nullptr;
  m_pfnSuperWindowProc = ::DefWindowProcW;
  m_bSubclassed = FALSE;
}

LRESULT CALLBACK CSimpleWnd::StartWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CSimpleWndHelper* helper = CSimpleWndHelper::getSingletonPtr();
  CSimpleWnd* self = helper != nullptr ? helper->TakeCreatingObject() : nullptr;
  if (self == nullptr ||
      !SetLongPtr(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self), nullptr)) {
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
  }
  self->m_hWnd = hWnd;
  SetWndProc(hWnd, &CSimpleWnd::CreatedWindowProc, nullptr);
  return self->Dispatch(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CSimpleWnd::CreatedWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CSimpleWnd* self = CreatedObjectOf(hWnd);
  if (self == nullptr) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
  return self->Dispatch(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CSimpleWnd::SubclassedWindowProc(HWND hWnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam) {
  CSimpleWnd* self = SubclassedObjectOf(hWnd);
  if (self == nullptr) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
  return self->Dispatch(hWnd, msg, wParam, lParam);
}

LRESULT CSimpleWnd::Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MsgRecord record{};
  record.hwnd = hWnd;
  record.message = msg;
  record.wParam = wParam;
  record.lParam = lParam;
  record.prev = m_pCurrentMsg;
  m_pCurrentMsg = &record;

  LRESULT result = 0;
  if (!ProcessWindowMessage(hWnd, msg, wParam, lParam, result, 0)) {
    if (msg == WM_NCDESTROY) {
      WNDPROC ours = WndProcOf(hWnd);
      result = CallWindowProcW(m_pfnSuperWindowProc, hWnd, msg, wParam, lParam);
      if (m_pfnSuperWindowProc != ::DefWindowProcW && WndProcOf(hWnd) == ours) {
        SetWndProc(hWnd, m_pfnSuperWindowProc, nullptr);
      }
      m_bDestroyed = TRUE;
    } else {
      result = CallWindowProcW(m_pfnSuperWindowProc, hWnd, msg, wParam, lParam);
    }
  }
  // No message follows WM_NCDESTROY.
  if (msg == WM_NCDESTROY) ForgetWindow(hWnd);

  if (m_bDestroyed && record.prev == nullptr) {
    HWND old = m_hWnd;
    m_hWnd = nullptr;
    m_bDestroyed = FALSE;
    m_pCurrentMsg = nullptr;
    m_pfnSuperWindowProc = ::DefWindowProcW;
    m_bSubclassed = FALSE;
    OnFinalMessage(old);  // may delete this
  } else {
    m_pCurrentMsg = record.prev;
  }
  return result;
}

LRESULT CSimpleWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(m_pfnSuperWindowProc, m_hWnd, msg, wParam, lParam);
}

LRESULT CSimpleWnd::DefWindowProc() {
  if (m_pCurrentMsg == nullptr) return 0;
  return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

BOOL CSimpleWnd::ModifyStyleAt(int index, DWORD remove, DWORD add, UINT swpFlags) {
  const DWORD old = static_cast<DWORD>(::GetWindowLongW(m_hWnd, index));
  const DWORD now = (old & ~remove) | add;
  if (now == old) return FALSE;
  ::SetWindowLongW(m_hWnd, index, static_cast<LONG>(now));
  if (swpFlags != 0) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return TRUE;
}

BOOL CSimpleWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyStyleAt(GWL_STYLE, remove, add, swpFlags);
}

BOOL CSimpleWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyStyleAt(GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL CSimpleWnd::CenterWindow(HWND hWndCenter) {
  const bool child = (GetWindowLong(GWL_STYLE) & WS_CHILD) != 0;
  if (hWndCenter == nullptr) {
    hWndCenter = child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter == nullptr) hWndCenter = ::GetActiveWindow();
  }
  // Centred over itself a window would not move.
  if (hWndCenter == m_hWnd) hWndCenter = nullptr;

  RECT area = {};
  RECT center = {};
  if (child) {
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr || !::GetClientRect(parent, &area)) return FALSE;
    center = area;
    if (hWndCenter != nullptr && ::GetClientRect(hWndCenter, &center)) {
      ::MapWindowPoints(hWndCenter, parent, reinterpret_cast<POINT*>(&center), 2);
    }
  } else {
    if (hWndCenter != nullptr && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))) {
      hWndCenter = nullptr;
    }
    HMONITOR monitor =
        ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info)) return FALSE;
    area = info.rcWork;
    if (hWndCenter == nullptr || !::GetWindowRect(hWndCenter, &center)) center = area;
  }

  RECT rc = {};
  if (!::GetWindowRect(m_hWnd, &rc)) return FALSE;
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  int left = (center.left + center.right) / 2 - width / 2;
  int top = (center.top + center.bottom) / 2 - height / 2;
  if (left + width > area.right) left = area.right - width;
  if (left < area.left) left = area.left;
  if (top + height > area.bottom) top = area.bottom - height;
  if (top < area.top) top = area.top;
  return ::SetWindowPos(m_hWnd, nullptr, left, top, -1, -1,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CSimpleWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

LONG CSimpleWnd::GetWindowLong(int index) const { return ::GetWindowLongW(m_hWnd, index); }

LONG CSimpleWnd::SetWindowLong(int index, LONG value) {
  return ::SetWindowLongW(m_hWnd, index, value);
}

BOOL CSimpleWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
  return ::InvalidateRect(m_hWnd, rect, erase);
}

BOOL CSimpleWnd::ScreenToClient(LPPOINT pt) const { return ::ScreenToClient(m_hWnd, pt); }

UINT_PTR CSimpleWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CSimpleWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

int CSimpleWnd::ReleaseDC(HDC hdc) { return ::ReleaseDC(m_hWnd, hdc); }

BOOL CSimpleWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL CSimpleWnd::SetWindowText(LPCWSTR text) { return ::SetWindowTextW(m_hWnd, text); }

HWND CSimpleWnd::SetCapture() { return ::SetCapture(m_hWnd); }

LRESULT CSimpleWnd::ForwardNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  bHandled = IsControlNotification(msg) ? TRUE : FALSE;
  if (!bHandled) return 0;
  return ::SendMessageW(::GetParent(m_hWnd), msg, wParam, lParam);
}

HWND CSimpleWnd::FindReflectionTarget(UINT msg, WPARAM wParam, LPARAM lParam) const {
  switch (msg) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) {
        return reinterpret_cast<HWND>(lParam);
      }
      return ::GetDlgItem(m_hWnd, HIWORD(wParam));
    case WM_DRAWITEM:
      if (wParam == 0 || lParam == 0) return nullptr;
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
      if (wParam == 0 || lParam == 0) return nullptr;
      return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
      if (wParam == 0 || lParam == 0) return nullptr;
      return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_MEASUREITEM:
      if (wParam == 0 || lParam == 0) return nullptr;
      return ::GetDlgItem(m_hWnd, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID);
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return reinterpret_cast<HWND>(lParam);
    default:
      return IsCtlColor(msg) ? reinterpret_cast<HWND>(lParam) : nullptr;
  }
}

LRESULT CSimpleWnd::ReflectNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
  HWND child = FindReflectionTarget(msg, wParam, lParam);
  if (child == nullptr) {
    bHandled = FALSE;
    return 1;
  }
  bHandled = TRUE;
  return ::SendMessageW(child, kOcmBase + msg, wParam, lParam);
}

BOOL CSimpleWnd::DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          LRESULT& lResult) {
  if (msg < kOcmBase || !IsControlNotification(msg - kOcmBase)) return FALSE;
  lResult = ::DefWindowProcW(hWnd, msg - kOcmBase, wParam, lParam);
  return TRUE;
}

}  // namespace SWUI
