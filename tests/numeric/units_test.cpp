// Unit conversion factors and true/false words.
#include "numeric/units.h"

#include "support/vurn_test.h"

namespace {

class UnitsTest : public VurnTest {};

TEST_F(UnitsTest, FactorsByNameInAnyCase) {
  EXPECT_EQ(UnitFactor_get("ft/m"), 3.28084f);
  EXPECT_EQ(UnitFactor_get("Fps/Mps"), 3.28084f);
  EXPECT_NEAR(UnitFactor_get("ATM/PSF"), 0.000472541, 1e-9);
  EXPECT_EQ(UnitFactor_get("ATM/TSF"), 0.95f);
  EXPECT_EQ(UnitFactor_get("fps/vcw"), 4859.0f);
  EXPECT_EQ(UnitFactor_get("M/SEC_FOR_WATERC"), 1481.0f);
}

TEST_F(UnitsTest, PressureFactorsAgreeWithEachOther) {
  struct Pair {
    const char* there;
    const char* back;
  };
  for (const Pair& p : {Pair{"FT/M", "M/FT"}, Pair{"FPS/MPS", "MPS/FPS"}, Pair{"ATM/TSF", "TSF/ATM"},
                        Pair{"ATM/MPA", "MPA/ATM"}, Pair{"ATM/KPA", "KPA/ATM"}, Pair{"ATM/PSI", "PSI/ATM"},
                        Pair{"ATM/PSF", "PSF/ATM"}}) {
    EXPECT_NEAR(double(UnitFactor_get(p.there)) * UnitFactor_get(p.back), 1.0, 1e-5) << p.there;
  }
  // Through atmospheres: 1 psf is 47.88 Pa.
  EXPECT_NEAR(UnitFactor_get("KPA/PSF"), 0.0478802, 2e-7);
  EXPECT_NEAR(UnitFactor_get("MPA/PSF"), 0.0000478802, 2e-10);
  EXPECT_NEAR(UnitFactor_get("PSI/ATM"), 14.69594, 1e-5);
  EXPECT_NEAR(UnitFactor_get("MPA/ATM"), 0.101325, 1e-8);
  EXPECT_NEAR(UnitFactor_get("KPA/ATM"), 101.325, 1e-4);
}

TEST_F(UnitsTest, QuotientsAreTakenInDoubleThenStoredAsFloat) {
  // Each of these differs from the same quotient taken in 32-bit floats.
  EXPECT_EQ(UnitFactor_get("W1/PCF"), static_cast<float>(1.0 / 62.4));
  EXPECT_NE(UnitFactor_get("W1/PCF"), 1.0f / 62.4f);
  EXPECT_EQ(UnitFactor_get("WATER1/PCF"), UnitFactor_get("W1/PCF"));
  EXPECT_EQ(UnitFactor_get("HWATERFEET/PSF"), UnitFactor_get("W1/PCF"));
  EXPECT_EQ(UnitFactor_get("PSI/ATM"), static_cast<float>(1.0 / 0.068046));
  EXPECT_EQ(UnitFactor_get("KPA/PSF"), static_cast<float>(101.325 / 2116.22));
}

TEST_F(UnitsTest, UnknownNamesStopTheProgram) {
  for (const char* name : {"", "FT/MM", " FT/M", "FT/M ", "PSF/KPA", "ATM"}) {
    EXPECT_FATAL_STOP(UnitFactor_get(name)) << name;
  }
}

TEST_F(UnitsTest, TrueFalseWords) {
  struct Case {
    const char* text;
    bool defaultValue;
    bool expected;
  };
  for (const Case& c : {Case{" yes ", false, true}, Case{"TRUE", false, true}, Case{"True", false, true},
                        Case{"no", true, false}, Case{" False", true, false}, Case{"", false, false},
                        Case{"", true, true}, Case{"   ", true, true}}) {
    EXPECT_EQ(TrueFalse_read(c.text, c.defaultValue), c.expected) << c.text;
  }
  for (const char* word : {"Y", "N", "1", "0", "T", "YESS"}) {
    EXPECT_ERROR_REPORT(TrueFalse_read(word, true), "TF321");
  }
}

}  // namespace
