// Prints the time to rebuild every channel's 12 EQ curves from a parameter image: with the
// frequency axis absent (coefficients only, as at start-up) and built (full responses, as once
// the EQ editor has attached), for the default image and for one whose every band is active.
// Beside the model's figures, in the same run, the straightforward evaluation of the same curves
// (every record point by point with the C library's trigonometry and logarithm) as the baseline,
// the ratio of the two and their largest difference; and the single-curve rebuild of a handle
// drag, one band moving across the frequency table.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "AllBandsActiveImage.h"
#include "Eq/EqCurve.h"
#include "EqReference.h"
#include "HidDevice/CChannelCurves.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqTables.h"

namespace {

constexpr int kRounds = 50;
constexpr int kDragSteps = 2000;
constexpr int kDragBand = 5;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Milliseconds per call of `run`, over `rounds` calls.
template <typename Run>
double MsPer(int rounds, Run run) {
  const auto start = Clock::now();
  for (int r = 0; r < rounds; ++r) run(r);
  return Ms(Clock::now() - start) / rounds;
}

void PrintRatio(const char* what, double model, double baseline) {
  std::printf("%s %.3f ms, straightforward %.3f ms, ratio %.1f\n", what, model, baseline,
              baseline / model);
}

// The first build of the curves from an image, then the rebuild of all 12 from it.
struct Timings {
  double init, refresh;
};

Timings TimeBuildAndRefresh(CChannelCurves& curves, const uint8_t* image) {
  const auto start = Clock::now();
  curves.InitCurves(image);
  const double init = Ms(Clock::now() - start);
  return {init, MsPer(kRounds, [&](int) { curves.RefreshCurves(image); })};
}

void ReportWithoutAxis(const char* name, const uint8_t* image) {
  CChannelCurves curves;
  const Timings t = TimeBuildAndRefresh(curves, image);
  std::printf("%-20s InitCurves %.3f ms, RefreshCurves %.3f ms per rebuild of all 12 curves\n",
              name, t.init, t.refresh);
}

void ReportWithAxis(const char* name, const uint8_t* image) {
  CChannelCurves curves;
  const Timings t = TimeBuildAndRefresh(curves, image);
  std::vector<EqReference::Curves> reference(CChannelCurves::kCurveCount);
  const double straightforward = MsPer(kRounds, [&](int) {
    for (int i = 0; i < CChannelCurves::kCurveCount; ++i)
      EqReference::Evaluate(*curves.GetCurve(i), reference[i]);
  });
  double worst = 0.0;
  for (int i = 0; i < CChannelCurves::kCurveCount; ++i)
    worst = std::max(worst, EqReference::MaxDifference(*curves.GetCurve(i), reference[i]));
  std::printf("%-20s InitCurves %.3f ms; largest difference %.2g dB\n", name, t.init, worst);
  PrintRatio("    RefreshCurves (all 12 curves)", t.refresh, straightforward);
}

// Mic A of the every-band image (20 active bands and both filters): one band's frequency and
// gain change per step, as the page logic hands a dragged handle's position to the curve.
void ReportDrag(const uint8_t* image) {
  CChannelCurves curves;
  curves.InitCurves(image);
  EqCurveInfo& model = *curves.GetChannelCurve(CChannelCurves::kMic, 0);
  std::vector<EqBandInfo> steps;
  for (int freqIndex = 0; freqIndex < kEqFreqCount; ++freqIndex) {
    EqBandInfo band = model.bands[kDragBand];
    band.freq = g_eqFreqTable[freqIndex] / 10.0;
    band.gain = 6.0 + (freqIndex % 7);
    steps.push_back(band);
  }
  const auto step = [&](int r) { return steps[r % steps.size()]; };
  const double fast = MsPer(kDragSteps, [&](int r) { SetEqCurveBand(model, kDragBand, step(r)); });

  EqCurveInfo shadow = model;
  EqReference::Curves reference = EqReference::Evaluate(shadow);
  const double straightforward = MsPer(kDragSteps / 10, [&](int r) {
    EqBandInfo& rec = shadow.bands[kDragBand];
    const EqBandInfo next = step(r);
    rec.freq = next.freq;
    rec.gain = next.gain;
    EqReference::EvaluateRecord(shadow, kDragBand, reference);
    EqReference::Sum(shadow, reference);
  });
  std::printf("Handle drag (mic A, 20 active bands and 2 filters, one band per step):\n");
  PrintRatio("    SetEqCurveBand per step", fast, straightforward);
}

}  // namespace

int main() {
  const std::vector<uint8_t> active = AllBandsActiveImage();
  std::printf("Frequency axis absent (start-up):\n");
  ReportWithoutAxis("  default image:", DefaultParamImages::Sing());
  ReportWithoutAxis("  every band +3 dB:", active.data());
  InitEqFreqAxis(10.0);
  std::printf("Frequency axis built (1024 points per response):\n");
  ReportWithAxis("  default image:", DefaultParamImages::Sing());
  ReportWithAxis("  every band +3 dB:", active.data());
  ReportDrag(active.data());
  return 0;
}
