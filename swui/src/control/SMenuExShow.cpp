// SMenuEx: showing, placing and hiding levels, the menu's loop and its keys.
#include <cctype>

#include "control/SMenuEx.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"
#include "control/SMenuExRunData.h"
#include "core/SMonitorArea.h"

namespace SWUI {

namespace {

bool IsKeyboardMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP ||
         msg == WM_CHAR || msg == WM_IME_KEYDOWN;
}

bool IsButtonPress(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_NCLBUTTONDOWN ||
         msg == WM_NCRBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
}

// A start that keeps a length inside [low, high), the low edge first.
LONG KeepInside(LONG start, LONG length, LONG low, LONG high) {
  if (start < low) return low;
  if (start + length > high) return high - length;
  return start;
}

// Where a level of size (w, h) asked for at (x, y) goes on the monitor: unchanged (but moved
// right by the sub-menu offset) when it fits; a sub-menu level that would pass the right edge
// opens to the left of its parent level instead; a top level that would pass an edge opens on
// the other side of the point. What still does not fit is shifted inside, the left and top
// edges first.
POINT PlaceLevel(const RECT& monitor, int x, int y, int w, int h, int offset,
                 const RECT* parentLevel) {
  const RECT rc = {x, y, x + w, y + h};
  if (rc.left >= monitor.left && rc.top >= monitor.top && rc.right <= monitor.right &&
      rc.bottom <= monitor.bottom) {
    return POINT{x + offset, y};
  }
  POINT pt = {x + offset, y};
  if (parentLevel != nullptr) {
    if (rc.right > monitor.right) pt.x = x - (parentLevel->right - parentLevel->left) - offset - w;
  } else {
    if (rc.right > monitor.right) pt.x = x - offset - w;
    if (rc.top < monitor.top) {
      pt.y = y + h;
    } else if (rc.bottom > monitor.bottom) {
      pt.y = y - h;
    }
  }
  pt.x = KeepInside(pt.x, w, monitor.left, monitor.right);
  pt.y = KeepInside(pt.y, h, monitor.top, monitor.bottom);
  return pt;
}

}  // namespace

// ---- running -----------------------------------------------------------------------------

int SMenuEx::TrackPopupMenu(UINT flags, int x, int y, HWND hOwner, int nScale) {
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) return -1;
  SMenuExRunData* data = SMenuExRunData::Enter(hOwner != nullptr ? hOwner : m_hOwner, nScale);
  HWND active = (hOwner != nullptr && ::IsWindowEnabled(hOwner)) ? hOwner : ::GetActiveWindow();
  HWND top = active;
  while (top != nullptr && ::GetParent(top) != nullptr) top = ::GetParent(top);
  ::SetForegroundWindow(top);

  ShowMenu(flags, x, y);
  RunMenu(top);
  HideMenu(FALSE);

  if (active != nullptr && ::IsWindow(active)) {
    // Hover states under the cursor are found again.
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(active, &pt);
    ::PostMessageW(active, WM_MOUSEMOVE, 0,
                   MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
  }
  const int id = data->GetCmd();
  HWND owner = data->GetOwner();
  data->Release();
  if (flags & TPM_RETURNCMD) return id;
  // A dismissed menu (0) or one whose owner lost the foreground (-1) chose no command.
  if (id != 0 && id != -1 && owner != nullptr && ::IsWindow(owner)) {
    ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  }
  return 1;
}

void SMenuEx::ExitPopupMenu(int nCmdId) {
  SMenuExRunData* data = SMenuExRunData::Current();
  if (data == nullptr) return;
  data->Exit(nCmdId);
  ::PostMessageW(data->GetOwner(), WM_NULL, 0, 0);
}

void SMenuEx::RunMenu(HWND hTop) {
  SMenuExRunData* data = SMenuExRunData::Current();
  if (data == nullptr) return;
  HWND hTracked = nullptr;  // the level the mouse was last over
  while (!data->GetExit()) {
    if (::GetForegroundWindow() != hTop) return;
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (IsButtonPress(msg.message)) {
      SMenuEx* level = data->LevelOf(msg.hwnd);
      if (level == nullptr) {
        // The click stays in the queue for the window it was meant for.
        data->Exit(0);
        return;
      }
      level->HideSubMenu();
    }
    const BOOL quit = !::GetMessageW(&msg, nullptr, 0, 0);
    if (quit) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (IsKeyboardMessage(msg.message)) {
      if (SMenuEx* last = data->GetLastLevel()) msg.hwnd = last->m_hWnd;
    } else if (msg.message == WM_MOUSEMOVE && msg.hwnd != hTracked &&
               data->LevelOf(msg.hwnd) != nullptr) {
      if (hTracked != nullptr && ::IsWindow(hTracked))
        ::SendMessageW(hTracked, WM_MOUSELEAVE, 0, 0);
      hTracked = msg.hwnd;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

// ---- levels ------------------------------------------------------------------------------

void SMenuEx::SendInitPopup(UINT index) {
  m_bMenuInitialized = TRUE;
  HWND owner = EventOwner();
  if (owner != nullptr && ::IsWindow(owner)) {
    ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(this), index);
  }
}

void SMenuEx::ShowMenu(UINT flags, int x, int y) {
  if (m_pRoot == nullptr) return;
  EnsureDummyWnd();
  if (!m_bMenuInitialized) SendInitPopup(0);
  GetRoot()->SDispatchMessage(UM_SETSCALE, static_cast<WPARAM>(GetScale()));
  const SIZE size = m_pRoot->GetDesiredSize(10000, 10000);
  m_pRoot->Move(0, 0, size.cx, size.cy);

  if (flags & TPM_CENTERALIGN) {
    x -= size.cx / 2;
  } else if (flags & TPM_RIGHTALIGN) {
    x -= size.cx;
  }
  if (flags & TPM_VCENTERALIGN) {
    y -= size.cy / 2;
  } else if (flags & TPM_BOTTOMALIGN) {
    y -= size.cy;
  }
  POINT pt = {x, y};
  SMonitorArea area;
  if (SMonitorAreaApi::Get(m_hWnd, &area)) {
    RECT parentLevel = {0, 0, 0, 0};
    SMenuEx* parent = m_pParent != nullptr ? m_pParent->GetOwnerMenu() : nullptr;
    if (parent != nullptr) ::GetWindowRect(parent->m_hWnd, &parentLevel);
    const int offset = m_pParent != nullptr ? m_pRoot->GetSubMenuOffset() : 0;
    pt = PlaceLevel(area.rcMonitor, x, y, size.cx, size.cy, offset,
                    parent != nullptr ? &parentLevel : nullptr);
  }
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, pt.x, pt.y, size.cx, size.cy,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  // A layered window shows only what was pushed to it: draw the level now.
  UpdateWindow();
  if (SMenuExRunData* data = SMenuExRunData::Current()) data->PushLevel(this);
}

void SMenuEx::HideMenu(BOOL bKeepParentItem) {
  if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd)) return;
  HideSubMenu();
  KillTimer(kTimerSubMenu);
  m_pHoverItem = nullptr;
  // The hovered item would still look hovered the next time the level shows.
  ::SendMessageW(m_hWnd, WM_MOUSELEAVE, 0, 0);
  ::ShowWindow(m_hWnd, SW_HIDE);
  SetOpenItem(nullptr);
  if (SMenuExRunData* data = SMenuExRunData::Current()) data->RemoveLevel(this);
  if (m_pParent != nullptr && !bKeepParentItem) {
    if (SMenuEx* parent = m_pParent->GetOwnerMenu()) parent->SetOpenItem(nullptr);
  }
}

void SMenuEx::ShowSubMenu(SMenuExItem* pItem, BOOL bSelectFirst) {
  KillTimer(kTimerSubMenu);
  m_pHoverItem = nullptr;
  SMenuEx* sub = pItem != nullptr ? pItem->GetSubMenu() : nullptr;
  if (sub == nullptr || sub->m_hWnd == nullptr) return;
  if (pItem != m_pCheckItem) {
    HideSubMenu();
    SetOpenItem(pItem);
  }
  if (::IsWindowVisible(sub->m_hWnd)) return;
  if (!sub->m_bMenuInitialized) {
    UINT index = 0;
    for (SWindow* prev = pItem->GetWindow(GSW_PREVSIBLING); prev != nullptr;
         prev = prev->GetWindow(GSW_PREVSIBLING)) {
      ++index;
    }
    sub->SendInitPopup(index);
  }
  RECT rc = pItem->GetWindowRect();
  const RECT rcRoot = m_pRoot->GetWindowRect();
  rc.left = rcRoot.left;
  rc.right = rcRoot.right;
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  ::SetWindowLongPtrW(sub->m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWnd));
  sub->ShowMenu(0, rc.right, rc.top);
  if (bSelectFirst) sub->SetOpenItem(sub->m_pRoot->GetNextMenuItem(nullptr, TRUE));
}

void SMenuEx::HideSubMenu() {
  SMenuEx* sub = m_pCheckItem != nullptr ? m_pCheckItem->PeekSubMenu() : nullptr;
  if (sub != nullptr) sub->HideMenu(FALSE);
}

void SMenuEx::SetOpenItem(SMenuExItem* pItem) {
  if (m_pCheckItem == pItem) return;
  if (m_pCheckItem != nullptr) m_pCheckItem->SetCheck(FALSE);
  m_pCheckItem = pItem;
  if (m_pCheckItem != nullptr) m_pCheckItem->SetCheck(TRUE);
}

// ---- timer and keys ----------------------------------------------------------------------

BOOL SMenuEx::OnTimer(UINT_PTR id) {
  if (id != kTimerSubMenu) return FALSE;
  KillTimer(kTimerSubMenu);
  if (m_pHoverItem != nullptr) ShowSubMenu(m_pHoverItem, FALSE);
  return TRUE;
}

BOOL SMenuEx::OnKeyDown(UINT vk) {
  if (m_pRoot == nullptr) return FALSE;
  switch (vk) {
    case VK_RETURN:
      if (m_pCheckItem != nullptr) m_pCheckItem->FireCommand();
      return TRUE;
    case VK_ESCAPE:
    case VK_LEFT:
      if (m_pParent != nullptr) {
        HideMenu(TRUE);
      } else if (SMenuExRunData* data = SMenuExRunData::Current()) {
        data->Exit(0);
      }
      return TRUE;
    case VK_UP:
    case VK_DOWN:
      SetOpenItem(m_pRoot->GetNextMenuItem(m_pCheckItem, vk == VK_DOWN));
      return TRUE;
    case VK_RIGHT:
      if (m_pCheckItem != nullptr && m_pCheckItem->PeekSubMenu() != nullptr) {
        ShowSubMenu(m_pCheckItem, TRUE);
      }
      return TRUE;
    default:
      return vk < 0x100 && isprint(static_cast<int>(vk)) && FireHotKey(vk);
  }
}

BOOL SMenuEx::FireHotKey(UINT vk) {
  auto lower = [](UINT ch) { return (ch >= 'A' && ch <= 'Z') ? ch + ('a' - 'A') : ch; };
  const UINT key = lower(vk);
  for (SWindow* child = m_pRoot->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    auto* item = dynamic_cast<SMenuExItem*>(child);
    if (item == nullptr || item->GetHotKey() == 0 || lower(item->GetHotKey()) != key) continue;
    // What the keyboard cannot reach otherwise cannot be chosen by its key either.
    if (item->IsDisabled(TRUE) || !item->IsVisible(FALSE)) continue;
    item->FireCommand();
    return TRUE;
  }
  return FALSE;
}

}  // namespace SWUI
