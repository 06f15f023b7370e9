// Runs the network dialog's jobs (CNetworkJob), each on a short worker thread of its own, one
// job at a time in the process: a worker writes the device controller's Wi-Fi list and joined
// name without a lock of the controller's, so a job asked for while another runs (a query after
// a quick STA-AP-STA, Apply while loading, a dialog opened again) waits for it, and its dialog
// keeps the loading page up meanwhile. The program waits for its workers before the device link
// goes. Start, Running and WaitIdle are for the UI thread.
#pragma once
#include <windows.h>

#include <vector>

class CDeviceController;
class CNetworkJob;

class CNetworkJobRunner {
 public:
  explicit CNetworkJobRunner(CDeviceController& controller);
  // Waits for the workers.
  ~CNetworkJobRunner();
  CNetworkJobRunner(const CNetworkJobRunner&) = delete;
  CNetworkJobRunner& operator=(const CNetworkJobRunner&) = delete;

  // Starts a worker on the job, which holds a reference of its own until it has posted the
  // end. False, the job untouched, when no thread could be made.
  bool Start(CNetworkJob* job);
  // Workers started that have not ended.
  size_t Running();
  // Waits until every worker has ended. Close the device link first: a worker's request in
  // flight then fails at once, and so does every later one.
  void WaitIdle();

 private:
  struct Work {
    CNetworkJobRunner* runner;
    CNetworkJob* job;
    // The worker started before this one, still running then (owned by the worker): jobs run
    // in the order they were started, whichever worker thread reaches the lock first.
    HANDLE before;
  };
  static unsigned __stdcall WorkerBody(void* arg);
  // Closes the handles of workers that have ended.
  void Prune();

  CDeviceController& m_controller;
  CRITICAL_SECTION m_oneJob;      // held by the worker whose job runs
  std::vector<HANDLE> m_workers;  // thread handles, UI thread only
};
