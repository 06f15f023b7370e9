#include "HidDevice/CHidRecvThread.h"

#include "HidDevice/CProtocol.h"
#include "core/SLog.h"

namespace {
const DWORD kStopWaitMs = 2000;
const DWORD kIdleWaitMs = 2000;
const DWORD kFailurePauseMs = 200;
}  // namespace

CHidRecvThread::CHidRecvThread() : m_run(0), m_protocol(nullptr) {
  m_workEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  m_idleEvent = CreateEventW(nullptr, FALSE, TRUE, nullptr);
}

CHidRecvThread::~CHidRecvThread() {
  Stop();  // the thread waits on the events closed below
  if (m_workEvent != nullptr) CloseHandle(m_workEvent);
  if (m_idleEvent != nullptr) CloseHandle(m_idleEvent);
}

BOOL CHidRecvThread::Start() {
  ResetEvent(m_workEvent);
  m_protocol = nullptr;
  SetEvent(m_idleEvent);  // a fresh thread is between protocols
  m_run = 1;
  if (!CThreadObject::Start()) {
    m_run = 0;
    return FALSE;
  }
  return TRUE;
}

BOOL CHidRecvThread::Stop() {
  if (IsRunning()) {
    m_run = 0;
    SetEvent(m_workEvent);
    // A read blocked on the device would keep the thread until the forced end, which may
    // catch it holding the write lock or the heap's.
    if (CProtocol* protocol = m_protocol) protocol->Hid().WakeRead();
  }
  CThreadObject::Stop(kStopWaitMs);
  m_run = 0;
  m_protocol = nullptr;  // the thread is gone: nothing reads the protocol any more
  return TRUE;
}

void CHidRecvThread::Attach(CProtocol* protocol) {
  if (protocol == nullptr) return;
  if (WaitForSingleObject(m_idleEvent, kIdleWaitMs) != WAIT_OBJECT_0) {
    Stop();
    Sleep(400);
    Start();
    Sleep(400);
  }
  m_protocol = protocol;
  SetEvent(m_workEvent);
  Sleep(100);
}

DWORD CHidRecvThread::Run() {
  if (!m_run) return 0;
  for (;;) {
    WaitForSingleObject(m_workEvent, INFINITE);
    if (!m_run) return 0;
    CProtocol* protocol = m_protocol;
    if (protocol != nullptr) ReadLoop(protocol);
    if (!m_run) return 0;
  }
}

void CHidRecvThread::ReadLoop(CProtocol* protocol) {
  ResetEvent(m_idleEvent);
  while (m_run && protocol->IsReceiving()) {
    BYTE* data = nullptr;
    BOOL ok = protocol->Hid().Read(&data);
    if (!m_run || !protocol->IsReceiving()) break;
    if (ok) {
      protocol->OnRecv(data);
    } else {
      SWUI::SLog::Printf(SWUI::LOG_LEVEL_ERROR, "swui", "..\\common\\HidDevice\\Protocol", __LINE__,
                         "CProtocol::DoRecvThreadProc",
                         " CProtocol::DoRecvThreadProc() -- read return %d, %ld", 0,
                         static_cast<long>(GetTickCount()));
      Sleep(kFailurePauseMs);
    }
  }
  // Forget the protocol before saying we left it: once the stopped event is set its owner
  // may delete it, and this thread never touches it again.
  CProtocol* expected = protocol;
  m_protocol.compare_exchange_strong(expected, nullptr);
  SetEvent(protocol->StoppedEvent());
  SetEvent(m_idleEvent);
}
