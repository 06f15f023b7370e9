#include "SimDevice.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "HidDevice/CommandReport.h"

namespace {
std::wstring MakePath(int id, USHORT vid, USHORT pid) {
  wchar_t buf[160];
  swprintf(buf, 160,
           L"\\\\?\\hid#vid_%04x&pid_%04x#sim&%d#{4d1e55b2-f16f-11cf-88cb-001111000030}",
           vid, pid, id);
  return buf;
}

void CloseEnd(HANDLE& h) {
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  h = INVALID_HANDLE_VALUE;
}
}  // namespace

SimDevice::SimDevice(int id, USHORT vendorId, USHORT productId, USHORT inputLength,
                     USHORT outputLength)
    : m_id(id),
      m_path(MakePath(id, vendorId, productId)),
      m_vendorId(vendorId),
      m_productId(productId),
      m_inputLength(inputLength),
      m_outputLength(outputLength) {
  m_wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  m_writeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_readOv.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_thread = CreateThread(nullptr, 0, &SimDevice::ThreadProc, this, 0, nullptr);
}

SimDevice::~SimDevice() {
  m_stop = true;
  SetEvent(m_wake);
  if (m_thread != nullptr) {
    WaitForSingleObject(m_thread, 5000);
    CloseHandle(m_thread);
  }
  CloseEnd(m_newFromHost);
  CloseEnd(m_newToHost);
  CloseHandle(m_wake);
  CloseHandle(m_writeEvent);
  CloseHandle(m_readOv.hEvent);
}

void SimDevice::InjectFault(Fault fault, int times, int cmd, DWORD delayMs) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_faults.push_back(FaultPlan{fault, times, cmd, delayMs});
}

void SimDevice::ClearFaults() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_faults.clear();
}

size_t SimDevice::HeldCount() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_held.size();
}

void SimDevice::ReleaseHeld(int count) {
  {
    std::lock_guard<std::mutex> guard(m_lock);
    for (; count != 0 && !m_held.empty(); --count) {
      QueueReport(m_held.front().data(), 0);
      m_held.pop_front();
    }
  }
  SetEvent(m_wake);
}

bool SimDevice::SendNotification(bool goodCheck, uint8_t payload) {
  Report r{};
  r[0] = CmdActiveBank;
  r[4] = payload;
  CommandReport::Seal(r.data());
  if (!goodCheck) r[63] ^= 0xFF;
  return SendReport(r);
}

bool SimDevice::SendReport(const Report& report) {
  if (!m_plugged) return false;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    QueueReport(report.data(), 0);
  }
  SetEvent(m_wake);
  return true;
}

void SimDevice::Unplug() {
  m_plugged = false;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    m_dropEnds = true;
    m_outgoing.clear();
    m_held.clear();
  }
  SetEvent(m_wake);
}

void SimDevice::Plug() { m_plugged = true; }

void SimDevice::StallReads(bool stall) {
  m_readsWithdrawn = false;
  m_stallReads = stall;
  SetEvent(m_wake);
}

std::vector<SimDevice::Report> SimDevice::Received() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_received;
}

std::vector<SimDevice::Report> SimDevice::Sent() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_sent;
}

size_t SimDevice::ReceivedCount(int cmd) const {
  std::lock_guard<std::mutex> guard(m_lock);
  if (cmd < 0) return m_received.size();
  return static_cast<size_t>(std::count_if(m_received.begin(), m_received.end(),
                                           [cmd](const Report& r) { return r[0] == cmd; }));
}

bool SimDevice::WaitReceived(size_t count, DWORD timeoutMs, int cmd) const {
  DWORD start = GetTickCount();
  while (ReceivedCount(cmd) < count) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(1);
  }
  return true;
}

void SimDevice::ClearRecords() {
  std::lock_guard<std::mutex> guard(m_lock);
  m_received.clear();
  m_sent.clear();
}

HANDLE SimDevice::OpenHostEnd(DWORD access, DWORD flags) {
  if (!m_plugged) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  bool hostWrites = (access & GENERIC_WRITE) != 0;
  bool hostReads = (access & GENERIC_READ) != 0;
  if (hostWrites && hostReads) {
    // A probe handle only carries attributes and capabilities: any real handle will do.
    HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return probe != nullptr ? probe : INVALID_HANDLE_VALUE;
  }
  wchar_t name[128];
  swprintf(name, 128, L"\\\\.\\pipe\\tevaro-sim-%lu-%d-%d",
           static_cast<unsigned long>(GetCurrentProcessId()), m_id, ++m_pipeSerial);
  DWORD openMode = (hostWrites ? PIPE_ACCESS_INBOUND : PIPE_ACCESS_OUTBOUND) |
                   FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE;
  DWORD inBuffer = hostWrites ? m_hostWriteBuffer.load() : 65536;
  HANDLE server = CreateNamedPipeW(name, openMode, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                   1, 65536, inBuffer, 0, nullptr);
  if (server == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  HANDLE client = ::CreateFileW(name, hostWrites ? GENERIC_WRITE : GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, flags, nullptr);
  if (client == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    CloseHandle(server);
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  OVERLAPPED ov{};
  ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ConnectNamedPipe(server, &ov) && GetLastError() == ERROR_IO_PENDING) {
    DWORD done = 0;
    GetOverlappedResult(server, &ov, &done, TRUE);
  }
  CloseHandle(ov.hEvent);
  {
    std::lock_guard<std::mutex> guard(m_lock);
    HANDLE& slot = hostWrites ? m_newFromHost : m_newToHost;
    CloseEnd(slot);
    slot = server;
  }
  SetEvent(m_wake);
  return client;
}

DWORD WINAPI SimDevice::ThreadProc(void* self) {
  static_cast<SimDevice*>(self)->Loop();
  return 0;
}

void SimDevice::Loop() {
  while (!m_stop) {
    if (m_fromHost != INVALID_HANDLE_VALUE && !m_readPending && !m_stallReads) StartRead();
    HANDLE handles[2] = {m_wake, m_readOv.hEvent};
    DWORD n = m_readPending ? 2 : 1;
    DWORD w = WaitForMultipleObjects(n, handles, FALSE, NextTimeout());
    if (w == WAIT_OBJECT_0 + 1) {
      DWORD got = 0;
      BOOL ok = GetOverlappedResult(m_fromHost, &m_readOv, &got, FALSE);
      m_readPending = false;
      if (!ok || got == 0) {
        CloseEnd(m_fromHost);  // the host closed its end, or the device was unplugged
      } else {
        TakeBytes(got);
      }
    } else if (m_readPending && m_stallReads) {
      // Stalled: withdraw the read in flight (keeping whatever it already took).
      CancelIoEx(m_fromHost, &m_readOv);
      DWORD got = 0;
      if (GetOverlappedResult(m_fromHost, &m_readOv, &got, TRUE) && got > 0) TakeBytes(got);
      m_readPending = false;
    }
    // New ends first: a report queued right after the host opened its reading end must go to
    // that end, not be dropped for want of one.
    AdoptNewEnds();
    FlushDue();
    m_readsWithdrawn = m_stallReads && !m_readPending;
  }
  CloseServerEnds();
}

void SimDevice::TakeBytes(DWORD got) {
  m_rxFill += got;
  if (m_rxFill >= m_outputLength) {
    OnHostReport(m_rx, m_outputLength);
    m_rxFill = 0;
  }
}

void SimDevice::CloseFromHost() {
  if (m_readPending) {
    CancelIoEx(m_fromHost, &m_readOv);
    DWORD done = 0;
    GetOverlappedResult(m_fromHost, &m_readOv, &done, TRUE);
    m_readPending = false;
  }
  CloseEnd(m_fromHost);
  m_rxFill = 0;
}

void SimDevice::CloseServerEnds() {
  CloseFromHost();
  CloseEnd(m_toHost);
}

void SimDevice::AdoptNewEnds() {
  HANDLE fromHost = INVALID_HANDLE_VALUE, toHost = INVALID_HANDLE_VALUE;
  bool drop = false;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    std::swap(fromHost, m_newFromHost);
    std::swap(toHost, m_newToHost);
    std::swap(drop, m_dropEnds);
  }
  if (drop) {
    CloseServerEnds();
    CloseEnd(fromHost);
    CloseEnd(toHost);
    return;
  }
  if (fromHost != INVALID_HANDLE_VALUE) {
    CloseFromHost();  // a new host writer replaces the old one
    m_fromHost = fromHost;
  }
  if (toHost != INVALID_HANDLE_VALUE) {
    CloseEnd(m_toHost);
    m_toHost = toHost;
  }
}

void SimDevice::StartRead() {
  ResetEvent(m_readOv.hEvent);
  DWORD want = m_outputLength - m_rxFill;
  if (m_outputLength == 0 || m_outputLength > sizeof(m_rx)) want = 1;
  if (ReadFile(m_fromHost, m_rx + m_rxFill, want, nullptr, &m_readOv) ||
      GetLastError() == ERROR_IO_PENDING) {
    m_readPending = true;
  } else {
    CloseEnd(m_fromHost);
  }
}

void SimDevice::OnHostReport(const uint8_t* frame, DWORD length) {
  Report request{};
  if (length > 1) memcpy(request.data(), frame + 1, std::min<DWORD>(64, length - 1));
  std::lock_guard<std::mutex> guard(m_lock);
  m_received.push_back(request);
  uint8_t reply[64];
  if (!m_processor.Handle(request.data(), reply)) return;
  CommandReport::Seal(reply);

  DWORD delay = 0;
  int copies = 1;
  auto plan = std::find_if(m_faults.begin(), m_faults.end(), [&](const FaultPlan& f) {
    return f.times != 0 && (f.cmd < 0 || f.cmd == request[0]);
  });
  if (plan != m_faults.end()) {
    switch (plan->fault) {
      case NoReply: copies = 0; break;
      case LateReply: delay = plan->delayMs; break;
      case BadCheck: reply[63] ^= 0xA5; break;
      case WrongCode: reply[0] = static_cast<uint8_t>(reply[0] + 1); CommandReport::Seal(reply); break;
      case BadFlag: reply[3] = 0; CommandReport::Seal(reply); break;
      case DoubleReply: copies = 2; break;
      case HeldReply: {
        Report held;
        memcpy(held.data(), reply, held.size());
        m_held.push_back(held);
        copies = 0;
        break;
      }
    }
    if (plan->times > 0 && --plan->times == 0) m_faults.erase(plan);
  }
  for (int i = 0; i < copies; ++i) QueueReport(reply, delay);
}

void SimDevice::QueueReport(const uint8_t* report, DWORD delayMs) {
  Outgoing out;
  out.due = GetTickCount() + delayMs;
  out.frame.assign(m_inputLength, 0);
  if (m_inputLength > 1) memcpy(out.frame.data() + 1, report, std::min<int>(64, m_inputLength - 1));
  // Keep the queue ordered by due time; equal times keep their order.
  auto at = std::find_if(m_outgoing.begin(), m_outgoing.end(), [&](const Outgoing& o) {
    return static_cast<LONG>(o.due - out.due) > 0;
  });
  m_outgoing.insert(at, std::move(out));
}

DWORD SimDevice::NextTimeout() {
  std::lock_guard<std::mutex> guard(m_lock);
  if (m_outgoing.empty()) return INFINITE;
  LONG left = static_cast<LONG>(m_outgoing.front().due - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

void SimDevice::FlushDue() {
  for (;;) {
    std::vector<uint8_t> frame;
    HANDLE newToHost = INVALID_HANDLE_VALUE;
    {
      std::lock_guard<std::mutex> guard(m_lock);
      // Under the lock that queued the report: a reading end the host opened before the
      // report was queued is the one it goes to.
      std::swap(newToHost, m_newToHost);
      if (newToHost != INVALID_HANDLE_VALUE) {
        CloseEnd(m_toHost);
        m_toHost = newToHost;
      }
      if (m_outgoing.empty() ||
          static_cast<LONG>(m_outgoing.front().due - GetTickCount()) > 0) {
        return;
      }
      frame = std::move(m_outgoing.front().frame);
      m_outgoing.pop_front();
      Report r{};
      if (frame.size() > 1) memcpy(r.data(), frame.data() + 1, std::min<size_t>(64, frame.size() - 1));
      m_sent.push_back(r);
    }
    WriteFrame(frame);
  }
}

void SimDevice::WriteFrame(const std::vector<uint8_t>& frame) {
  if (m_toHost == INVALID_HANDLE_VALUE || frame.empty()) return;
  OVERLAPPED ov{};
  ov.hEvent = m_writeEvent;
  ResetEvent(m_writeEvent);
  DWORD done = 0;
  if (WriteFile(m_toHost, frame.data(), static_cast<DWORD>(frame.size()), nullptr, &ov)) return;
  if (GetLastError() != ERROR_IO_PENDING) {
    CloseEnd(m_toHost);  // the host closed its reading end
    return;
  }
  if (WaitForSingleObject(m_writeEvent, 1000) != WAIT_OBJECT_0) CancelIoEx(m_toHost, &ov);
  GetOverlappedResult(m_toHost, &ov, &done, TRUE);
}
