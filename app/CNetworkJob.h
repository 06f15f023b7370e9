// One slow Wi-Fi job of the network dialog, run on a worker thread (CNetworkJobRunner): a query
// (the device's Wi-Fi state, its list of visible networks and, when joined, the joined network)
// or an apply (the 60-byte settings block).
//
// Two owners share a job, the dialog that asked for it and the worker, each with one reference
// counted by interlocked operations; the last to let go frees it. The worker keeps its own copy
// of every answer and posts its end to the dialog's window with the job's number, so a dialog
// takes a result only from the job it still runs, never through a pointer that may be freed.
#pragma once
#include <windows.h>

#include "HidDevice/CDeviceController.h"

class CNetworkJob {
 public:
  enum Kind { kQuery = 0, kApply = 1 };
  // Posted to the dialog's window when a job ends; lParam is the job's number.
  static constexpr UINT kQueryDone = WM_USER + 110;  // wParam 0
  static constexpr UINT kApplyDone = WM_USER + 111;  // wParam the device's result
  static constexpr int kListSize = CDeviceController::kWifiListSize;
  static constexpr int kNameLength = CDeviceController::kWifiNameLength;

  // A query for the window, held once by the caller; null when memory runs out. Every job of
  // the process gets a number of its own.
  static CNetworkJob* Create(HWND window);
  CNetworkJob(const CNetworkJob&) = delete;
  CNetworkJob& operator=(const CNetworkJob&) = delete;

  // Makes it an apply job of the block (before it starts).
  void MakeApply(const WifiConfigBlock& block);

  void AddRef();
  // Frees the job with the last reference.
  void Release();
  // Only one owner holds it (its dialog let go, or the worker is done).
  bool HasOneOwner() const;

  LPARAM Number() const { return m_number; }
  Kind GetKind() const { return m_kind; }
  HWND Window() const { return m_window; }
  const WifiConfigBlock& Block() const { return m_block; }

  // The worker's part: the device requests on the controller, the answers kept in the job, and
  // the end posted to the window. A query whose dialog let go before it ran asks the device
  // nothing (nobody would read it) and reports nothing joined.
  void Run(CDeviceController& controller);

  // Answers, for the dialog once the end has arrived. The list entry is empty past the list.
  int WifiState() const { return m_state; }
  const char* JoinedName() const { return m_joined; }
  const char* ListEntry(int index) const;
  int ApplyResult() const { return m_result; }

 private:
  CNetworkJob(HWND window, LPARAM number);
  ~CNetworkJob() = default;

  void RunQuery(CDeviceController& controller);

  volatile LONG m_refs = 1;
  const HWND m_window;
  const LPARAM m_number;
  Kind m_kind = kQuery;
  WifiConfigBlock m_block = {};
  int m_state = 0;
  int m_result = 0;
  char m_list[kListSize][kNameLength + 1] = {};
  char m_joined[kNameLength + 1] = {};
};
