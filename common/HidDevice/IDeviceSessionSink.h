// What the device manager needs of the device controller: clearing its session state when the
// device goes away, and checking (and acknowledging) an unsolicited report.
#pragma once
#include <windows.h>

class IDeviceSessionSink {
 public:
  virtual ~IDeviceSessionSink() = default;
  virtual void ClearSessionFlags() = 0;
  // 0 to go on with the report; nonzero ends its handling (bad check, acknowledgement lost).
  virtual int OnRecvEncryptData(const BYTE* report) = 0;
};
