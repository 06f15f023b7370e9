// The process's one receive thread: reads the input reports of whichever protocol is attached
// and hands each to CProtocol::OnRecv. It outlives the protocols; each newly connected protocol
// attaches itself, and the thread is stopped at shut-down.
#pragma once
#include <windows.h>

#include <atomic>

#include "HidDevice/CThreadObject.h"

class CProtocol;

class CHidRecvThread : public CThreadObject {
 public:
  CHidRecvThread();
  ~CHidRecvThread() override;

  BOOL Start();
  // Ends the thread, waking a read of the attached protocol blocked on the device (that link
  // then reads nothing until it is closed): 2000 ms, then forcibly. Afterwards no protocol is
  // attached.
  BOOL Stop();
  // Waits (2000 ms) until the thread is between protocols, restarting it if it is not, then
  // gives it `protocol`. A null protocol does nothing.
  void Attach(CProtocol* protocol);

  CProtocol* GetProtocol() const { return m_protocol; }

 protected:
  DWORD Run() override;

 private:
  void ReadLoop(CProtocol* protocol);

  std::atomic<DWORD> m_run;
  HANDLE m_workEvent;  // auto-reset: a protocol was attached, or wake up
  HANDLE m_idleEvent;  // auto-reset, initially set: between protocols
  std::atomic<CProtocol*> m_protocol;
};
