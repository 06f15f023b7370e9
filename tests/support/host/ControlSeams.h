// Recorders bound to the controls' seams for their lifetime: what a link would have launched
// through the shell, and what a caption would have sent its host window (with the system
// version it is told). One of each may live at a time.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Binds SLink's launcher (ShellExecuteW) to a recorder.
class LinkLaunches {
 public:
  struct Launch {
    std::wstring operation;
    std::wstring file;
    int show;
    bool bare;  // no window, parameters or folder given
  };

  LinkLaunches();
  ~LinkLaunches();
  LinkLaunches(const LinkLaunches&) = delete;
  LinkLaunches& operator=(const LinkLaunches&) = delete;

  std::vector<Launch> launches;
};

// Binds SCaption's message sender and version test to a recorder; the version reported is
// major / product type (6, workstation by default).
class CaptionCommands {
 public:
  struct Sent {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };

  CaptionCommands();
  ~CaptionCommands();
  CaptionCommands(const CaptionCommands&) = delete;
  CaptionCommands& operator=(const CaptionCommands&) = delete;

  std::vector<Sent> sent;
  DWORD major = 6;
  BYTE product = VER_NT_WORKSTATION;
};
