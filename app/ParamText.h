// The value texts of the channel pages, exactly as the pages show them beside their controls.
// Each takes a control position or a raw value; an index beyond its table shows the table's
// last entry (the dynamics tables show their first, as the device reads them).
#pragma once
#include <string>

// "%d" of v.
std::wstring NumberText(int v);
// "%d%%" of v.
std::wstring PercentText(int v);
// "%dms" of v.
std::wstring MillisecondsText(int v);
// Pitch level around 120: "OFF" at 120, else "%.1f" of (v - 120) / 10. A refresh from the image
// shows "OFF" for the whole dead zone 117 .. 123.
std::wstring PitchLevelText(int v, bool fromRefresh = false);
// Music input gain: "%ddB" of v - 9.
std::wstring InputGainText(int v);
// Feedback suppression: "OFF" at 8, else "%d" of v - 8.
std::wstring FeedbackText(int v);
// Echo and reverb high-pass: "OFF" at index 0, else "%.1fHz" of the filter frequency.
std::wstring EffectHighPassText(int index);
// Echo and reverb low-pass: "%dHz" of the effect low-pass table.
std::wstring EffectLowPassText(int index);
// Reverb time: "%.1fms" of the reverb time table.
std::wstring ReverbTimeText(int index);
// Output delay in 0.1 ms: "%.1fms=%.2fm" of the time and the distance sound travels in it.
std::wstring DelayText(int v);
// Channel filter frequency: "OFF" at index 0; with the x100 range above index 123 the top,
// "20600.0Hz"; else "%.1fHz" of the filter frequency times the range factor.
std::wstring FilterFreqText(int index, int multiple);
// Channel filter Q: "%.2f" of the Q table.
std::wstring FilterQText(int qIndex);
// Dynamics threshold: "%ddBu" of v - offset (90, 34 or 20 by the block).
std::wstring DynamicsLevelText(int v, int offset);
// Dynamics attack "%.1fms", release "Atk x %d", ratio "%.1f".
std::wstring AttackText(int index);
std::wstring ReleaseText(int index);
std::wstring RatioText(int index);
// EQ band gain, raw 0 .. 360 for -24 .. +12 dB: "%.1fdB" of raw / 10 - 24.
std::wstring BandGainText(int raw);
// EQ band frequency: "%.1f" hertz below index 324, whole hertz "%d" from there on.
std::wstring BandFreqText(int index);
// EQ band Q: "%.2f" below index 56, "%.1f" below 96, "%.0f" from 96 on.
std::wstring BandQText(int index);
