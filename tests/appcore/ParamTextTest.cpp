// Value texts of the channel pages and the tables behind them.
#include <doctest/doctest.h>

#include <functional>
#include <string>

#include "ParamTables.h"
#include "ParamText.h"

namespace {

struct TextCase {
  const char* what;
  std::function<std::wstring()> text;
  const wchar_t* expected;
};

}  // namespace

TEST_CASE("every value text as the pages show it") {
  const TextCase cases[] = {
      {"pitch level below centre", [] { return PitchLevelText(119); }, L"-0.1"},
      {"pitch level at centre", [] { return PitchLevelText(120); }, L"OFF"},
      {"pitch level above centre", [] { return PitchLevelText(121); }, L"0.1"},
      {"pitch level far down", [] { return PitchLevelText(0); }, L"-12.0"},
      {"refreshed pitch dead zone, low", [] { return PitchLevelText(117, true); }, L"OFF"},
      {"refreshed pitch dead zone, high", [] { return PitchLevelText(123, true); }, L"OFF"},
      {"refreshed pitch outside the zone", [] { return PitchLevelText(124, true); }, L"0.4"},
      {"band gain -3.5 dB", [] { return BandGainText(205); }, L"-3.5dB"},
      {"band gain floor", [] { return BandGainText(0); }, L"-24.0dB"},
      {"band gain 0 dB", [] { return BandGainText(240); }, L"0.0dB"},
      {"band gain 3.4 dB", [] { return BandGainText(274); }, L"3.4dB"},
      {"band gain top", [] { return BandGainText(360); }, L"12.0dB"},
      {"band Q two decimals", [] { return BandQText(55); }, L"9.50"},
      {"band Q one decimal", [] { return BandQText(56); }, L"10.1"},
      {"band Q last one decimal", [] { return BandQText(95); }, L"96.0"},
      {"band Q whole", [] { return BandQText(96); }, L"102"},
      {"band Q first", [] { return BandQText(0); }, L"0.40"},
      {"band Q last", [] { return BandQText(100); }, L"128"},
      {"band Q past the table", [] { return BandQText(250); }, L"128"},
      {"band frequency first", [] { return BandFreqText(0); }, L"19.7"},
      {"band frequency 1 kHz", [] { return BandFreqText(204); }, L"1000.0"},
      {"band frequency last with a decimal", [] { return BandFreqText(323); }, L"9890.0"},
      {"band frequency first whole", [] { return BandFreqText(324); }, L"10100"},
      {"band frequency last", [] { return BandFreqText(361); }, L"20600"},
      {"band frequency past the table", [] { return BandFreqText(5000); }, L"20600"},
      {"number", [] { return NumberText(-7); }, L"-7"},
      {"percent", [] { return PercentText(50); }, L"50%"},
      {"milliseconds", [] { return MillisecondsText(120); }, L"120ms"},
      {"input gain", [] { return InputGainText(0); }, L"-9dB"},
      {"input gain up", [] { return InputGainText(21); }, L"12dB"},
      {"feedback off", [] { return FeedbackText(8); }, L"OFF"},
      {"feedback", [] { return FeedbackText(3); }, L"-5"},
      {"effect high-pass off", [] { return EffectHighPassText(0); }, L"OFF"},
      {"effect high-pass", [] { return EffectHighPassText(1); }, L"19.7Hz"},
      {"effect high-pass top", [] { return EffectHighPassText(205); }, L"1000.0Hz"},
      {"effect high-pass past the table", [] { return EffectHighPassText(255); }, L"1000.0Hz"},
      {"effect low-pass", [] { return EffectLowPassText(0); }, L"5990Hz"},
      {"effect low-pass last (66 entries)", [] { return EffectLowPassText(65); }, L"21000Hz"},
      {"effect low-pass past the table", [] { return EffectLowPassText(200); }, L"21000Hz"},
      {"reverb time", [] { return ReverbTimeText(3); }, L"187.0ms"},
      {"reverb time last", [] { return ReverbTimeText(80); }, L"5000.0ms"},
      {"delay", [] { return DelayText(123); }, L"12.3ms=4.26m"},
      {"delay zero", [] { return DelayText(0); }, L"0.0ms=0.00m"},
      {"filter off", [] { return FilterFreqText(0, 2); }, L"OFF"},
      {"filter x1", [] { return FilterFreqText(1, 0); }, L"19.7Hz"},
      {"filter x10", [] { return FilterFreqText(1, 1); }, L"197.0Hz"},
      {"filter x100", [] { return FilterFreqText(123, 2); }, L"20600.0Hz"},
      {"filter x100 above the top", [] { return FilterFreqText(130, 2); }, L"20600.0Hz"},
      {"filter x10 top of the slider", [] { return FilterFreqText(143, 1); }, L"3030.0Hz"},
      {"filter multiple out of range", [] { return FilterFreqText(1, 9); }, L"1970.0Hz"},
      {"filter Q", [] { return FilterQText(16); }, L"1.00"},
      {"filter Q top", [] { return FilterQText(100); }, L"128.00"},
      {"threshold", [] { return DynamicsLevelText(0, 90); }, L"-90dBu"},
      {"attack", [] { return AttackText(0); }, L"0.5ms"},
      {"attack last", [] { return AttackText(15); }, L"90.0ms"},
      {"attack past the table reads entry 0", [] { return AttackText(16); }, L"0.5ms"},
      {"release", [] { return ReleaseText(7); }, L"Atk x 32"},
      {"release past the table", [] { return ReleaseText(8); }, L"Atk x 2"},
      {"ratio", [] { return RatioText(40); }, L"100.0"},
      {"ratio past the table", [] { return RatioText(41); }, L"1.0"},
  };
  for (const TextCase& c : cases) {
    CAPTURE(c.what);
    CHECK(c.text() == std::wstring(c.expected));
  }
}

TEST_CASE("the page tables hold their documented ends") {
  CHECK(g_reverbTimeTable[0] == 0);
  CHECK(g_reverbTimeTable[4] == 250);
  CHECK(g_reverbTimeTable[kReverbTimeCount - 1] == 5000);
  CHECK(g_attackTable[kAttackCount - 1] == 900);
  CHECK(g_releaseTable[kReleaseCount - 1] == 32);
  CHECK(g_ratioTable[kRatioCount - 2] == 300);
  CHECK(g_ratioTable[kRatioCount - 1] == 1000);
  // The channel filters reach 303 Hz before the factor; the x100 top is 2060 at 123.
  CHECK(g_eqFilterFreqTable[kChannelFilterFreqCount - 1] == 3030);
  CHECK(g_eqFilterFreqTable[kFilterTopIndexAtX100] == 2060);
  CHECK(g_eqFilterFreqTable[kFilterTopIndexAtX100 + 1] == 2100);
  for (int i = 1; i < kReverbTimeCount; ++i) CHECK(g_reverbTimeTable[i] > g_reverbTimeTable[i - 1]);
  for (int i = 1; i < kRatioCount; ++i) CHECK(g_ratioTable[i] > g_ratioTable[i - 1]);
  CHECK(ClampIndex(-1, 10) == 0);
  CHECK(ClampIndex(10, 10) == 9);
  CHECK(ClampIndex(3, 0) == 0);
}
