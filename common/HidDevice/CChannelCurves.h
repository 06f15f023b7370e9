#pragma once
// The EQ curves of every channel side, kept in step with the parameter image: one curve per
// band set (music L/R, mic A/B, echo, reverb, main L/R, center, sub, surround L/R), each with
// its side's high-pass and low-pass filters. Every operation decodes from the image it is given
// (the 1392-byte parameter image); a null image changes nothing.

#include <cstdint>

#include "Eq/EqCurve.h"

class CChannelCurves {
 public:
  // Channels as the device numbers them.
  enum Channel { kMusic = 0, kMic, kEffect, kMain, kCenter, kSub, kSurround, kChannelCount };
  // Curves in the order music L, music R, mic A, mic B, echo, reverb, main L, main R, center,
  // sub, surround L, surround R.
  static constexpr int kCurveCount = 12;

  CChannelCurves() = default;
  CChannelCurves(const CChannelCurves&) = delete;
  CChannelCurves& operator=(const CChannelCurves&) = delete;

  // Builds every curve from the image's bands, then every high-pass and low-pass filter.
  // False when a curve could not be allocated (that curve stays empty).
  bool InitCurves(const uint8_t* image);
  // Replaces all bands of the existing curves, then rebuilds every filter.
  void RefreshCurves(const uint8_t* image);
  // Replaces band `band` in the channel's curve or curves (both sides where it has two). True
  // when a curve changed; false for a channel or band the curves do not hold.
  bool UpdateEqBand(const uint8_t* image, int channel, int band);
  // Replaces all bands and both filters of the channel's curves (after an EQ reset).
  void UpdateChannelCurves(const uint8_t* image, int channel);
  // Rebuilds the high-pass (resp. low-pass) filters of channels first..last (clamped to 0..6).
  void UpdateHighPassCurves(const uint8_t* image, int first, int last);
  void UpdateLowPassCurves(const uint8_t* image, int first, int last);

  // Curve by index 0..11; null outside.
  EqCurveInfo* GetCurve(int index);
  const EqCurveInfo* GetCurve(int index) const;
  // Curve of a channel's side: 0 left / mic A / echo, 1 right / mic B / reverb. Null for a side
  // the channel lacks (center and sub have only side 0) and outside the ranges.
  EqCurveInfo* GetChannelCurve(int channel, int side);
  const EqCurveInfo* GetChannelCurve(int channel, int side) const;
  // Index of a channel side's curve, -1 when there is none.
  static int CurveIndex(int channel, int side);
  // Number of bands a channel's curves use (0 outside 0..6).
  static int CurveBandCount(int channel);

 private:
  using FilterLoader = void (CChannelCurves::*)(const uint8_t* image, int curve);
  // Runs `load` for every curve of channels first..last (clamped to 0..6).
  void LoadFilters(const uint8_t* image, int first, int last, FilterLoader load);
  void LoadBands(const uint8_t* image, int curve, bool init);
  void LoadHighPass(const uint8_t* image, int curve);
  void LoadLowPass(const uint8_t* image, int curve);

  EqCurveInfo m_curves[kCurveCount];
};
