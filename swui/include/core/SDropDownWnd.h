// A popup host window for a drop-down list (the combo box's): it closes with IDCANCEL on a
// click outside itself, on Escape, when it loses the focus or the capture to another window or
// when the application is deactivated, and with IDOK on Return. It filters its loop's
// messages (never consuming one) to follow the application's activation and the cursor.
#pragma once
#include "core/IMessageFilter.h"
#include "core/ISDropDownOwner.h"
#include "core/SHostWnd.h"

namespace SWUI {

class SDropDownWnd : public SHostWnd, public IMessageFilter {
 public:
  // The exit code while the drop-down is open.
  static constexpr UINT kOpen = 0xFFFFFFFF;

  explicit SDropDownWnd(ISDropDownOwner* pOwner);
  ~SDropDownWnd() override;

  // The window at rc (screen), owned by the owner element's host window; the owner's
  // OnCreateDropDown follows a window made. The owner takes the capture after showing it.
  virtual BOOL Create(LPCRECT rc, LPVOID lParam, DWORD dwStyle = WS_POPUP,
                      DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  // Only while open: keeps the code and destroys the window.
  void EndDropDown(UINT uCode = IDCANCEL);
  UINT GetExitCode() const { return m_uExitCode; }
  ISDropDownOwner* GetOwner() const { return m_pOwner; }

  // The owner's container's loop.
  SMessageLoop* GetMsgLoop() override;
  // The drop-down takes the native capture back, so it keeps seeing clicks outside itself.
  BOOL OnReleaseSwndCapture() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  ISDropDownOwner* m_pOwner;
  BOOL m_bClick = FALSE;
  UINT m_uExitCode = kOpen;

 private:
  BOOL OnDropDownMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  BOOL IsInClient(LPARAM lParam) const;
  SMessageLoop* m_pFilterLoop = nullptr;
};

}  // namespace SWUI
