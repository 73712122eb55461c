// The depth record: the one record of the depth being processed, read and
// written by the computation (unit weight, stress, normalization, predictions,
// zero load) and by the Q1o writer. All fields are 32-bit floats in the
// program's internal units; NullValue (-5435) means missing.
#pragma once

#include "core/null_value.h"

struct DepthValues {
  // Reset at the start of every depth.
  float depth = NullValue;       // ft
  float qc = NullValue;          // atm
  float fs = NullValue;          // atm
  float u2 = NullValue;          // atm
  float inclX = NullValue;       // as in the field data
  float inclY = NullValue;       // as in the field data
  float qt = NullValue;          // atm, tip resistance used for normalization
  float unitWeight = NullValue;  // pcf
  float fr = NullValue;          // %, friction ratio
  float qc1 = NullValue;         // stress-normalised tip resistance
  float fs1 = NullValue;         // stress-normalised sleeve friction
  float c = NullValue;           // normalization exponent

  // Kept from depth to depth.
  float fileUnitWeight = NullValue;  // pcf, last interpolated from the UWT file
  float vesSumPsf = 0.0f;            // psf, running vertical effective stress
  float ves = NullValue;             // atm, vertical effective stress
  float vtsSumPsf = 0.0f;            // psf, running vertical total stress
  float vts = NullValue;             // atm, vertical total stress
  float previousDepth = 0.0f;        // ft
};

extern DepthValues gDepth;

// Sets every per-depth field to the missing marker; the running sums stay.
void DepthValues_resetDepth();

// Back to the state before the first sounding.
void DepthValues_reset();
