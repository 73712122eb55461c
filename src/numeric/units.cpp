// Unit conversion factors and true/false words.
#include "numeric/units.h"

#include <array>
#include <string>

#include "core/halt.h"
#include "core/report.h"
#include "files/text.h"

namespace {

struct UnitFactor {
  std::string_view name;
  double factor;  // the float factor is this value rounded once to 32 bits
};

// Pressures: 1 atm = 0.101325 MPa = 101.325 kPa = 2116.22 psf = 1 / 0.068046 psi,
// and 1 tsf = 0.95 atm (the ratio the system uses throughout).
constexpr double FeetPerMetre = 3.28084;
constexpr double MpaPerAtm = 0.101325;
constexpr double KpaPerAtm = 101.325;
constexpr double PsfPerAtm = 2116.22;
constexpr double AtmPerTsf = 0.95;
constexpr double AtmPerPsi = 0.068046;
constexpr double PcfOfWater = 62.4;

constexpr std::array<UnitFactor, 23> UnitFactors{{
    {"FT/M", FeetPerMetre},
    {"FPS/MPS", FeetPerMetre},
    {"M/FT", 1.0 / FeetPerMetre},
    {"MPS/FPS", 1.0 / FeetPerMetre},
    {"ATM/TSF", AtmPerTsf},
    {"TSF/ATM", 1.0 / AtmPerTsf},
    {"ATM/MPA", 9.86923},
    {"MPA/ATM", MpaPerAtm},
    {"ATM/KPA", 1.0 / KpaPerAtm},
    {"KPA/ATM", KpaPerAtm},
    {"ATM/PSF", 1.0 / PsfPerAtm},
    {"PSF/ATM", PsfPerAtm},
    {"MPA/PSF", MpaPerAtm / PsfPerAtm},
    {"KPA/PSF", KpaPerAtm / PsfPerAtm},
    {"ATM/PSI", AtmPerPsi},
    {"PSI/ATM", 1.0 / AtmPerPsi},
    {"FT/SEC_FOR_WATERC", 4859.0},
    {"FPS/VCW", 4859.0},
    {"M/SEC_FOR_WATERC", 1481.0},
    {"W1/PCF", 1.0 / PcfOfWater},
    {"WATER1/PCF", 1.0 / PcfOfWater},
    {"HWATERFEET/PSF", 1.0 / PcfOfWater},
    {"HWATERFEET/ATM", PsfPerAtm / PcfOfWater},
}};

}  // namespace

float UnitFactor_get(std::string_view name) {
  for (const UnitFactor& entry : UnitFactors) {
    if (SameIgnoringCase(entry.name, name)) return static_cast<float>(entry.factor);
  }
  Fatal_stop("no unit conversion factor named " + std::string(name));
}

bool TrueFalse_read(std::string_view text, bool defaultValue) {
  const std::string word = UpperCased(TrimBlanks(text));
  if (word.empty()) return defaultValue;
  if (word == "TRUE" || word == "YES") return true;
  if (word == "FALSE" || word == "NO") return false;
  Error_report("bad true/false", "TF321");
}
