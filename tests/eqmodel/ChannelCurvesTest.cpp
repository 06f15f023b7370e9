// The channel curves kept in step with the parameter image.
#include <doctest/doctest.h>

#include <cstdint>
#include <vector>

#include "AllBandsActiveImage.h"
#include "Eq/EqCurve.h"
#include "EqReference.h"
#include "HidDevice/CChannelCurves.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/EqTables.h"

namespace {

constexpr int kImageSize = 1392;

// Byte offsets of the rows the tests write.
constexpr int kMusicEq = 610;      // MusicEQInfo0mode
constexpr int kMusicREq = 700;     // MusicREQInfo0mode
constexpr int kMicEq = 17;         // MicEQInfo0mode
constexpr int kMainLHpf = 797;     // MainL_HPF_Type
constexpr int kMusicLHpf = 601;    // MusicL_HPF_Type
constexpr int kEchoLpfFreq = 411;  // EchoLPF_FREQ
constexpr int kSubLpf = 993;       // SubLPF

const int kBandSets[] = {17, 217, 427, 521, 610, 700, 806, 896, 998, 1100, 1206, 1296};
const int kBandsInImage[] = {26, 26, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11};

void WriteBand(std::vector<uint8_t>& image, int offset, int freqIndex, int gain10) {
  const uint16_t gain = static_cast<uint16_t>(gain10 + 240);
  const uint8_t record[7] = {1, static_cast<uint8_t>(freqIndex), static_cast<uint8_t>(freqIndex >> 8),
                             static_cast<uint8_t>(gain), static_cast<uint8_t>(gain >> 8), 16, 16};
  for (int i = 0; i < 7; ++i) image[offset + i] = record[i];
}

const int kHighPassBlocks[] = {8, 208, 601, 691, 797, 887, 989, 1091, 1197, 1287};
const int kLowPassBlocks[] = {12, 212, 605, 695, 801, 891, 993, 1095, 1201, 1291};
constexpr int kEffectLpfRows[] = {411, 509};

// Every band flat (peaking, 0 dB, Q 1) at rising frequencies, every filter outside its window
// (high-pass at 0 Hz, low-pass at 100 kHz or 21 kHz): all curves read 0 dB.
std::vector<uint8_t> FlatImage() {
  std::vector<uint8_t> image(kImageSize, 0);
  for (int s = 0; s < 12; ++s) {
    for (int b = 0; b < kBandsInImage[s]; ++b) WriteBand(image, kBandSets[s] + 7 * b, 20 * b % 360, 0);
  }
  for (int off : kHighPassBlocks) image[off] = 2;
  for (int off : kLowPassBlocks) {
    image[off] = 2;
    image[off + 1] = 205;
    image[off + 2] = 2;
  }
  for (int off : kEffectLpfRows) image[off] = 65;
  return image;
}

struct CurvesFixture {
  CurvesFixture() : image(FlatImage()) {
    InitEqFreqAxis(10.0);
    REQUIRE(curves.InitCurves(image.data()));
  }
  std::vector<uint8_t> image;
  CChannelCurves curves;
};

}  // namespace

TEST_CASE_FIXTURE(CurvesFixture, "twelve curves with the band counts of their channels") {
  const struct {
    int channel, side, bands;
  } expected[] = {{0, 0, 11}, {0, 1, 11}, {1, 0, 20}, {1, 1, 20}, {2, 0, 5}, {2, 1, 5},
                  {3, 0, 7},  {3, 1, 7},  {4, 0, 7},  {5, 0, 7},  {6, 0, 7}, {6, 1, 7}};
  for (int i = 0; i < CChannelCurves::kCurveCount; ++i) {
    CAPTURE(i);
    const EqCurveInfo* c = curves.GetChannelCurve(expected[i].channel, expected[i].side);
    REQUIRE(c == curves.GetCurve(i));
    CHECK(c->nBands == expected[i].bands);
    CHECK(c->hpIndex == c->nBands);
    CHECK(c->lpIndex == c->nBands + 1);
    CHECK(c->hp2Index == -1);
    CHECK(c->maxDb == 0.0);
    for (double v : c->curve) REQUIRE(v == 0.0);
  }
  CHECK(curves.GetChannelCurve(CChannelCurves::kCenter, 1) == nullptr);
  CHECK(curves.GetChannelCurve(CChannelCurves::kSub, 1) == nullptr);
  CHECK(curves.GetChannelCurve(7, 0) == nullptr);
  CHECK(curves.GetChannelCurve(0, 2) == nullptr);
  CHECK(curves.GetCurve(12) == nullptr);
  CHECK(curves.GetCurve(-1) == nullptr);
  CHECK(curves.GetCurve(2)->bands[17].freq == doctest::Approx(g_eqFreqTable[340] / 10.0));
}

TEST_CASE_FIXTURE(CurvesFixture, "UpdateEqBand decodes each side's own record; bands past the curve are refused") {
  WriteBand(image, kMusicEq + 7 * 3, 204, 60);  // left band 3: 1 kHz, +6 dB
  CHECK(curves.UpdateEqBand(image.data(), CChannelCurves::kMusic, 3));
  const EqCurveInfo* left = curves.GetChannelCurve(CChannelCurves::kMusic, 0);
  const EqCurveInfo* right = curves.GetChannelCurve(CChannelCurves::kMusic, 1);
  CHECK(left->bands[3].gain == doctest::Approx(6.0));
  CHECK(left->bands[3].freq == 1000.0);
  CHECK(left->selected == 3);
  CHECK(left->maxDb == doctest::Approx(6.0).epsilon(0.01));
  CHECK(right->bands[3].gain == 0.0);
  CHECK(right->maxDb == 0.0);

  WriteBand(image, kMusicREq + 7 * 3, 204, -30);
  CHECK(curves.UpdateEqBand(image.data(), CChannelCurves::kMusic, 3));
  CHECK(right->bands[3].gain == doctest::Approx(-3.0));
  CHECK(left->bands[3].gain == doctest::Approx(6.0));

  // Unchanged flat bands, bands the curves do not use, and unknown channels change nothing.
  CHECK_FALSE(curves.UpdateEqBand(image.data(), CChannelCurves::kMusic, 4));
  WriteBand(image, kMicEq + 7 * 20, 204, 60);
  CHECK_FALSE(curves.UpdateEqBand(image.data(), CChannelCurves::kMic, 20));
  CHECK_FALSE(curves.UpdateEqBand(image.data(), CChannelCurves::kMain, 7));
  CHECK_FALSE(curves.UpdateEqBand(image.data(), CChannelCurves::kMusic, 11));
  CHECK_FALSE(curves.UpdateEqBand(image.data(), CChannelCurves::kMusic, -1));
  CHECK_FALSE(curves.UpdateEqBand(image.data(), 7, 0));
  CHECK_FALSE(curves.UpdateEqBand(image.data(), -1, 0));
  CHECK_FALSE(curves.UpdateEqBand(nullptr, CChannelCurves::kMusic, 3));
  CHECK(curves.GetChannelCurve(CChannelCurves::kMic, 0)->maxDb == 0.0);
}

TEST_CASE_FIXTURE(CurvesFixture, "filter updates touch only the channels in range") {
  const uint8_t q5[4] = {3, 100, 0, 16};  // type 3 (-12 dB, Q from the table), 100th filter entry
  for (int i = 0; i < 4; ++i) {
    image[kMainLHpf + i] = q5[i];
    image[kMusicLHpf + i] = q5[i];
  }
  curves.UpdateHighPassCurves(image.data(), CChannelCurves::kMain, CChannelCurves::kCenter);
  const EqCurveInfo* mainL = curves.GetChannelCurve(CChannelCurves::kMain, 0);
  const EqCurveInfo* musicL = curves.GetChannelCurve(CChannelCurves::kMusic, 0);
  const EqBandInfo& hp = mainL->bands[mainL->hpIndex];
  CHECK(hp.shape == 5);
  CHECK(hp.gain == -12.0);
  CHECK(hp.freq == doctest::Approx(g_eqFreqTable[99] / 10.0));
  CHECK(hp.response[0] < -20.0);
  CHECK(mainL->selected == mainL->hpIndex);
  CHECK(musicL->bands[musicL->hpIndex].shape == 1);  // still the block it was built from

  curves.UpdateHighPassCurves(image.data(), -5, 99);  // clamped to every channel
  CHECK(musicL->bands[musicL->hpIndex].shape == 5);

  image[kSubLpf] = 4;
  image[kSubLpf + 1] = 205;
  image[kSubLpf + 2] = 1;  // 10 kHz
  curves.UpdateLowPassCurves(image.data(), CChannelCurves::kSub, CChannelCurves::kSub);
  const EqCurveInfo* sub = curves.GetChannelCurve(CChannelCurves::kSub, 0);
  CHECK(sub->bands[sub->lpIndex].freq == 10000.0);
  CHECK(sub->bands[sub->lpIndex].gain == -24.0);
}

TEST_CASE_FIXTURE(CurvesFixture, "effect low-pass index past its table clamps to 21 kHz, outside the window") {
  image[kEchoLpfFreq] = 200;
  curves.UpdateLowPassCurves(image.data(), CChannelCurves::kEffect, CChannelCurves::kEffect);
  const EqCurveInfo* echo = curves.GetChannelCurve(CChannelCurves::kEffect, 0);
  CHECK(echo->bands[echo->lpIndex].freq == 21000.0);
  CHECK(echo->selected == -1);
  image[kEchoLpfFreq] = 5;
  curves.UpdateLowPassCurves(image.data(), CChannelCurves::kEffect, CChannelCurves::kEffect);
  CHECK(echo->bands[echo->lpIndex].freq == 6660.0);
  CHECK(echo->bands[echo->lpIndex].response[kEqCurvePoints - 1] < -10.0);
}

TEST_CASE_FIXTURE(CurvesFixture, "refreshes replace every band and never write the image") {
  for (int s = 0; s < 12; ++s) {
    for (int b = 0; b < kBandsInImage[s]; ++b) WriteBand(image, kBandSets[s] + 7 * b, 0xFFFF, 30);
  }
  for (int off : {8, 12, 208, 212, 410, 411, 508, 509, 601, 605, 691, 695, 797, 801, 887, 891,
                  989, 993, 1091, 1095, 1197, 1201, 1287, 1291}) {
    image[off] = 0xFF;
    image[off + 1] = 0xFF;
    image[off + 2] = 0;
    image[off + 3] = 0xFF;
  }
  const std::vector<uint8_t> before = image;
  curves.UpdateChannelCurves(image.data(), CChannelCurves::kCenter);
  const EqCurveInfo* center = curves.GetChannelCurve(CChannelCurves::kCenter, 0);
  CHECK(center->bands[6].gain == doctest::Approx(3.0));
  CHECK(center->bands[6].freq == 20600.0);
  CHECK(curves.GetChannelCurve(CChannelCurves::kSub, 0)->bands[6].gain == 0.0);

  curves.RefreshCurves(image.data());
  for (int i = 0; i < CChannelCurves::kCurveCount; ++i) {
    CAPTURE(i);
    const EqCurveInfo* c = curves.GetCurve(i);
    CHECK(c->bands[c->nBands - 1].gain == doctest::Approx(3.0));
    const bool effect = i == 4 || i == 5;
    CHECK(c->bands[c->hpIndex].freq == 1000.0);
    CHECK(c->bands[c->lpIndex].freq == (effect ? 21000.0 : 1000.0));
  }
  CHECK(image == before);
}

TEST_CASE("a never-built set of curves ignores refreshes and updates") {
  std::vector<uint8_t> image = FlatImage();
  CChannelCurves curves;
  curves.RefreshCurves(image.data());
  curves.UpdateChannelCurves(image.data(), 0);
  curves.UpdateHighPassCurves(image.data(), 0, 6);
  curves.UpdateLowPassCurves(image.data(), 0, 6);
  CHECK_FALSE(curves.UpdateEqBand(image.data(), 0, 0));
  for (int i = 0; i < CChannelCurves::kCurveCount; ++i) CHECK(curves.GetCurve(i)->bands.empty());
  CHECK_FALSE(curves.InitCurves(nullptr));
  CHECK(curves.InitCurves(image.data()));
  CHECK(curves.InitCurves(image.data()));  // a second build starts afresh
  CHECK(curves.GetCurve(0)->bands.size() == 15);
}

TEST_CASE("the default image gives flat bands at the default frequencies on every side") {
  InitEqFreqAxis(10.0);
  CChannelCurves curves;
  REQUIRE(curves.InitCurves(DefaultParamImages::Sing()));
  const struct {
    int curve, band, freqIndex;
  } cases[] = {{0, 1, 40},  {1, 10, 360}, {2, 17, 340}, {3, 18, 350}, {3, 19, 360}, {4, 1, 100},
               {5, 4, 340}, {6, 6, 220},  {7, 0, 0},    {8, 3, 120},  {9, 5, 180},  {11, 6, 220}};
  for (const auto& c : cases) {
    CAPTURE(c.curve);
    CAPTURE(c.band);
    const EqBandInfo& b = curves.GetCurve(c.curve)->bands[c.band];
    CHECK(b.freq == doctest::Approx(g_eqFreqTable[c.freqIndex] / 10.0));
    CHECK(b.shape == 0);
    CHECK(b.gain == 0.0);
    CHECK(b.q == 1.0);
  }
}

TEST_CASE("the curves equal the straightforward evaluation, default image and every band active") {
  InitEqFreqAxis(10.0);
  const auto checkAll = [](const CChannelCurves& curves) {
    for (int i = 0; i < CChannelCurves::kCurveCount; ++i) {
      CAPTURE(i);
      const EqCurveInfo& c = *curves.GetCurve(i);
      CHECK(EqReference::MaxDifference(c, EqReference::Evaluate(c)) <= 1e-9);
    }
  };
  CChannelCurves curves;
  REQUIRE(curves.InitCurves(DefaultParamImages::Sing()));
  checkAll(curves);

  std::vector<uint8_t> active = AllBandsActiveImage();
  curves.RefreshCurves(active.data());
  checkAll(curves);
  const EqCurveInfo& micA = *curves.GetChannelCurve(CChannelCurves::kMic, 0);
  CHECK(micA.maxDb > 3.0);  // the bands really are in the totals

  // A handle drag: one band walks across the frequency table, one record recomputed per step.
  for (int freqIndex = 0; freqIndex <= 361; freqIndex += 19) {
    CAPTURE(freqIndex);
    WriteBand(active, kMicEq + 7 * 5, freqIndex, 120);
    REQUIRE(curves.UpdateEqBand(active.data(), CChannelCurves::kMic, 5));
    CHECK(EqReference::MaxDifference(micA, EqReference::Evaluate(micA)) <= 1e-9);
  }
}
