#include "HidDevice/CProtocol.h"

#include <cstring>

#include "HidDevice/CDeviceManager.h"
#include "HidDevice/CHidRecvThread.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/Crc8.h"
#include "core/SLog.h"

#define PROTOCOL_LOG(func, ...)                                                              \
  SWUI::SLog::Printf(SWUI::LOG_LEVEL_ERROR, "swui", "..\\common\\HidDevice\\Protocol", __LINE__, \
                     func, __VA_ARGS__)

namespace {
const DWORD kCloseWaitMs = 3000;
const int kNotReceiveTries = 5;
}  // namespace

CProtocol::CProtocol()
    : m_owner(nullptr),
      m_waiting(0),
      m_expectedCode(0),
      m_replyBuffer(nullptr),
      m_receiving(0),
      m_aborted(0),
      m_attached(false),
      m_vendorId(0),
      m_productId(0),
      m_replyLength(kReportSize),
      m_writeLength(kReportSize) {
  memset(m_path, 0, sizeof(m_path));
  InitializeCriticalSection(&m_lock);
  InitializeCriticalSection(&m_requestLock);
  m_replyEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  m_stoppedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_abortEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CProtocol::~CProtocol() {
  m_hid.Close();  // after a Close that timed out, the link is still open
  DeleteCriticalSection(&m_lock);
  DeleteCriticalSection(&m_requestLock);
  if (m_replyEvent != nullptr) CloseHandle(m_replyEvent);
  if (m_stoppedEvent != nullptr) CloseHandle(m_stoppedEvent);
  if (m_abortEvent != nullptr) CloseHandle(m_abortEvent);
}

BOOL CProtocol::OnNotify(const BYTE*) { return FALSE; }

BOOL CProtocol::Init(USHORT vendorId, USHORT productId, const wchar_t* path) {
  m_receiving = 0;
  m_hid.Close();
  m_vendorId = vendorId;
  m_productId = productId;
  m_replyLength = kReportSize;
  m_writeLength = kReportSize;
  CHidBase::CopyPath(m_path, path);
  return TRUE;
}

BOOL CProtocol::OnConnectDevice(void*) {
  if (!m_hid.OpenDevice(m_path)) return FALSE;
  m_receiving = 1;
  // Reset when a loop is given the protocol, not when it is closed: a loop that has already
  // left (its thread stopped) set it once, and Close must not wait for a second time.
  ResetEvent(m_stoppedEvent);
  CHidRecvThread* thread = m_owner != nullptr ? m_owner->GetRecvThread() : nullptr;
  if (thread != nullptr) {
    thread->Attach(this);
    m_attached = true;
  }
  return TRUE;
}

BOOL CProtocol::Close() {
  m_receiving = 0;
  m_hid.WakeRead();
  // Only a protocol that a receive loop was given has a loop to wait for.
  BOOL left = TRUE;
  if (m_attached) left = WaitForSingleObject(m_stoppedEvent, kCloseWaitMs) == WAIT_OBJECT_0;
  if (!left) return FALSE;
  m_attached = false;
  m_hid.Close();
  return TRUE;
}

BOOL CProtocol::CheckReply(const BYTE* reply, BYTE expectedCode, DWORD length) {
  BYTE check = Crc8(reply, length);
  if (check != reply[CommandReport::kCheckByte]) {
    PROTOCOL_LOG("CProtocol::CheckReply", "CheckReply error: reply crc 0x%02x != 0x%02x  cmd=0x%02x",
                 reply[CommandReport::kCheckByte], check, reply[0]);
    return FALSE;
  }
  if (reply[0] != expectedCode) {
    PROTOCOL_LOG("CProtocol::CheckReply", "CheckReply error: reply cmd 0x%02x != 0x%02x", reply[0],
                 expectedCode);
    return FALSE;
  }
  if (reply[CommandReport::kFlagByte] != CommandReport::kAccepted) {
    PROTOCOL_LOG("CProtocol::CheckReply",
                 "CheckReply error: reply falg 0x%02x != 0x%02x  cmd=0x%02x",
                 reply[CommandReport::kFlagByte], CommandReport::kAccepted, reply[0]);
    return FALSE;
  }
  return TRUE;
}

BOOL CProtocol::Write(const BYTE* data, DWORD length) { return m_hid.Write(data, length); }

void CProtocol::Arm(BYTE* reply, BYTE expectedCode) {
  EnterCriticalSection(&m_lock);
  memset(reply, 0, m_replyLength);
  ResetEvent(m_replyEvent);
  m_replyBuffer = reply;
  m_expectedCode = expectedCode;
  m_waiting = 1;
  LeaveCriticalSection(&m_lock);
}

void CProtocol::Disarm() {
  EnterCriticalSection(&m_lock);
  m_waiting = 0;
  m_replyBuffer = nullptr;
  LeaveCriticalSection(&m_lock);
}

BOOL CProtocol::SendAndReceive(BYTE* request, BYTE* reply, DWORD tries, DWORD timeoutMs) {
  EnterCriticalSection(&m_requestLock);
  CommandReport::Seal(request);
  memset(reply, 0, m_replyLength);
  const BYTE expected = CommandReport::ReplyCode(request[0]);
  BOOL ok = FALSE;
  for (DWORD t = 0; t < tries && !ok && !m_aborted; ++t) {
    // Re-armed per try: a zeroed buffer, and a slot that takes the first matching report.
    Arm(reply, expected);
    if (!Write(request, m_writeLength)) {
      PROTOCOL_LOG("CProtocol::SendAndReceive", "Send failed. cmd=0x%02x", request[0]);
      continue;
    }
    const HANDLE events[2] = {m_replyEvent, m_abortEvent};
    if (WaitForMultipleObjects(2, events, FALSE, timeoutMs) == WAIT_OBJECT_0 &&
        CheckReply(reply, expected, CommandReport::kCheckedBytes)) {
      ok = TRUE;
    } else {
      PROTOCOL_LOG("CProtocol::SendAndReceive", "WaitTimeout. cmd=0x%02x", request[0]);
    }
  }
  Disarm();
  if (!ok) memset(reply, 0, m_replyLength);  // never leave a rejected reply for the caller
  LeaveCriticalSection(&m_requestLock);
  return ok;
}

void CProtocol::Abort() {
  m_aborted = 1;
  SetEvent(m_abortEvent);
}

BOOL CProtocol::SendNotReceive(BYTE* report) {
  CommandReport::Seal(report);
  for (int i = 0; i < kNotReceiveTries; ++i) {
    if (Write(report, m_writeLength)) return TRUE;
    PROTOCOL_LOG("CProtocol::SendNotReceive", "send failed. cmd=0x%02x", report[0]);
  }
  return FALSE;
}

void CProtocol::OnRecv(const BYTE* report) {
  if (report == nullptr) return;
  bool matched = false;
  EnterCriticalSection(&m_lock);
  if (m_waiting && m_replyBuffer != nullptr && report[0] == m_expectedCode) {
    memcpy(m_replyBuffer, report, m_replyLength);
    m_waiting = 0;  // disarmed: a second copy cannot overwrite what the waiter checks
    SetEvent(m_replyEvent);
    matched = true;
  }
  LeaveCriticalSection(&m_lock);
  if (matched) return;
  if (!OnNotify(report) && m_owner != nullptr) m_owner->OnDeviceNotify(report);
}
