// The picture formatter and the plain number text: the picture examples, the
// missing-value layouts, the range bounds, property tests over random values
// and pictures against printf's digits, the quick digits against the exact ones.
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
#include "support/alloc_counter.h"

namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

TEST(NumberFormat, PictureExamples) {
  const struct { float value; const char* picture; bool underscores; const char* expected; } cases[] = {
      // Aligned, decimals cut toward zero (never rounded), integer part never cut.
      {2.5f, "##.##", false, " 2.50"}, {2.999f, "##.##", false, " 2.99"}, {-2.999f, "##.##", false, "-2.99"},
      {2.9f, "###", false, "  2"}, {0.25f, "#.###", false, "0.250"}, {-0.001f, "##.#", false, "-0.0"},
      {1.5f, "###.##,", false, "  1.50,"}, {3.25f, "###.#  ", false, "  3.2  "}, {7.0f, "###.", false, "  7."},
      {1234.5f, "##.#", false, "1234.5"}, {-98765.0f, "###", false, "-98765"},
      // The seven-digit text is cut, not the binary expansion.
      {0.1f, "#.#########", false, "0.100000000"}, {1.0f / 3.0f, "#.##########", false, "0.3333333000"},
      {16777215.0f, "##########", false, "  16777220"}, {0.9999999f, "#.###", false, "0.999"},
      {1.9999999f, "###.#", false, "  2.0"}, {-1.9999999f, "###.#", false, " -2.0"},
      // Zero: one digit at W / 2, halves to the even position.
      {0.0f, "####.###", false, "   0    "}, {0.0f, "#######", false, "   0   "}, {0.0f, "#####", false, " 0   "},
      {0.0f, "###", false, " 0 "}, {0.0f, "#", false, "0"}, {-0.0f, "####.###", true, "   0    "},
      // Missing: underscores, or the marker placed by the body and cut to the picture.
      {NullValue, "####.###", true, "________"}, {NullValue, " ##.#,", true, "______"},
      {NullValue, "####.###", false, "   -5435"}, {NullValue, "#####.###", false, "-5435    "},
      {NullValue, "##########.##", false, "    -5435    "}, {NullValue, "#######.##############", false, " -5435         "},
      {NullValue, "##.####", false, "  -5435"}, {NullValue, " ####.###,", false, "    -5435,"},
      {NullValue, "###,", false, "-5435,"}, {NullValue, "#####   ", false, "   -5435"},
      // Outside 1e-14 .. 1e11 the text stands alone; the bounds are inside.
      {2e11f, "###,", false, "200000000000.,"}, {-2e11f, " ###.#", false, "-200000000000."},
      {1e11f, "############", false, "100000000000"}, {1e-14f, "#.###", false, "0.000"},
      {9e-15f, "#.###", false, ".000000000000009"}, {1e-30f, "#.###", false, "0."},
      {Inf, "###.#", false, "Inf"}, {-Inf, "###.#,", false, "-Inf,"}, {NaN, "###.#", false, "NaN"},
      // At most eighteen decimals: 1.234567e-13 needs nineteen, the 18th rounds.
      {1.234567e-13f, "#.####################", false, "0.00000000000012345700"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Number_format(c.value, c.picture, c.underscores), c.expected) << c.value << " [" << c.picture << "]";
    EXPECT_LE(AllocationsDuring([&] { (void)Number_format(c.value, c.picture, c.underscores); }), 1u);
  }
}

TEST(PlainNumberText, ShortestSevenDigitTextWithSignPlace) {
  const struct { float value; const char* expected; } cases[] = {
      {0.5f, " .5"}, {-0.5f, "-.5"}, {0.0f, " 0"}, {-0.0f, " 0"}, {60.0f, " 60"}, {-2.25f, "-2.25"},
      {1.0f / 3.0f, " .3333333"}, {NullValue, "-5435"}, {9999999.0f, " 9999999"}, {12345678.0f, " 1.234568E+07"},
      {0.0001f, " .0001"}, {0.00001f, " 1E-05"}, {-2.5e-7f, "-2.5E-07"},
      {std::numeric_limits<float>::max(), " 3.402823E+38"}, {NaN, " NaN"}, {-Inf, "-Inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(PlainNumber_text(c.value), c.expected) << c.value;
  EXPECT_EQ(PlainInteger_text(12), " 12");
  EXPECT_EQ(PlainInteger_text(-3), "-3");
  EXPECT_EQ(PlainInteger_text(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

struct RandomPicture { std::string text; size_t lead, integer, decimals, trail; bool point, comma; };

RandomPicture randomPicture(std::mt19937& random) {
  auto pick = [&](int low, int high) { return static_cast<size_t>(std::uniform_int_distribution<int>(low, high)(random)); };
  RandomPicture p{};
  p.lead = pick(0, 3);
  p.integer = pick(1, 9);
  p.point = pick(0, 3) != 0;
  p.decimals = p.point ? pick(0, 9) : 0;
  p.comma = pick(0, 3) == 0;
  p.trail = pick(0, 2);
  p.text = std::string(p.lead, ' ') + std::string(p.integer, '#') + (p.point ? "." + std::string(p.decimals, '#') : "") +
           (p.comma ? "," : "") + std::string(p.trail, ' ');
  return p;
}

// Against printf's "%.7g": the integer part right-aligned, the decimals those
// of the seven-digit text cut or padded with zeros, blanks and comma in place.
TEST(NumberFormat, PropertyAlignedPartMatchesPrintfDigits) {
  std::mt19937 random(20240611u);
  std::uniform_real_distribution<float> mantissa(1.0f, 9.99f);
  std::uniform_int_distribution<int> power(-4, 5);
  for (int i = 0; i < 20000; ++i) {
    const RandomPicture p = randomPicture(random);
    float value = mantissa(random) * std::pow(10.0f, static_cast<float>(power(random)));
    if (random() % 2 == 0) value = -value;
    const std::string result = Number_format(value, p.text, random() % 2 == 0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
    const std::string reference = buffer;
    const size_t dot = reference.find('.');
    const std::string refInteger = reference.substr(0, dot);
    const std::string refDecimals = dot == std::string::npos ? "" : reference.substr(dot + 1);
    SCOPED_TRACE("value " + reference + " picture [" + p.text + "] result [" + result + "]");

    const size_t overflow = refInteger.size() > p.integer ? refInteger.size() - p.integer : 0;
    ASSERT_EQ(result.size(), p.text.size() + overflow);
    EXPECT_EQ(result.substr(0, p.lead), std::string(p.lead, ' '));
    EXPECT_EQ(result.substr(result.size() - p.trail), std::string(p.trail, ' '));
    EXPECT_TRUE(!p.comma || result[result.size() - p.trail - 1] == ',');
    const std::string aligned = result.substr(p.lead, result.size() - p.lead - p.trail - (p.comma ? 1 : 0));
    const std::string integer = aligned.substr(0, std::max(p.integer, refInteger.size()));
    EXPECT_EQ(integer.substr(integer.find_first_not_of(' ')), refInteger);
    std::string decimals = refDecimals.substr(0, p.decimals);
    decimals.resize(p.decimals, '0');
    EXPECT_EQ(aligned.substr(integer.size()), p.point ? "." + decimals : "");
  }
}

// Whatever a picture's cut leaves of the missing-value marker is never a number.
TEST(NumberFormat, PropertyMissingValueNeverPrintsAsANumber) {
  std::mt19937 random(7u);
  for (int i = 0; i < 2000; ++i) {
    const RandomPicture p = randomPicture(random);
    EXPECT_EQ(Number_format(NullValue, p.text, true), std::string(p.text.size(), '_')) << p.text;
    std::string rest = Number_format(NullValue, p.text, false);
    const size_t body = p.integer + (p.point ? 1 + p.decimals : 0);
    EXPECT_TRUE(body > 5 ? rest.size() <= p.text.size()  // cut to the picture; a short body widens the field
                         : rest.size() == std::max<size_t>(p.text.size(), 5 + (p.comma ? 1 : 0))) << p.text;
    if (const size_t at = rest.find("-5435"); at != std::string::npos) rest.erase(at, 5);
    EXPECT_EQ(rest.find_first_not_of(" ,"), std::string::npos) << "[" << p.text << "] left [" << rest << "]";
  }
}

// The quick way to the seven digits gives the exact way's text for random bit
// patterns over the whole float range, integers, halves and their neighbours.
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
      values.insert(values.end(), {v, std::nextafter(v, 1e30f), std::nextafter(v, -1e30f)});
    }
  }
  const auto texts = [](float v, bool quick) {
    gNumberFormat_quickDigits = quick;
    return PlainNumber_text(v) + "|" + Number_format(v, "########.######", false);
  };
  for (float v : values) ASSERT_EQ(texts(v, true), texts(v, false)) << "value " << v;
  gNumberFormat_quickDigits = true;
}

}  // namespace
