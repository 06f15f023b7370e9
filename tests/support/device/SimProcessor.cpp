#include "SimProcessor.h"

#include <algorithm>
#include <cstring>

#include "HidDevice/CommandReport.h"

using CommandReport::GetU16;

SimProcessor::SimProcessor() {
  memset(banks, 0, sizeof(banks));
  memset(modeNames, 0, sizeof(modeNames));
  // A recognisable factory state: the work-mode rows differ between the banks.
  banks[1][782] = banks[1][977] = banks[1][1079] = banks[1][1182] = 1;
  // Date 2024-05-17, information bytes, value A, the 20-byte block and value B.
  const uint8_t info[] = {0x7E, 0x85, 17, 3, 2, 1, 9, 0x34, 0x12};
  memcpy(deviceInfo, info, sizeof(info));
  for (int i = 0; i < 20; ++i) deviceInfo[9 + i] = static_cast<uint8_t>('A' + i);
  deviceInfo[31] = 0x78;
  deviceInfo[32] = 0x56;

  m_handlers[CmdSessionKey] = &SimProcessor::OnSessionKey;
  m_handlers[CmdFirmwareBegin] = &SimProcessor::OnFirmwareBegin;
  m_handlers[CmdFirmwareBlock] = &SimProcessor::OnFirmwareBlock;
  m_handlers[CmdReadParams] = &SimProcessor::OnReadParams;
  m_handlers[CmdChangePassword] = &SimProcessor::OnChangePassword;
  m_handlers[CmdWriteParams] = &SimProcessor::OnWriteParams;
  m_handlers[CmdReadModeNames] = &SimProcessor::OnReadModeNames;
  m_handlers[CmdUploadBegin] = &SimProcessor::OnUploadBegin;
  m_handlers[CmdUploadBlock] = &SimProcessor::OnUploadBlock;
  m_handlers[CmdAction] = &SimProcessor::OnAction;
  m_handlers[CmdRecallMode] = &SimProcessor::OnRecallMode;
  m_handlers[CmdSession] = &SimProcessor::OnSession;
  m_handlers[CmdSaveMode] = &SimProcessor::OnSaveMode;
  m_handlers[CmdReadPasswords] = &SimProcessor::OnReadPasswords;
  m_handlers[CmdSelectBank] = &SimProcessor::OnSelectBank;
  m_handlers[CmdActiveBank] = &SimProcessor::OnActiveBank;
  m_handlers[CmdDeviceConfig] = &SimProcessor::OnDeviceConfig;
  m_handlers[CmdWifiState] = &SimProcessor::OnWifiState;
  m_handlers[CmdWifiList] = &SimProcessor::OnWifiList;
  m_handlers[CmdWifiConnection] = &SimProcessor::OnWifiConnection;
}

bool SimProcessor::UploadComplete() const {
  return uploadBlocksSeen == (1u << kUploadBlocks) - 1;
}

void SimProcessor::Settle() {
  if (uploadSlot != 0 || !UploadComplete()) return;
  memcpy(banks[activeBank], upload, kImageSize);
  uploadBlocksSeen = 0;
  ++uploadsSettled;
}

bool SimProcessor::Handle(const uint8_t* req, uint8_t* rep) {
  // Only a bank selection of mode 0 (one the device accepts) commits an upload itself.
  const bool commits = req[0] == CmdSelectBank && req[4] == 0 && req[5] <= 1;
  if (!commits) Settle();
  if (req[0] == CmdNotifyAck) return false;  // the host acknowledges; nothing to answer
  memset(rep, 0, CommandReport::kSize);
  rep[0] = CommandReport::ReplyCode(req[0]);
  rep[1] = req[1];  // block numbers are echoed; 0 for every other command
  rep[2] = req[2];
  rep[3] = CommandReport::kAccepted;
  auto it = m_handlers.find(req[0]);
  if (it != m_handlers.end()) (this->*(it->second))(req, rep);
  return true;
}

void SimProcessor::OnSessionKey(const uint8_t* req, uint8_t* rep) {
  for (int i = 4; i < 63; ++i) rep[i] = static_cast<uint8_t>(req[i] ^ (0x5A + i));
}

void SimProcessor::OnFirmwareBegin(const uint8_t* req, uint8_t*) {
  firmwareBlocksAnnounced = (req[6] << 8) | req[7];
  size_t size = (static_cast<size_t>(req[8]) << 16) | (req[9] << 8) | req[10];
  firmware.assign(size, 0);
  firmwareBlocksReceived = 0;
}

void SimProcessor::OnFirmwareBlock(const uint8_t* req, uint8_t*) {
  size_t at = static_cast<size_t>((req[1] << 8) | req[2]) * 32;
  for (size_t i = 0; i < 32 && at + i < firmware.size(); ++i) firmware[at + i] = req[4 + i];
  ++firmwareBlocksReceived;
}

void SimProcessor::OnReadParams(const uint8_t* req, uint8_t* rep) {
  int offset = GetU16(req, 5);
  int length = std::min<int>(req[4], 58);
  length = std::max(0, std::min(length, kBankSize - offset));
  rep[4] = static_cast<uint8_t>(length);
  if (length > 0) memcpy(rep + 5, banks[readBank] + offset, length);
  if (readLengthClaim >= 0) rep[4] = static_cast<uint8_t>(readLengthClaim);
}

void SimProcessor::OnChangePassword(const uint8_t* req, uint8_t*) {
  if (req[4] == 2) memcpy(adminPassword, req + 5, 6);
  if (req[4] == 1) memcpy(keyPassword, req + 11, 4);
}

void SimProcessor::OnWriteParams(const uint8_t* req, uint8_t*) {
  int count = std::min<int>(req[4], 11);
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = req + 5 + 5 * i;
    int offset = GetU16(e, 0);
    int size = e[2];
    if (size < 1 || size > 2 || offset + size > kBankSize) continue;
    banks[activeBank][offset] = e[3];
    if (size == 2) banks[activeBank][offset + 1] = e[4];
  }
}

void SimProcessor::OnReadModeNames(const uint8_t* req, uint8_t* rep) {
  int k = req[2];
  if (k < 1 || k > kModeCount / 2) return;
  memcpy(rep + 4, modeNames[2 * k - 2], kNameSize);
  memcpy(rep + 24, modeNames[2 * k - 1], kNameSize);
  rep[44] = static_cast<uint8_t>(deviceMode);
}

void SimProcessor::OnUploadBegin(const uint8_t* req, uint8_t*) {
  uploadSlot = req[7];
  uploadBlocksSeen = 0;
}

void SimProcessor::OnUploadBlock(const uint8_t* req, uint8_t*) {
  int index = req[2];
  if (index >= kUploadBlocks) return;
  memcpy(upload + index * kUploadBlock, req + 4, kUploadBlock);
  uploadBlocksSeen |= 1u << index;
}

void SimProcessor::OnAction(const uint8_t* req, uint8_t*) {
  lastAction = req[4];
  lastActionArg = req[5];
  if (req[4] == 7) spdifConnected = true;
  if (req[4] == 8) spdifConnected = false;
}

void SimProcessor::OnRecallMode(const uint8_t* req, uint8_t*) {
  if (req[4] >= 1 && req[4] <= kModeCount) deviceMode = req[4] - 1;
}

void SimProcessor::OnSession(const uint8_t* req, uint8_t* rep) {
  if (req[4] == 1) sessionOpen = true;
  if (req[4] == 2) sessionOpen = false;
  rep[4] = (req[4] == 1 || req[4] == 2) ? 1 : 0;
}

void SimProcessor::OnSaveMode(const uint8_t* req, uint8_t*) {
  int n = req[4] - 1;
  if (n < 0 || n >= kModeCount) return;
  memcpy(modeNames[n], req + 5, kNameSize);
  modeNames[n][kNameSize] = '\0';
}

void SimProcessor::OnReadPasswords(const uint8_t*, uint8_t* rep) {
  memcpy(rep + 4, adminPassword, 6);
  memcpy(rep + 10, keyPassword, 4);
}

void SimProcessor::OnSelectBank(const uint8_t* req, uint8_t* rep) {
  int mode = req[4], bank = req[5];
  if (bank > 1) return;  // byte 4 stays 0: not accepted
  if (mode == 1) readBank = bank;
  if (mode == 0 && UploadComplete()) {
    memcpy(banks[bank], upload, kImageSize);
    uploadBlocksSeen = 0;
    ++uploadsCommitted;
  }
  rep[4] = 1;
}

void SimProcessor::OnActiveBank(const uint8_t* req, uint8_t* rep) {
  lastActiveBankCode = req[4];
  rep[4] = static_cast<uint8_t>(activeBank);
}

void SimProcessor::OnDeviceConfig(const uint8_t* req, uint8_t* rep) {
  bool empty = std::all_of(req + 4, req + 63, [](uint8_t b) { return b == 0; });
  if (empty) {
    memcpy(rep + 4, deviceInfo, sizeof(deviceInfo));
    return;
  }
  memcpy(wifiConfig, req + 4, sizeof(wifiConfig));
  rep[4] = wifiSetResult;
}

void SimProcessor::OnWifiState(const uint8_t*, uint8_t* rep) { rep[4] = wifiState; }

void SimProcessor::OnWifiList(const uint8_t* req, uint8_t* rep) {
  size_t i = req[4];
  if (i >= wifiList.size() || i >= static_cast<size_t>(kWifiListMax)) {
    rep[24] = 1;
    return;
  }
  memcpy(rep + 4, wifiList[i].data(), std::min<size_t>(wifiList[i].size(), kNameSize));
  rep[24] = 0;
}

void SimProcessor::OnWifiConnection(const uint8_t*, uint8_t* rep) {
  memcpy(rep + 4, wifiConnected.data(), std::min<size_t>(wifiConnected.size(), kNameSize));
}
