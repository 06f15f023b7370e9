#pragma once
// The frequency response model of one parametric EQ band set: n regular bands plus four filter
// slots (high-pass, low-pass, second high-pass, second low-pass), each a biquad at 48 kHz whose
// magnitude response in dB is kept per record on a shared logarithmic axis of 1024 points, so
// that changing one band costs one band's evaluation and a re-summation.

#include <cstdint>
#include <vector>

// Number of points of every response and of the shared frequency axis.
constexpr int kEqCurvePoints = 1024;

// One band or filter slot of a curve.
struct EqBandInfo {
  // Shapes 1, 2, 3, 5: 1 high-pass, 2 low-pass. Shape 4: 2 low shelf, 3 high shelf.
  uint32_t passKind = 0;
  // Coefficient formula 0..5: 0 peaking, 1..3 and 5 pass filters, 4 shelf.
  uint32_t shape = 0;
  double freq = 0.0;  // centre or corner frequency in Hz
  // Shapes 0 and 4: gain in dB. Pass filters: slope in dB per octave (negative; -12 is the plain
  // second-order response, -24 doubles it in dB).
  double gain = 0.0;
  double q = 1.0;   // quality factor of shapes 0 and 5
  double q2 = 1.0;  // shelf factor of shape 4
  // Biquad coefficients, normalised so that a0 is 1. A fresh record holds the unity filter.
  double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;
  // This record's response in dB at the axis points (kEqCurvePoints values once the record
  // belongs to an initialised curve; empty in a band handed in by a caller).
  std::vector<double> response;
};

// The curve model of one band set.
struct EqCurveInfo {
  // Regular bands 0..nBands-1, then the filter slots nBands (high-pass), nBands+1 (low-pass),
  // nBands+2 (second high-pass), nBands+3 (second low-pass). Empty until InitEqCurve.
  std::vector<EqBandInfo> bands;
  int hpIndex = -1;   // filter slot indices once their setter has run, else -1
  int lpIndex = -1;
  int hp2Index = -1;
  int lp2Index = -1;
  int nBands = 0;
  std::vector<double> curve;   // regular bands + high-pass + low-pass
  std::vector<double> curve2;  // regular bands + second high-pass + second low-pass
  int selected = -1;           // record last changed, -1 none
  double maxDb = 0.0;          // largest total after the last sum, never below 0
};

// The process-wide frequency axis: normalised angular frequency (radians per sample at 48 kHz)
// of each point; point i stands for g_eqFreqAxis[i] * 24000 / pi Hz. g_eqAxisMinFreq is -1 until
// the axis is built; until then no response is evaluated and no total is summed. Only
// InitEqFreqAxis writes the axis: it also keeps each point's trigonometry for every response.
extern double g_eqFreqAxis[kEqCurvePoints];
extern double g_eqAxisMinFreq;

// Builds the axis from the lowest frequency fmin (clamped into [10, 20] Hz) up to one step below
// 24000 Hz. Rebuilds unconditionally; RebuildEqCurve builds it only once per process (also when
// the curve it is given is empty).
void InitEqFreqAxis(double fmin);

// Coefficients of one record from its shape, pass kind, frequency, gain and factors.
void CalcEqBandCoefs(EqBandInfo& band);
// Response of one record in dB at every axis point (nothing when the gain is within 0.001 dB of 0
// or the record has no response array).
void CalcEqBandResponse(EqBandInfo& band);
// Totals and maxDb of a curve (nothing while the axis is not built).
void SumEqCurves(EqCurveInfo& model);

// Allocates n regular bands plus the four filter slots, both totals and every record's response,
// copies the given bands and computes the non-flat ones. A curve that was used before is freed
// first. False when n is negative, bands is null with n > 0, or memory runs out.
bool InitEqCurve(EqCurveInfo& model, const EqBandInfo* bands, int n);
// Replaces regular band i. 0 when i is not a regular band of an initialised curve (nothing
// changes) or when both the old and the new gain are flat; else 1.
int SetEqCurveBand(EqCurveInfo& model, int i, const EqBandInfo& band);
// Replaces all n regular bands; false (nothing changes) when the curve has no records or n
// differs from its band count.
bool SetEqCurveBands(EqCurveInfo& model, const EqBandInfo* bands, int n);
// Filter slot setters; they do nothing on a curve that was never initialised.
void SetEqCurveHighPass(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q);
void SetEqCurveLowPass(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q);
void SetEqCurveHighPass2(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q);
void SetEqCurveLowPass2(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q);
// Builds the axis on first use, then recomputes every record that counts and sums (nothing more
// for a curve that was never initialised).
void RebuildEqCurve(EqCurveInfo& model, double lowestFreq);
// Releases every array and returns the curve to its fresh state.
void FreeEqCurve(EqCurveInfo& model);

// True when the gain lies strictly between -0.01 and +0.01 dB: such a record is not computed.
bool IsEqGainFlat(double gain);
