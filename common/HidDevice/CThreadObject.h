// A small thread wrapper: Start runs Run on a new thread and returns once it runs; Stop asks it
// to stop, waits, and ends it forcibly when it does not.
#pragma once
#include <windows.h>

class CThreadObject {
 public:
  CThreadObject();
  virtual ~CThreadObject();
  CThreadObject(const CThreadObject&) = delete;
  CThreadObject& operator=(const CThreadObject&) = delete;

  // FALSE when already running or when the thread cannot be created. TRUE once the new thread
  // has begun its body (IsRunning is then true until Run returns); Run itself may not yet have
  // done anything.
  BOOL Start();
  // Asks the thread to stop, waits up to `timeoutMs`, then terminates it; always releases the
  // thread handle.
  BOOL Stop(DWORD timeoutMs);
  BOOL IsRunning() const;
  BOOL IsStopRequested() const;

 protected:
  virtual DWORD Run() = 0;

 private:
  static unsigned __stdcall ThreadProc(void* self);
  void ReleaseThread();

  HANDLE m_runningEvent;  // manual-reset; set while Run runs
  HANDLE m_stopEvent;     // manual-reset; asks Run to stop
  HANDLE m_thread;
};
