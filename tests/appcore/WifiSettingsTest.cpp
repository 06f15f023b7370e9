// The network dialog's Apply without the dialog: which input is refused with which message,
// and the 60-byte settings block that goes to the device.
#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "WifiSettings.h"

namespace {

WifiSettingsInput AccessPoint(const wchar_t* name, const wchar_t* password = nullptr) {
  WifiSettingsInput in;
  in.mode = WifiSettingsInput::kAccessPoint;
  in.name = name;
  in.passwordOn = password != nullptr;
  if (password != nullptr) in.password = password;
  return in;
}

WifiSettingsInput Station(int joined, const wchar_t* name, const wchar_t* password) {
  WifiSettingsInput in;
  in.mode = WifiSettingsInput::kStation;
  in.joined = joined;
  in.name = name;
  in.password = password;
  return in;
}

WifiSettingsInput WithAddress(WifiSettingsInput in, bool blank, const wchar_t* port) {
  in.setIp = true;
  in.addressBlank = blank;
  const BYTE address[4] = {10, 0, 255, 7};
  memcpy(in.address, address, 4);
  in.port = port;
  return in;
}

std::string Text(const WifiConfigBlock& block, int at, int size) {
  return std::string(reinterpret_cast<const char*>(block.bytes + at), size);
}

}  // namespace

TEST_CASE("wifi settings: each refusal, in the order the user meets them") {
  struct Case {
    const char* what;
    WifiSettingsInput input;
    const wchar_t* refusal;  // null: accepted
  };
  const Case cases[] = {
      {"AP name and password", AccessPoint(L"Home", L"pass1234"), nullptr},
      {"AP without the password switch", AccessPoint(L"Home"), nullptr},
      {"AP name above 255", AccessPoint(L"Caf\u0100"), L"Name contains illegal charactors"},
      {"AP name with a tab", AccessPoint(L"a\tb"), L"Name contains illegal charactors"},
      {"AP name with e acute (below 256, not ASCII)", AccessPoint(L"Caf\u00e9"),
       L"Name contains illegal charactors"},
      {"an illegal name before an empty password", AccessPoint(L"\u4e2d", L""),
       L"Name contains illegal charactors"},
      {"AP empty name", AccessPoint(L""), L"Please input Wifi name"},
      {"AP empty password with the switch on", AccessPoint(L"Home", L""),
       L"Please input Wifi password"},
      {"AP password with a DEL", AccessPoint(L"Home", L"ab\x7f"),
       L"Password contains illegal charactors"},
      {"AP spaces and tildes are printable", AccessPoint(L"a b~", L" ~"), nullptr},
      {"STA joining", Station(0, L"Office", L"secret"), nullptr},
      {"STA joining, empty name", Station(0, L"", L"secret"), L"Please input Wifi name"},
      {"STA joining, empty password", Station(0, L"Office", L""), L"Please input Wifi password"},
      {"STA joining, illegal password", Station(0, L"Office", L"\u00ff"),
       L"Password contains illegal charactors"},
      {"STA joined needs neither", Station(1, L"", L""), nullptr},
      {"STA joined, illegal name still refused", Station(1, L"\u00e9", L""),
       L"Name contains illegal charactors"},
      {"STA set IP, blank address", WithAddress(Station(1, L"", L""), true, L"8086"),
       L"Please input ip addrress"},
      {"STA set IP, empty port", WithAddress(Station(1, L"", L""), false, L""),
       L"Please input target port"},
      {"STA set IP, password checked first", WithAddress(Station(0, L"Office", L""), true, L""),
       L"Please input Wifi password"},
      {"STA set IP, all given", WithAddress(Station(1, L"", L""), false, L"8086"), nullptr},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const wchar_t* refusal = CheckWifiSettings(c.input);
    if (c.refusal == nullptr) {
      CHECK(refusal == nullptr);
    } else {
      REQUIRE(refusal != nullptr);
      CHECK(std::wstring(refusal) == c.refusal);
    }
  }
}

TEST_CASE("wifi settings: the block of an access point with a password") {
  const WifiConfigBlock block = MakeWifiConfigBlock(AccessPoint(L"Home", L"pass1234"));
  BYTE expected[60] = {};
  expected[0] = 0;  // join flag
  expected[1] = 0;  // access point
  memcpy(expected + 2, "Home", 4);
  memcpy(expected + 22, "pass1234", 8);
  CHECK(memcmp(block.bytes, expected, 60) == 0);
}

TEST_CASE("wifi settings: the block of a station, joining or staying, with an address") {
  SUBCASE("joining: name and password, address and port") {
    const WifiConfigBlock block =
        MakeWifiConfigBlock(WithAddress(Station(0, L"Office", L"secret"), false, L"8086"));
    CHECK(block.bytes[0] == 0);
    CHECK(block.bytes[1] == 1);
    CHECK(Text(block, 2, 20) == std::string("Office") + std::string(14, '\0'));
    CHECK(Text(block, 22, 18) == std::string("secret") + std::string(12, '\0'));
    CHECK(Text(block, 40, 15) == std::string("10.0.255.7") + std::string(5, '\0'));
    CHECK(Text(block, 55, 5) == "8086" + std::string(1, '\0'));
  }
  SUBCASE("staying on its network: neither name nor password go") {
    const WifiConfigBlock block = MakeWifiConfigBlock(Station(1, L"Office", L"secret"));
    CHECK(block.bytes[0] == 1);
    CHECK(block.bytes[1] == 1);
    for (int i = 2; i < 60; ++i) CHECK(block.bytes[i] == 0);
  }
  SUBCASE("full fields are cut to their size, never into the next") {
    WifiSettingsInput in = WithAddress(Station(0, L"", L""), false, L"123456");
    in.name = L"abcdefghijklmnopqrstuvwxyz";
    in.password = L"0123456789012345678901";
    in.address[0] = in.address[1] = in.address[2] = in.address[3] = 255;
    const WifiConfigBlock block = MakeWifiConfigBlock(in);
    CHECK(Text(block, 2, 20) == "abcdefghijklmnopqrst");
    CHECK(Text(block, 22, 18) == "012345678901234567");
    CHECK(Text(block, 40, 15) == "255.255.255.255");
    CHECK(Text(block, 55, 5) == "12345");
  }
  SUBCASE("an access point sends no address even with the station's switch on") {
    WifiSettingsInput in = WithAddress(AccessPoint(L"Home"), false, L"8086");
    in.mode = WifiSettingsInput::kAccessPoint;
    const WifiConfigBlock block = MakeWifiConfigBlock(in);
    for (int i = 40; i < 60; ++i) CHECK(block.bytes[i] == 0);
  }
}
