// The drop-down of the combo box and of the date-time picker. Their host window keeps the
// keyboard while the drop-down is open (the drop-down never activates), so its loop filter
// hands the wheel and the list's keys (Up, Down, Return, Escape) to the drop-down window itself
// and consumes them there. It shows one element its owner keeps (the list, the calendar),
// lent to its tree while it is open.
#pragma once
#include "core/SDropDownWnd.h"
#include "core/SMonitorArea.h"

namespace SWUI {

class SDropDownWnd_ComboBox : public SDropDownWnd {
 public:
  explicit SDropDownWnd_ComboBox(ISDropDownOwner* pOwner) : SDropDownWnd(pOwner) {}

  // ---- where a drop-down goes ------------------------------------------------------------
  // An element's window rectangle on the screen.
  static RECT ScreenRectOf(const SWindow* pWnd);
  // The monitor of an element's host window (the screen when there is none).
  static SMonitorArea MonitorOf(const SWindow* pWnd);

  // ---- the window ------------------------------------------------------------------------
  // Whether its window is up and has not ended.
  BOOL IsOpen() const;
  // Shows the made window without activating it.
  void ShowNoActivate();
  // Gives it the mouse capture, unless showing it has already ended it (the application
  // deactivated meanwhile): FALSE then.
  BOOL CaptureIfOpen();

  // ---- the element it shows --------------------------------------------------------------
  // Lends the element to the root (one reference while it is there), laid out over the whole
  // client area, shown and focused.
  void HostContent(SWindow* pContent);
  // Takes it back out, hidden, into the container it belongs to; nothing when it is not there.
  void ReturnContent(SWindow* pContent, ISwndContainer* pHome);

  BOOL PreTranslateMessage(MSG* pMsg) override;
};

}  // namespace SWUI
