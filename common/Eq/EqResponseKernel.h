#pragma once
// The inner loop of the EQ curves: one biquad's magnitude response in dB at every point of the
// shared frequency axis. Everything that depends only on the axis (the cosine and sine of each
// point's single and double angle) is computed once, when the axis is built, for every record of
// every curve; per point there remain a few multiplications, one division and a table-driven
// logarithm that agrees with the C library's to within about 1e-13 dB.

#include "Eq/EqCurve.h"

// Takes the axis's angles (kEqCurvePoints values, radians per sample) for later evaluations.
// Until it first runs, every point stands at angle 0, as the unbuilt axis does.
void PrepareEqResponseTables(const double* axis);

// Biquad coefficients in the order of the transfer function: numerator b0, b1, b2, then the
// denominator a0, a1, a2.
struct EqBiquad {
  double b0, b1, b2, a0, a1, a2;
};

// out[i] = 10 log10(|B(w)|^2 / |A(w)|^2) x scale at every axis point w, where B and A are the
// numerator and denominator evaluated at e^jw. A ratio that is not a positive, finite, normal
// number (a zero of the numerator or the denominator, a coefficient that is infinite or not a
// number) is handed to the C library's log10, so it gives what that gives (-inf, +inf, NaN).
void EvalEqBiquadDb(const EqBiquad& biquad, double scale, double* out);
