// The EQ response model: coefficients, responses, sums and the curve operations.
#include <doctest/doctest.h>

#include <cmath>
#include <vector>

#include "Eq/EqCurve.h"
#include "EqReference.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Every test that evaluates responses starts from the same axis (10 Hz .. 24 kHz).
struct AxisFixture {
  AxisFixture() { InitEqFreqAxis(10.0); }
};

EqBandInfo Peak(double freq, double gain, double q = 1.0) {
  EqBandInfo b;
  b.passKind = 1;
  b.shape = 0;
  b.freq = freq;
  b.gain = gain;
  b.q = q;
  b.q2 = 1.0;
  return b;
}

double AxisHz(int i) { return g_eqFreqAxis[i] * 24000.0 / kPi; }

int NearestAxisPoint(double hz) {
  int best = 0;
  for (int i = 1; i < kEqCurvePoints; ++i) {
    if (std::fabs(AxisHz(i) - hz) < std::fabs(AxisHz(best) - hz)) best = i;
  }
  return best;
}

bool AllZero(const std::vector<double>& v) {
  for (double x : v) {
    if (x != 0.0) return false;
  }
  return true;
}

EqCurveInfo MakeCurve(std::vector<EqBandInfo> bands) {
  EqCurveInfo c;
  REQUIRE(InitEqCurve(c, bands.data(), static_cast<int>(bands.size())));
  return c;
}

}  // namespace

TEST_CASE("frequency axis clamps its lowest frequency and stays below half the sample rate") {
  InitEqFreqAxis(5.0);
  CHECK(g_eqAxisMinFreq == 10.0);
  CHECK(AxisHz(0) == doctest::Approx(10.0));
  InitEqFreqAxis(40.0);
  CHECK(g_eqAxisMinFreq == 20.0);
  CHECK(AxisHz(0) == doctest::Approx(20.0));
  CHECK(AxisHz(kEqCurvePoints - 1) < 24000.0);
  CHECK(AxisHz(kEqCurvePoints - 1) > 23000.0);
  for (int i = 1; i < kEqCurvePoints; ++i) REQUIRE(g_eqFreqAxis[i] > g_eqFreqAxis[i - 1]);
  InitEqFreqAxis(10.0);
}

TEST_CASE_FIXTURE(AxisFixture, "a peaking band of +6 dB at 1 kHz reads +6 dB there and 0 far off") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 6.0)});
  const int at = NearestAxisPoint(1000.0);
  CHECK(c.curve[at] == doctest::Approx(6.0).epsilon(0.005));
  CHECK(std::fabs(c.curve[0]) < 0.05);
  CHECK(c.maxDb == doctest::Approx(6.0).epsilon(0.005));
  CHECK(c.bands[0].a0 == 1.0);
  FreeEqCurve(c);
}

TEST_CASE_FIXTURE(AxisFixture, "shelves lift their own side only; a shelf of pass kind 1 is flat") {
  EqBandInfo low = Peak(200.0, 6.0);
  low.shape = 4;
  low.passKind = 2;
  EqBandInfo high = low;
  high.passKind = 3;
  high.freq = 5000.0;
  EqBandInfo neither = low;
  neither.passKind = 1;
  EqCurveInfo c = MakeCurve({low, high, neither});
  const auto& lowResp = c.bands[0].response;
  const auto& highResp = c.bands[1].response;
  CHECK(lowResp[0] == doctest::Approx(6.0).epsilon(0.01));
  CHECK(std::fabs(lowResp[NearestAxisPoint(10000.0)]) < 0.1);
  CHECK(highResp[NearestAxisPoint(20000.0)] == doctest::Approx(6.0).epsilon(0.02));
  CHECK(std::fabs(highResp[0]) < 0.01);
  CHECK(AllZero(c.bands[2].response));
}

TEST_CASE_FIXTURE(AxisFixture, "filter slope scales the response; slope 0 switches the filter off") {
  EqCurveInfo c12 = MakeCurve({});
  EqCurveInfo c24 = MakeCurve({});
  for (uint32_t shape : {1u, 2u, 3u, 5u}) {
    CAPTURE(shape);
    SetEqCurveHighPass(c12, shape, 100.0, -12.0, 0.7);
    SetEqCurveHighPass(c24, shape, 100.0, -24.0, 0.7);
    const auto& r12 = c12.bands[c12.hpIndex].response;
    const auto& r24 = c24.bands[c24.hpIndex].response;
    CHECK(r12[0] < -30.0);
    CHECK(std::fabs(r12[NearestAxisPoint(10000.0)]) < 0.1);
    int exact = 0;
    for (int i = 0; i < kEqCurvePoints; ++i) exact += (r24[i] == 2.0 * r12[i]);
    CHECK(exact == kEqCurvePoints);
  }
  SetEqCurveLowPass(c12, 1, 1000.0, -12.0, 1.0);
  CHECK(c12.bands[c12.lpIndex].response[kEqCurvePoints - 1] < -20.0);
  SetEqCurveHighPass(c12, 1, 100.0, 0.0, 1.0);
  CHECK(AllZero(c12.bands[c12.hpIndex].response));
  CHECK(c12.selected == c12.hpIndex);  // in its window, so selected though flat
}

TEST_CASE_FIXTURE(AxisFixture, "filter windows: 20601 Hz is out for the low-pass, in for the high-pass") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 3.0)});
  SetEqCurveLowPass(c, 1, 20601.0, -12.0, 1.0);
  CHECK(c.lpIndex == 2);
  CHECK(c.bands[2].freq == 20601.0);
  CHECK(c.bands[2].passKind == 2);
  CHECK(AllZero(c.bands[2].response));
  CHECK(c.selected == -1);
  SetEqCurveHighPass(c, 1, 20601.0, -12.0, 1.0);
  CHECK(c.hpIndex == 1);
  CHECK(c.selected == 1);
  CHECK(c.bands[1].response[0] < -100.0);
  SetEqCurveHighPass(c, 1, 9.0, -12.0, 1.0);
  CHECK(AllZero(c.bands[1].response));
  CHECK(c.selected == -1);
  // The second high-pass is computed up to 21000 Hz but selected only up to 20600 Hz.
  SetEqCurveHighPass2(c, 1, 20601.0, -12.0, 1.0);
  CHECK(c.hp2Index == 3);
  CHECK(c.bands[3].response[0] < -100.0);
  CHECK(c.selected == -1);
}

TEST_CASE_FIXTURE(AxisFixture, "curve2 is only written once a second filter is set") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 6.0)});
  const int at = NearestAxisPoint(1000.0);
  CHECK(c.curve[at] > 5.0);
  CHECK(AllZero(c.curve2));
  SetEqCurveHighPass(c, 1, 100.0, -12.0, 1.0);
  CHECK(AllZero(c.curve2));
  SetEqCurveLowPass2(c, 1, 5000.0, -12.0, 1.0);
  CHECK(c.curve2[at] == doctest::Approx(c.bands[0].response[at] + c.bands[c.lp2Index].response[at]));
  CHECK(c.curve[0] == doctest::Approx(c.bands[0].response[0] + c.bands[c.hpIndex].response[0]));
}

TEST_CASE_FIXTURE(AxisFixture, "maxDb never goes below 0") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, -6.0), Peak(100.0, -3.0)});
  CHECK(c.maxDb == 0.0);
  CHECK(c.curve[NearestAxisPoint(1000.0)] < -5.0);
}

TEST_CASE_FIXTURE(AxisFixture, "SetEqCurveBand: flat to flat does nothing, a change selects the band") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 0.0), Peak(100.0, 4.0)});
  c.selected = 1;
  const std::vector<double> before = c.curve;
  CHECK(SetEqCurveBand(c, 0, Peak(2000.0, 0.005)) == 0);
  CHECK(c.selected == -1);
  CHECK(c.curve == before);
  CHECK(AllZero(c.bands[0].response));

  CHECK(SetEqCurveBand(c, 0, Peak(2000.0, 6.0)) == 1);
  CHECK(c.selected == 0);
  CHECK(c.curve[NearestAxisPoint(2000.0)] > 5.9);

  // Back to flat: the band's share leaves the total, nothing is selected.
  CHECK(SetEqCurveBand(c, 0, Peak(2000.0, 0.0)) == 1);
  CHECK(c.selected == -1);
  CHECK(AllZero(c.bands[0].response));
  for (int i = 0; i < kEqCurvePoints; ++i) REQUIRE(c.curve[i] == doctest::Approx(before[i]));
}

TEST_CASE_FIXTURE(AxisFixture, "band index outside the regular bands changes nothing") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 3.0), Peak(100.0, 4.0)});
  const std::vector<double> before = c.curve;
  for (int index : {-1, 2, 3, 6, 1000}) {
    CAPTURE(index);
    CHECK(SetEqCurveBand(c, index, Peak(500.0, 6.0)) == 0);
  }
  CHECK(c.curve == before);
  CHECK(c.bands[2].gain == 0.0);  // the high-pass slot was not written
  CHECK(c.hpIndex == -1);
  CHECK(c.selected == -1);
}

TEST_CASE_FIXTURE(AxisFixture, "SetEqCurveBands needs the curve's own band count") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 3.0), Peak(100.0, 4.0)});
  std::vector<EqBandInfo> three = {Peak(500.0, 6.0), Peak(50.0, 6.0), Peak(5000.0, 6.0)};
  const std::vector<double> before = c.curve;
  CHECK_FALSE(SetEqCurveBands(c, three.data(), 3));
  CHECK_FALSE(SetEqCurveBands(c, three.data(), 1));
  CHECK(c.curve == before);
  CHECK(c.bands[0].freq == 1000.0);

  c.selected = 0;
  CHECK(SetEqCurveBands(c, three.data(), 2));
  CHECK(c.selected == -1);
  CHECK(c.bands[1].freq == 50.0);
  CHECK(c.curve[NearestAxisPoint(500.0)] == doctest::Approx(6.0).epsilon(0.01));
}

TEST_CASE("operations on a curve that was never initialised do nothing") {
  EqCurveInfo c;
  CHECK(SetEqCurveBand(c, 0, Peak(1000.0, 6.0)) == 0);
  CHECK_FALSE(SetEqCurveBands(c, nullptr, 0));
  SetEqCurveHighPass(c, 1, 100.0, -12.0, 1.0);
  SetEqCurveLowPass(c, 1, 100.0, -12.0, 1.0);
  SetEqCurveHighPass2(c, 1, 100.0, -12.0, 1.0);
  SetEqCurveLowPass2(c, 1, 100.0, -12.0, 1.0);
  RebuildEqCurve(c, 10.0);
  SumEqCurves(c);
  CHECK(c.bands.empty());
  CHECK(c.curve.empty());
  CHECK(c.hpIndex == -1);
  CHECK(c.lpIndex == -1);
  CHECK(c.hp2Index == -1);
  CHECK(c.lp2Index == -1);
  CHECK(c.selected == -1);
  CHECK(c.maxDb == 0.0);
  FreeEqCurve(c);
  CHECK(c.bands.empty());
}

TEST_CASE_FIXTURE(AxisFixture, "InitEqCurve on a used curve starts it afresh") {
  EqCurveInfo c = MakeCurve({Peak(1000.0, 3.0), Peak(100.0, 4.0), Peak(50.0, 1.0)});
  SetEqCurveHighPass(c, 1, 100.0, -12.0, 1.0);
  REQUIRE(c.hpIndex == 3);
  std::vector<EqBandInfo> one = {Peak(2000.0, -3.0)};
  REQUIRE(InitEqCurve(c, one.data(), 1));
  CHECK(c.nBands == 1);
  CHECK(c.bands.size() == 5);
  CHECK(c.hpIndex == -1);
  for (const EqBandInfo& b : c.bands) REQUIRE(b.response.size() == size_t(kEqCurvePoints));
  CHECK(c.curve[NearestAxisPoint(100.0)] == doctest::Approx(c.bands[0].response[NearestAxisPoint(100.0)]));
  CHECK(c.curve[NearestAxisPoint(2000.0)] < -2.9);

  CHECK_FALSE(InitEqCurve(c, nullptr, 2));
  CHECK_FALSE(InitEqCurve(c, one.data(), -1));
  CHECK(c.nBands == 1);  // refused arguments leave the curve as it was
}

TEST_CASE_FIXTURE(AxisFixture, "RebuildEqCurve builds the axis once and computes what was stored") {
  g_eqAxisMinFreq = -1.0;  // as in a fresh process
  EqCurveInfo c = MakeCurve({Peak(1000.0, 6.0)});
  SetEqCurveLowPass(c, 1, 5000.0, -12.0, 1.0);
  CHECK(AllZero(c.bands[0].response));
  CHECK(AllZero(c.curve));
  CHECK(c.maxDb == 0.0);
  RebuildEqCurve(c, 40.0);
  CHECK(g_eqAxisMinFreq == 20.0);
  RebuildEqCurve(c, 5.0);  // a built axis is kept
  CHECK(g_eqAxisMinFreq == 20.0);
  CHECK(c.curve[NearestAxisPoint(1000.0)] == doctest::Approx(6.0).epsilon(0.01));
  CHECK(c.bands[c.lpIndex].response[kEqCurvePoints - 1] < -20.0);
  CHECK(c.maxDb > 5.9);
  InitEqFreqAxis(10.0);
}

TEST_CASE("the first RebuildEqCurve builds the axis even for an empty curve") {
  g_eqAxisMinFreq = -1.0;  // as in a fresh process
  EqCurveInfo empty;
  RebuildEqCurve(empty, 15.0);
  CHECK(g_eqAxisMinFreq == 15.0);
  CHECK(AxisHz(0) == doctest::Approx(15.0));
  CHECK(AxisHz(kEqCurvePoints - 1) > 23000.0);
  CHECK(AxisHz(kEqCurvePoints - 1) < 24000.0);
  for (int i = 1; i < kEqCurvePoints; ++i) REQUIRE(g_eqFreqAxis[i] > g_eqFreqAxis[i - 1]);
  CHECK(empty.bands.empty());
  // Curves made afterwards are computed on that axis.
  EqCurveInfo c = MakeCurve({Peak(1000.0, 6.0)});
  CHECK(c.curve[NearestAxisPoint(1000.0)] == doctest::Approx(6.0).epsilon(0.01));
  InitEqFreqAxis(10.0);
}

TEST_CASE("responses and totals equal the straightforward evaluation, every shape, either axis") {
  struct Record {
    uint32_t shape, passKind;
    double freq, gain, q, q2;
  };
  const Record ordinary[] = {
      {0, 1, 19.7, 24.0, 128.0, 1.0},     // the sharpest boost at the bottom of the table
      {0, 1, 20600.0, -24.0, 0.4, 1.0},   // the widest cut at the top
      {0, 9, 1000.0, 0.02, 1.0, 1.0},     // barely above flat; the pass kind is ignored
      {4, 2, 100.0, 12.0, 1.0, 0.4},      // low shelf
      {4, 3, 8000.0, -18.0, 1.0, 2.0},    // high shelf
      {4, 1, 500.0, 6.0, 1.0, 1.0},       // neither shelf: the unity filter, exactly 0 dB
      {9, 1, 1000.0, 6.0, 1.0, 1.0},      // unknown shape: keeps the unity filter
      {1, 1, 10.0, -12.0, 1.0, 1.0},      // pass filters as regular bands, at the window's ends
      {2, 2, 21000.0, -24.0, 1.0, 1.0},
      {3, 1, 5000.0, -6.0, 1.0, 1.0},
      {5, 2, 40.0, -12.0, 12.0, 1.0},
  };
  const Record degenerate[] = {
      {1, 1, 24000.0, -12.0, 1.0, 1.0},  // high-pass at half the rate: numerator 0, -inf dB
      {0, 1, 1000.0, 6.0, 0.0, 1.0},     // Q 0: coefficients and response not a number
  };
  const auto makeCurve = [](const Record* records, int n) {
    std::vector<EqBandInfo> bands;
    for (int i = 0; i < n; ++i) {
      EqBandInfo b = Peak(records[i].freq, records[i].gain, records[i].q);
      b.shape = records[i].shape;
      b.passKind = records[i].passKind;
      b.q2 = records[i].q2;
      bands.push_back(b);
    }
    return MakeCurve(bands);
  };
  EqCurveInfo c = makeCurve(ordinary, 11);
  SetEqCurveHighPass(c, 1, 10.0, -24.0, 1.0);
  SetEqCurveLowPass(c, 5, 20600.0, -12.0, 2.0);
  SetEqCurveHighPass2(c, 3, 21000.0, -12.0, 1.0);
  SetEqCurveLowPass2(c, 2, 10.0, -24.0, 1.0);
  EqCurveInfo odd = makeCurve(degenerate, 2);
  for (double lowest : {10.0, 20.0}) {
    CAPTURE(lowest);
    InitEqFreqAxis(lowest);
    RebuildEqCurve(c, lowest);
    RebuildEqCurve(odd, lowest);
    CHECK(EqReference::MaxDifference(c, EqReference::Evaluate(c)) <= 1e-9);
    CHECK(EqReference::MaxDifference(odd, EqReference::Evaluate(odd)) <= 1e-9);
    CHECK(AllZero(c.bands[5].response));
    CHECK(AllZero(c.bands[6].response));
    CHECK(std::isinf(odd.bands[0].response[0]));
    CHECK(std::isnan(odd.bands[1].response[0]));
  }
  InitEqFreqAxis(10.0);
}
