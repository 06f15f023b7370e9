#include "WifiSettings.h"

#include <cstdio>
#include <cstring>

namespace {

// The text in the system's 8-bit code page, at most `size` bytes of it, at `at`.
void PutText(WifiConfigBlock& block, int at, int size, const wchar_t* text) {
  const SWUI::SStringA bytes = SWUI::StringW2A(text);
  const int length = bytes.GetLength();
  std::memcpy(block.bytes + at, bytes.c_str(), static_cast<size_t>(length < size ? length : size));
}

const wchar_t* CheckPassword(const SWUI::SStringW& password) {
  if (password.IsEmpty()) return L"Please input Wifi password";
  if (!IsDeviceText(password)) return L"Password contains illegal charactors";
  return nullptr;
}

}  // namespace

bool IsDeviceTextChar(wchar_t c) { return c >= L' ' && c <= L'~'; }

bool IsDeviceText(const SWUI::SStringW& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    if (!IsDeviceTextChar(text.c_str()[i])) return false;
  }
  return true;
}

const wchar_t* CheckWifiSettings(const WifiSettingsInput& input) {
  if (!IsDeviceText(input.name)) return L"Name contains illegal charactors";
  if (input.mode == WifiSettingsInput::kAccessPoint) {
    if (input.name.IsEmpty()) return L"Please input Wifi name";
    return input.passwordOn ? CheckPassword(input.password) : nullptr;
  }
  if (!input.joined) {
    // A station that joins needs the network's name as much as an access point does.
    if (input.name.IsEmpty()) return L"Please input Wifi name";
    if (const wchar_t* refusal = CheckPassword(input.password)) return refusal;
  }
  if (input.setIp) {
    if (input.addressBlank) return L"Please input ip addrress";
    if (input.port.IsEmpty()) return L"Please input target port";
  }
  return nullptr;
}

WifiConfigBlock MakeWifiConfigBlock(const WifiSettingsInput& input) {
  using L = WifiBlockLayout;
  WifiConfigBlock block = {};
  block.bytes[0] = static_cast<BYTE>(input.joined);
  block.bytes[1] = static_cast<BYTE>(input.mode);
  const bool station = input.mode == WifiSettingsInput::kStation;
  if (!station || !input.joined) {
    PutText(block, L::kNameAt, L::kNameSize, input.name);
    PutText(block, L::kPasswordAt, L::kPasswordSize, input.password);
  }
  if (station && input.setIp) {
    wchar_t address[24];
    swprintf(address, 24, L"%d.%d.%d.%d", input.address[0], input.address[1], input.address[2],
             input.address[3]);
    PutText(block, L::kAddressAt, L::kAddressSize, address);
    PutText(block, L::kPortAt, L::kPortSize, input.port);
  }
  return block;
}
