#pragma once
// The straightforward evaluation of EQ curves, the yardstick of the model's fast one: every
// record that counts gets its coefficients anew and its response point by point with the C
// library's cosine, sine and logarithm, and the totals are summed point by point over the
// records. The tests hold the model to it within 1e-9 dB; bench_eqcurves times it beside the
// model.

#include <algorithm>
#include <cmath>
#include <vector>

#include "Eq/EqCurve.h"

namespace EqReference {

struct Curves {
  std::vector<std::vector<double>> responses;  // per record; all zeros for a record that is flat
  std::vector<double> curve, curve2;
  double maxDb = 0.0;
  bool second = false;  // curve2 is written (a second filter is set)
};

inline bool IsPassShape(uint32_t shape) { return shape == 1 || shape == 2 || shape == 3 || shape == 5; }

// Does the record enter the totals: a regular band that is not flat, or a filter slot that was
// set, lies in its window and is not flat.
inline bool Counts(const EqCurveInfo& model, int index) {
  const EqBandInfo& rec = model.bands[index];
  if (IsEqGainFlat(rec.gain)) return false;
  if (index < model.nBands) return true;
  const int slot = index - model.nBands;  // 0 high-pass, 1 low-pass, 2 and 3 the second pair
  const int indices[] = {model.hpIndex, model.lpIndex, model.hp2Index, model.lp2Index};
  const double maxFreq = slot == 1 || slot == 3 ? 20600.0 : 21000.0;
  return indices[slot] == index && rec.freq >= 10.0 && rec.freq <= maxFreq;
}

// H(e^jw) = (b0 + b1 e^-jw + b2 e^-2jw) / (a0 + a1 e^-jw + a2 e^-2jw), in dB, at every point.
inline void Response(const EqBandInfo& rec, std::vector<double>& out) {
  const double scale = IsPassShape(rec.shape) ? rec.gain / -12.0 : 1.0;
  out.assign(kEqCurvePoints, 0.0);
  for (int i = 0; i < kEqCurvePoints; ++i) {
    const double w = g_eqFreqAxis[i];
    const double c1 = std::cos(w);
    const double s1 = std::sin(w);
    const double c2 = 2.0 * c1 * c1 - 1.0;
    const double s2 = 2.0 * s1 * c1;
    const double numRe = rec.b0 + rec.b1 * c1 + rec.b2 * c2;
    const double numIm = -(rec.b1 * s1 + rec.b2 * s2);
    const double denRe = rec.a0 + rec.a1 * c1 + rec.a2 * c2;
    const double denIm = -(rec.a1 * s1 + rec.a2 * s2);
    const double ratio = (numRe * numRe + numIm * numIm) / (denRe * denRe + denIm * denIm);
    out[i] = 10.0 * std::log10(ratio) * scale;
  }
}

// Record `index` of the model (its stored band fields) evaluated anew into curves.responses.
inline void EvaluateRecord(const EqCurveInfo& model, int index, Curves& curves) {
  std::vector<double>& out = curves.responses[index];
  if (!Counts(model, index)) {
    out.assign(kEqCurvePoints, 0.0);
    return;
  }
  EqBandInfo rec;
  rec.passKind = model.bands[index].passKind;
  rec.shape = model.bands[index].shape;
  rec.freq = model.bands[index].freq;
  rec.gain = model.bands[index].gain;
  rec.q = model.bands[index].q;
  rec.q2 = model.bands[index].q2;
  CalcEqBandCoefs(rec);
  Response(rec, out);
}

// The totals from curves.responses, point by point.
inline void Sum(const EqCurveInfo& model, Curves& curves) {
  const auto slot = [&](int index, int i) { return index >= 0 ? curves.responses[index][i] : 0.0; };
  curves.second = model.hp2Index >= 0 || model.lp2Index >= 0;
  curves.curve.assign(kEqCurvePoints, 0.0);
  curves.curve2.assign(kEqCurvePoints, 0.0);
  curves.maxDb = 0.0;
  for (int i = 0; i < kEqCurvePoints; ++i) {
    double s = 0.0;
    for (int b = 0; b < model.nBands; ++b) s += curves.responses[b][i];
    curves.curve[i] = s + slot(model.hpIndex, i) + slot(model.lpIndex, i);
    curves.maxDb = std::max(curves.maxDb, curves.curve[i]);
    if (curves.second) {
      curves.curve2[i] = s + slot(model.hp2Index, i) + slot(model.lp2Index, i);
      curves.maxDb = std::max(curves.maxDb, curves.curve2[i]);
    }
  }
}

// Every record and both totals of an initialised model, into curves (its arrays are reused).
inline void Evaluate(const EqCurveInfo& model, Curves& curves) {
  curves.responses.resize(model.bands.size());
  for (int i = 0; i < static_cast<int>(model.bands.size()); ++i) EvaluateRecord(model, i, curves);
  Sum(model, curves);
}

inline Curves Evaluate(const EqCurveInfo& model) {
  Curves curves;
  Evaluate(model, curves);
  return curves;
}

// Difference of two values in dB; equal infinities and two NaNs count as equal.
inline double Difference(double a, double b) {
  if (a == b || (std::isnan(a) && std::isnan(b))) return 0.0;
  const double d = std::fabs(a - b);
  return std::isnan(d) ? INFINITY : d;
}

inline double MaxDifference(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return INFINITY;
  double worst = 0.0;
  for (size_t i = 0; i < a.size(); ++i) worst = std::max(worst, Difference(a[i], b[i]));
  return worst;
}

// The largest difference between the model's responses, totals and maxDb and the reference's.
inline double MaxDifference(const EqCurveInfo& model, const Curves& reference) {
  if (model.bands.size() != reference.responses.size()) return INFINITY;
  double worst = Difference(model.maxDb, reference.maxDb);
  for (size_t r = 0; r < model.bands.size(); ++r)
    worst = std::max(worst, MaxDifference(model.bands[r].response, reference.responses[r]));
  worst = std::max(worst, MaxDifference(model.curve, reference.curve));
  if (reference.second) worst = std::max(worst, MaxDifference(model.curve2, reference.curve2));
  return worst;
}

}  // namespace EqReference
