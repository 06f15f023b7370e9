// What the network dialog's Apply sends to the device: the user's input as the dialog read it,
// its checks in the order the user meets them, and the 60-byte Wi-Fi settings block
// (CDeviceController::SetWifiConfig). Window-free.
#pragma once
#include <windows.h>

#include "HidDevice/CDeviceController.h"
#include "base/SString.h"

struct WifiSettingsInput {
  enum Mode { kAccessPoint = 0, kStation = 1 };
  int mode = kAccessPoint;
  int joined = 0;            // the station's join flag (1: it stays on its network)
  bool passwordOn = false;   // access point: the "Setting Password" switch
  bool setIp = false;        // station: the "Set IP" switch
  SWUI::SStringW name;       // trimmed
  SWUI::SStringW password;   // trimmed; empty for an access point without the switch
  bool addressBlank = true;  // station: no octet field holds text
  BYTE address[4] = {};
  SWUI::SStringW port;       // trimmed
};

// Field sizes of the settings block, in bytes.
struct WifiBlockLayout {
  static constexpr int kNameAt = 2, kNameSize = 20;
  static constexpr int kPasswordAt = 22, kPasswordSize = 18;
  static constexpr int kAddressAt = 40, kAddressSize = 15;
  static constexpr int kPortAt = 55, kPortSize = 5;
};

// A character the device takes in a name or password: printable ASCII, ' ' to '~'.
bool IsDeviceTextChar(wchar_t c);
bool IsDeviceText(const SWUI::SStringW& text);

// The message of the first refusal (shown with the caption "prompt"), or null when the input
// may go to the device.
const wchar_t* CheckWifiSettings(const WifiSettingsInput& input);

// The block for checked input: byte 0 the join flag, byte 1 the mode; the name and password for
// an access point and for a station that joins; the address and port for a station with "Set
// IP" on. Texts in the system's 8-bit code page, cut to their fields, zero-padded.
WifiConfigBlock MakeWifiConfigBlock(const WifiSettingsInput& input);
