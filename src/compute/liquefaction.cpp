// Liquefaction formulas: cyclic stress, factor of safety, reconsolidation
// strain and the indices of a profile.
#include "compute/liquefaction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "core/null_value.h"
#include "numeric/numeric_tools.h"

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kIndexDepthM = 20.0;   // LPI, LPI_ISH and LSN count to 20 m
constexpr double kLeastCrustM = 0.4;    // H1 of LPI_ISH is at least 0.4 m
constexpr double kKSigmaF = 0.7;

bool anyNull(std::initializer_list<float> values) {
  for (float v : values) {
    if (IsNull(v)) return true;
  }
  return false;
}

// The limiting (density-controlled) strain, the left part of every curve up
// to FS 0.9.
double limitingStrain(double q) { return 102.0 * std::pow(q, -0.82); }

// One published strain curve of Zhang et al. 2002: its FS, and beyond the
// qc1Ncs where it leaves the limiting strain, a q^b.
struct StrainCurve {
  double fs;
  double leaveAt;  // q above which a q^b applies (0: the curve is a q^b throughout; 1e9: never)
  double a;
  double b;
};

constexpr std::array<StrainCurve, 10> kStrainCurves{{
    {0.5, 1e9, 0.0, 0.0},
    {0.6, 147.0, 2411.0, -1.45},
    {0.7, 110.0, 1701.0, -1.42},
    {0.8, 80.0, 1690.0, -1.46},
    {0.9, 60.0, 1430.0, -1.48},
    {1.0, 0.0, 64.0, -0.93},
    {1.1, 0.0, 11.0, -0.65},
    {1.2, 0.0, 9.7, -0.69},
    {1.3, 0.0, 7.6, -0.71},
    {2.0, 0.0, 0.0, 0.0},
}};

double curveStrain(const StrainCurve& curve, double q) {
  if (q <= curve.leaveAt) return limitingStrain(q);
  return curve.a * std::pow(q, curve.b);
}

// The top (ft) of the layer reading i stands for: the reading above it; for
// the first reading, as far above it as the next reading lies below it (a
// sounding that starts deep, below a predrilled hole, says nothing about the
// soil above its first reading), not above the surface.
double layerTopFt(const std::vector<float>& depthsFt, std::size_t i, std::size_t n) {
  if (i > 0) return depthsFt[i - 1];
  if (n < 2) return depthsFt[0];
  return std::max(0.0, 2.0 * depthsFt[0] - static_cast<double>(depthsFt[1]));
}

}  // namespace

float Liquefaction_rd(float depthM) {
  if (IsNull(depthM)) return NullValue;
  const double z = depthM;
  if (z <= 9.15) return static_cast<float>(1.0 - 0.00765 * z);
  if (z <= 23.0) return static_cast<float>(1.174 - 0.0267 * z);
  if (z <= 30.0) return static_cast<float>(0.744 - 0.008 * z);
  return 0.5f;
}

float Liquefaction_csrSimplified(float amaxG, float vtsAtm, float vesAtm, float depthFt) {
  if (anyNull({amaxG, vtsAtm, vesAtm, depthFt}) || vesAtm <= 0.0f) return NullValue;
  const float rd = Liquefaction_rd(static_cast<float>(depthFt * kMetresPerFoot));
  return static_cast<float>(0.65 * amaxG * (static_cast<double>(vtsAtm) / vesAtm) * rd);
}

float Liquefaction_msf(float magnitude) {
  if (IsNull(magnitude) || magnitude <= 0.0f) return NullValue;
  // The fit gives 0.9997 at the reference magnitude, whose factor is 1 by definition.
  if (magnitude == 7.5f) return 1.0f;
  return static_cast<float>(std::pow(10.0, 2.24) / std::pow(static_cast<double>(magnitude), 2.56));
}

float Liquefaction_kSigma(float vesAtm) {
  if (IsNull(vesAtm)) return NullValue;
  if (vesAtm <= 1.0f) return 1.0f;
  return static_cast<float>(std::pow(static_cast<double>(vesAtm), kKSigmaF - 1.0));
}

float Liquefaction_fs(float crr, float msf, float kSigma, float csr) {
  if (anyNull({crr, msf, kSigma, csr})) return NullValue;
  if (csr <= 0.0f) return kLiquefactionFsCap;
  const double fs = static_cast<double>(crr) * msf * kSigma / csr;
  return static_cast<float>(std::min(fs, static_cast<double>(kLiquefactionFsCap)));
}

float Liquefaction_kc(float ic) {
  if (IsNull(ic)) return NullValue;
  if (ic <= 1.64f) return 1.0f;
  const double x = ic;
  return static_cast<float>(-0.403 * std::pow(x, 4) + 5.581 * std::pow(x, 3) - 21.63 * x * x + 33.75 * x - 17.88);
}

float Liquefaction_qc1ncs(float ic, float qc1) {
  const float kc = Liquefaction_kc(ic);
  if (anyNull({kc, qc1})) return NullValue;
  return std::clamp(kc * qc1, 33.0f, 200.0f);
}

float Liquefaction_strain(float fs, float qc1ncs) {
  if (anyNull({fs, qc1ncs})) return NullValue;
  if (fs >= kLiquefactionFsCap) return 0.0f;
  const double q = std::clamp(static_cast<double>(qc1ncs), 33.0, 200.0);
  const double f = fs;
  if (f <= kStrainCurves.front().fs) return static_cast<float>(limitingStrain(q));
  for (std::size_t k = 1; k < kStrainCurves.size(); ++k) {
    const StrainCurve& upper = kStrainCurves[k];
    if (f > upper.fs) continue;
    const StrainCurve& lower = kStrainCurves[k - 1];
    const double t = (f - lower.fs) / (upper.fs - lower.fs);
    const double low = curveStrain(lower, q);
    const double high = curveStrain(upper, q);
    return static_cast<float>(low + t * (high - low));
  }
  return 0.0f;
}

LiquefactionIndices Liquefaction_indices(const std::vector<float>& depthsFt, const std::vector<float>& fs,
                                         const std::vector<float>& strainPct) {
  LiquefactionIndices r;
  const std::size_t n = std::min({depthsFt.size(), fs.size(), strainPct.size()});
  // H1: the non-liquefying crust above the first layer with FS < 1.
  double crust = -1.0;
  for (std::size_t i = 0; i < n && crust < 0.0; ++i) {
    if (!IsNull(fs[i]) && fs[i] < 1.0f) crust = layerTopFt(depthsFt, i, n) * kMetresPerFoot;
  }
  if (crust >= 0.0) {
    crust = std::max(crust, kLeastCrustM);
    r.crustM = static_cast<float>(crust);
  }
  double lpi = 0.0, lpiIsh = 0.0, lsn = 0.0, settlement = 0.0, thickness = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double topFt = layerTopFt(depthsFt, i, n);
    const double bottomFt = depthsFt[i];
    if (IsNull(depthsFt[i]) || bottomFt <= topFt) continue;
    const bool fsKnown = !IsNull(fs[i]);
    const double f = fs[i];
    const bool strainKnown = !IsNull(strainPct[i]);
    const double e = strainPct[i];
    if (strainKnown) settlement += e / 100.0 * (bottomFt - topFt);
    const bool liquefies = fsKnown && f < 1.0;
    if (liquefies) {
      if (IsNull(r.liquefiesTopFt)) r.liquefiesTopFt = static_cast<float>(topFt);
      r.liquefiesBottomFt = static_cast<float>(bottomFt);
      thickness += bottomFt - topFt;
    }
    const double a = topFt * kMetresPerFoot;
    const double b = std::min(bottomFt * kMetresPerFoot, kIndexDepthM);
    if (a >= b) continue;
    const double middle = (a + b) / 2.0;
    if (liquefies) lpi += (1.0 - f) * (10.0 - 0.5 * middle) * (b - a);
    if (strainKnown && e > 0.0) lsn += 10.0 * e / middle * (b - a);
    if (liquefies && crust >= 0.0) {
      const double from = std::max(a, crust);
      const double severity = std::exp(5.0 / (25.56 * (1.0 - f))) - 1.0;
      if (from < b && crust * severity <= 3.0) lpiIsh += (1.0 - f) * 25.56 / ((from + b) / 2.0) * (b - from);
    }
  }
  r.lpi = static_cast<float>(lpi);
  r.lpiIsh = static_cast<float>(lpiIsh);
  r.lsn = static_cast<float>(lsn);
  r.settlementFt = static_cast<float>(settlement);
  r.liquefiesThicknessFt = static_cast<float>(thickness);
  return r;
}

std::vector<float> Liquefaction_settlementProfile(const std::vector<float>& depthsFt,
                                                  const std::vector<float>& strainPct) {
  const std::size_t n = std::min(depthsFt.size(), strainPct.size());
  std::vector<float> below(n, 0.0f);
  double sum = 0.0;
  for (std::size_t i = n; i-- > 0;) {
    below[i] = static_cast<float>(sum);
    const double topFt = layerTopFt(depthsFt, i, n);
    if (!IsNull(strainPct[i]) && !IsNull(depthsFt[i]) && depthsFt[i] > topFt) {
      sum += strainPct[i] / 100.0 * (depthsFt[i] - topFt);
    }
  }
  return below;
}
