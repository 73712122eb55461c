// The picture formatter and the plain number text: the picture examples, the
// missing-value layouts, the range bounds, a property test over random values
// and pictures, and the allocation bound.
#include "numeric/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/null_value.h"
#include "numeric/numeric_tools.h"
#include "support/alloc_counter.h"

namespace {

struct FormatCase {
  float value;
  const char* picture;
  bool nullAsUnderscores;
  const char* expected;
};

void expectFormats(const std::vector<FormatCase>& cases) {
  for (const FormatCase& c : cases) {
    EXPECT_EQ(Number_format(c.value, c.picture, c.nullAsUnderscores), c.expected)
        << "value " << c.value << " picture [" << c.picture << "]";
  }
}

TEST(NumberFormat, AlignsCutsAndPadsUnderThePicture) {
  expectFormats({
      {2.5f, "##.##", false, " 2.50"},
      {2.999f, "##.##", false, " 2.99"},  // cut, not rounded
      {-2.999f, "##.##", false, "-2.99"},  // cut toward zero
      {2.9f, "###", false, "  2"},
      {0.25f, "#.###", false, "0.250"},
      {-0.5f, "##.#", false, "-0.5"},
      {-0.001f, "##.#", false, "-0.0"},
      {1.5f, "###.##,", false, "  1.50,"},
      {12.5f, " ####.###", false, "   12.500"},
      {3.25f, "###.#  ", false, "  3.2  "},
      {1.5f, "          ##.#####", false, "           1.50000"},
      {7.0f, "###.", false, "  7."},
      {1234.5f, "##.#", false, "1234.5"},  // the integer part overflows, nothing is cut
      {-98765.0f, "###", false, "-98765"},
      {5435.0f, "####.###", false, "5435.000"},  // only the negative marker is missing
  });
}

TEST(NumberFormat, WritesTheSevenDigitTextNotTheBinaryExpansion) {
  expectFormats({
      {0.1f, "#.#########", false, "0.100000000"},          // 0.1f is 0.100000001490116...
      {1.0f / 3.0f, "#.##########", false, "0.3333333000"},  // seven digits, then zeros
      {16777215.0f, "##########", false, "  16777220"},      // rounded to seven digits first
      {123.4567f, "###.##", false, "123.45"},
      {0.9999999f, "#.###", false, "0.999"},
      {99.99999f, "###.#", false, " 99.9"},
      {1.9999999f, "###.#", false, "  2.0"},  // 1.99999988: seven digits round it to 2 before the cut
      {-1.9999999f, "###.#", false, " -2.0"},
  });
}

TEST(NumberFormat, ZeroIsOneCentredDigit) {
  expectFormats({
      {0.0f, "####.###", false, "   0    "},  // W 8: position 4
      {0.0f, "#######", false, "   0   "},   // W 7: 3.5 goes to 4
      {0.0f, "#####", false, " 0   "},       // W 5: 2.5 goes to 2
      {0.0f, "###", false, " 0 "},          // W 3: 1.5 goes to 2
      {0.0f, "##", false, "0 "},
      {0.0f, "#", false, "0"},
      {-0.0f, "####.###", true, "   0    "},
  });
}

TEST(NumberFormat, MissingValueLayouts) {
  expectFormats({
      {NullValue, "####.###", true, "________"},
      {NullValue, " ##.#,", true, "______"},
      {NullValue, "####.###", false, "   -5435"},       // L 8, p 5
      {NullValue, "#####.###", false, "-5435    "},      // L 9, p 6: cut to 9
      {NullValue, "##########.##", false, "    -5435    "},  // p 11: 4 blanks, r 7: 5 blanks, cut
      {NullValue, "#######.##############", false, " -5435         "},  // r 16: 9 blanks
      {NullValue, "##.####", false, "  -5435"},
      {NullValue, "######", false, " -5435"},
      {NullValue, " ####.###,", false, "    -5435,"},
      {NullValue, "###", false, "-5435"},         // short body: never cut
      {NullValue, "###,", false, "-5435,"},
      {NullValue, "#####   ", false, "   -5435"},  // short body: right-aligned to W
      {NullValue, "  ##.#", false, " -5435"},
  });
}

TEST(NumberFormat, OutsideTheAlignedRangeTheTextStandsAlone) {
  expectFormats({
      {2e11f, "####.###", false, "200000000000."},
      {2e11f, "###,", false, "200000000000.,"},
      {-2e11f, " ###.#", false, "-200000000000."},
      {1e11f, "############", false, "100000000000"},  // the upper bound is inside
      {1e-14f, "#.###", false, "0.000"},              // the lower bound is inside
      {9e-15f, "#.###", false, ".000000000000009"},
      {1e-30f, "#.###", false, "0."},  // nothing left within 18 decimals
      {std::numeric_limits<float>::infinity(), "###.#", false, "Inf"},
      {-std::numeric_limits<float>::infinity(), "###.#,", false, "-Inf,"},
      {std::numeric_limits<float>::quiet_NaN(), "###.#", false, "NaN"},
  });
}

TEST(NumberFormat, KeepsAtMostEighteenDecimals) {
  // 1.234567e-13 needs 19 decimals for seven digits; the 18th decimal rounds.
  EXPECT_EQ(Number_format(1.234567e-13f, "#.####################", false), "0.00000000000012345700");
  EXPECT_EQ(Number_format(1.5e-12f, "#.####################", false), "0.00000000000150000000");
}

// The integer and decimal parts of the seven-significant-digit text, taken from
// printf's "%.7g" (positional for the magnitudes the property test uses).
struct ReferenceText {
  std::string integer;   // with its sign; "0" or "-0" below one
  std::string decimals;  // trailing zeros removed
};

ReferenceText referenceText(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
  const std::string text = buffer;
  const size_t point = text.find('.');
  if (point == std::string::npos) return {text, ""};
  return {text.substr(0, point), text.substr(point + 1)};
}

struct RandomPicture {
  std::string text;
  size_t lead, integer, decimals, trail;
  bool point, comma;
};

RandomPicture randomPicture(std::mt19937& random) {
  auto pick = [&](int low, int high) {
    return static_cast<size_t>(std::uniform_int_distribution<int>(low, high)(random));
  };
  RandomPicture p{};
  p.lead = pick(0, 3);
  p.integer = pick(1, 9);
  p.point = pick(0, 3) != 0;
  p.decimals = p.point ? pick(0, 9) : 0;
  p.comma = pick(0, 3) == 0;
  p.trail = pick(0, 2);
  p.text = std::string(p.lead, ' ') + std::string(p.integer, '#');
  if (p.point) p.text += "." + std::string(p.decimals, '#');
  if (p.comma) p.text += ",";
  p.text += std::string(p.trail, ' ');
  return p;
}

TEST(NumberFormat, PropertyAlignedPartMatchesPictureAndDecimalsAreCut) {
  std::mt19937 random(20240611u);
  std::uniform_real_distribution<float> mantissa(1.0f, 9.99f);
  std::uniform_int_distribution<int> power(-4, 5);
  for (int i = 0; i < 20000; ++i) {
    const RandomPicture p = randomPicture(random);
    float value = mantissa(random) * std::pow(10.0f, static_cast<float>(power(random)));
    if (random() % 2 == 0) value = -value;
    const std::string result = Number_format(value, p.text, random() % 2 == 0);
    const ReferenceText ref = referenceText(value);
    SCOPED_TRACE("value " + std::to_string(value) + " picture [" + p.text + "] result [" + result + "]");

    const size_t overflow = ref.integer.size() > p.integer ? ref.integer.size() - p.integer : 0;
    ASSERT_EQ(result.size(), p.text.size() + overflow);
    const std::string aligned = result.substr(p.lead, result.size() - p.lead - p.trail - (p.comma ? 1 : 0));
    EXPECT_EQ(result.substr(0, p.lead), std::string(p.lead, ' '));
    EXPECT_EQ(result.substr(result.size() - p.trail), std::string(p.trail, ' '));
    if (p.comma) {
      EXPECT_EQ(result[result.size() - p.trail - 1], ',');
    }

    // Integer part: right-aligned, its digits those of the seven-digit text.
    const std::string integer = aligned.substr(0, std::max(p.integer, ref.integer.size()));
    const size_t firstMark = integer.find_first_not_of(' ');
    ASSERT_NE(firstMark, std::string::npos);
    EXPECT_EQ(integer.substr(firstMark), ref.integer);

    // Decimals: the seven-digit text's, cut or padded with zeros, never rounded.
    if (p.point) {
      std::string expectedDecimals = ref.decimals.substr(0, p.decimals);
      expectedDecimals.resize(p.decimals, '0');
      EXPECT_EQ(aligned.substr(integer.size()), "." + expectedDecimals);
    } else {
      EXPECT_EQ(aligned.size(), integer.size());
    }
    // Cutting never makes the magnitude larger than the seven-digit value's.
    const float shown = NumberOrNull(aligned);
    EXPECT_LE(std::fabs(shown), std::fabs(std::stof(ref.integer + "." + ref.decimals + "0")));
  }
}

TEST(NumberFormat, PropertyMissingValueNeverPrintsAsANumber) {
  std::mt19937 random(7u);
  for (int i = 0; i < 2000; ++i) {
    const RandomPicture p = randomPicture(random);
    SCOPED_TRACE("picture [" + p.text + "]");
    EXPECT_EQ(Number_format(NullValue, p.text, true), std::string(p.text.size(), '_'));

    const std::string text = Number_format(NullValue, p.text, false);
    const size_t body = p.integer + (p.point ? 1 + p.decimals : 0);
    if (body > 5) {
      EXPECT_LE(text.size(), p.text.size());
    } else {
      EXPECT_EQ(text.size(), std::max<size_t>(p.text.size(), 5 + (p.comma ? 1 : 0)));
    }
    // Whatever the cut leaves is the marker or a part of it, blanks and the comma.
    std::string rest = text;
    const size_t at = rest.find("-5435");
    if (at != std::string::npos) rest.erase(at, 5);
    EXPECT_EQ(rest.find_first_not_of(" ,"), std::string::npos) << "[" << text << "]";
    EXPECT_EQ(rest.find_first_of("0123456789"), std::string::npos);
  }
}

TEST(NumberFormat, AllocatesOnlyItsResult) {
  const struct {
    float value;
    const char* picture;
    bool underscores;
  } cases[] = {
      {2.5f, "##.##", false},
      {1234.567f, "          ##########.#########,   ", false},
      {-0.000123f, "#.####################", false},
      {0.0f, "                              ####.###", false},
      {NullValue, "          ##########.##########", false},
      {NullValue, "          ##########.##########", true},
      {3.0e30f, "##.#", false},
  };
  for (const auto& c : cases) {
    std::string result;
    const size_t allocations = AllocationsDuring([&] { result = Number_format(c.value, c.picture, c.underscores); });
    EXPECT_LE(allocations, 1u) << "[" << c.picture << "] gave [" << result << "]";
  }
}

TEST(PlainNumberText, ShortestSevenDigitTextWithSignPlace) {
  const struct {
    float value;
    const char* expected;
  } cases[] = {
      {0.5f, " .5"},
      {-0.5f, "-.5"},
      {0.0f, " 0"},
      {-0.0f, " 0"},
      {60.0f, " 60"},
      {1.2f, " 1.2"},
      {-2.25f, "-2.25"},
      {1.0f / 3.0f, " .3333333"},
      {NullValue, "-5435"},
      {1234567.0f, " 1234567"},
      {9999999.0f, " 9999999"},
      {12345678.0f, " 1.234568E+07"},
      {0.0001f, " .0001"},
      {0.00001f, " 1E-05"},
      {-2.5e-7f, "-2.5E-07"},
      {-3.5e20f, "-3.5E+20"},
      {std::numeric_limits<float>::max(), " 3.402823E+38"},
      {std::numeric_limits<float>::quiet_NaN(), " NaN"},
      {-std::numeric_limits<float>::infinity(), "-Inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(PlainNumber_text(c.value), c.expected) << c.value;
}

TEST(PlainNumberText, IntegersCarryTheSamePlaceForTheSign) {
  EXPECT_EQ(PlainInteger_text(12), " 12");
  EXPECT_EQ(PlainInteger_text(0), " 0");
  EXPECT_EQ(PlainInteger_text(-3), "-3");
  EXPECT_EQ(PlainInteger_text(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

// The quick way to the seven digits gives the exact way's text for every kind
// of value: random bit patterns over the whole float range, integers, halves
// and the values just beside them.
TEST(NumberFormat, QuickDigitsAreTheExactDigits) {
  std::mt19937 random(99u);
  std::vector<float> values;
  for (int i = 0; i < 300000; ++i) {
    const std::uint32_t bits = static_cast<std::uint32_t>(random());
    float v = 0.0f;
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
  }
  for (int i = -20000; i <= 20000; ++i) {
    const float whole = static_cast<float>(i);
    for (float v : {whole, whole + 0.5f, whole / 8.0f, whole * 1000.0f + 0.5f, 9999999.5f, 0.99999995f}) {
      values.push_back(v);
      values.push_back(std::nextafter(v, 1e30f));
      values.push_back(std::nextafter(v, -1e30f));
    }
  }
  const auto texts = [](float v) { return PlainNumber_text(v) + "|" + Number_format(v, "########.######", false); };
  for (float v : values) {
    gNumberFormat_quickDigits = true;
    const std::string quick = texts(v);
    gNumberFormat_quickDigits = false;
    const std::string exact = texts(v);
    gNumberFormat_quickDigits = true;
    ASSERT_EQ(quick, exact) << "value " << v;
  }
}

}  // namespace
