// Liquefaction of a sounding's sands under a design earthquake: the cyclic
// stress ratio the earthquake puts on each depth, the factor of safety against
// liquefaction, the volumetric strain the depth takes on when it reconsolidates,
// and the site indices summed over a sounding (LPI, LPI_ISH, LSN, settlement).
//
// The method set is that of Robertson & Wride 1998 with the NCEER workshop
// summary of Youd et al. 2001 (the set the CRRe charts follow):
//   CSR     = 0.65 amax (sigma_v / sigma'_v) rd
//   rd      = 1 - 0.00765 z (z <= 9.15 m), 1.174 - 0.0267 z (<= 23 m),
//             0.744 - 0.008 z (<= 30 m), 0.5 deeper
//   MSF     = 10^2.24 / M^2.56, exactly 1 at M 7.5
//   Ksigma  = (sigma'_v / 1 atm)^(f - 1), f = 0.7; 1 where sigma'_v <= 1 atm
//   FS      = CRR7.5 MSF Ksigma / CSR, capped at 2
//   Ev (%)  Zhang, Robertson & Brachman 2002, from FS and qc1Ncs = Kc Qc1
// Every function here is pure: missing inputs (-5435) give the missing marker.
// Depths are in feet as everywhere in the program; the formulas' own depths
// (rd, LPI, LSN) are metres, converted here.
#pragma once

#include <vector>

// Soil that is clay-like by the soil behaviour type index (Ic above this) is
// not rated for liquefaction.
inline constexpr float kLiquefactionIcLimit = 2.6f;
// The factor of safety is capped here; every consequence is nil from it on.
inline constexpr float kLiquefactionFsCap = 2.0f;

// Stress reduction factor rd at depth z (m) of Robertson & Wride 1998.
float Liquefaction_rd(float depthM);

// The simplified cyclic stress ratio at a depth of `depthFt` with total and
// effective vertical stress in atm; missing when amax or a stress is missing or
// the effective stress is not above 0.
float Liquefaction_csrSimplified(float amaxG, float vtsAtm, float vesAtm, float depthFt);

// Magnitude scaling factor; missing for a magnitude that is missing or not
// above 0.
float Liquefaction_msf(float magnitude);

// Overburden correction Ksigma (f = 0.7): 1 up to 1 atm, below 1 beyond.
float Liquefaction_kSigma(float vesAtm);

// CRR7.5 x MSF x Ksigma / CSR, capped at 2 (a CSR of 0 gives 2); missing when
// any input is missing.
float Liquefaction_fs(float crr, float msf, float kSigma, float csr);

// Robertson & Wride 1998 grain characteristic factor: 1 at Ic <= 1.64, else
// -0.403 Ic^4 + 5.581 Ic^3 - 21.63 Ic^2 + 33.75 Ic - 17.88.
float Liquefaction_kc(float ic);

// Clean-sand equivalent resistance Kc x Qc1, limited to 33 .. 200 (the range
// of the strain curves).
float Liquefaction_qc1ncs(float ic, float qc1);

// Post-liquefaction volumetric strain (%) of Zhang, Robertson & Brachman 2002
// at a factor of safety and qc1Ncs (taken within 33 .. 200): the published
// curves at FS 0.5 (and below) to 1.3, linear in FS between neighbouring
// curves and from the 1.3 curve down to 0 at FS 2; 0 from FS 2 on.
float Liquefaction_strain(float fs, float qc1ncs);

// What a sounding's profile of factors of safety and strains adds up to. Each
// reading stands for the layer from the reading above it down to itself, with
// the reading's values through the layer (the first reading's layer is as
// thick as the step to the second, and does not reach above the surface: a
// sounding below a predrilled hole says nothing of the soil above it); the
// depth-weighted indices take each layer's middle. A missing FS or strain adds
// nothing (no factor applies there).
struct LiquefactionIndices {
  float lpi = 0.0f;           // Iwasaki et al. 1978: sum of (1 - FS) (10 - 0.5 z) dz, FS < 1, z to 20 m
  float lpiIsh = 0.0f;        // Maurer et al. 2015, from the crust's base H1 (>= 0.4 m) to 20 m
  float lsn = 0.0f;           // van Ballegooy et al. 2014: 10 x sum of Ev(%) / z dz, to 20 m
  float settlementFt = 0.0f;  // sum of Ev x layer thickness over the whole profile
  float liquefiesTopFt = -5435.0f;     // top of the shallowest layer with FS < 1
  float liquefiesBottomFt = -5435.0f;  // bottom of the deepest layer with FS < 1
  float liquefiesThicknessFt = 0.0f;   // thickness of all layers with FS < 1
  float crustM = -5435.0f;             // H1 of LPI_ISH (missing when nothing has FS < 1)
};

// The indices of a profile: depthsFt strictly increasing (readings without a
// depth left out by the caller), fs and strainPct of the same length.
LiquefactionIndices Liquefaction_indices(const std::vector<float>& depthsFt, const std::vector<float>& fs,
                                         const std::vector<float>& strainPct);

// The cumulative settlement (ft) at each reading's depth: the settlement of the
// layers below it (0 at the last reading; at the surface it is the whole
// profile's, LiquefactionIndices::settlementFt).
std::vector<float> Liquefaction_settlementProfile(const std::vector<float>& depthsFt,
                                                  const std::vector<float>& strainPct);
