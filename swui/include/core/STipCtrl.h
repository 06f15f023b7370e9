// The framework's default tooltip: one per host window, made by SDefToolTipFactory. The host
// tells it the tip of the hovered element (UpdateTip) and hands it every message of the loop;
// a rest of the mouse inside the tip's rectangle shows the tip after the show delay, below the
// cursor, and it hides again after the auto-pop time, on a click or when the mouse leaves.
// Only messages addressed to the host window or a window inside it count.
#pragma once
#include <windows.h>

#include "core/IToolTip.h"
#include "core/STipWndBase.h"

namespace SWUI {

class STipCtrl : public STipWndBase, public IToolTip {
 public:
  enum {
    kTimerDelay = 1,    // the show delay ran out
    kTimerAutoPop = 2,  // the shown tip has been up long enough
  };
  static const UINT kShowDelay = 500;
  static const UINT kAutoPopTime = 5000;
  // How far below the cursor the tip appears.
  static const int kCursorOffset = 24;

  STipCtrl() = default;

  // The window "swui tooltip" for an owner (host) window; FALSE when it cannot be made.
  BOOL Create(HWND hOwner);

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  BOOL PreTranslateMessage(MSG* msg) override;
  // A new tip (identity differs from the current one): its rectangle and text ("\n" written
  // as backslash-n becomes a line break) and a font at the scale; a visible tip is shown
  // again at the new size.
  void UpdateTip(const TIPID& id, const RECT& rc, LPCWSTR tip, int scale) override;
  void ClearTip() override;
  void RelayEvent(const MSG* msg) override;

  HWND GetOwner() const { return m_hOwner; }
  const TIPID& GetTipId() const { return m_id; }
  const RECT& GetTipRect() const { return m_rcTip; }

 private:
  // The tip at the window's position, then the auto-pop timer.
  void OnDelayElapsed();
  // Hides the window, empties the rectangle and the text; the identity stays.
  void Hide();
  // Whether a message goes to the owner or a window inside it.
  bool IsOwnersMessage(HWND hWnd) const;

  HWND m_hOwner = nullptr;
  BOOL m_bTimersArmed = FALSE;
  TIPID m_id;
  RECT m_rcTip = {0, 0, 0, 0};
};

}  // namespace SWUI
