#include "core/SwndContainerImpl.h"

#include <algorithm>
#include <cwchar>

#include "core/SApplication.h"

namespace SWUI {

namespace {

bool IsEnabledElement(SWindow* wnd) { return wnd != nullptr && !wnd->IsDisabled(TRUE); }

LPARAM PointToLParam(POINT pt) {
  return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// Numbers the subtree in paint order and gives every element its subtree's bounds.
RECT NumberTree(SWindow* wnd, UINT& next) {
  wnd->SetZorder(next++);
  RECT bounds = wnd->GetWindowRect();
  for (SWindow* child = wnd->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    const RECT inner = NumberTree(child, next);
    UnionRect(&bounds, &bounds, &inner);
  }
  wnd->SetSubtreeBounds(bounds);
  return bounds;
}

// The button messages (WM_LBUTTONDOWN to WM_XBUTTONDBLCLK; the wheel is routed apart); their
// non-client forms are 0x160 lower.
constexpr UINT kFirstButtonMsg = WM_LBUTTONDOWN;
constexpr UINT kLastButtonMsg = 0x20D;
constexpr UINT kNcMouseOffset = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

bool IsButtonMsg(UINT uMsg) { return uMsg >= kFirstButtonMsg && uMsg <= kLastButtonMsg; }

}  // namespace

SwndContainerImpl::SwndContainerImpl() : SwndContainerImpl(new SRootWindow(nullptr)) {}

SwndContainerImpl::SwndContainerImpl(SRootWindow* root)
    : m_root(root), m_focusMgr(m_root), m_dropTarget(m_root) {
  m_root->m_owner = this;
  m_root->SetContainer(this);
}

SwndContainerImpl::~SwndContainerImpl() {
  // The derived host is gone by now: nothing of the tree may call back into the container.
  m_root->SetContainer(nullptr);
  if (m_root->GetWindow(GSW_FIRSTCHILD) != nullptr) m_root->SSendMessage(WM_DESTROY);
  m_timelineHandlers.clear();
  m_trackedSwnds.clear();
  m_root->Release();
}

BOOL SwndContainerImpl::IsRootClass(LPCWSTR className) const {
  if (className == nullptr) return FALSE;
  return wcscmp(className, L"SwndContainerImpl") == 0 || wcscmp(className, L"window") == 0;
}

// ---- timeline, drag and drop, capture, focus, tracking, z-order ---------------------------

void SwndContainerImpl::OnNextFrame() {
  if (!m_root->IsVisible(TRUE)) return;
  // A copy: a handler may unregister itself or another one while it is called.
  const std::vector<ITimelineHandler*> handlers = m_timelineHandlers;
  for (ITimelineHandler* handler : handlers) {
    if (std::find(m_timelineHandlers.begin(), m_timelineHandlers.end(), handler) ==
        m_timelineHandlers.end()) {
      continue;
    }
    handler->OnNextFrame();
  }
}

BOOL SwndContainerImpl::RegisterDragDrop(SwndHandle swnd, IDropTarget* pDropTarget) {
  return m_dropTarget.RegisterDragDrop(swnd, pDropTarget);
}

BOOL SwndContainerImpl::RevokeDragDrop(SwndHandle swnd) {
  return m_dropTarget.RevokeDragDrop(swnd);
}

BOOL SwndContainerImpl::OnReleaseSwndCapture() {
  m_capture = 0;
  return TRUE;
}

SwndHandle SwndContainerImpl::OnSetSwndCapture(SwndHandle swnd) {
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && wnd->IsDisabled(TRUE)) return 0;
  const SwndHandle old = m_capture;
  m_capture = swnd;
  return old;
}

void SwndContainerImpl::OnSetSwndFocus(SwndHandle swnd) {
  HWND host = GetHostHwnd();
  if (swnd != 0 && host != nullptr && ::GetFocus() != host &&
      !(::GetWindowLongW(host, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    ::SetFocus(host);
  }
  m_focusMgr.SetFocusedHwnd(swnd, FocusReasonDirect);
}

BOOL SwndContainerImpl::RegisterTimelineHandler(ITimelineHandler* pHandler) {
  if (pHandler == nullptr || std::find(m_timelineHandlers.begin(), m_timelineHandlers.end(),
                                       pHandler) != m_timelineHandlers.end()) {
    return FALSE;
  }
  m_timelineHandlers.push_back(pHandler);
  return TRUE;
}

BOOL SwndContainerImpl::UnregisterTimelineHandler(ITimelineHandler* pHandler) {
  auto it = std::find(m_timelineHandlers.begin(), m_timelineHandlers.end(), pHandler);
  if (it == m_timelineHandlers.end()) return FALSE;
  m_timelineHandlers.erase(it);
  return TRUE;
}

BOOL SwndContainerImpl::RegisterTrackMouseEvent(SwndHandle swnd) {
  if (std::find(m_trackedSwnds.begin(), m_trackedSwnds.end(), swnd) != m_trackedSwnds.end()) {
    return FALSE;
  }
  m_trackedSwnds.push_back(swnd);
  return TRUE;
}

BOOL SwndContainerImpl::UnregisterTrackMouseEvent(SwndHandle swnd) {
  auto it = std::find(m_trackedSwnds.begin(), m_trackedSwnds.end(), swnd);
  if (it == m_trackedSwnds.end()) return FALSE;
  m_trackedSwnds.erase(it);
  return TRUE;
}

void SwndContainerImpl::BuildWndTreeZorder() {
  if (!m_bZorderDirty) return;
  UINT next = 0;
  NumberTree(m_root, next);
  m_bZorderDirty = FALSE;
}

// ---- input routing -----------------------------------------------------------------------

LRESULT SwndContainerImpl::DoFrameEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SAutoRefPtr<SWindow> hold(m_root);
  m_bFrameHandled = TRUE;
  LRESULT lRet = 0;
  if (uMsg == WM_MOUSEMOVE) {
    OnFrameMouseMove(wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  } else if (uMsg == WM_MOUSEWHEEL || uMsg == WM_MOUSEHWHEEL) {
    OnFrameMouseWheel(uMsg, wParam, lParam);
  } else if (uMsg == WM_MOUSEHOVER || IsButtonMsg(uMsg)) {
    OnFrameMouseEvent(uMsg, wParam, lParam);
  } else if (uMsg == WM_MOUSELEAVE) {
    OnFrameMouseLeave();
  } else if (uMsg == WM_ACTIVATE) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      m_focusMgr.StoreFocusedView();
    } else if (LOWORD(wParam) == WA_ACTIVE) {
      m_focusMgr.RestoreFocusedView();
    }
  } else if (uMsg == WM_SETFOCUS) {
    m_focusMgr.RestoreFocusedView();
  } else if (uMsg == WM_KILLFOCUS) {
    m_focusMgr.StoreFocusedView();
  } else if (uMsg == WM_ACTIVATEAPP) {
    m_root->SDispatchMessage(uMsg, wParam, lParam);
  } else if (uMsg == WM_SETCURSOR) {
    lRet = OnFrameSetCursor(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  } else if (uMsg == WM_KEYDOWN) {
    OnFrameKeyDown(uMsg, wParam, lParam);
  } else if ((uMsg > WM_KEYDOWN && uMsg <= WM_UNICHAR) ||
             (uMsg >= WM_IME_STARTCOMPOSITION && uMsg <= WM_IME_COMPOSITION) ||
             uMsg == WM_IME_CHAR) {
    OnFrameKeyEvent(uMsg, wParam, lParam);
  } else {
    m_bFrameHandled = FALSE;
  }
  return lRet;
}

void SwndContainerImpl::SendHandled(SWindow* wnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  BOOL handled = FALSE;
  wnd->SSendMessage(uMsg, wParam, lParam, &handled);
  m_bFrameHandled = handled;
}

void SwndContainerImpl::OnFrameMouseMove(WPARAM wParam, POINT pt) {
  const LPARAM lParam = PointToLParam(pt);
  // Held: a handler of the hover and leave messages may destroy what it is told about.
  SAutoRefPtr<SWindow> capture = SWindow::GetSwndFromHandle(m_capture);
  if (m_capture != 0 && capture == nullptr) m_capture = 0;  // the holder is gone
  SAutoRefPtr<SWindow> target;
  if (capture != nullptr) {
    const SwndHandle hit = capture->IsContainPoint(pt, FALSE) ? m_capture : 0;
    if (hit != m_hover) {
      SAutoRefPtr<SWindow> old = SWindow::GetSwndFromHandle(m_hover);
      m_hover = hit;
      if (old != nullptr) {
        if (m_bNcHover) old->SSendMessage(WM_NCMOUSELEAVE);
        old->SSendMessage(WM_MOUSELEAVE);
      }
      if (hit != 0 && !(capture->GetState() & WndState_Hover)) {
        if (m_bNcHover) capture->SSendMessage(WM_NCMOUSEHOVER, wParam, lParam);
        capture->SSendMessage(WM_MOUSEHOVER, wParam, lParam);
      }
    }
    target = capture;
  } else {
    const SwndHandle hit = m_root->SwndFromPoint(pt, FALSE);
    SAutoRefPtr<SWindow> wnd = SWindow::GetSwndFromHandle(hit);
    if (hit == m_hover) {
      if (IsEnabledElement(wnd)) {
        const BOOL nc = wnd->OnNcHitTest(pt);
        if (nc != m_bNcHover) {
          m_bNcHover = nc;
          if (nc) {
            wnd->SSendMessage(WM_NCMOUSEHOVER, wParam, lParam);
          } else {
            wnd->SSendMessage(WM_NCMOUSELEAVE);
          }
        }
      }
    } else {
      SAutoRefPtr<SWindow> old = SWindow::GetSwndFromHandle(m_hover);
      m_hover = hit;
      // A tracking element keeps its hover while the point stays inside it (over a child).
      if (old != nullptr &&
          !(old->GetStyle().IsTrackMouseEvent() && old->IsContainPoint(pt, FALSE))) {
        if (m_bNcHover) old->SSendMessage(WM_NCMOUSELEAVE);
        old->SSendMessage(WM_MOUSELEAVE);
      }
      m_bNcHover = FALSE;
      if (IsEnabledElement(wnd) && !(wnd->GetState() & WndState_Hover)) {
        m_bNcHover = wnd->OnNcHitTest(pt);
        if (m_bNcHover) wnd->SSendMessage(WM_NCMOUSEHOVER, wParam, lParam);
        wnd->SSendMessage(WM_MOUSEHOVER, wParam, lParam);
      }
    }
    if (IsEnabledElement(wnd)) target = wnd;
  }
  if (target != nullptr) {
    target->SSendMessage(m_bNcHover ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, wParam, lParam);
  }
  TrackMouse(pt);
}

void SwndContainerImpl::TrackMouse(POINT pt) {
  const std::vector<SwndHandle> tracked = m_trackedSwnds;
  for (SwndHandle swnd : tracked) {
    SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
    if (wnd == nullptr) {
      UnregisterTrackMouseEvent(swnd);
      continue;
    }
    if (!wnd->IsVisible(TRUE)) continue;
    const BOOL inside = wnd->IsContainPoint(pt, FALSE);
    const BOOL hovered = (wnd->GetState() & WndState_Hover) != 0;
    if (inside && !hovered) {
      wnd->SSendMessage(WM_MOUSEHOVER);
    } else if (!inside && hovered) {
      wnd->SSendMessage(WM_MOUSELEAVE);
    }
  }
}

void SwndContainerImpl::OnFrameMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SWindow* target = SWindow::GetSwndFromHandle(m_capture);
  if (target == nullptr) {
    m_hover = m_root->SwndFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, FALSE);
    target = SWindow::GetSwndFromHandle(m_hover);
    if (!IsEnabledElement(target)) {
      m_bFrameHandled = FALSE;
      return;
    }
  }
  // Over the element's frame the buttons arrive in their non-client form.
  if (m_bNcHover && IsButtonMsg(uMsg)) uMsg -= kNcMouseOffset;
  SendHandled(target, uMsg, wParam, lParam);
}

void SwndContainerImpl::OnFrameMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SWindow* target = SWindow::GetSwndFromHandle(m_capture);
  if (target == nullptr) {
    if (IsSendWheel2Hover()) {
      m_hover = m_root->SwndFromPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, FALSE);
      target = SWindow::GetSwndFromHandle(m_hover);
    } else {
      target = SWindow::GetSwndFromHandle(GetFocus());
    }
  }
  if (!IsEnabledElement(target)) {
    m_bFrameHandled = FALSE;
    return;
  }
  SendHandled(target, uMsg, wParam, lParam);
}

void SwndContainerImpl::OnFrameMouseLeave() {
  if (SWindow* capture = SWindow::GetSwndFromHandle(m_capture)) {
    capture->SSendMessage(WM_MOUSELEAVE);
  } else if (SWindow* hover = SWindow::GetSwndFromHandle(m_hover)) {
    if (IsEnabledElement(hover)) {
      SAutoRefPtr<SWindow> hold(hover);
      hover->SSendMessage(WM_MOUSELEAVE);
      if (m_bNcHover) hover->SSendMessage(WM_NCMOUSELEAVE);
    }
  }
  const std::vector<SwndHandle> tracked = m_trackedSwnds;
  for (SwndHandle swnd : tracked) {
    SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
    if (wnd == nullptr) {
      UnregisterTrackMouseEvent(swnd);
    } else if (wnd->IsVisible(TRUE) && (wnd->GetState() & WndState_Hover)) {
      wnd->SSendMessage(WM_MOUSELEAVE);
    }
  }
  m_hover = 0;
  m_bNcHover = FALSE;
}

BOOL SwndContainerImpl::OnFrameSetCursor(POINT pt) {
  SWindow* wnd = SWindow::GetSwndFromHandle(m_capture);
  if (wnd == nullptr) {
    wnd = SWindow::GetSwndFromHandle(m_hover);
    if (!IsEnabledElement(wnd)) wnd = nullptr;
  }
  if (wnd != nullptr && wnd->OnSetCursor(pt)) return TRUE;
  SApplication* app = SApplication::getSingletonPtr();
  HCURSOR arrow = app != nullptr ? app->LoadCursor(IDC_ARROW) : nullptr;
  if (arrow == nullptr) arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  ::SetCursor(arrow);
  return TRUE;
}

void SwndContainerImpl::OnFrameKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (m_focusMgr.OnKeyDown(static_cast<UINT>(wParam))) return;
  SWindow* focused = SWindow::GetSwndFromHandle(GetFocus());
  if (focused == nullptr) {
    m_bFrameHandled = FALSE;
    return;
  }
  SendHandled(focused, uMsg, wParam, lParam);
}

void SwndContainerImpl::OnFrameKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  // Only character messages carry letters: a key message's 'a'..'z' are virtual keys (the
  // numeric keypad, F1 to F11), which stay as they are.
  const bool character = uMsg == WM_CHAR || uMsg == WM_SYSCHAR;
  if (character && ::GetKeyState(VK_MENU) < 0) {
    // Alt with a letter is an accelerator. A character that comes upper-case (Shift or Caps
    // Lock held) names the same key as its lower-case form.
    const bool lower = wParam >= 'a' && wParam <= 'z';
    const bool upperChar = uMsg == WM_SYSCHAR && wParam >= 'A' && wParam <= 'Z';
    if (lower) wParam -= 'a' - 'A';
    if ((lower || upperChar) && m_focusMgr.OnKeyDown(static_cast<UINT>(wParam))) return;
  }
  SWindow* focused = SWindow::GetSwndFromHandle(GetFocus());
  if (focused == nullptr) {
    m_bFrameHandled = FALSE;
    return;
  }
  SendHandled(focused, uMsg, wParam, lParam);
}

}  // namespace SWUI
