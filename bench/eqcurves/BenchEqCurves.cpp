// Prints the time to rebuild every channel's 12 EQ curves from a parameter image: with the
// frequency axis absent (coefficients only, as at start-up) and built (full responses, as once
// the EQ editor has attached), for the default image and for one whose every band is active.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "Eq/EqCurve.h"
#include "HidDevice/CChannelCurves.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqBandRecord.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

namespace {

constexpr int kRounds = 50;
constexpr int kGainRow = 2;

// The default image with every band of every set at +3 dB.
std::vector<uint8_t> AllBandsActive() {
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
    for (int b = 0; b < set.bands; ++b) {
      SetImageParam(image.data(), set.firstRow + b * kEqBandRecordRows + kGainRow, 270);
    }
  }
  return image;
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double MsPerRefresh(CChannelCurves& curves, const uint8_t* image) {
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < kRounds; ++r) curves.RefreshCurves(image);
  return Ms(std::chrono::steady_clock::now() - start) / kRounds;
}

void Report(const char* name, const uint8_t* image) {
  CChannelCurves curves;
  const auto start = std::chrono::steady_clock::now();
  curves.InitCurves(image);
  const double init = Ms(std::chrono::steady_clock::now() - start);
  std::printf("%-22s InitCurves %.3f ms, RefreshCurves %.3f ms per rebuild of all 12 curves\n",
              name, init, MsPerRefresh(curves, image));
}

}  // namespace

int main() {
  const std::vector<uint8_t> active = AllBandsActive();
  std::printf("Frequency axis absent (start-up):\n");
  Report("  default image:", DefaultParamImages::Sing());
  Report("  every band +3 dB:", active.data());
  InitEqFreqAxis(10.0);
  std::printf("Frequency axis built (1024 points per response):\n");
  Report("  default image:", DefaultParamImages::Sing());
  Report("  every band +3 dB:", active.data());
  return 0;
}
