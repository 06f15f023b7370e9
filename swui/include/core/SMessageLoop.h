// The UI thread's message loop: an idle phase while the queue is empty, message filters that
// may consume a message before it is translated and dispatched, and an exit on WM_QUIT or on
// a quit request.
#pragma once
#include <windows.h>

#include <vector>

#include "core/IIdleHandler.h"
#include "core/IMessageFilter.h"

namespace SWUI {

class SMessageLoop {
 public:
  SMessageLoop();
  virtual ~SMessageLoop();
  SMessageLoop(const SMessageLoop&) = delete;
  SMessageLoop& operator=(const SMessageLoop&) = delete;

  BOOL AddMessageFilter(IMessageFilter* filter);
  BOOL RemoveMessageFilter(IMessageFilter* filter);
  BOOL AddIdleHandler(IIdleHandler* handler);
  BOOL RemoveIdleHandler(IIdleHandler* handler);

  // Filters are asked from the last added to the first.
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual BOOL OnIdle(int idleCount);
  // Returns the wParam of the last message (WM_QUIT's exit code).
  virtual int Run();
  virtual BOOL IsRunning() const;
  virtual void OnMsg(MSG* msg);
  // Ends Run after the message being handled; nothing while not running.
  virtual void Quit();

 private:
  static bool ReArmsIdle(UINT message);

  std::vector<IMessageFilter*> m_filters;
  std::vector<IIdleHandler*> m_idleHandlers;
  MSG m_msg;
  BOOL m_bRunning = FALSE;
  BOOL m_bQuit = FALSE;
};

}  // namespace SWUI
