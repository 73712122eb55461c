// Unit weight and vertical effective stress, depth by depth: the unit weight of
// the soil at each depth (from the unit weight chart, from the water table, or
// from the project's unit weight file), the running effective stress sum in psf
// and the stress in atm that the normalization uses. Also owns the unit weight
// file table (UWT file: depth and unit weight pairs).
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr std::int16_t kUwtPairs = 30;

struct UwtTable {
  std::string fileName;                       // "" until the first read
  std::array<float, kUwtPairs + 1> depths{};  // 1-based, ft
  std::array<float, kUwtPairs + 1> unitWeights{};  // 1-based, pcf
  std::int16_t count = 0;
};

extern UwtTable gUwtTable;

// Back to a program that has read no unit weight file.
void UwtTable_reset();

// Sets gDepth.unitWeight for the current depth from the sounding's UWT_METHOD.
void UnitWeight_compute();

// UnitWeight_compute, then advances the stress sums and sets gDepth.ves (and vts).
void EffectiveStress_step();

// Reads the sounding's unit weight file into gUwtTable unless it is the table
// already held, then sets gDepth.fileUnitWeight for the current depth.
void UwtFile_lookup();
