// What the program reaches outside itself that a test must script: the shell's folder lookup,
// the two kinds of message box (the framework's modal one and the system's, used before the
// framework is up) and the system's file dialogs. Real by default; a test binds a table of its
// own (a scripted answer per message box, a path or a cancel per file dialog, a temporary
// folder for the data folder). The tray icon has a seam of its own (SShellNotifyIcon), the
// device the HID seam (HidApi).
#pragma once
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

struct AppSeams {
  // SHGetFolderPathW.
  HRESULT(WINAPI* GetFolderPath)(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);
  // The framework's message box (SWUI::SMessageBox): the pressed button's id.
  int (*FrameworkMessageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
  // The system's MessageBoxW.
  int(WINAPI* SystemMessageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
  // GetOpenFileNameW and GetSaveFileNameW: TRUE with the chosen path in lpstrFile, FALSE when
  // the user cancelled (or the dialog failed).
  BOOL(WINAPI* OpenFileDialog)(LPOPENFILENAMEW dialog);
  BOOL(WINAPI* SaveFileDialog)(LPOPENFILENAMEW dialog);

  // The table in use; the real functions unless Bind replaced them.
  static const AppSeams& Current();
  // Binds a table (null restores the real functions). The table must outlive its use.
  static void Bind(const AppSeams* seams);
  static const AppSeams& Real();
};
