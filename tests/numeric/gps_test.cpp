// GGA sentence to signed decimal degrees, and the reports for bad sentences.
#include "numeric/gps.h"

#include <gtest/gtest.h>

#include <string>

#include "core/null_value.h"
#include "support/vurn_test.h"

namespace {

class GpsGgaConvert : public VurnTest {};

const std::string Sentence = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

TEST_F(GpsGgaConvert, ReadsPositionInBothHemispheres) {
  const struct {
    std::string text;
    double latitude, longitude;
    float third;
  } cases[] = {
      {Sentence, 48.0 + 7.038 / 60.0, 11.0 + 31.0 / 60.0, 0.9f},
      {"$GPGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,46.9,M,,*47", -(48.0 + 7.038 / 60.0),
       -(11.0 + 31.0 / 60.0), 0.9f},
      {"$GPGGA,123519,4807.0,N,01131.5,E,1,08,1.7", 48.0 + 7.0 / 60.0, 11.0 + 31.5 / 60.0, 1.7f},
      {"$GPGGA,123519,0000.5,N,00000.25,W,1,08,,545.4", 0.5 / 60.0, -0.25 / 60.0, NullValue},
      {"$GPGGA,123519,4807.038,N,01131.000,E,1", 48.0 + 7.038 / 60.0, 11.0 + 31.0 / 60.0, NullValue},
  };
  for (const auto& c : cases) {
    double latitude = 0.0;
    double longitude = 0.0;
    float third = 0.0f;
    GpsGga_convert(c.text, latitude, longitude, third);
    EXPECT_DOUBLE_EQ(latitude, c.latitude) << c.text;
    EXPECT_DOUBLE_EQ(longitude, c.longitude) << c.text;
    EXPECT_EQ(third, c.third) << c.text;
  }
}

TEST_F(GpsGgaConvert, BadSentencesAreReported) {
  const struct {
    const char* text;
    const char* id;
  } cases[] = {
      {"NO GPS", "GPS323"},
      {"", "GPS323"},
      {"    ", "GPS323"},
      {"$GPGGA,123519,4807.038,X,01131.000,E,1,08,0.9", "GPS334"},
      {"$GPGGA,123519,4807.038,N,01131.000,X,1,08,0.9", "GPS323"},  // no ",W," or ",E,"
      {"$GPGGA,123519,4807.038,N,01131.000,E", "GPS323"},           // ",E" without its comma
      {"$GPGGA,123519,,N,01131.000,E,1,08,0.9", "GPS323"},          // empty latitude
      {"$GPGGA,123519,48A7.038,N,01131.000,E,1,08,0.9", "GPS323"},  // minutes not a number
      {"$GPGGA,123519,AB07.038,N,01131.000,E,1,08,0.9", "GPS323"},  // degrees not a number
      {"$GPGGA,123519,4807.038,N,0X131.000,E,1,08,0.9", "GPS323"},
      {"$GPGGA,123519,7.038,N,01131.000,E,1,08,0.9", "GPS323"},  // no room for degrees
      {"$GPGGA,123519,4807,N,01131,E,1,08,0.9", "GPS323"},       // no points
      {"GGA,N,E,", "GPS323"},
  };
  for (const auto& c : cases) {
    double latitude = 1.0;
    double longitude = 2.0;
    float third = 3.0f;
    EXPECT_ERROR_REPORT(GpsGga_convert(c.text, latitude, longitude, third), c.id);
    EXPECT_EQ(latitude, 1.0) << c.text;  // nothing written on a bad sentence
    EXPECT_EQ(longitude, 2.0);
    EXPECT_EQ(third, 3.0f);
  }
}

TEST_F(GpsGgaConvert, CutSentencesAreReportedNeverReadPast) {
  // Every prefix of a good sentence either converts or is reported; none reads
  // out of the text (a std::out_of_range or a crash would fail here).
  for (const std::string& base : {Sentence, std::string("$GPGGA,1,4807.038,S,01131.000,W,1,08,0.9")}) {
    for (size_t length = 0; length <= base.size(); ++length) {
      const std::string text = base.substr(0, length);
      double latitude = 0.0;
      double longitude = 0.0;
      float third = 0.0f;
      try {
        GpsGga_convert(text, latitude, longitude, third);
        EXPECT_NEAR(std::abs(latitude), 48.1173, 1e-4) << text;
      } catch (const ErrorHalt& halt) {
        EXPECT_TRUE(halt.identifier == "GPS323" || halt.identifier == "GPS334") << text << " " << halt.identifier;
      }
    }
  }
}

}  // namespace
