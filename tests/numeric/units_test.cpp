// Unit conversion factors against the units' own definitions, and true/false words.
#include "numeric/units.h"

#include "support/vurn_test.h"

namespace {

using UnitsTest = VurnTest;

// From the definitions: 1 ft = 0.3048 m, 1 atm = 101325 Pa, 1 psf = 4.4482216 N
// / 0.09290304 m^2 = 47.880259 Pa, 1 psi = 144 psf; the system's own ratios
// 1 tsf = 0.95 atm, water 62.4 pcf, sound in water 4859 ft/s and 1481 m/s.
TEST_F(UnitsTest, FactorsAgreeWithTheUnitDefinitions) {
  constexpr double Foot = 0.3048, Atm = 101325.0, Psf = 47.880259, Psi = 144 * Psf, Water = 62.4;
  const struct { const char* name; double expected; } cases[] = {
      {"ft/m", 1 / Foot}, {"Fps/Mps", 1 / Foot}, {"M/FT", Foot}, {"MPS/FPS", Foot}, {"ATM/TSF", 0.95},
      {"TSF/ATM", 1 / 0.95}, {"ATM/MPA", 1e6 / Atm}, {"MPA/ATM", Atm / 1e6}, {"ATM/KPA", 1e3 / Atm},
      {"KPA/ATM", Atm / 1e3}, {"ATM/PSF", Psf / Atm}, {"PSF/ATM", Atm / Psf}, {"MPA/PSF", Psf / 1e6},
      {"KPA/PSF", Psf / 1e3}, {"ATM/PSI", Psi / Atm}, {"PSI/ATM", Atm / Psi}, {"FT/SEC_FOR_WATERC", 4859},
      {"FPS/VCW", 4859}, {"M/SEC_FOR_WATERC", 1481}, {"W1/PCF", 1 / Water}, {"WATER1/PCF", 1 / Water},
      {"HWATERFEET/PSF", 1 / Water}, {"HWATERFEET/ATM", Atm / Psf / Water},  // about 34 ft of water per atm
  };
  for (const auto& c : cases) EXPECT_NEAR(UnitFactor_get(c.name) / c.expected, 1.0, 3e-6) << c.name;
  // Taken in double and rounded once: 1 / 62.4 in floats differs in the last bit.
  EXPECT_EQ(UnitFactor_get("W1/PCF"), static_cast<float>(1.0 / 62.4));
  for (const char* name : {"", "FT/MM", " FT/M", "PSF/KPA", "ATM"}) EXPECT_FATAL_STOP(UnitFactor_get(name)) << name;
}

TEST_F(UnitsTest, TrueFalseWords) {
  const struct { const char* text; bool defaultValue, expected; } cases[] = {
      {" yes ", false, true}, {"True", false, true}, {"no", true, false}, {" False", true, false},
      {"", false, false}, {"   ", true, true},
  };
  for (const auto& c : cases) EXPECT_EQ(TrueFalse_read(c.text, c.defaultValue), c.expected) << c.text;
  for (const char* word : {"Y", "1", "YESS"}) EXPECT_ERROR_REPORT(TrueFalse_read(word, true), "TF321");
}

}  // namespace
