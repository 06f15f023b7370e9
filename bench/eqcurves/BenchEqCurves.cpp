// Prints the time to rebuild every channel's EQ curves from a parameter image, once with the
// frequency axis absent (coefficients only, as at start-up) and once with it built (full
// responses, as after the EQ editor has attached).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "HidDevice/ChannelCurves.h"
#include "controls/EqCurve.h"

namespace {

constexpr int kImageSize = 1392;
constexpr int kRounds = 50;

// An image whose every byte pattern gives non-flat bands and active filters.
std::vector<uint8_t> MakeImage() {
  std::vector<uint8_t> image(kImageSize);
  for (int i = 0; i < kImageSize; ++i) image[i] = static_cast<uint8_t>((i * 37 + 11) & 0x7F);
  return image;
}

double MillisecondsPerRound(CChannelCurves& curves, const std::vector<uint8_t>& image) {
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < kRounds; ++r) curves.RefreshCurves(image.data());
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count() / kRounds;
}

}  // namespace

int main() {
  const std::vector<uint8_t> image = MakeImage();
  CChannelCurves curves;
  const auto start = std::chrono::steady_clock::now();
  const bool ok = curves.InitCurves(image.data());
  const auto end = std::chrono::steady_clock::now();
  std::printf("InitCurves (12 curves, no axis): %.3f ms%s\n",
              std::chrono::duration<double, std::milli>(end - start).count(),
              ok ? "" : " (allocation failed)");
  std::printf("RefreshCurves, no axis:    %.3f ms per rebuild of 12 curves\n",
              MillisecondsPerRound(curves, image));
  InitEqFreqAxis(10.0);
  std::printf("RefreshCurves, axis built: %.3f ms per rebuild of 12 curves\n",
              MillisecondsPerRound(curves, image));
  return 0;
}
