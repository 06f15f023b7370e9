// The parameter table, row access and the two default images.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

TEST_CASE("parameter table tiles the image with 698 one-byte and 347 two-byte rows") {
  std::vector<int> owner(kParamImageSize, -1);
  int ones = 0, twos = 0;
  for (int row = 0; row < kParamCount; ++row) {
    const ParamDesc& d = g_ParamDesc[row];
    CHECK(d.index == row);
    (d.bytes == 1 ? ones : twos)++;
    for (int b = 0; b < d.bytes; ++b) {
      REQUIRE(d.offset + b < kParamImageSize);
      CHECK(owner[d.offset + b] == -1);
      owner[d.offset + b] = row;
    }
  }
  CHECK(ones == 698);
  CHECK(twos == 347);
  for (int offset = 0; offset < kParamImageSize; ++offset) CHECK(owner[offset] != -1);
}

TEST_CASE("rows pinned by name, offset and size") {
  struct Pin {
    int row;
    const char* name;
    int offset;
    int bytes;
  };
  const Pin pins[] = {
      {0, "Musicvolume", 0, 1},
      {ParamRow::MicEQInfo0freq, "MicEQInfo0freq", 18, 2},
      {ParamRow::MicEQInfo25Q2, "MicEQInfo25Q2", 198, 1},
      {ParamRow::EchoDelay, "EchoDelay", 412, 2},
      {ParamRow::Echo_Tap3Pan, "Echo_Tap3Pan", 425, 1},
      {ParamRow::RevTimbre5, "RevTimbre5", 519, 1},
      {ParamRow::MainWorkMode, "MainWorkMode", 782, 1},
      {ParamRow::MainDelay_L, "MainDelay_L", 783, 2},
      {ParamRow::SurR_EQ_INFO10Q2, "SurR_EQ_INFO10Q2", 1372, 1},
      {ParamRow::Sys_Music_AIN3Gain, "Sys_Music_AIN3Gain", 1380, 1},
      {ParamRow::SysControl_Mode, "SysControl_Mode", 1382, 1},
      {1044, "SavetoMode", 1391, 1},
  };
  for (const Pin& p : pins) {
    CAPTURE(p.name);
    CHECK(std::string(g_ParamDesc[p.row].name) == p.name);
    CHECK(g_ParamDesc[p.row].offset == p.offset);
    CHECK(g_ParamDesc[p.row].bytes == p.bytes);
  }
  CHECK(ParamRow::MicEQInfo0mode == 17);
  CHECK(ParamRow::Mic2EQInfo0mode == 165);
  CHECK(ParamRow::SurR_EQ_INFO0mode == 971);
}

TEST_CASE("GetParam and SetImageParam follow the row's size and byte order") {
  uint8_t image[kParamSlotSize] = {};
  image[783] = 0xF0;
  image[784] = 0x00;
  CHECK(GetParam(image, ParamRow::MainDelay_L) == 240);

  CHECK(SetImageParam(image, ParamRow::MainDelay_L, 0x1234));
  CHECK(image[783] == 0x34);
  CHECK(image[784] == 0x12);
  CHECK(SetImageParam(image, ParamRow::MainWorkMode, 0x1281));  // 1-byte row keeps the low byte
  CHECK(image[782] == 0x81);
  CHECK(image[783] == 0x34);

  uint8_t before[kParamSlotSize];
  std::memcpy(before, image, sizeof image);
  for (int row : {-1, kParamCount, 100000}) {
    CHECK_FALSE(SetImageParam(image, row, 7));
    CHECK(GetParam(image, row) == 0);
  }
  CHECK(std::memcmp(before, image, sizeof image) == 0);
}

TEST_CASE("default images differ only in the four work-mode rows") {
  const uint8_t* sing = DefaultParamImages::Sing();
  const uint8_t* disco = DefaultParamImages::Disco();
  std::vector<int> diff;
  for (int i = 0; i < kParamImageSize; ++i)
    if (sing[i] != disco[i]) diff.push_back(i);
  CHECK(diff == std::vector<int>{782, 977, 1079, 1182});
  for (int offset : diff) {
    CHECK(sing[offset] == 0);
    CHECK(disco[offset] == 1);
  }
}

TEST_CASE("default images hold the fixed values") {
  using namespace ParamRow;
  const uint8_t* img = DefaultParamImages::Sing();
  struct Want {
    int row;
    uint16_t value;
  };
  const Want wants[] = {
      {Musicvolume, 30},         {Micvolume, 30},           {Effectvolume, 30},
      {Mic_LinkAdjust, 0},       {Music_LinkAdjust, 2},     {Main_LinkAdjust, 2},
      {Sur_LinkAdjust, 2},       {EchoDelay, 250},          {SysControl_Mode, 0x80},
      {SysAutoKeyLockMode, 0},   {SysMusicStartVolume, 30}, {SysMicStartVolume, 30},
      {SysEffStartVolume, 30},   {SysMusicLimterVolume, 84}, {SysMicLimterVolume, 84},
      {SysEffLimterVolume, 70},  {RecallMode, 0},           {SavetoMode, 0},
      {MicEQInfo17freq, 340},    {MicEQInfo18freq, 350},    {MicEQInfo20freq, 280},
      {Mic2EQInfo25freq, 360},   {EchoEQInfo4freq, 340},    {Rev_EQ10freq, 360},
      {MusicEQInfo4freq, 140},   {SurR_EQ_INFO10freq, 360}, {SubEQInfo1freq, 40},
  };
  for (const Want& w : wants) {
    CAPTURE(g_ParamDesc[w.row].name);
    CHECK(GetParam(img, w.row) == w.value);
  }
  // Every band record of every set: mode 1, gain 240 (0 dB), Q 16, Q2 16.
  for (int row = 0; row < kParamCount; ++row) {
    const std::string name = g_ParamDesc[row].name;
    auto endsWith = [&](const char* s) {
      const size_t n = std::strlen(s);
      return name.size() > n && name.compare(name.size() - n, n, s) == 0;
    };
    const bool band = name.find("EQInfo") != std::string::npos ||
                      name.find("EQ_INFO") != std::string::npos ||
                      (name.rfind("Rev_EQ", 0) == 0 && name != "Rev_EQSel");
    if (!band) continue;
    CAPTURE(name);
    if (endsWith("mode")) CHECK(GetParam(img, row) == 1);
    if (endsWith("gain")) CHECK(GetParam(img, row) == 240);
    if (endsWith("Q") || endsWith("Q2")) CHECK(GetParam(img, row) == 16);
  }
}
