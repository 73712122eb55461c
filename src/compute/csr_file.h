// The project's CSR earthquake file: the cyclic stress a site response analysis
// gives against depth, for one or several ground motions, read once per run
// and interpolated at each depth of a sounding.
//
// Layout (text, any line end; blank lines are skipped):
//   # LIQ-CSR v1                      first line, names the layout
//   # depth_unit=ft                   ft or m (required)
//   # quantity=CSR                    CSR, TAU_PSF, TAU_KPA or STRESS_RATIO (required)
//   # event_magnitude=7.0             optional: the magnitude for MSF, in place of the window's
//   # combine=mean                    optional: mean (default), median or max of the motions
//   depth,gm01,gm02,gm03              the column row: "depth", then one name per motion
//   5.0,0.241,0.228,0.260             one row per depth, depths strictly increasing
// Text after a value on a "#" line (a note in brackets) is ignored; keys are
// compared without regard to case.
//
// What a row's motions combine to is, by quantity: the CSR itself; a maximum
// shear stress tau (psf or kPa), whose CSR is 0.65 tau / sigma'_v with the
// program's own effective stress; or a stress ratio tau / sigma'_v, whose CSR
// is 0.65 times it. Values are interpolated linearly in depth and never
// extrapolated: outside the file's depths there is no value.
//
// Errors (through Error_report, which does not return), each naming the file,
// the line number and the line:
//   "CSR501"  first line is not "# LIQ-CSR v1";
//   "CSR502"  a "#" line that is not key=value, an unknown key, or a value not allowed;
//   "CSR503"  depth_unit or quantity not given;
//   "CSR504"  no column row, or one that does not start with "depth" or names no motion;
//   "CSR505"  a row whose cell count differs from the column row's;
//   "CSR506"  a cell that is not a number (or a negative value);
//   "CSR507"  a depth not below the one before it;
//   "CSR508"  fewer than two depth rows.
#pragma once

#include <string>
#include <vector>

struct CsrFileTable {
  std::string path;                 // engine path read
  std::string depthUnit;            // "FT" or "M"
  std::string quantity;             // "CSR", "TAU_PSF", "TAU_KPA" or "STRESS_RATIO"
  std::string combine = "MEAN";     // "MEAN", "MEDIAN" or "MAX"
  float magnitude = -5435.0f;       // event_magnitude, missing when not given
  std::vector<std::string> motions; // names of the motion columns
  std::vector<float> depthsFt;      // strictly increasing, in feet
  std::vector<float> values;        // the motions combined, in the file's quantity
};

// Reads the file at `enginePath` into `table` (replaced). False, with nothing
// reported, when the file cannot be opened; a file that opens but breaks the
// layout is an error (see above).
bool CsrFile_read(const std::string& enginePath, CsrFileTable& table);

// The combined value at `depthFt`, linear between the two rows around it;
// missing outside the first to the last depth of the table (ends included as
// inside) or when the depth is missing.
float CsrFile_valueAt(const CsrFileTable& table, float depthFt);

// The cyclic stress ratio a combined value stands for at effective stress
// `vesAtm`: CSR as is, 0.65 x stress ratio, 0.65 x tau / sigma'_v; missing
// when the value is missing, or for tau when the stress is missing or not
// above 0.
float CsrFile_csr(const CsrFileTable& table, float value, float vesAtm);
