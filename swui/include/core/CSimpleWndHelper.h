// Shared by every native window of the framework: the module, the window class name, the
// input-method flag and the executable memory that holds the per-window thunks
// (application singleton 10).
#pragma once
#include <windows.h>

#include <string>

#include "core/SSingleton.h"

namespace SWUI {

class CSimpleWndHelper : public SSingleton<CSimpleWndHelper> {
 public:
  CSimpleWndHelper(HINSTANCE instance, LPCWSTR className, BOOL imeEnabled);
  virtual ~CSimpleWndHelper();

  HINSTANCE GetAppInstance() const { return m_hInst; }
  LPCWSTR GetWndClassName() const { return m_className.c_str(); }
  BOOL IsImeEnabled() const { return m_imeEnabled; }
  // Null when the heap could not be created.
  HANDLE GetHeap() const { return m_hHeap; }

 private:
  HANDLE m_hHeap = nullptr;
  HINSTANCE m_hInst = nullptr;
  std::wstring m_className;
  BOOL m_imeEnabled = FALSE;
};

}  // namespace SWUI
