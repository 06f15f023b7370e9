// The values behind a page's EQ bands: where a band's rows are, which band set a link mode reads
// and writes, the band texts, and what a dragged handle or a typed text becomes.
// Band k of a set whose first row is R owns rows R + 5k .. R + 5k + 4; R - 1 is the set's
// band-select row.
#pragma once
#include <cstdint>
#include <string>

enum EqBandField { kBandType = 0, kBandFreq = 1, kBandGain = 2, kBandQ = 3, kBandShelfQ = 4 };

constexpr int kBandGainMax = 360;   // raw gain: 0 .. 360 is -24 .. +12 dB
constexpr int kBandPassQMax = 100;  // Q index of a band-pass band
constexpr int kShelfQMax = 28;      // Q index of any other type
constexpr int kBandPassType = 1;

int EqBandRow(int setRow, int band, int field);
inline int EqSelectRow(int setRow) { return setRow - 1; }

// The set a page reads: the second for link mode 1 (when the page has one), else the first.
int EqReadSetRow(int firstRow, int secondRow, int linkMode);
// The sets a page writes: mode 0 the first, 1 the second, 2 both; other modes none.
bool EqWritesFirstSet(int linkMode);
bool EqWritesSecondSet(int linkMode, int secondRow);
// A set's band-select value for band k: the set's own enable bit (bit 7) kept.
uint16_t BandSelectValue(uint16_t selectValue, int band);

// A band's type as the page shows it: anything above 3 counts as 0 (bypass).
int BandType(const uint8_t* image, int setRow, int band);
// The Q row a band of that type uses: Q for band pass, the shelf Q otherwise.
int BandQField(int type);
// The band's Q index (`GetBandQIndex`): from its Q row for band pass, else its shelf Q row.
int GetBandQIndex(const uint8_t* image, int setRow, int band);
// A Q index within the type's range: 0 .. 100 for band pass, 0 .. 28 otherwise.
int ClampBandQIndex(int type, int index);

// The band's texts as its edits show them (`GetBandGainText`, `GetBandFreqText`,
// `GetBandQText`).
std::wstring GetBandGainText(const uint8_t* image, int setRow, int band);
std::wstring GetBandFreqText(const uint8_t* image, int setRow, int band);
std::wstring GetBandQText(const uint8_t* image, int setRow, int band);

// The band frequency index for f in 0.1 Hz: 197 or less 0, 206000 or more 361, otherwise the
// nearest table entry.
int BandFreqIndex(long long freqTenths);
// A band handle dragged to `hz` and `db` (the editor's inverse mappings, unclamped).
int BandFreqIndexFromHz(double hz);
// Gain clamped to -24 .. +12 dB, then 240 + ten times the dB truncated toward zero.
int BandGainRawFromDb(double db);
// A bandwidth guide dragged from currentLeft to newLeft: one Q step per pixel, towards the band
// raising it; the result within the type's range.
int GuideQIndex(int qIndex, int type, bool leftGuide, int currentLeft, int newLeft);

// Typed band values. Each reads its text exactly (ParseScaledDecimal) after removing its unit,
// adds the step of a step edit (0 on losing the focus) and clamps; false, *out unchanged, when
// the text is no number, in which case nothing is written and the edit gets its text back.
// Gain ("dB"): raw 0 .. 360. Frequency ("Hz"): index 0 .. 361. Q (no unit), for the band's type
// as read: index within the type's range.
bool ParseBandGainText(const std::wstring& text, int step, int* raw);
bool ParseBandFreqText(const std::wstring& text, int step, int* index);
bool ParseBandQText(const std::wstring& text, int type, int step, int* index);
