// The parameter controls of the channel pages, as data: which row a control id stands for, how
// its position becomes the row's raw value (keeping the row's flag bit) and back, and its text.
// Ids follow the pages' scheme: the digit after the first is the page (1 music, 2 mic,
// 3 effect, 4 main, 5 center, 6 sub, 7 surround; 8 the mic expander's dynamics), and page
// p is device channel p - 1.
#pragma once
#include <cstdint>
#include <string>

// ---- Flag bits ------------------------------------------------------------------------------
constexpr uint16_t kMuteBit16 = 0x8000;  // 2-byte mix rows: set = muted
constexpr uint16_t kFlagBit8 = 0x80;     // 1-byte effect levels (set = muted), EQ select and the
                                         // mic expander (set = on)

// A slider's raw value: the old value's flag bit kept, the position in the other bits (a
// position never reaches the flag bit).
uint16_t SliderValue(uint16_t flagMask, uint16_t oldValue, int position);
// A slider's position from a raw value: the value without its flag bit.
int SliderPosition(uint16_t flagMask, uint16_t value);

// ---- Sliders of one fixed row -----------------------------------------------------------
enum class SliderText : uint8_t {
  kNumber,          // "%d"
  kPercent,         // "%d%%"
  kMilliseconds,    // "%dms"
  kPercentFrom50,   // "%d%%" of v - 50
  kPitchLevel,      // "OFF" / "%.1f"
  kInputGain,       // "%ddB" of v - 9
  kFeedback,        // "OFF" / "%d" of v - 8
  kEffectHighPass,  // "OFF" / "%.1fHz"
  kEffectLowPass,   // "%dHz"
  kReverbTime,      // "%.1fms"
  kDelay,           // "%.1fms=%.2fm"
};

// The effect filter curves a slider's write changes.
enum class CurveUpdate : uint8_t { kNone, kHighPass, kLowPass };

struct FixedSlider {
  int id;
  // The row written; the input gain adds the music input port to it.
  int row;
  SliderText text;
  uint16_t flagMask;   // kMuteBit16, kFlagBit8 or 0
  int capRow;          // the limit row the position is capped at, -1 for none
  bool alsoBanks;      // also written into both bank images
  bool plusInputPort;  // the row is offset by the music input port
  CurveUpdate curves;
};

// The slider of that id (2000 .. 2002, 2130 .. 2132, 2140, 2141, 2240 .. 2242, 2320,
// 2330 .. 2356, 2360 .. 2362, 2430 .. 2435, 2530 .. 2534, 2630 .. 2632, 2635, 2636,
// 2730 .. 2735), or null.
const FixedSlider* FindFixedSlider(int id);
// Every fixed slider, in id order (for a refresh).
const FixedSlider* FixedSliders(int* count);
// The row the slider writes in this image.
int FixedSliderRow(const FixedSlider& slider, const uint8_t* image);
// The position capped at the slider's limit row (the main volumes); others unchanged.
int CapSliderPosition(const FixedSlider& slider, const uint8_t* image, int position);
// The slider's value text; a refresh shows the pitch level's dead zone as "OFF".
std::wstring FixedSliderText(const FixedSlider& slider, int position, bool fromRefresh = false);

// The music input port (`SysMusicInPort_Gain`): 0 .. 3, anything above 3 counts as 0.
int MusicInputPort(const uint8_t* image);

// ---- Link modes -------------------------------------------------------------------------
// A channel's link mode selects the sides that filter and dynamics writes reach: the left
// for 0 (and -1), the right for 1, both for 2. A page shows the right side for 1, else the left.
bool LinkWritesLeft(int linkMode);
bool LinkWritesRight(int linkMode);
int LinkShownSide(int linkMode);
// Of a left and a right row (-1 when the channel lacks it), the one a link mode shows: the
// same choice as the EQ set a page reads.
int LinkShownRow(int linkMode, int left, int right);

// ---- Channel filters --------------------------------------------------------------------
// Rows of a filter block, from its type row (`CDeviceController::GetChannelHpfRows`).
enum FilterRowOffset { kFilterType = 0, kFilterFreq = 1, kFilterMultiple = 2, kFilterQ = 3 };

struct FilterControl {
  // 0 .. 6; -1 for the multiple combo boxes 8810/8811, which have no channel.
  int channel;
  bool lowPass;
  int rowOffset;  // FilterRowOffset
};
// The filter control of that id: frequency and Q sliders, type and multiple combo boxes.
bool FindFilterControl(int id, FilterControl* out);

struct FilterControlIds {
  int freqSlider, qSlider, typeCombo, multipleCombo;
};
// The ids of a channel's high-pass or low-pass controls; false for the effect channel.
bool GetFilterControlIds(int channel, bool lowPass, FilterControlIds* out);

// The frequency position written: with the x100 range the top is index 124.
int FilterFreqPosition(int index, int multiple);
// A filter's Q slider is enabled for types above 2.
bool IsFilterQEnabled(int type);

// A channel filter's handle dragged to f (0.1 Hz): the range follows f by one step (x100 below
// 197 Hz -> x10; x10 above 3030 Hz -> x100, below 19.7 Hz -> x1; x1 above 303 Hz -> x10); then
// the index is the nearest filter frequency to f / factor, or 124 with x100 above 20.6 kHz.
struct FilterThumbValue {
  int multiple;
  int index;
};
FilterThumbValue ChannelFilterThumb(double freqTenths, int multiple);
// The effect filters' handles: the nearest of the 206 filter frequencies to f (0.1 Hz), and the
// nearest of the effect low-pass table (hertz) to f / 10.
int EffectHighPassThumb(double freqTenths);
int EffectLowPassThumb(double freqTenths);

// ---- Dynamics ---------------------------------------------------------------------------
struct DynamicsSlider {
  int channel;      // 0 .. 6
  int field;        // id mod 10: 1 threshold, 2 attack, 3 release, 4 ratio
  int rowOffset;    // from the block's first row (`CDeviceController::GetChannelDynamicsRows`)
  int levelOffset;  // threshold text: v - levelOffset dBu
};
// The dynamics slider of that id (2p21 .. 2p24 for p = 1, 2, 4 .. 7, and 2821 .. 2824).
bool FindDynamicsSlider(int id, DynamicsSlider* out);
// The id of a channel's dynamics slider (the mic's expander when `expander`), 0 for none.
int DynamicsSliderId(int channel, bool expander, int field);
std::wstring DynamicsText(const DynamicsSlider& slider, int position);
// The flag bit a dynamics slider keeps: the mic expander's rows (its attack row carries the
// expander's on bit), none elsewhere.
uint16_t DynamicsFlagMask(const DynamicsSlider& slider);

// ---- Toggles ----------------------------------------------------------------------------
enum class ToggleKind : uint8_t {
  kUnmuted8,   // checked = flag bit 7 clear
  kUnmuted16,  // checked = flag bit 15 clear
  kOn,         // the row holds 1 or 0
  kEnable8,    // checked = bit 7 set (mic expander, EQ pass)
  kTapLevel,   // the echo taps: 50 when checked, 0 when not
};
struct ToggleDesc {
  int id;
  int row;
  ToggleKind kind;
};
// The toggle (1300 .. 1303, 1400 .. 1405, 1500 .. 1504, 1600 .. 1602, 1605, 1606,
// 1700 .. 1705, 1800) or echo tap switch (2370 .. 2372) of that id, or null. The "EQ PASS"
// toggles x150 write their page's EQ select rows: see EqPassTogglePage.
const ToggleDesc* FindToggle(int id);
const ToggleDesc* Toggles(int* count);
uint16_t ToggleValue(ToggleKind kind, uint16_t oldValue, bool checked);
bool ToggleChecked(ToggleKind kind, uint16_t value);
// The page (0 .. 6) of an "EQ PASS" toggle 1150 .. 1750, else -1.
int EqPassTogglePage(int id);

// ---- Combo boxes ------------------------------------------------------------------------
constexpr int kFeedbackCombo = 8200;  // `MicFeedBackMode` = selection

// ---- Radio buttons ----------------------------------------------------------------------
enum class RadioKind : uint8_t { kNone, kInputPort, kWorkMode, kSingDisco, kSide, kBandType };
struct RadioDesc {
  RadioKind kind = RadioKind::kNone;
  int page = -1;
  int band = -1;   // kBandType: the band k
  int value = -1;  // port, 1 Auto / 0 Manual, 1 Sing / 0 Disco, side, band type
};
RadioDesc DescribeRadio(int id);

// Work mode rows (`MainWorkMode` and the three others): bit 7 Auto, low bits the bank
// (0 sing, 1 disco). The Manual/Auto and Sing/Disco choices write all four alike.
constexpr int kWorkModeRowCount = 4;
extern const int kWorkModeRows[kWorkModeRowCount];
uint16_t WorkModeValue(uint16_t workMode, bool automatic);
// What a Manual/Auto choice writes into bank 0 (the flag) and bank 1 (the flag and 1).
uint16_t BankWorkModeValue(int bank, bool automatic);
// The work mode after choosing Sing or Disco: Auto kept, bank bit set for disco.
uint16_t SingDiscoValue(uint16_t workMode, bool sing);
bool IsDiscoMode(uint16_t workMode);
