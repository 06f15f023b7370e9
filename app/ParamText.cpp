#include "ParamText.h"

#include <cstdarg>
#include <cwchar>

#include "ParamTables.h"

namespace {

constexpr int kPitchCentre = 120;
constexpr int kPitchDeadZone = 3;  // a refresh shows "OFF" within 120 +- 3
constexpr int kInputGainZero = 9;
constexpr int kFeedbackOff = 8;
constexpr double kMetresPerMs = 0.346;
constexpr int kBandGainZero = 240;
constexpr int kFirstWholeHertzBand = 324;  // 101000 (10.1 kHz) and above show whole hertz
constexpr int kFirstOneDecimalQ = 56;      // Q 10.1
constexpr int kFirstWholeQ = 96;           // Q 102
constexpr double kFilterTopHz = 20600.0;

std::wstring Format(const wchar_t* format, ...) {
  wchar_t buffer[64];
  va_list args;
  va_start(args, format);
  const int n = vswprintf(buffer, sizeof buffer / sizeof buffer[0], format, args);
  va_end(args);
  return n < 0 ? std::wstring() : std::wstring(buffer, n);
}

// The dynamics tables read an index past their end as their first entry.
int FirstWhenOutside(int index, int count) { return index >= 0 && index < count ? index : 0; }

}  // namespace

std::wstring NumberText(int v) { return Format(L"%d", v); }

std::wstring PercentText(int v) { return Format(L"%d%%", v); }

std::wstring MillisecondsText(int v) { return Format(L"%dms", v); }

std::wstring PitchLevelText(int v, bool fromRefresh) {
  const int zone = fromRefresh ? kPitchDeadZone : 0;
  if (v >= kPitchCentre - zone && v <= kPitchCentre + zone) return L"OFF";
  return Format(L"%0.01f", (v - kPitchCentre) / 10.0);
}

std::wstring InputGainText(int v) { return Format(L"%ddB", v - kInputGainZero); }

std::wstring FeedbackText(int v) {
  return v == kFeedbackOff ? L"OFF" : Format(L"%d", v - kFeedbackOff);
}

std::wstring EffectHighPassText(int index) {
  if (index == 0) return L"OFF";
  return Format(L"%.01fHz", g_eqFilterFreqTable[ClampIndex(index, kEqFilterFreqCount)] / 10.0);
}

std::wstring EffectLowPassText(int index) {
  return Format(L"%dHz", static_cast<int>(g_effectLpfTable[ClampIndex(index, kEffectLpfCount)]));
}

std::wstring ReverbTimeText(int index) {
  return Format(L"%.01fms",
                static_cast<double>(g_reverbTimeTable[ClampIndex(index, kReverbTimeCount)]));
}

std::wstring DelayText(int v) {
  const double ms = v / 10.0;
  return Format(L"%.01fms=%0.02fm", ms, ms * kMetresPerMs);
}

std::wstring FilterFreqText(int index, int multiple) {
  if (index == 0) return L"OFF";
  const int range = ClampIndex(multiple, kFilterMultipleCount);
  const int entry = ClampIndex(index, kChannelFilterFreqCount);
  if (range == kFilterMultipleCount - 1 && entry > kFilterTopIndexAtX100) {
    return Format(L"%.01fHz", kFilterTopHz);
  }
  return Format(L"%.01fHz", g_eqFilterFreqTable[entry] / 10.0 * g_filterMultipleTable[range]);
}

std::wstring FilterQText(int qIndex) {
  return Format(L"%.02f", g_eqQTable[ClampIndex(qIndex, kEqQCount)] / 100.0);
}

std::wstring DynamicsLevelText(int v, int offset) { return Format(L"%ddBu", v - offset); }

std::wstring AttackText(int index) {
  return Format(L"%.01fms", g_attackTable[FirstWhenOutside(index, kAttackCount)] / 10.0);
}

std::wstring ReleaseText(int index) {
  return Format(L"Atk x %d",
                static_cast<int>(g_releaseTable[FirstWhenOutside(index, kReleaseCount)]));
}

std::wstring RatioText(int index) {
  return Format(L"%.01f", g_ratioTable[FirstWhenOutside(index, kRatioCount)] / 10.0);
}

std::wstring BandGainText(int raw) { return Format(L"%.01fdB", (raw - kBandGainZero) / 10.0); }

std::wstring BandFreqText(int index) {
  const int entry = ClampIndex(index, kEqFreqCount);
  const uint32_t tenths = g_eqFreqTable[entry];
  if (entry < kFirstWholeHertzBand) return Format(L"%.01f", tenths / 10.0);
  return Format(L"%d", static_cast<int>(tenths / 10));
}

std::wstring BandQText(int index) {
  const int entry = ClampIndex(index, kEqQCount);
  const double q = g_eqQTable[entry] / 100.0;
  if (entry < kFirstOneDecimalQ) return Format(L"%.02f", q);
  if (entry < kFirstWholeQ) return Format(L"%.01f", q);
  return Format(L"%.0f", q);
}
