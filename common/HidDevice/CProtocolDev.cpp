#include "HidDevice/CProtocolDev.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

#include "HidDevice/CommandReport.h"

namespace {
// A pseudo-random 0..32766, from a generator seeded once per process with the time.
DWORD RandomWord() {
  static std::once_flag seeded;
  std::call_once(seeded, [] { srand(static_cast<unsigned>(time(nullptr))); });
  return static_cast<DWORD>(static_cast<double>(rand() & 0x7FFF) / 32768.0 * 32767.0);
}

void PutU32(BYTE* p, DWORD v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}

// Reply or request bytes that make the session key, in key order.
const int kKeyBytes[6] = {14, 25, 30, 16, 6, 37};
}  // namespace

CProtocolDev::CProtocolDev() : m_timeout(200), m_tries(5) {
  memset(m_sessionKey, 0, sizeof(m_sessionKey));
  memset(&m_info, 0, sizeof(m_info));
}

BOOL CProtocolDev::OnNotifyData(const BYTE* data, DWORD length) {
  return data != nullptr && length < 60;
}

BOOL CProtocolDev::OnConnectDevice(void* arg) {
  if (!CProtocol::OnConnectDevice(arg)) return FALSE;
  BYTE request[kReportSize] = {};
  BYTE reply[kReportSize] = {};
  request[0] = CmdSessionKey;
  const int wordAt[4] = {6, 12, 24, 32};
  for (int at : wordAt) PutU32(request + at, RandomWord());
  for (int i = 0; i < 6; ++i) m_sessionKey[i] = request[kKeyBytes[i]];
  if (!SendAndReceive(request, reply, m_tries, m_timeout)) return FALSE;
  for (int i = 0; i < 6; ++i) m_sessionKey[i] = reply[kKeyBytes[i]];
  return TRUE;
}

BOOL CProtocolDev::UpdateDeviceInfo() {
  BYTE request[kReportSize] = {};
  BYTE reply[kReportSize] = {};
  request[0] = CmdDeviceConfig;
  if (!SendAndReceive(request, reply, m_tries, m_timeout)) return FALSE;
  memcpy(m_info.date, reply + 4, 3);
  memcpy(m_info.info, reply + 7, 4);
  m_info.valueA = CommandReport::GetU16(reply, 11);
  memcpy(m_info.block, reply + 13, sizeof(m_info.block));
  m_info.valueB = CommandReport::GetU16(reply, 35);
  return TRUE;
}

BOOL CProtocolDev::GetDeviceInfo(int kind, void* out, DWORD size) {
  static const DWORD kNeeds[] = {0, 0, 1, 1, 1, 6, 1, 2, 2, 20};
  if (kind < InfoI1 || kind > InfoBlock || out == nullptr || size < kNeeds[kind]) return FALSE;
  BYTE* o = static_cast<BYTE*>(out);
  switch (kind) {
    case InfoI1: *o = m_info.info[1]; break;
    case InfoI0: *o = m_info.info[0]; break;
    case InfoI2: *o = m_info.info[2]; break;
    case InfoI3: *o = m_info.info[3]; break;
    case InfoDate: {
      WORD ymd[3];
      ymd[0] = static_cast<WORD>(((m_info.date[0] * 16) | (m_info.date[1] >> 4)) % 10000);
      ymd[1] = static_cast<WORD>((m_info.date[1] & 15) % 13);
      ymd[2] = static_cast<WORD>(m_info.date[2] & 31);
      memcpy(o, ymd, sizeof(ymd));
      break;
    }
    case InfoValueA: memcpy(o, &m_info.valueA, 2); break;
    case InfoValueB: memcpy(o, &m_info.valueB, 2); break;
    case InfoBlock: memcpy(o, m_info.block, sizeof(m_info.block)); break;
  }
  return TRUE;
}

BOOL CProtocolDev::Command(int kind, const void* data, DWORD size) {
  if (kind == CommandFirmware) {
    if (size == 0 || data == nullptr) return FALSE;
    return UpdateFirmware(static_cast<const BYTE*>(data), size);
  }
  if (kind == CommandUpdateInfo) return UpdateDeviceInfo();
  return FALSE;
}

BOOL CProtocolDev::UpdateFirmware(const BYTE* data, DWORD size) {
  if (data == nullptr || size < 1 || size > kMaxFirmware) return FALSE;
  const DWORD blocks = (size + 31) / 32;
  BYTE request[kReportSize] = {};
  BYTE reply[kReportSize] = {};
  request[0] = CmdFirmwareBegin;
  request[6] = static_cast<BYTE>(blocks >> 8);
  request[7] = static_cast<BYTE>(blocks);
  request[8] = static_cast<BYTE>(size >> 16);
  request[9] = static_cast<BYTE>(size >> 8);
  request[10] = static_cast<BYTE>(size);
  if (!SendAndReceive(request, reply, m_tries, m_timeout)) return FALSE;
  for (DWORD k = 0; k < blocks; ++k) {
    memset(request, 0, sizeof(request));
    request[0] = CmdFirmwareBlock;
    request[1] = static_cast<BYTE>(k >> 8);
    request[2] = static_cast<BYTE>(k);
    DWORD at = k * 32;
    DWORD n = size - at < 32 ? size - at : 32;
    memcpy(request + 4, data + at, n);
    if (!SendAndReceive(request, reply, m_tries, m_timeout)) return FALSE;
  }
  return TRUE;
}
