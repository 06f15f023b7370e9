#include "EqBandEdit.h"

#include <algorithm>
#include <cmath>

#include "DecimalText.h"
#include "HidDevice/EqBandRecord.h"
#include "HidDevice/EqTables.h"
#include "HidDevice/ParamDesc.h"
#include "ParamText.h"

namespace {

constexpr int kGainZero = 240;
constexpr double kMinDb = -24.0;
constexpr double kMaxDb = 12.0;
constexpr long long kLowestFreqTenths = 197;
constexpr long long kHighestFreqTenths = 206000;
constexpr long long kLowestQ = 40;  // Q x 100 at index 0
constexpr long long kHighestBandPassQ = 12800;
constexpr long long kHighestShelfQ = 200;  // Q x 100 at index 28
constexpr int kBandTypeCount = 4;

int Clamp(long long v, int lo, int hi) {
  return static_cast<int>(std::min<long long>(std::max<long long>(v, lo), hi));
}

// A Q index within the type's range; wide so that a step added to it cannot overflow.
int ClampQ(int type, long long index) {
  return Clamp(index, 0, type == kBandPassType ? kBandPassQMax : kShelfQMax);
}

}  // namespace

int EqBandRow(int setRow, int band, int field) { return setRow + band * kEqBandRecordRows + field; }

int EqReadSetRow(int firstRow, int secondRow, int linkMode) {
  return linkMode == 1 && secondRow >= 0 ? secondRow : firstRow;
}

bool EqWritesFirstSet(int linkMode) { return linkMode == 0 || linkMode == 2; }

bool EqWritesSecondSet(int linkMode, int secondRow) {
  return secondRow >= 0 && (linkMode == 1 || linkMode == 2);
}

uint16_t BandSelectValue(uint16_t selectValue, int band) {
  return static_cast<uint16_t>((selectValue & 0x80) | (band & 0x7F));
}

int BandType(const uint8_t* image, int setRow, int band) {
  const int type = GetParam(image, EqBandRow(setRow, band, kBandType));
  return type < kBandTypeCount ? type : 0;
}

int BandQField(int type) { return type == kBandPassType ? kBandQ : kBandShelfQ; }

int GetBandQIndex(const uint8_t* image, int setRow, int band) {
  return GetParam(image, EqBandRow(setRow, band, BandQField(BandType(image, setRow, band))));
}

int ClampBandQIndex(int type, int index) { return ClampQ(type, index); }

std::wstring GetBandGainText(const uint8_t* image, int setRow, int band) {
  return BandGainText(GetParam(image, EqBandRow(setRow, band, kBandGain)));
}

std::wstring GetBandFreqText(const uint8_t* image, int setRow, int band) {
  return BandFreqText(GetParam(image, EqBandRow(setRow, band, kBandFreq)));
}

std::wstring GetBandQText(const uint8_t* image, int setRow, int band) {
  return BandQText(GetBandQIndex(image, setRow, band));
}

int BandFreqIndex(long long freqTenths) {
  if (freqTenths <= kLowestFreqTenths) return 0;
  if (freqTenths >= kHighestFreqTenths) return kEqFreqCount - 1;
  return FindNearestFreqIndex(static_cast<uint32_t>(freqTenths));
}

int BandFreqIndexFromHz(double hz) {
  if (!(hz * 10.0 > static_cast<double>(kLowestFreqTenths))) return 0;  // also NaN
  if (hz * 10.0 >= static_cast<double>(kHighestFreqTenths)) return kEqFreqCount - 1;
  return BandFreqIndex(static_cast<long long>(hz * 10.0));
}

int BandGainRawFromDb(double db) {
  const double clamped = db > kMaxDb ? kMaxDb : (db > kMinDb ? db : kMinDb);  // NaN: the floor
  return kGainZero + static_cast<int>(std::trunc(clamped * 10.0));
}

int GuideQIndex(int qIndex, int type, bool leftGuide, int currentLeft, int newLeft) {
  const long long moved = leftGuide ? static_cast<long long>(newLeft) - currentLeft
                                    : static_cast<long long>(currentLeft) - newLeft;
  return ClampQ(type, qIndex + moved);
}

bool ParseBandGainText(const std::wstring& text, int step, int* raw) {
  long long tenths = 0;
  if (!ParseScaledDecimal(RemoveAll(text, L"dB"), 1, &tenths)) return false;
  if (raw) *raw = Clamp(tenths + kGainZero + step, 0, kBandGainMax);
  return true;
}

bool ParseBandFreqText(const std::wstring& text, int step, int* index) {
  long long tenths = 0;
  if (!ParseScaledDecimal(RemoveAll(text, L"Hz"), 1, &tenths)) return false;
  const long long stepped = static_cast<long long>(BandFreqIndex(tenths)) + step;
  if (index) *index = Clamp(stepped, 0, kEqFreqCount - 1);
  return true;
}

bool ParseBandQText(const std::wstring& text, int type, int step, int* index) {
  long long q = 0;
  if (!ParseScaledDecimal(text, 2, &q)) return false;
  int found;
  if (q <= kLowestQ) {
    found = 0;
  } else if (type == kBandPassType) {
    found = q >= kHighestBandPassQ ? kBandPassQMax : FindNearestQIndex(static_cast<uint32_t>(q));
  } else {
    found = q >= kHighestShelfQ ? kShelfQMax : FindNearestQIndex(static_cast<uint32_t>(q));
  }
  if (index) *index = ClampQ(type, static_cast<long long>(found) + step);
  return true;
}
