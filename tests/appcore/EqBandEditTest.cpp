// EQ band values: typed texts read exactly, handles and guides, sets by link mode.
#include <doctest/doctest.h>

#include <climits>
#include <string>
#include <vector>

#include "DecimalText.h"
#include "EqBandEdit.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

namespace R = ParamRow;

TEST_CASE("decimal texts are read exactly or refused") {
  struct Case {
    const wchar_t* text;
    int scale;
    bool ok;
    long long value;
  } cases[] = {
      {L"0.58", 2, true, 58},       {L"3.45", 1, true, 34},      {L"-3.45", 1, true, -34},
      {L"+2", 1, true, 20},         {L" 12.5\t", 1, true, 125},  {L".5", 1, true, 5},
      {L"5.", 1, true, 50},         {L"-0.05", 1, true, 0},      {L"007", 0, true, 7},
      {L"0.29", 2, true, 29},       {L"1.005", 2, true, 100},
      {L"99999999999999999999999", 1, true, kDecimalLimit},
      {L"-99999999999999999999999.9", 2, true, -kDecimalLimit},
      {L"", 1, false, 0},           {L" ", 1, false, 0},         {L"abc", 1, false, 0},
      {L"3,5", 1, false, 0},        {L"1e30", 1, false, 0},      {L"nan", 1, false, 0},
      {L"inf", 1, false, 0},        {L"-", 1, false, 0},         {L".", 1, false, 0},
      {L"1.2.3", 1, false, 0},      {L"1 2", 1, false, 0},       {L"--1", 1, false, 0},
      {L"0x10", 1, false, 0},       {L"12a", 1, false, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.text, c.text + wcslen(c.text)));
    long long v = 4242;
    CHECK(ParseScaledDecimal(c.text, c.scale, &v) == c.ok);
    CHECK(v == (c.ok ? c.value : 4242));
  }
  CHECK(RemoveAll(L"3.4dBdB", L"dB") == L"3.4");
  CHECK(RemoveAll(L"1000Hz", L"Hz") == L"1000");
}

TEST_CASE("typed band gain, frequency and Q: exact, clamped before use, refused when no number") {
  int raw = -1;
  CHECK(ParseBandGainText(L"3.45", 0, &raw));
  CHECK(raw == 274);
  CHECK(ParseBandGainText(L"3.40", 0, &raw));
  CHECK(raw == 274);
  CHECK(ParseBandGainText(L"-30", 0, &raw));
  CHECK(raw == 0);
  CHECK(ParseBandGainText(L"20dB", 0, &raw));
  CHECK(raw == 360);
  CHECK(ParseBandGainText(L"-3.5dB", 1, &raw));  // a step edit's step adds one raw unit
  CHECK(raw == 206);
  CHECK(ParseBandGainText(L"12.0dB", 1, &raw));
  CHECK(raw == 360);
  CHECK(ParseBandGainText(L"1000000000000000000000", 0, &raw));
  CHECK(raw == 360);
  CHECK(ParseBandGainText(L"0.7", 0, &raw));  // 7 tenths, not 6.9999...
  CHECK(raw == 247);

  int index = -1;
  CHECK(ParseBandFreqText(L"10", 0, &index));
  CHECK(index == 0);
  CHECK(ParseBandFreqText(L"25000", 0, &index));
  CHECK(index == 361);
  CHECK(ParseBandFreqText(L"1000.0Hz", 0, &index));
  CHECK(index == 204);
  CHECK(ParseBandFreqText(L"1000Hz", -1, &index));
  CHECK(index == 203);
  CHECK(ParseBandFreqText(L"19.7", -1, &index));
  CHECK(index == 0);
  CHECK(ParseBandFreqText(L"20600", 5, &index));
  CHECK(index == 361);

  CHECK(ParseBandQText(L"0.58", 1, 0, &index));
  CHECK(index == 7);  // 58 lies nearer 59 (index 7) than 56; a truncated 57 would give 6
  CHECK(ParseBandQText(L"0.3", 1, 0, &index));
  CHECK(index == 0);
  CHECK(ParseBandQText(L"200", 2, 0, &index));
  CHECK(index == 28);
  CHECK(ParseBandQText(L"200", 1, 0, &index));
  CHECK(index == 100);
  CHECK(ParseBandQText(L"1.00", 3, 1, &index));
  CHECK(index == 17);
  CHECK(ParseBandQText(L"2.00", 0, 5, &index));  // the step stays within a shelf's range
  CHECK(index == 28);
  CHECK(ParseBandQText(L"0.40", 1, -3, &index));
  CHECK(index == 0);

  for (const wchar_t* bad : {L"", L"abc", L"3,5", L"1e30", L"nan", L"dB", L"Hz"}) {
    CAPTURE(std::string(bad, bad + wcslen(bad)));
    raw = index = 99;
    CHECK_FALSE(ParseBandGainText(bad, 0, &raw));
    CHECK_FALSE(ParseBandFreqText(bad, 0, &index));
    CHECK_FALSE(ParseBandQText(bad, 1, 0, &index));
    CHECK(raw == 99);
    CHECK(index == 99);
  }
}

TEST_CASE("handles and guides convert to table values within their ranges") {
  CHECK(BandGainRawFromDb(-3.47) == 206);
  CHECK(BandGainRawFromDb(15.0) == 360);
  CHECK(BandGainRawFromDb(-40.0) == 0);
  CHECK(BandGainRawFromDb(0.05) == 240);
  CHECK(BandFreqIndexFromHz(19.0) == 0);
  CHECK(BandFreqIndexFromHz(30000.0) == 361);
  CHECK(BandFreqIndexFromHz(1000.04) == 204);
  CHECK(BandFreqIndexFromHz(-1.0) == 0);
  CHECK(BandFreqIndex(LLONG_MAX) == 361);

  CHECK(GuideQIndex(20, 1, true, 100, 105) == 25);  // left guide dragged right, towards the band
  CHECK(GuideQIndex(20, 1, false, 100, 95) == 25);  // right guide dragged left
  CHECK(GuideQIndex(98, 1, true, 100, 110) == 100);
  CHECK(GuideQIndex(26, 2, true, 100, 110) == 28);
  CHECK(GuideQIndex(3, 3, true, 100, 90) == 0);
  CHECK(GuideQIndex(50, 1, true, INT_MIN, INT_MAX) == 100);
  CHECK(ClampBandQIndex(1, 101) == 100);
  CHECK(ClampBandQIndex(0, -1) == 0);
}

TEST_CASE("band rows, sets by link mode, select values and texts from the image") {
  std::vector<uint8_t> image(DefaultParamImages::Sing(), DefaultParamImages::Sing() + kParamSlotSize);
  const int first = R::MusicEQInfo0mode;
  const int second = R::MusicREQInfo0mode;
  CHECK(EqBandRow(first, 2, kBandGain) == R::MusicEQInfo2gain);
  CHECK(EqSelectRow(second) == R::MusicR_EQSel);
  CHECK(EqSelectRow(R::Rev_EQ0mode) == R::Rev_EQSel);

  CHECK(EqReadSetRow(first, second, 1) == second);
  CHECK(EqReadSetRow(first, second, 2) == first);
  CHECK(EqReadSetRow(first, -1, 1) == first);
  CHECK(EqWritesFirstSet(0));
  CHECK(EqWritesFirstSet(2));
  CHECK_FALSE(EqWritesFirstSet(1));
  CHECK_FALSE(EqWritesFirstSet(3));
  CHECK_FALSE(EqWritesFirstSet(-1));
  CHECK(EqWritesSecondSet(1, second));
  CHECK_FALSE(EqWritesSecondSet(1, -1));
  CHECK_FALSE(EqWritesSecondSet(3, second));
  CHECK(BandSelectValue(0x80, 3) == 0x83);
  CHECK(BandSelectValue(0x05, 3) == 0x03);

  SetImageParam(image.data(), R::MusicREQInfo1mode, 1);
  SetImageParam(image.data(), R::MusicREQInfo1Q, 56);
  SetImageParam(image.data(), R::MusicREQInfo1Q2, 12);
  SetImageParam(image.data(), R::MusicREQInfo1gain, 205);
  SetImageParam(image.data(), R::MusicREQInfo1freq, 324);
  CHECK(GetBandQIndex(image.data(), second, 1) == 56);
  CHECK(GetBandQText(image.data(), second, 1) == L"10.1");
  CHECK(GetBandGainText(image.data(), second, 1) == L"-3.5dB");
  CHECK(GetBandFreqText(image.data(), second, 1) == L"10100");
  SetImageParam(image.data(), R::MusicREQInfo1mode, 2);
  CHECK(GetBandQIndex(image.data(), second, 1) == 12);
  SetImageParam(image.data(), R::MusicREQInfo1mode, 9);  // above 3 reads as bypass
  CHECK(BandType(image.data(), second, 1) == 0);
  CHECK(BandQField(1) == kBandQ);
  CHECK(BandQField(0) == kBandShelfQ);
}
