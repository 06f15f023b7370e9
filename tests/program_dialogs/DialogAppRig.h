// The application object started without its main window (InitApp: the framework with the
// program's resources and registrations, the device link over a simulated bus with no
// processor), with the outside world scripted: the data folder is a fresh temporary folder,
// message boxes of both kinds are recorded and answered IDOK, and the open-file dialog answers
// the queued paths in turn (a cancel when none is left). One rig at a time.
//
//   DialogAppRig rig;
//   rig.fileAnswers.push_back(path);
//   CCommonDlg<CDlgSetLogoImage> dlg(L"LAYOUT:XML_SETLOGO");
//   ModalDriver drive({...});
//   dlg.DoModal(nullptr);
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "AppSeams.h"
#include "SimHidBus.h"

struct FileDialogCall {
  std::wstring filter;  // every part with its terminator
  std::wstring defaultExtension;
  DWORD flags;
};

class DialogAppRig {
 public:
  DialogAppRig();
  ~DialogAppRig();
  DialogAppRig(const DialogAppRig&) = delete;
  DialogAppRig& operator=(const DialogAppRig&) = delete;

  // The program's data folder and the logo list in it.
  std::wstring DataFolder() const;
  std::wstring ListFile() const;
  // A folder below the temporary one (made), for image files.
  std::wstring Folder(const std::wstring& name) const;

  std::deque<std::wstring> fileAnswers;
  std::vector<FileDialogCall> fileDialogs;
  std::vector<std::wstring> boxes;  // texts of the message boxes shown

 private:
  static HRESULT WINAPI GetFolderPath(HWND, int, HANDLE, DWORD, LPWSTR path);
  static int FrameworkBox(HWND, LPCWSTR text, LPCWSTR, UINT);
  static int WINAPI SystemBox(HWND, LPCWSTR text, LPCWSTR, UINT);
  static BOOL WINAPI OpenFile(LPOPENFILENAMEW dialog);
  static BOOL WINAPI SaveFile(LPOPENFILENAMEW);

  SimHidBus bus_;
  AppSeams seams_;
  std::wstring root_;
};

// Whole files, bytes as they are.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The file held open without sharing while the object lives, as another program may hold it:
// every write to it fails.
class FileHeld {
 public:
  explicit FileHeld(const std::wstring& path);
  ~FileHeld();
  FileHeld(const FileHeld&) = delete;
  FileHeld& operator=(const FileHeld&) = delete;

 private:
  HANDLE handle_;
};

// A profile in UTF-16 with its byte-order mark, as the logo list keeps it.
std::string Utf16File(const std::wstring& text);
