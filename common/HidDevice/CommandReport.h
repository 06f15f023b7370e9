// The 64-byte command report exchanged with the effect processor: its frame, its command
// codes and the small helpers that fill and read it. A request is zeroed first, then byte 0 and
// the payload are written; byte 63 (the check) is set by the protocol layer only.
#pragma once
#include <cstdint>
#include <cstring>

#include "HidDevice/Crc8.h"

namespace CommandReport {

const int kSize = 64;         // bytes of one command report (no report ID inside)
const int kCheckedBytes = 63; // bytes 0..62 are covered by the check in byte 63
const int kCodeByte = 0;
const int kFlagByte = 3;
const int kCheckByte = 63;
const uint8_t kAccepted = 0xFF;  // reply flag meaning "accepted"

// The reply to a request carries the request's code plus one (modulo 256).
inline uint8_t ReplyCode(uint8_t requestCode) { return static_cast<uint8_t>(requestCode + 1); }

// Sets byte 63 to the check of bytes 0..62.
inline void Seal(uint8_t* report) { report[kCheckByte] = Crc8(report, kCheckedBytes); }

inline bool HasGoodCheck(const uint8_t* report) {
  return Crc8(report, kCheckedBytes) == report[kCheckByte];
}

// Little-endian 16-bit fields, as every 2-byte value of the reports is stored.
inline void PutU16(uint8_t* report, int at, uint16_t v) {
  report[at] = static_cast<uint8_t>(v & 0xFF);
  report[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline uint16_t GetU16(const uint8_t* report, int at) {
  return static_cast<uint16_t>(report[at] | (report[at + 1] << 8));
}

}  // namespace CommandReport

// Command codes of the effect processor; a reply carries the code plus one.
enum DeviceCmd : uint8_t {
  CmdSessionKey = 0x0E,
  CmdFirmwareBegin = 0x26,
  CmdFirmwareBlock = 0x28,
  CmdReadParams = 0x60,
  CmdChangePassword = 0x62,
  CmdWriteParams = 0x64,
  CmdReadModeNames = 0x66,
  CmdUploadBegin = 0x68,
  CmdUploadBlock = 0x6A,
  CmdAction = 0x6C,
  CmdRecallMode = 0x6E,
  CmdSession = 0x70,
  CmdSaveMode = 0x72,
  CmdReadPasswords = 0x74,
  CmdSelectBank = 0x7C,
  CmdActiveBank = 0x7E,
  CmdNotifyAck = 0x7F,
  CmdDeviceConfig = 0x82,
  CmdWifiState = 0x84,
  CmdWifiList = 0x86,
  CmdWifiConnection = 0x88,
};
