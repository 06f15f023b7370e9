#pragma once
// A parameter image whose every EQ band is active: the default image with every band record of
// every set (all 26 of each mic set, all 11 of the others) at +3 dB. The heaviest work the
// channel curves can be given; the tests and bench_eqcurves both use it.

#include <cstdint>
#include <vector>

#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqBandRecord.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

inline std::vector<uint8_t> AllBandsActiveImage() {
  constexpr int kGainRow = 2;  // row of the gain within a record's rows
  constexpr uint16_t kPlus3Db = 270;
  std::vector<uint8_t> image(DefaultParamImages::Sing(), DefaultParamImages::Sing() + kParamImageSize);
  const struct {
    int firstRow, bands;
  } sets[] = {{ParamRow::MicEQInfo0mode, 26},   {ParamRow::Mic2EQInfo0mode, 26},
              {ParamRow::EchoEQInfo0mode, 11},  {ParamRow::Rev_EQ0mode, 11},
              {ParamRow::MusicEQInfo0mode, 11}, {ParamRow::MusicREQInfo0mode, 11},
              {ParamRow::MainEQInfo0mode, 11},  {ParamRow::MainREQInfo0mode, 11},
              {ParamRow::SubEQInfo0mode, 11},   {ParamRow::SCCENEQInfo0mode, 11},
              {ParamRow::SCSUREQInfo0mode, 11}, {ParamRow::SurR_EQ_INFO0mode, 11}};
  for (const auto& set : sets) {
    for (int b = 0; b < set.bands; ++b)
      SetImageParam(image.data(), set.firstRow + b * kEqBandRecordRows + kGainRow, kPlus3Db);
  }
  return image;
}
