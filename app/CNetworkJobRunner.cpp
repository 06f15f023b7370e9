#include "CNetworkJobRunner.h"

#include <process.h>

#include <memory>

#include "CNetworkJob.h"

CNetworkJobRunner::CNetworkJobRunner(CDeviceController& controller) : m_controller(controller) {
  InitializeCriticalSection(&m_oneJob);
}

CNetworkJobRunner::~CNetworkJobRunner() {
  WaitIdle();
  DeleteCriticalSection(&m_oneJob);
}

bool CNetworkJobRunner::Start(CNetworkJob* job) {
  if (job == nullptr) return false;
  Prune();
  HANDLE before = nullptr;
  if (!m_workers.empty() &&
      !DuplicateHandle(GetCurrentProcess(), m_workers.back(), GetCurrentProcess(), &before,
                       SYNCHRONIZE, FALSE, 0)) {
    return false;
  }
  auto work = std::make_unique<Work>(Work{this, job, before});
  job->AddRef();
  const uintptr_t thread = _beginthreadex(nullptr, 0, &CNetworkJobRunner::WorkerBody, work.get(),
                                          0, nullptr);
  if (thread == 0) {
    if (before != nullptr) CloseHandle(before);
    job->Release();
    return false;
  }
  work.release();  // the worker owns it now
  m_workers.push_back(reinterpret_cast<HANDLE>(thread));
  return true;
}

size_t CNetworkJobRunner::Running() {
  Prune();
  return m_workers.size();
}

void CNetworkJobRunner::WaitIdle() {
  for (HANDLE worker : m_workers) {
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
  }
  m_workers.clear();
}

void CNetworkJobRunner::Prune() {
  auto kept = m_workers.begin();
  for (HANDLE worker : m_workers) {
    if (WaitForSingleObject(worker, 0) == WAIT_OBJECT_0) {
      CloseHandle(worker);
    } else {
      *kept++ = worker;
    }
  }
  m_workers.erase(kept, m_workers.end());
}

unsigned __stdcall CNetworkJobRunner::WorkerBody(void* arg) {
  const std::unique_ptr<Work> work(static_cast<Work*>(arg));
  CNetworkJobRunner* runner = work->runner;
  CNetworkJob* job = work->job;
  if (work->before != nullptr) {
    WaitForSingleObject(work->before, INFINITE);
    CloseHandle(work->before);
  }
  EnterCriticalSection(&runner->m_oneJob);
  job->Run(runner->m_controller);
  LeaveCriticalSection(&runner->m_oneJob);
  job->Release();
  return 0;
}
