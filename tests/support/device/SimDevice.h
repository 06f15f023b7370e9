// One simulated effect processor on the simulated HID bus. Its data path is real: every host
// handle that CHidBase reads or writes is the client end of a named pipe whose server end this
// device serves from its own thread, so overlapped I/O, cancellation, wake-ups and broken links
// behave as the system makes them. Commands are answered by SimProcessor; faults can be
// injected per request; every report received and sent is recorded.
#pragma once
#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "SimProcessor.h"

class SimDevice {
 public:
  typedef std::array<uint8_t, 64> Report;

  enum Fault {
    NoReply,      // the request is recorded and never answered
    LateReply,    // the reply leaves `delayMs` after the request came
    BadCheck,     // byte 63 does not match
    WrongCode,    // byte 0 is the request's code plus 2 (check fixed up)
    BadFlag,      // byte 3 is 0 instead of 0xFF (check fixed up)
    DoubleReply,  // the same reply is sent twice
    HeldReply,    // the reply waits until ReleaseHeld lets it go (no clock involved)
  };

  SimDevice(int id, USHORT vendorId, USHORT productId, USHORT inputLength, USHORT outputLength);
  ~SimDevice();
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  const std::wstring& Path() const { return m_path; }
  USHORT VendorId() const { return m_vendorId; }
  USHORT ProductId() const { return m_productId; }
  USHORT InputLength() const { return m_inputLength; }
  USHORT OutputLength() const { return m_outputLength; }

  // The next `times` requests (all when -1) with command `cmd` (any when -1) get the fault.
  void InjectFault(Fault fault, int times = 1, int cmd = -1, DWORD delayMs = 0);
  void ClearFaults();
  // Replies kept back by HeldReply, oldest first; ReleaseHeld sends the oldest `count` of them
  // (all when -1) at once.
  size_t HeldCount() const;
  void ReleaseHeld(int count = -1);
  // Unsolicited reports: a device notification (0x7E) with a good or a bad check, or any report.
  bool SendNotification(bool goodCheck, uint8_t payload = 1);
  bool SendReport(const Report& report);

  // Pipe buffer for the host's writes, for ends opened afterwards (default 64 KiB). Smaller
  // than a report, every host write stays pending until the device has read it.
  void SetHostWriteBuffer(DWORD bytes) { m_hostWriteBuffer = bytes; }
  // While stalled the device reads nothing, so host writes beyond the buffer stay pending.
  void StallReads(bool stall);
  // True once the device thread, stalled, has withdrawn its read in flight.
  bool ReadsWithdrawn() const { return m_readsWithdrawn; }

  void Unplug();  // host reads and writes fail; enumeration no longer finds the device
  void Plug();
  bool IsPlugged() const { return m_plugged; }

  // Records, oldest first.
  std::vector<Report> Received() const;
  std::vector<Report> Sent() const;
  size_t ReceivedCount(int cmd = -1) const;
  // Waits until `count` reports (of `cmd`, any when -1) have been received.
  bool WaitReceived(size_t count, DWORD timeoutMs, int cmd = -1) const;
  void ClearRecords();

  // Runs `f(processor)` under the device's lock, the state the command handlers keep.
  template <class F>
  auto Inspect(F f) {
    std::lock_guard<std::mutex> guard(m_lock);
    return f(m_processor);
  }

  // Used by the simulated bus: hands out the client end of a fresh pipe whose server end the
  // device serves (write access: host -> device; read access: device -> host).
  HANDLE OpenHostEnd(DWORD access, DWORD flags);

 private:
  struct FaultPlan {
    Fault fault;
    int times;
    int cmd;
    DWORD delayMs;
  };
  struct Outgoing {
    DWORD due;
    std::vector<uint8_t> frame;
  };

  static DWORD WINAPI ThreadProc(void* self);
  void Loop();
  void AdoptNewEnds();
  void StartRead();
  void TakeBytes(DWORD got);
  void OnHostReport(const uint8_t* frame, DWORD length);
  void QueueReport(const uint8_t* report, DWORD delayMs);
  void FlushDue();
  void WriteFrame(const std::vector<uint8_t>& frame);
  DWORD NextTimeout();
  void CloseServerEnds();
  void CloseFromHost();

  const int m_id;
  const std::wstring m_path;
  const USHORT m_vendorId, m_productId, m_inputLength, m_outputLength;
  std::atomic<bool> m_plugged{true};
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_pipeSerial{0};
  std::atomic<DWORD> m_hostWriteBuffer{65536};
  std::atomic<bool> m_stallReads{false};
  std::atomic<bool> m_readsWithdrawn{false};

  mutable std::mutex m_lock;  // guards everything below
  SimProcessor m_processor;
  std::deque<FaultPlan> m_faults;
  std::vector<Report> m_received, m_sent;
  std::deque<Outgoing> m_outgoing;
  std::deque<Report> m_held;
  HANDLE m_newFromHost = INVALID_HANDLE_VALUE, m_newToHost = INVALID_HANDLE_VALUE;
  bool m_dropEnds = false;

  // Owned by the device thread.
  HANDLE m_fromHost = INVALID_HANDLE_VALUE, m_toHost = INVALID_HANDLE_VALUE;
  OVERLAPPED m_readOv{};
  bool m_readPending = false;
  uint8_t m_rx[256];
  DWORD m_rxFill = 0;
  HANDLE m_writeEvent = nullptr;

  HANDLE m_wake = nullptr;  // auto-reset: something for the thread to do
  HANDLE m_thread = nullptr;
};
