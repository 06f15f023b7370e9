// The effect processor's protocol: 5 tries of 200 ms, a session key agreed at connect time,
// the device-information query and the firmware upload.
#pragma once
#include "HidDevice/CProtocol.h"

class CProtocolDev : public CProtocol {
 public:
  // What the device-information query (an empty 0x82 request) returns.
  struct DeviceInfo {
    BYTE date[3];        // d0, d1, d2: reply bytes 4..6
    BYTE info[4];        // i0, i1, i2, i3: reply bytes 7..10
    WORD valueA;         // reply bytes 11..12
    BYTE block[20];      // reply bytes 13..32
    WORD valueB;         // reply bytes 35..36
  };
  // Kinds of GetDeviceInfo.
  enum InfoKind { InfoI1 = 2, InfoI0 = 3, InfoI2 = 4, InfoDate = 5, InfoI3 = 6, InfoValueA = 7,
                  InfoValueB = 8, InfoBlock = 9 };
  // Kinds of Command.
  enum CommandKind { CommandFirmware = 1, CommandUpdateInfo = 2 };
  static const DWORD kMaxFirmware = 65536;

  CProtocolDev();

  BOOL OnNotifyData(const BYTE* data, DWORD length) override;
  BOOL GetDeviceInfo(int kind, void* out, DWORD size) override;
  BOOL Command(int kind, const void* data, DWORD size) override;
  // The base connect, then the session key agreement (0x0E); FALSE without a good reply.
  BOOL OnConnectDevice(void* arg) override;

  BOOL UpdateDeviceInfo();
  BOOL UpdateFirmware(const BYTE* data, DWORD size);

  const BYTE* GetSessionKey() const { return m_sessionKey; }
  DWORD GetTimeout() const { return m_timeout; }
  DWORD GetTries() const { return m_tries; }

 private:
  BYTE m_sessionKey[6];
  DWORD m_timeout;
  DWORD m_tries;
  DeviceInfo m_info;
};
