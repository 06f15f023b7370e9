#include "HidDevice/CThreadObject.h"

#include <process.h>

namespace {
const DWORD kDestroyWaitMs = 1000;
}

CThreadObject::CThreadObject() : m_thread(nullptr) {
  m_runningEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CThreadObject::~CThreadObject() {
  if (IsRunning()) {
    SetEvent(m_stopEvent);
    if (WaitForSingleObject(m_thread, kDestroyWaitMs) != WAIT_OBJECT_0) {
      TerminateThread(m_thread, 0xFFFFFFFF);
    }
  }
  ReleaseThread();
  if (m_runningEvent != nullptr) CloseHandle(m_runningEvent);
  if (m_stopEvent != nullptr) CloseHandle(m_stopEvent);
}

BOOL CThreadObject::IsRunning() const {
  return m_runningEvent != nullptr && WaitForSingleObject(m_runningEvent, 0) == WAIT_OBJECT_0;
}

BOOL CThreadObject::IsStopRequested() const {
  return m_stopEvent != nullptr && WaitForSingleObject(m_stopEvent, 0) == WAIT_OBJECT_0;
}

void CThreadObject::ReleaseThread() {
  if (m_thread != nullptr) {
    CloseHandle(m_thread);
    m_thread = nullptr;
  }
}

BOOL CThreadObject::Start() {
  if (m_runningEvent == nullptr || m_stopEvent == nullptr || IsRunning()) return FALSE;
  if (m_thread != nullptr) {
    // A thread whose Run has returned may still be on its way out.
    WaitForSingleObject(m_thread, kDestroyWaitMs);
    ReleaseThread();
  }
  uintptr_t h = _beginthreadex(nullptr, 0, &CThreadObject::ThreadProc, this, 0, nullptr);
  if (h == 0) return FALSE;
  m_thread = reinterpret_cast<HANDLE>(h);
  // The running event, or the thread's end when Run returned before we looked.
  HANDLE handles[2] = {m_runningEvent, m_thread};
  DWORD w = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
  return w == WAIT_OBJECT_0 || w == WAIT_OBJECT_0 + 1;
}

BOOL CThreadObject::Stop(DWORD timeoutMs) {
  if (IsRunning()) {
    SetEvent(m_stopEvent);
    if (m_thread != nullptr && WaitForSingleObject(m_thread, timeoutMs) != WAIT_OBJECT_0) {
      TerminateThread(m_thread, 0xFFFFFFFF);
      ResetEvent(m_runningEvent);  // a terminated Run never reset it
    }
  }
  ReleaseThread();
  return TRUE;
}

unsigned __stdcall CThreadObject::ThreadProc(void* param) {
  CThreadObject* self = static_cast<CThreadObject*>(param);
  // The stop event is cleared before the thread says it runs: a Stop that follows Start at once
  // must not be wiped out.
  ResetEvent(self->m_stopEvent);
  SetEvent(self->m_runningEvent);
  DWORD result = self->Run();
  ResetEvent(self->m_runningEvent);
  return result;
}
