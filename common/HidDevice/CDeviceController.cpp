#include "HidDevice/CDeviceController.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "HidDevice/CommandReport.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqBandRecord.h"
#include "HidDevice/ParamLimits.h"
#include "HidDevice/ParamRows.h"

namespace {

constexpr int kReportSize = CommandReport::kSize;
constexpr int kReadBlockBytes = 58;
constexpr int kUploadBlockBytes = 59;
constexpr int kUploadBlocks = 24;
constexpr int kAdminDigits = 6;
constexpr int kKeyDigits = 4;
constexpr uint8_t kAdminMode = 0x80;
constexpr uint8_t kKeyLocked = 0x80;
constexpr uint8_t kActionSpdifOn = 7;   // 'l' actions 0..6 reset a channel's EQ
constexpr uint8_t kActionSpdifOff = 8;
constexpr DWORD kRecallTimeoutMs = 10000;
constexpr DWORD kWifiStateTimeoutMs = 5000;
constexpr DWORD kWifiListTimeoutMs = 10000;
constexpr DWORD kWifiConfigTimeoutMs = 15000;
constexpr DWORD kPumpMs = 50;
constexpr DWORD kPumpSleepMs = 10;

// Where a channel's rows sit in the table; -1 where the channel has no such row.
struct ChannelRows {
  int linkRow;
  int dynamicsLeft, dynamicsRight;
  int hpfLeft, hpfRight;
  int lpfLeft, lpfRight;
  int bandsLeft, bandsRight;  // mode row of band 0 of each band set
  int imageBands;             // band records each set holds in the image
};

using namespace ParamRow;
constexpr ChannelRows kChannels[CDeviceController::kChannelCount] = {
    {Music_LinkAdjust, MusicL_Exp_AT, MusicR_Exp_AT, MusicL_HPF_Type, MusicR_HPF_Type,
     MusicL_LPF_Type, MusicR_LPF_Type, MusicEQInfo0mode, MusicREQInfo0mode, 11},
    {Mic_LinkAdjust, MicAT, Mic2AT, MicHPF_Type, Mic2HPF_Type, MicLPF_Type, Mic2LPF_Type,
     MicEQInfo0mode, Mic2EQInfo0mode, 26},
    {-1, -1, -1, -1, -1, -1, -1, EchoEQInfo0mode, Rev_EQ0mode, 11},
    {Main_LinkAdjust, MainAT, MainR_Cmp_AT, MainL_HPF_Type, MainR_HPF_Type, MainL_LPF_Type,
     MainR_LPF_Type, MainEQInfo0mode, MainREQInfo0mode, 11},
    {-1, SCCENAT, -1, CenHPF, -1, CenLPF, -1, SCCENEQInfo0mode, -1, 11},
    {-1, SubAT, -1, SubHPF, -1, SubLPF, -1, SubEQInfo0mode, -1, 11},
    {Sur_LinkAdjust, SCSURAT, SurR_Cmp_AT, SurL_HPF_Type, SurR_HPF_Type, SurL_LPF_TYPE,
     SurR_LPF_TYPE, SCSUREQInfo0mode, SurR_EQ_INFO0mode, 11},
};

bool ValidChannel(int channel) { return channel >= 0 && channel < CDeviceController::kChannelCount; }

void SetIfPresent(int row, int* out) {
  if (row >= 0 && out) *out = row;
}

void ZeroReport(uint8_t* report) { std::memset(report, 0, kReportSize); }

// Writes one 5-byte 'd' entry: u16 offset, u8 size, u16 value, little-endian.
void PutEntry(uint8_t* at, int row, uint16_t value) {
  const ParamDesc& d = g_ParamDesc[row];
  CommandReport::PutU16(at, 0, static_cast<uint16_t>(d.offset));
  at[2] = static_cast<uint8_t>(d.bytes);
  CommandReport::PutU16(at, 3, d.bytes == 1 ? static_cast<uint16_t>(value & 0xFF) : value);
}

// Copies a reply text field of `length` bytes into a record of length + 1 with a NUL after it.
void CopyName(char* record, const uint8_t* field, int length) {
  std::memcpy(record, field, length);
  record[length] = '\0';
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsDigitString(const wchar_t* text, size_t length) {
  if (!text || wcslen(text) != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

// Typed characters against the device's stored digit values. Only '0'..'9' count as digits:
// any other character would otherwise reach values of 10 and more, which an erased store (0xFF)
// or a damaged one holds, and so match it. A stored value above 9 therefore matches nothing.
bool TypedDigitsMatch(const wchar_t* typed, const uint8_t* stored, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (!IsDigit(typed[i]) || typed[i] - L'0' != stored[i]) return false;
  return true;
}

}  // namespace

CDeviceController::CDeviceController() {
  std::memset(m_current, 0, sizeof m_current);
  std::memset(m_bank0, 0, sizeof m_bank0);
  std::memset(m_bank1, 0, sizeof m_bank1);
  std::memcpy(m_current, DefaultParamImages::Sing(), kParamReadSize);
  std::memcpy(m_bank0, DefaultParamImages::Sing(), kParamReadSize);
  std::memcpy(m_bank1, DefaultParamImages::Disco(), kParamReadSize);
}

void CDeviceController::DumpStartImage() { DumpParams(DefaultParamImages::Sing()); }

// ---------------------------------------------------------------------------------------
// Images

void CDeviceController::SetBankParam(int row, uint16_t value) { SetBankParams(row, value, value); }

void CDeviceController::SetBankParams(int row, uint16_t bank0Value, uint16_t bank1Value) {
  SetImageParam(m_bank0, row, bank0Value);
  SetImageParam(m_bank1, row, bank1Value);
}

void CDeviceController::SwitchBankImage(bool toBank1) {
  uint8_t* left = toBank1 ? m_bank0 : m_bank1;
  const uint8_t* chosen = toBank1 ? m_bank1 : m_bank0;
  std::memcpy(left, m_current, kParamTransferSize);
  std::memcpy(m_current, chosen, kParamTransferSize);
}

void CDeviceController::DumpParams(const uint8_t* image) {
  if (!image) return;
  char line[512];
  for (const ParamDesc& d : g_ParamDesc) {
    const unsigned value = GetParam(image, d.index);
    snprintf(line, sizeof line, "ORVK2: %16s = %4d = 0x%04X  (%d bytes) index=%d  offset=%d\n",
             d.name, value, value, d.bytes, d.index, d.offset);
    OutputDebugStringA(line);
  }
}

// ---------------------------------------------------------------------------------------
// Parameter writes

void CDeviceController::LogSetParam(int row, uint16_t value) const {
  const ParamDesc& d = g_ParamDesc[row];
  char line[512];
  snprintf(line, sizeof line, "ORVK2: SetParam %16s = %4d = 0x%04X  (%dbytes) index=%d offset=%d\n",
           d.name, value, value, d.bytes, d.index, d.offset);
  OutputDebugStringA(line);
}

// Writes the image and records the row as pending when a session is open. False when the row
// is refused, the value is unchanged (without force) or nothing was queued.
bool CDeviceController::WriteAndQueue(int row, uint16_t value, bool force) {
  if (!IsParamRow(row)) return false;
  if (!force && GetParam(m_current, row) == value) return false;
  LogSetParam(row, value);
  SetImageParam(m_current, row, value);
  if (!HasOpenProtocol() || !m_sessionOpen) return false;
  m_pending[static_cast<uint32_t>(row)] = value;
  return true;
}

void CDeviceController::SetParam(int row, uint16_t value, bool force) {
  if (!WriteAndQueue(row, value, force)) return;
  if (m_pending.size() >= kFlushAtPending)
    FlushPendingParams();
  else
    m_throttle.Trigger();
}

void CDeviceController::SetParamQueued(int row, uint16_t value) { WriteAndQueue(row, value, false); }

void CDeviceController::SetChannelFilterParam(int left, int right, int channel, int rowDelta,
                                              uint16_t value) {
  if (left < 0) return;  // the effect channel has no filter blocks
  const int link = GetChannelLinkMode(channel);
  if (right < 0 || link == 0 || link == -1) {
    SetParam(left + rowDelta, value);
  } else if (link == 1) {
    SetParam(right + rowDelta, value);
  } else if (link == 2) {
    SetParam(left + rowDelta, value);
    SetParam(right + rowDelta, value);
  }
}

void CDeviceController::SetChannelLpfParam(int channel, int rowDelta, uint16_t value) {
  int left = -1, right = -1;
  GetChannelLpfRows(channel, &left, &right);
  SetChannelFilterParam(left, right, channel, rowDelta, value);
}

void CDeviceController::SetChannelHpfParam(int channel, int rowDelta, uint16_t value) {
  int left = -1, right = -1;
  GetChannelHpfRows(channel, &left, &right);
  SetChannelFilterParam(left, right, channel, rowDelta, value);
}

int CDeviceController::FlushPendingParams() {
  while (!m_pending.empty()) {
    uint8_t request[kReportSize] = {};
    request[0] = CmdWriteParams;
    int count = 0;
    auto it = m_pending.begin();
    while (it != m_pending.end() && count < kMaxEntriesPerReport) {
      const int row = static_cast<int>(it->first);
      PutEntry(request + 5 + 5 * count, row, GetParam(m_current, row));
      it = m_pending.erase(it);
      ++count;
    }
    request[4] = static_cast<uint8_t>(count);
    if (!HasOpenProtocol()) {
      m_pending.clear();
      return 0;
    }
    uint8_t reply[kReportSize];
    // A report without a good reply is not repeated: the image keeps the values the device may
    // lack. Rows that were not in it stay pending for the next flush.
    if (!Request(request, reply)) return 0;
  }
  return 1;
}

void CDeviceController::OnSendTimer() {
  if (!m_throttle.IsInitialised()) return;
  m_throttle.OnTimer();
}

// ---------------------------------------------------------------------------------------
// Channel look-ups

int CDeviceController::GetChannelLinkMode(int channel) const {
  if (channel == kEffect) return m_effectLinkMode;
  if (!ValidChannel(channel) || kChannels[channel].linkRow < 0) return 0;
  return GetParam(m_current, kChannels[channel].linkRow);
}

void CDeviceController::GetChannelDynamicsRows(int channel, int* left, int* right) {
  if (!ValidChannel(channel)) return;
  SetIfPresent(kChannels[channel].dynamicsLeft, left);
  SetIfPresent(kChannels[channel].dynamicsRight, right);
}

void CDeviceController::GetChannelHpfRows(int channel, int* left, int* right) {
  if (!ValidChannel(channel)) return;
  SetIfPresent(kChannels[channel].hpfLeft, left);
  SetIfPresent(kChannels[channel].hpfRight, right);
}

void CDeviceController::GetChannelLpfRows(int channel, int* left, int* right) {
  if (!ValidChannel(channel)) return;
  SetIfPresent(kChannels[channel].lpfLeft, left);
  SetIfPresent(kChannels[channel].lpfRight, right);
}

void CDeviceController::GetChannelEqRows(int channel, int* first, int* second) {
  if (!ValidChannel(channel)) return;
  SetIfPresent(kChannels[channel].bandsLeft, first);
  SetIfPresent(kChannels[channel].bandsRight, second);
}

int CDeviceController::GetChannelLinkRow(int channel) {
  return ValidChannel(channel) ? kChannels[channel].linkRow : -1;
}

// The block of the side the link mode selects: right for 1, left for 0 and 2, none otherwise.
const uint8_t* CDeviceController::LinkedBlock(int channel, int left, int right) const {
  const int link = GetChannelLinkMode(channel);
  const int row = link == 1 ? right : (link == 0 || link == 2) ? left : -1;
  return row < 0 ? nullptr : m_current + g_ParamDesc[row].offset;
}

const uint8_t* CDeviceController::GetChannelHpfBlock(int channel) const {
  int left = -1, right = -1;
  GetChannelHpfRows(channel, &left, &right);
  return LinkedBlock(channel, left, right);
}

const uint8_t* CDeviceController::GetChannelLpfBlock(int channel) const {
  int left = -1, right = -1;
  GetChannelLpfRows(channel, &left, &right);
  return LinkedBlock(channel, left, right);
}

// ---------------------------------------------------------------------------------------
// EQ curves

bool CDeviceController::InitCurves() { return m_curves.InitCurves(m_current); }
void CDeviceController::RefreshCurves() { m_curves.RefreshCurves(m_current); }
bool CDeviceController::UpdateEqBand(int channel, int band) {
  return m_curves.UpdateEqBand(m_current, channel, band);
}
void CDeviceController::UpdateChannelCurves(int channel) {
  m_curves.UpdateChannelCurves(m_current, channel);
}
void CDeviceController::UpdateHighPassCurves(int firstChannel, int lastChannel) {
  m_curves.UpdateHighPassCurves(m_current, firstChannel, lastChannel);
}
void CDeviceController::UpdateLowPassCurves(int firstChannel, int lastChannel) {
  m_curves.UpdateLowPassCurves(m_current, firstChannel, lastChannel);
}

// ---------------------------------------------------------------------------------------
// Session

// The application deletes its device manager at shut-down while the controller lives on until
// the process ends, so the destructor must not reach the manager: it may be gone already. An
// owner that ends a controller before its manager detaches it first (AttachDeviceManager(null)).
CDeviceController::~CDeviceController() = default;

void CDeviceController::AttachDeviceManager(CDeviceManager* manager) {
  if (m_manager && m_manager != manager) m_manager->SetSessionSink(nullptr);
  m_manager = manager;
  if (m_manager) m_manager->SetSessionSink(this);
  InitCurves();
}

bool CDeviceController::HasOpenProtocol() const { return m_manager && m_manager->IsOpen(); }

bool CDeviceController::IsConnected() const { return HasOpenProtocol() && m_sessionOpen; }

bool CDeviceController::Request(uint8_t* request, uint8_t* reply, DWORD timeoutMs) {
  ZeroReport(reply);
  return m_manager && m_manager->SendAndReceive(request, reply, timeoutMs) != 0;
}

void CDeviceController::ClearSessionFlags() {
  m_sessionOpen = 0;
  m_passwordsRead = 0;
  m_loggedIn = 0;
  m_modeNamesLoaded = 0;
  m_spdifPresent = 0;
}

bool CDeviceController::ConnectDevice() {
  ClearSessionFlags();
  if (!m_manager) return false;
  if (!m_manager->IsOpen()) {
    if (m_manager->EnumDevices() <= 0 || !m_manager->ConnectDevice(0)) return false;
  }
  uint8_t request[kReportSize] = {CmdSession};
  request[4] = 1;
  uint8_t reply[kReportSize];
  if (Request(request, reply) && reply[4] == 1) {
    m_sessionOpen = 1;
    Sleep(m_sessionSettleMs);
  }
  return m_sessionOpen != 0;
}

bool CDeviceController::EndSession() {
  if (!IsConnected()) return true;
  uint8_t request[kReportSize] = {CmdSession};
  request[4] = 2;
  uint8_t reply[kReportSize];
  if (!Request(request, reply) || reply[4] != 1) return false;
  ClearSessionFlags();
  return true;
}

// ---------------------------------------------------------------------------------------
// Banks and images

bool CDeviceController::SelectBank(int mode, int bank) {
  m_bankAccepted = 0;
  if (!IsConnected()) return false;
  uint8_t request[kReportSize] = {CmdSelectBank};
  request[4] = static_cast<uint8_t>(mode);
  request[5] = static_cast<uint8_t>(bank);
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return false;
  m_bankAccepted = reply[4] == 1 ? 1 : 0;
  return true;
}

int CDeviceController::QueryActiveBank(int code) {
  if (!IsConnected()) return 0;
  uint8_t request[kReportSize] = {CmdActiveBank};
  request[4] = static_cast<uint8_t>(code);
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return -1;
  return reply[4];
}

bool CDeviceController::ReadBankImage(uint8_t* buffer) {
  std::memset(buffer, 0, kParamSlotSize);
  int offset = 0;
  for (int block = 1; offset < kParamReadSize && block <= 0xFF; ++block) {
    const int asked = std::min(kReadBlockBytes, kParamReadSize - offset);
    uint8_t request[kReportSize] = {CmdReadParams};
    request[2] = static_cast<uint8_t>(block);
    request[4] = static_cast<uint8_t>(asked);
    CommandReport::PutU16(request, 5, static_cast<uint16_t>(offset));
    uint8_t reply[kReportSize];
    if (!Request(request, reply) || reply[2] != block || reply[4] == 0) return false;
    // A reply may claim more than was asked; never copy past the block that was asked for.
    const int got = std::min<int>(reply[4], asked);
    std::memcpy(buffer + offset, reply + 5, got);
    offset += got;
  }
  if (offset < kParamReadSize) return false;
  std::memcpy(m_current, buffer, kParamReadSize);
  return true;
}

bool CDeviceController::ReadAllParams() {
  if (!IsConnected()) return false;
  if (!SelectBank(1, 0) || !m_bankAccepted) return false;
  uint8_t buffer[kParamSlotSize];
  // A bank read that stops early keeps the bank's old slot: a half-zero image must never
  // replace a good one.
  if (!ReadBankImage(buffer)) return false;
  std::memcpy(m_bank0, buffer, kParamSlotSize);
  if (SelectBank(1, 1) && m_bankAccepted) {
    if (!ReadBankImage(buffer)) {
      RefreshCurves();  // the current image already holds bank 0
      return false;
    }
    std::memcpy(m_bank1, buffer, kParamSlotSize);
  }
  const int active = QueryActiveBank(0);
  std::memcpy(m_current, active == 0 ? m_bank0 : m_bank1, kParamSlotSize);
  RefreshCurves();
  return true;
}

bool CDeviceController::SendUploadHeader(int slot) {
  uint8_t request[kReportSize] = {CmdUploadBegin};
  CommandReport::PutU16(request, 4, kParamTransferSize);
  request[6] = kUploadBlocks;
  request[7] = static_cast<uint8_t>(slot >= 0 && slot <= kModeCount ? slot : 0);
  uint8_t reply[kReportSize];
  return Request(request, reply);
}

// Sends bytes 0..1381 of `image` as 24 blocks of 59. The blocks reuse one buffer that is not
// cleared between them, so the last block's bytes after its 25 data bytes still hold what the
// block before carried there; the device takes only the bytes the header announced.
bool CDeviceController::SendImageBlocks(uint8_t* request, const uint8_t* image) {
  for (int block = 0; block < kUploadBlocks; ++block) {
    const int offset = block * kUploadBlockBytes;
    const int count = std::min(kUploadBlockBytes, kParamTransferSize - offset);
    request[0] = CmdUploadBlock;
    request[1] = 0;
    request[2] = static_cast<uint8_t>(block);
    request[3] = 0;
    std::memcpy(request + 4, image + offset, count);
    uint8_t reply[kReportSize];
    if (!Request(request, reply)) return false;
  }
  return true;
}

bool CDeviceController::UploadImage(const uint8_t* image) {
  if (!image || FindUnsettableParam(image, kParamTransferSize) >= 0) return false;
  uint8_t volumes[3];
  std::memcpy(volumes, m_current, sizeof volumes);
  std::memmove(m_current, image, kParamTransferSize);
  std::memcpy(m_current, volumes, sizeof volumes);
  OutputDebugStringA("\nORVK2: Import Data:\n");
  DumpParams(m_current);
  RefreshCurves();
  if (!IsConnected()) return false;
  if (!SendUploadHeader(0)) return false;
  uint8_t request[kReportSize] = {};
  return SendImageBlocks(request, m_current);
}

bool CDeviceController::UploadBankImages(const uint8_t* current, const uint8_t* bank0,
                                         const uint8_t* bank1, int slot, int finalCode) {
  if (!current || !bank0 || !bank1) return false;
  for (const uint8_t* image : {current, bank0, bank1}) {
    if (FindUnsettableParam(image, kParamTransferSize) >= 0) return false;
  }
  return UploadBanks(current, bank0, bank1, slot, finalCode);
}

// The device's own values, read back, go to a device mode as they are.
bool CDeviceController::UploadBanks(const uint8_t* current, const uint8_t* bank0,
                                    const uint8_t* bank1, int slot, int finalCode) {
  uint8_t volumes[3];
  std::memcpy(volumes, m_current, sizeof volumes);
  // The sources may be the controller's own slots.
  std::memmove(m_current, current, kParamTransferSize);
  std::memmove(m_bank0, bank0, kParamTransferSize);
  std::memmove(m_bank1, bank1, kParamTransferSize);
  for (uint8_t* image : {m_current, m_bank0, m_bank1}) std::memcpy(image, volumes, sizeof volumes);
  OutputDebugStringA("\nORVK2: Import Data:\n");
  DumpParams(m_current);
  RefreshCurves();
  if (!IsConnected()) return false;

  if (!SendUploadHeader(slot)) return false;
  uint8_t request[kReportSize] = {};
  if (!SendImageBlocks(request, m_bank0)) return false;
  const bool bank0Committed = SelectBank(0, 0) && m_bankAccepted;
  bool bank1Sent = false;
  if (bank0Committed) {
    if (!SendImageBlocks(request, m_bank1)) return false;
    bank1Sent = true;
  }
  if (!SelectBank(0, 1)) return false;
  const bool answered = QueryActiveBank(finalCode) != -1;
  // Success only when both banks reached the device and every request was answered.
  return bank0Committed && bank1Sent && answered;
}

bool CDeviceController::UploadToDeviceMode(int mode) {
  if (mode < 0 || mode >= kModeCount) return false;
  uint8_t* bank = (GetParam(m_current, MainWorkMode) & 0x7F) == 0 ? m_bank0 : m_bank1;
  std::memcpy(bank, m_current, kParamSlotSize);
  return UploadBanks(m_current, m_bank0, m_bank1, mode + 1, 1);
}

// ---------------------------------------------------------------------------------------
// Device modes

bool CDeviceController::SaveDeviceMode(int mode, const char* name) {
  if (!IsConnected() || !name || !name[0] || mode < 0 || mode >= kModeCount) return false;
  const size_t length = std::min<size_t>(strlen(name), kModeNameLength);
  uint8_t request[kReportSize] = {CmdSaveMode};
  request[4] = static_cast<uint8_t>(mode + 1);
  std::memset(request + 5, ' ', kModeNameLength);
  std::memcpy(request + 5, name, length);
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return false;
  std::memset(m_modeNames[mode], 0, sizeof m_modeNames[mode]);
  std::memcpy(m_modeNames[mode], name, length);
  return true;
}

bool CDeviceController::RecallDeviceMode(int mode) {
  if (!IsConnected() || mode < 0 || mode >= kModeCount) return false;
  uint8_t request[kReportSize] = {CmdRecallMode};
  request[4] = static_cast<uint8_t>(mode + 1);
  uint8_t reply[kReportSize];
  return Request(request, reply, kRecallTimeoutMs);
}

bool CDeviceController::LoadDeviceModeNames() {
  if (!HasOpenProtocol()) return false;
  for (int k = 1; k <= kModeCount / 2; ++k) {
    uint8_t request[kReportSize] = {CmdReadModeNames};
    request[2] = static_cast<uint8_t>(k);
    request[4] = static_cast<uint8_t>(2 * k - 1);
    request[5] = static_cast<uint8_t>(2 * k);
    uint8_t reply[kReportSize];
    if (!Request(request, reply) || reply[1] != 0 || reply[2] != k) {
      std::memset(m_modeNames, 0, sizeof m_modeNames);
      m_modeNamesLoaded = 0;
      return false;
    }
    std::memset(m_modeNames[2 * k - 2], 0, sizeof m_modeNames[0]);
    std::memset(m_modeNames[2 * k - 1], 0, sizeof m_modeNames[0]);
    CopyName(m_modeNames[2 * k - 2], reply + 4, kModeNameLength);
    CopyName(m_modeNames[2 * k - 1], reply + 24, kModeNameLength);
    m_deviceMode = reply[44];
  }
  m_modeNamesLoaded = 1;
  return true;
}

const char* CDeviceController::GetDeviceModeName(int mode) {
  if (!IsConnected() || mode < 0 || mode >= kModeCount) return nullptr;
  if (!m_modeNamesLoaded && !LoadDeviceModeNames()) return nullptr;
  return m_modeNames[mode];
}

// ---------------------------------------------------------------------------------------
// Passwords and user rights

bool CDeviceController::ReadPasswords() {
  if (!IsConnected()) return false;
  uint8_t request[kReportSize] = {CmdReadPasswords};
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return false;
  std::memcpy(m_adminPassword, reply + 4, kAdminDigits);
  std::memcpy(m_keyPassword, reply + 10, kKeyDigits);
  m_passwordsRead = 1;
  return true;
}

bool CDeviceController::EnsurePasswordsRead() { return m_passwordsRead || ReadPasswords(); }

int CDeviceController::ChangePassword(int kind, const wchar_t* oldPassword,
                                      const wchar_t* newPassword) {
  if (!IsConnected()) return kPasswordNotConnected;
  if (!EnsurePasswordsRead()) return kPasswordUnreadable;
  if (kind != 0 && kind != 1) return kPasswordBadInput;
  const size_t digits = kind == 0 ? kAdminDigits : kKeyDigits;
  uint8_t* stored = kind == 0 ? m_adminPassword : m_keyPassword;
  if (!oldPassword || wcslen(oldPassword) != digits) return kPasswordBadInput;
  // The new password becomes digit values on the device: anything but 0..9 is refused.
  if (!IsDigitString(newPassword, digits)) return kPasswordBadInput;
  if (!TypedDigitsMatch(oldPassword, stored, digits)) return kPasswordWrong;

  uint8_t request[kReportSize] = {CmdChangePassword};
  request[4] = kind == 0 ? 2 : 1;
  const int at = kind == 0 ? 5 : 11;
  for (size_t i = 0; i < digits; ++i) request[at + i] = static_cast<uint8_t>(newPassword[i] - L'0');
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return kPasswordNoReply;
  std::memcpy(stored, request + at, digits);
  return kPasswordOk;
}

int CDeviceController::CheckAdminPassword(const wchar_t* typed) {
  if (!IsConnected()) return kPasswordNotConnected;
  if (!EnsurePasswordsRead()) return kPasswordUnreadable;
  if (!typed || wcslen(typed) != kAdminDigits) return kPasswordBadInput;
  if (!TypedDigitsMatch(typed, m_adminPassword, kAdminDigits)) return kPasswordWrong;
  m_loggedIn = 1;
  return kPasswordOk;
}

// One 'd' report with the single entry of a system row; the image changes only when the
// device accepted it.
bool CDeviceController::WriteSystemRow(int row, uint16_t value) {
  uint8_t request[kReportSize] = {CmdWriteParams};
  request[4] = 1;
  PutEntry(request + 5, row, value);
  uint8_t reply[kReportSize];
  if (!Request(request, reply)) return false;
  SetImageParam(m_current, row, value);
  return true;
}

bool CDeviceController::SetUserMode(bool administrator) {
  if (!IsConnected()) return false;
  if (!administrator) m_loggedIn = 0;
  return WriteSystemRow(SysControl_Mode, administrator ? kAdminMode : 0);
}

bool CDeviceController::IsAdminMode() const {
  return IsConnected() && GetParam(m_current, SysControl_Mode) == kAdminMode;
}

bool CDeviceController::SetKeyLock(bool on) {
  if (!IsConnected()) return false;
  return WriteSystemRow(SysAutoKeyLockMode, on ? kKeyLocked : 0);
}

bool CDeviceController::IsKeyLocked() const {
  return IsConnected() && GetParam(m_current, SysAutoKeyLockMode) == kKeyLocked;
}

// ---------------------------------------------------------------------------------------
// Actions

// One 'l' request: byte 4 the action, byte 5 its argument.
bool CDeviceController::SendAction(uint8_t action, uint8_t argument) {
  if (!IsConnected()) return false;
  uint8_t request[kReportSize] = {CmdAction};
  request[4] = action;
  request[5] = argument;
  uint8_t reply[kReportSize];
  return Request(request, reply);
}

bool CDeviceController::ConnectSpdif() { return SendAction(kActionSpdifOn, 0); }

bool CDeviceController::DisconnectSpdif() { return SendAction(kActionSpdifOff, 0); }

// Copies one band set of the channel (side 0 left, 1 right) from the sing default image.
void CDeviceController::CopyDefaultBands(int channel, int side) {
  const ChannelRows& rows = kChannels[channel];
  const int first = side == 0 ? rows.bandsLeft : rows.bandsRight;
  if (first < 0) return;
  const int offset = g_ParamDesc[first].offset;
  std::memcpy(m_current + offset, DefaultParamImages::Sing() + offset,
              rows.imageBands * kEqBandRecordSize);
}

bool CDeviceController::ResetChannelEq(int channel) {
  if (!ValidChannel(channel)) return false;
  const int link = GetChannelLinkMode(channel);
  if (link == 0 || link == 2) CopyDefaultBands(channel, 0);
  if (link == 1 || link == 2) CopyDefaultBands(channel, 1);
  UpdateChannelCurves(channel);
  return SendAction(static_cast<uint8_t>(channel), static_cast<uint8_t>(link));
}

// ---------------------------------------------------------------------------------------
// Wi-Fi

int CDeviceController::QueryWifiState() {
  if (!IsConnected()) return 0;
  uint8_t request[kReportSize] = {CmdWifiState};
  uint8_t reply[kReportSize];
  if (!Request(request, reply, kWifiStateTimeoutMs)) return 0;
  return reply[4];
}

int CDeviceController::QueryWifiList() {
  std::memset(m_wifiList, 0, sizeof m_wifiList);
  if (!HasOpenProtocol()) return 0;
  for (int i = 0; i < kWifiListSize; ++i) {
    uint8_t request[kReportSize] = {CmdWifiList};
    request[4] = static_cast<uint8_t>(i);
    uint8_t reply[kReportSize];
    const bool good = Request(request, reply, kWifiListTimeoutMs);
    if (good && reply[24] == 1) return 1;
    if (!good || reply[24] != 0) {
      std::memset(m_wifiList, 0, sizeof m_wifiList);
      return 0;
    }
    CopyName(m_wifiList[i], reply + 4, kWifiNameLength);
  }
  return 1;
}

const char* CDeviceController::GetWifiListEntry(int index) const {
  return index >= 0 && index < kWifiListSize ? m_wifiList[index] : nullptr;
}

const char* CDeviceController::QueryWifiConnection() {
  if (!IsConnected()) return nullptr;
  std::memset(m_wifiName, 0, sizeof m_wifiName);
  uint8_t request[kReportSize] = {CmdWifiConnection};
  request[4] = 1;
  uint8_t reply[kReportSize];
  if (Request(request, reply)) CopyName(m_wifiName, reply + 4, kWifiNameLength);
  return m_wifiName;
}

int CDeviceController::SetWifiConfig(WifiConfigBlock block) {
  if (!IsConnected()) return 0;
  uint8_t request[kReportSize] = {CmdDeviceConfig};
  request[4] = static_cast<uint8_t>(block.bytes[0] | (block.bytes[1] << 4));
  std::memcpy(request + 5, block.bytes + 2, 58);
  uint8_t reply[kReportSize];
  if (!Request(request, reply, kWifiConfigTimeoutMs)) return -1;
  return reply[4];
}

// ---------------------------------------------------------------------------------------
// Device notification

int CDeviceController::OnRecvEncryptData(const BYTE* report) {
  if (!report || report[0] != CmdActiveBank) return 0;
  // The device manager frames the acknowledgement; without one nothing can be acknowledged.
  CDeviceManager* manager = m_manager;
  return manager ? manager->AckDeviceNotification(report) : 1;
}

void CDeviceController::PumpMessages() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kPumpMs) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The loop that owns WM_QUIT must still see it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(kPumpSleepMs);
  }
}
