#include "core/CFocusManager.h"

#include <algorithm>

#include "FocusSearch.h"
#include "core/SWindow.h"

namespace SWUI {

namespace {

const int kMaxPendingMoves = 16;

bool KeyHeld(int vKey) { return GetKeyState(vKey) < 0; }

}  // namespace

CFocusManager::CFocusManager(SWindow* root) : m_root(root) {}

CFocusManager::~CFocusManager() { m_accelerators.clear(); }

void CFocusManager::SetFocusedHwnd(SwndHandle swnd, int reason) {
  if (swnd == kNothingStored) swnd = 0;
  if (m_changing) {
    // An element told of the move (WM_KILLFOCUS, WM_SETFOCUS) asked for another one: it is
    // carried out once this one is complete, so neither message arrives out of order.
    m_hasPending = true;
    m_pending = swnd;
    m_pendingReason = reason;
    return;
  }
  if (m_stored != 0) {
    // Inactive: only what activation restores changes. Clearing the focus must stay
    // recorded as "nothing", which 0 (no record at all) would not be.
    m_stored = swnd != 0 ? swnd : kNothingStored;
    return;
  }
  if (swnd == m_focused) return;
  MoveFocus(swnd, reason);
  // Elements that keep asking for the focus back from each other must not hang the thread.
  int rounds = 0;
  while (m_hasPending && ++rounds <= kMaxPendingMoves) {
    m_hasPending = false;
    if (m_pending == m_focused) continue;
    if (m_stored != 0) {
      m_stored = m_pending != 0 ? m_pending : kNothingStored;
      continue;
    }
    MoveFocus(m_pending, m_pendingReason);
  }
  m_hasPending = false;
}

void CFocusManager::MoveFocus(SwndHandle swnd, int reason) {
  m_changing = 1;
  m_reason = reason;
  const SwndHandle old = m_focused;
  m_focused = 0;
  if (SWindow* oldWnd = SWindow::GetSwndFromHandle(old))
    oldWnd->SSendMessage(WM_KILLFOCUS, swnd, 0);
  SWindow* wnd = SWindow::GetSwndFromHandle(swnd);
  if (wnd != nullptr && !wnd->IsDisabled(TRUE) && wnd->IsFocusable()) {
    // The keyboard moved the focus: from now on the host shows where it is.
    HWND host = wnd->ContainerHostHwnd();
    if (reason == FocusReasonTraversal && host != nullptr) {
      ::SendMessageW(host, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    m_focused = swnd;
    wnd->SSendMessage(WM_SETFOCUS, 0, reason);
  }
  m_changing = 0;
}

void CFocusManager::ValidateFocusedView() {
  SWindow* wnd = SWindow::GetSwndFromHandle(m_focused);
  if (wnd == nullptr || wnd->GetTopLevelParent() != m_root) m_focused = 0;
}

void CFocusManager::StoreFocusedView() {
  // Told twice (focus and activation both lost): keep what the first time remembered.
  if (m_stored != 0 && m_focused == 0) return;
  ValidateFocusedView();
  m_stored = m_focused;
  m_focused = 0;
  if (SWindow* wnd = SWindow::GetSwndFromHandle(m_stored)) wnd->SSendMessage(WM_KILLFOCUS, 0, 0);
  if (m_stored == 0) m_stored = kNothingStored;
}

void CFocusManager::RestoreFocusedView() {
  SWindow* wnd = m_stored != kNothingStored ? SWindow::GetSwndFromHandle(m_stored) : nullptr;
  const SwndHandle stored = m_stored;
  m_stored = 0;
  if (wnd != nullptr && !wnd->IsDisabled(TRUE) && wnd->IsVisible(TRUE)) {
    m_focused = stored;
    m_reason = FocusReasonRestore;
    wnd->SSendMessage(WM_SETFOCUS, 0, FocusReasonRestore);
  }
}

void CFocusManager::AdvanceFocus(BOOL reverse) {
  ValidateFocusedView();
  FocusSearch search(m_root, TRUE);
  SWindow* found =
      search.FindNextFocusableView(SWindow::GetSwndFromHandle(m_focused), reverse, FALSE);
  if (found != nullptr) SetFocusedHwnd(found->GetSwnd(), FocusReasonTraversal);
}

BOOL CFocusManager::OnKeyDown(UINT vKey) {
  SWindow* focused = SWindow::GetSwndFromHandle(m_focused);
  if (vKey == VK_TAB && !KeyHeld(VK_CONTROL) &&
      (focused == nullptr || !(focused->OnGetDlgCode() & DLGC_WANTTAB))) {
    AdvanceFocus(KeyHeld(VK_SHIFT));
    return TRUE;
  }
  if (OnArrowKey(vKey)) return TRUE;
  return OnAccelerator(vKey);
}

BOOL CFocusManager::OnArrowKey(UINT vKey) {
  SWindow* focused = SWindow::GetSwndFromHandle(m_focused);
  if (focused == nullptr || !focused->IsSiblingsAutoGroupped()) return FALSE;
  int step;
  if (vKey == VK_LEFT || vKey == VK_UP) {
    step = GSW_PREVSIBLING;
  } else if (vKey == VK_RIGHT || vKey == VK_DOWN) {
    step = GSW_NEXTSIBLING;
  } else {
    return FALSE;
  }
  SWindow* found = nullptr;
  for (SWindow* sib = focused->GetWindow(step); sib != nullptr && found == nullptr;
       sib = sib->GetWindow(step)) {
    if (sib->IsSiblingsAutoGroupped()) found = sib;
  }
  SWindow* parent = focused->GetParent();
  if (found == nullptr && parent != nullptr) {
    // Wrap to the other end of the group.
    for (SWindow* sib = parent->GetWindow(step == GSW_PREVSIBLING ? GSW_LASTCHILD : GSW_FIRSTCHILD);
         sib != nullptr && found == nullptr; sib = sib->GetWindow(step)) {
      if (sib->IsSiblingsAutoGroupped()) found = sib;
    }
  }
  if (found != nullptr) SetFocusedHwnd(found->GetSwnd(), FocusReasonTraversal);
  return TRUE;  // a group keeps its arrows even when nothing took the focus
}

BOOL CFocusManager::OnAccelerator(UINT vKey) {
  const CAccelerator acc(static_cast<WORD>(vKey), KeyHeld(VK_CONTROL), KeyHeld(VK_MENU),
                         KeyHeld(VK_SHIFT));
  auto it = m_accelerators.find(acc.GetAcc());
  if (it == m_accelerators.end()) return FALSE;
  // A copy: a target may unregister itself (or others) while it is asked.
  const std::vector<IAcceleratorTarget*> targets = it->second;
  for (IAcceleratorTarget* target : targets) {
    auto now = m_accelerators.find(acc.GetAcc());
    if (now == m_accelerators.end() ||
        std::find(now->second.begin(), now->second.end(), target) == now->second.end()) {
      continue;  // unregistered by an earlier target meanwhile
    }
    if (target->OnAcceleratorPressed(acc)) return TRUE;
  }
  return FALSE;
}

void CFocusManager::RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  std::vector<IAcceleratorTarget*>& targets = m_accelerators[acc.GetAcc()];
  targets.insert(targets.begin(), target);
}

void CFocusManager::UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) {
  auto it = m_accelerators.find(acc.GetAcc());
  if (it == m_accelerators.end()) return;
  auto pos = std::find(it->second.begin(), it->second.end(), target);
  if (pos != it->second.end()) it->second.erase(pos);
}

void CFocusManager::UnregisterAccelerators(IAcceleratorTarget* target) {
  for (auto& entry : m_accelerators) {
    entry.second.erase(std::remove(entry.second.begin(), entry.second.end(), target),
                       entry.second.end());
  }
}

}  // namespace SWUI
