// Cyclic resistance ratio by the UCD and UCB correlations.
//
// Inputs and step results are 32-bit floats; each formula is evaluated with
// its constants as 64-bit values (so the expression runs in double) and the
// result is stored back to a float, step by step.
#include "compute/crr.h"

#include <cmath>

#include "core/null_value.h"
#include "numeric/numeric_tools.h"

namespace {

// The fixed terms of the UCD correlation: stress exponent term c, magnitude M,
// effective stress (atm) and probability p.
constexpr double kUcdC = 1.0;
constexpr double kUcdMagnitude = 7.5;
constexpr double kUcdStressAtm = 1.0;
constexpr double kUcdProbability = 0.1;

}  // namespace

bool CrrUcd(float qc1, float fr, float& crr) {
  crr = NullValue;
  if (IsNull(qc1) || IsNull(fr)) return false;
  const float q = qc1 / 10.0f;
  // q^1.045 has no value below zero.
  if (q < 0.0f) return false;
  const float s = static_cast<float>(std::pow(static_cast<double>(q), 1.045) + 0.11 * fr * q + 0.001 * fr +
                                     kUcdC * (1.0 + 0.85 * fr) - 0.848 * std::log(kUcdMagnitude) -
                                     0.002 * std::log(100.0 * kUcdStressAtm) - 20.923 + 1.632 * kUcdProbability);
  crr = static_cast<float>(std::exp(s / 7.177));
  return true;
}

bool SoilIndex(float qc1, float fr, float& ic) {
  ic = NullValue;
  if (IsNull(qc1) || IsNull(fr)) return false;
  // A zero or negative qc1 or fr gives Log10Checked's marker, used here as the
  // (very large) logarithm it stands for: ic grows far beyond 12 and the step
  // fails, while the later steps still give the limiting value.
  const float logQ = Log10Checked(qc1);
  const float logF = Log10Checked(fr);
  const double a = 3.47 - logQ;
  const double b = logF + 1.22;
  ic = static_cast<float>(std::sqrt(a * a + b * b));
  return ic >= 0.0f && ic < 12.0f;
}

bool FinesFromIndex(float ic, float& fc) {
  fc = NullValue;
  if (IsNull(ic)) return false;
  fc = static_cast<float>(80.0 * ic - 137.0);
  if (ic < 1.75f) {
    fc = 0.01f;
  } else if (ic > 2.9f) {
    fc = 99.99f;
  }
  if (fc > 100.0f) {
    fc = 100.0f;
    return false;
  }
  if (fc < 0.0f) {
    fc = 0.0f;
    return false;
  }
  return true;
}

bool CleanSandShift(float fc, float qc1, float& delta) {
  delta = NullValue;
  if (IsNull(fc) || IsNull(qc1)) return false;
  const double f = static_cast<double>(fc) + 2.0;
  const double g = 15.7 / f;
  delta = static_cast<float>((11.9 + qc1 / 14.6) * std::exp(1.63 - 9.7 / f - g * g));
  if (delta < 0.0f) delta = 0.0f;
  if (delta >= 500.0f) delta = 500.0f;
  return true;
}

bool CrrFromCleanSand(float qcs, float& crr) {
  crr = NullValue;
  if (IsNull(qcs)) return false;
  const double q = qcs;
  crr = static_cast<float>(
      std::exp(q / 113.0 + std::pow(q / 1000.0, 2) - std::pow(q / 140.0, 3) + std::pow(q / 137.0, 4) - 2.8));
  if (crr > 0.01f && crr < 0.9f) return true;
  if (crr < 0.01f) crr = 0.01f;
  if (crr > 0.9f) crr = 0.9f;
  return false;
}

bool CrrUcb(float qc1, float fr, float& crr) {
  crr = NullValue;
  if (IsNull(qc1) || IsNull(fr)) return false;
  float ic = NullValue;
  float fc = NullValue;
  float delta = NullValue;
  const bool indexOk = SoilIndex(qc1, fr, ic);
  const bool finesOk = FinesFromIndex(ic, fc);
  const bool shiftOk = CleanSandShift(fc, qc1, delta);
  const float qcs = qc1 + delta;
  const bool crrOk = CrrFromCleanSand(qcs, crr);
  return indexOk && finesOk && shiftOk && crrOk;
}
