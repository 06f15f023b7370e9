// The program's one icon in the notification area: made with its owner window, icon and tip,
// added by Show and removed by Hide or when the object goes.
#pragma once
#include <windows.h>
#include <shellapi.h>

class SShellNotifyIcon {
 public:
  // The record the shell is given: NOTIFYICONDATAW up to and including guidItem. Its window
  // handle and icon grow with the pointer size, so the record is longer on 64-bit Windows.
#ifdef _WIN64
  static constexpr DWORD kRecordSize = 968;
#else
  static constexpr DWORD kRecordSize = 952;
#endif
  static const UINT kIconId = 100;
  static const UINT kFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  // The message the owner receives for mouse input on the icon.
  static const UINT kCallbackMessage = WM_USER + 1101;
  // Characters of the tip that are kept (the record holds them and the terminator).
  static const int kMaxTipLength = 127;

  // What the shell's Shell_NotifyIconW is reached through; tests bind a stand-in.
  using ShellNotifyIconFn = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
  // Binds the function (null restores Shell_NotifyIconW).
  static void BindShellNotifyIcon(ShellNotifyIconFn fn);

  SShellNotifyIcon();
  // Removes the icon when it is shown.
  virtual ~SShellNotifyIcon();
  SShellNotifyIcon(const SShellNotifyIcon&) = delete;
  SShellNotifyIcon& operator=(const SShellNotifyIcon&) = delete;

  // Fills the record; shows nothing.
  void Create(HWND owner, HICON icon, const wchar_t* tip);
  // Adds the icon (NIM_ADD); TRUE when the shell took it.
  BOOL Show();
  // Stores the tip (its first 127 characters); a shown icon is updated (NIM_MODIFY). TRUE
  // unless that update fails.
  BOOL SetTip(const wchar_t* tip);
  // Removes the icon (NIM_DELETE); the shell's answer.
  BOOL Hide();

  BOOL IsVisible() const { return m_visible != 0; }
  const NOTIFYICONDATAW& GetData() const { return m_data; }

 private:
  static BOOL Call(DWORD message, NOTIFYICONDATAW* data);

  int m_visible = 0;
  NOTIFYICONDATAW m_data;
};
