// Shared by every native window of the framework (application singleton 10): the one window
// class they all use, and the slot through which a window being created finds its object at
// its first message.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "core/SCriticalSection.h"
#include "core/SSingleton.h"

namespace SWUI {

class CSimpleWnd;

class CSimpleWndHelper : public SSingleton<CSimpleWndHelper> {
 public:
  // Registers the class: CS_DBLCLKS, or CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW with
  // imeEnabled; the arrow cursor; COLOR_WINDOW + 1 as background.
  CSimpleWndHelper(HINSTANCE instance, LPCWSTR className, BOOL imeEnabled);
  // Unregisters the class.
  virtual ~CSimpleWndHelper();

  HINSTANCE GetAppInstance() const { return m_hInst; }
  LPCWSTR GetWndClassName() const { return m_className.c_str(); }
  BOOL IsImeEnabled() const { return m_imeEnabled; }
  // 0 when the class could not be registered.
  ATOM GetClassAtom() const { return m_atom; }

 private:
  friend class CSimpleWnd;

  // Held from before CreateWindowExW until it returns, so windows created on other threads
  // wait their turn for the slot.
  void BeginCreate(CSimpleWnd* wnd);
  void EndCreate();
  // The object being created by this thread, once: the slot is cleared as it is taken, and a
  // window of the class created without CSimpleWnd::Create (or on another thread) finds none.
  CSimpleWnd* TakeCreatingObject();

  SCriticalSection m_cs;
  CSimpleWnd* m_creating = nullptr;
  std::atomic<DWORD> m_creatingThread{0};
  ATOM m_atom = 0;
  HINSTANCE m_hInst = nullptr;
  std::wstring m_className;
  BOOL m_imeEnabled = FALSE;
};

}  // namespace SWUI
