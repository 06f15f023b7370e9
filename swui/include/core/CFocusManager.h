// The keyboard focus of one container: which element has it (by handle), what is remembered
// while the native window is inactive, Tab and arrow-key navigation and the accelerator
// registry. Embedded in SwndContainerImpl; UI thread only.
//
// Focus states: none (focused 0, stored 0) -> focused -> stored while the native window is
// inactive (focused 0, stored the element or kNothingStored) -> restored on activation.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "core/CAccelerator.h"
#include "core/IAcceleratorMgr.h"
#include "core/SwndHandle.h"

namespace SWUI {

class SWindow;

// Why the focus moved; the element gets it as WM_SETFOCUS's lParam.
enum FocusChangeReason {
  FocusReasonDirect = 0,
  FocusReasonTraversal = 1,  // Tab, Shift+Tab or an arrow key in a group
  FocusReasonRestore = 2,    // the native window got the focus back
};

class CFocusManager : public IAcceleratorMgr {
 public:
  // Remembered when the window lost the focus while no element had it.
  static constexpr SwndHandle kNothingStored = 0xFFFFFFFF;

  explicit CFocusManager(SWindow* root);
  ~CFocusManager();
  CFocusManager(const CFocusManager&) = delete;
  CFocusManager& operator=(const CFocusManager&) = delete;

  SwndHandle GetFocusedHwnd() const { return m_focused; }
  SwndHandle GetStoredHwnd() const { return m_stored; }
  int GetFocusReason() const { return m_reason; }

  // Moves the focus: the old element gets WM_KILLFOCUS (wParam the new handle), the new one,
  // when alive, enabled and focusable, WM_SETFOCUS (wParam 0, lParam the reason). 0 and
  // kNothingStored clear the focus. While the window is inactive only what is restored
  // changes; a call made while a move is being carried out is applied after it.
  void SetFocusedHwnd(SwndHandle swnd, int reason = FocusReasonDirect);
  // The window lost the focus: the focused element is remembered and gets WM_KILLFOCUS.
  void StoreFocusedView();
  // The window got the focus back: the remembered element, when alive, enabled and visible,
  // gets the focus with the reason FocusReasonRestore.
  void RestoreFocusedView();
  // Tab (reverse: Shift+Tab) to the next focusable element in tree order; a radio group is
  // one stop (its checked member), and the search wraps once.
  void AdvanceFocus(BOOL reverse);
  // Tab traversal, arrows inside a group of siblings, then accelerators; TRUE when consumed.
  BOOL OnKeyDown(UINT vKey);

  void RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) override;
  void UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) override;
  void UnregisterAccelerators(IAcceleratorTarget* target) override;

 private:
  // Drops a focused element that is gone or no longer in this manager's tree.
  void ValidateFocusedView();
  void MoveFocus(SwndHandle swnd, int reason);
  BOOL OnArrowKey(UINT vKey);
  BOOL OnAccelerator(UINT vKey);

  SwndHandle m_focused = 0;
  SwndHandle m_stored = 0;
  BYTE m_changing = 0;
  int m_reason = FocusReasonDirect;
  SWindow* m_root;
  // Per packed accelerator, its targets; the front is asked first.
  std::map<DWORD, std::vector<IAcceleratorTarget*>> m_accelerators;
  // A move asked for while another was being carried out.
  bool m_hasPending = false;
  SwndHandle m_pending = 0;
  int m_pendingReason = FocusReasonDirect;
};

}  // namespace SWUI
