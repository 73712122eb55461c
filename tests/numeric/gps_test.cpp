// GGA sentence to signed decimal degrees, and the reports for bad sentences.
#include "numeric/gps.h"

#include <string>

#include "core/null_value.h"
#include "support/vurn_test.h"

namespace {

using GpsGgaConvert = VurnTest;

const std::string Sentence = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

// Degrees and minutes (ddmm.mmm) to degrees: 48 deg 07.038 min is 48.1173 deg.
TEST_F(GpsGgaConvert, ReadsPositionInBothHemispheres) {
  const struct { std::string text; double latitude, longitude; float third; } cases[] = {
      {Sentence, 48.1173, 11.516666667, 0.9f},
      {"$GPGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,46.9,M,,*47", -48.1173, -11.516666667, 0.9f},
      {"$GPGGA,123519,0000.5,N,00000.25,W,1,08,,545.4", 0.008333333, -0.004166667, NullValue},
      {"$GPGGA,123519,4807.0,N,01131.5,E,1", 48.116666667, 11.525, NullValue},
  };
  for (const auto& c : cases) {
    double latitude = 0.0, longitude = 0.0;
    float third = 0.0f;
    GpsGga_convert(c.text, latitude, longitude, third);
    EXPECT_NEAR(latitude, c.latitude, 1e-9) << c.text;
    EXPECT_NEAR(longitude, c.longitude, 1e-9) << c.text;
    EXPECT_EQ(third, c.third) << c.text;
  }
}

// A bad sentence is reported and writes nothing; no prefix of a good sentence
// reads out of the text (a std::out_of_range or a crash would fail here).
TEST_F(GpsGgaConvert, BadAndCutSentencesAreReported) {
  const struct { std::string text; const char* id; } cases[] = {
      {"NO GPS", "GPS323"}, {"    ", "GPS323"}, {"$GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9", "GPS334"},
      {"$GPGGA,123519,4807.038,N,01131.000,X,1,08,0.9", "GPS323"},  // no ",W," or ",E,"
      {"$GPGGA,123519,,N,01131.000,E,1,08,0.9", "GPS323"},          // empty latitude
      {"$GPGGA,123519,48A7.038,N,01131.000,E,1,08,0.9", "GPS323"},  // minutes not a number
      {"$GPGGA,123519,7.038,N,01131.000,E,1,08,0.9", "GPS323"},     // no room for degrees
      {"$GPGGA,123519,4807,N,01131,E,1,08,0.9", "GPS323"},          // no points
  };
  for (const auto& c : cases) {
    double latitude = 1.0, longitude = 2.0;
    float third = 3.0f;
    EXPECT_EQ(HaltOf([&] { GpsGga_convert(c.text, latitude, longitude, third); }).identifier, c.id) << c.text;
    EXPECT_TRUE(latitude == 1.0 && longitude == 2.0 && third == 3.0f) << c.text;
  }
  for (size_t length = 0; length <= Sentence.size(); ++length) {
    double latitude = 0.0, longitude = 0.0;
    float third = 0.0f;
    try {
      GpsGga_convert(Sentence.substr(0, length), latitude, longitude, third);
      EXPECT_NEAR(latitude, 48.1173, 1e-4) << length;
    } catch (const ErrorHalt& halt) {
      EXPECT_TRUE(halt.identifier == "GPS323" || halt.identifier == "GPS334") << length << " " << halt.identifier;
    }
  }
}

}  // namespace
