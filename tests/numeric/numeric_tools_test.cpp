// Text to number, missing-aware arithmetic, guarded log and power, rounding
// down, interpolation and the column-width tool.
#include "numeric/numeric_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/null_value.h"
#include "support/vurn_test.h"

namespace {

TEST(NumberOrNull, ReadsNumbersAndGivesNullForEverythingElse) {
  const struct { const char* text; float expected; } cases[] = {
      {"12.5", 12.5f}, {"  -12.5  ", -12.5f}, {"\t7\r", 7.0f}, {"+5", 5.0f}, {".5", 0.5f}, {"-.5", -0.5f},
      {"5.", 5.0f}, {"1e3", 1000.0f}, {"2.5E-4", 2.5e-4f},
      {"0.1", 0.1f},              // correctly rounded to 32 bits
      {"16777217", 16777216.0f},  // the nearest 32-bit float
      {"3.4028235e38", std::numeric_limits<float>::max()},
      {"1e-60", 0.0f},  // too small: zero, not missing
      {"-5435", NullValue}, {"", NullValue}, {"    ", NullValue}, {"abc", NullValue}, {"12abc", NullValue},
      {"1,000", NullValue}, {"1.2.3", NullValue}, {"- 5", NullValue}, {"+-5", NullValue}, {".", NullValue},
      {"-", NullValue}, {"1e", NullValue}, {"e5", NullValue}, {"inf", NullValue}, {"nan", NullValue},
      {"0x10", NullValue}, {"1e39", NullValue}, {"-1e39", NullValue}, {"1e99999999999", NullValue},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberOrNull(c.text), c.expected) << "[" << c.text << "]";
  EXPECT_TRUE(std::signbit(NumberOrNull("-1e-60")));
}

TEST(MissingAwareArithmetic, AnyOperandOfMagnitude5435IsMissing) {
  const float Null = NullValue;
  const struct {
    float (*operation)(float, float);
    const char* name;
    float a, b, expected;
  } cases[] = {
      {AddOrNull, "add", 5435.0f, 1.0f, Null}, {AddOrNull, "add", 1.0f, -5435.0f, Null},
      {AddOrNull, "add", 1.5f, 2.0f, 3.5f}, {AddOrNull, "add", -5434.0f, 1.0f, -5433.0f},
      {MultiplyOrNull, "multiply", -5434.0f, 1.0f, -5434.0f}, {MultiplyOrNull, "multiply", 2.0f, 5435.0f, Null},
      {MultiplyOrNull, "multiply", 2.0f, 3.0f, 6.0f}, {DivideOrNull, "divide", 1.0f, 0.0f, Null},
      {DivideOrNull, "divide", 5435.0f, 2.0f, Null}, {DivideOrNull, "divide", 2.0f, -5435.0f, Null},
      {DivideOrNull, "divide", 1.0f, 4.0f, 0.25f},
  };
  for (const auto& c : cases) EXPECT_EQ(c.operation(c.a, c.b), c.expected) << c.name << " " << c.a << " " << c.b;

  float target = 3.0f;
  AssignIfNotNull(target, 5435.0f);
  EXPECT_EQ(target, 3.0f);
  AssignIfNotNull(target, NullValue);
  EXPECT_EQ(target, 3.0f);
  AssignIfNotNull(target, 7.5f);
  EXPECT_EQ(target, 7.5f);
}

TEST(RangeGate, BoundsPassAndOutsideBecomesMissing) {
  const struct {
    float value, expected;
  } cases[] = {{63.0f, 63.0f}, {155.0f, 155.0f}, {100.0f, 100.0f}, {62.9f, NullValue}, {155.1f, NullValue}};
  for (const auto& c : cases) {
    float value = c.value;
    RangeGate(value, 63.0f, 155.0f);
    EXPECT_EQ(value, c.expected) << c.value;
  }
}

TEST(GuardedLogAndPower, OutOfDomainGivesMissing) {
  EXPECT_EQ(Log10Checked(0.0f), NullValue);
  EXPECT_EQ(Log10Checked(-1.0f), NullValue);
  EXPECT_EQ(Log10Checked(std::numeric_limits<float>::quiet_NaN()), NullValue);
  EXPECT_EQ(Log10Checked(1000.0f), 3.0f);
  EXPECT_FLOAT_EQ(Log10Checked(2.0f), 0.30103f);

  EXPECT_EQ(Pow10Checked(5.0f), 100000.0f);
  EXPECT_EQ(Pow10Checked(-5.0f), 0.00001f);
  EXPECT_EQ(Pow10Checked(5.0001f), NullValue);
  EXPECT_EQ(Pow10Checked(-5.0001f), NullValue);
  EXPECT_EQ(Pow10Checked(NullValue), NullValue);
  EXPECT_EQ(Pow10Checked(0.0f), 1.0f);
}

TEST(RoundDown, FloorsAtTheDecimalTowardMinusInfinity) {
  const struct { float x; std::int16_t n; float expected; } cases[] = {
      {12.38f, 1, 12.3f}, {12.9f, 0, 12.0f}, {-2.55f, 1, -2.6f}, {-12.1f, 0, -13.0f},
      {0.129f, 2, 0.12f}, {1234.0f, -2, 1200.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundDown(c.x, c.n), c.expected) << c.x << " " << c.n;
}

TEST(Interpolate, StraightLineBetweenTwoPoints) {
  float out = 0.0f;
  Interpolate(1.0f, 1.5f, 2.0f, 10.0f, out, 20.0f);
  EXPECT_EQ(out, 15.0f);
  Interpolate(1.0f, 3.0f, 2.0f, 10.0f, out, 20.0f);  // beyond the points: extrapolates
  EXPECT_EQ(out, 30.0f);
  Interpolate(2.0f, 9.0f, 2.0f, 7.0f, out, 20.0f);  // equal x: the first y
  EXPECT_EQ(out, 7.0f);
}

class ColumnWidthTool : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gColumnWidth = {};
  }
};

TEST_F(ColumnWidthTool, PadsToTheWidestTextFound) {
  std::string text = "previous run";
  ColumnWidth_tool(text, "FIND");
  ColumnWidth_tool(text, "RESET");
  EXPECT_EQ(gColumnWidth.width, 0u);

  std::string shortText = "abc";
  std::string longText = "abcdefg";
  ColumnWidth_tool(shortText, "FIND");
  ColumnWidth_tool(longText, "FIND");
  ColumnWidth_tool(shortText, "FIND");
  EXPECT_EQ(gColumnWidth.width, 7u);
  ColumnWidth_tool(shortText, "SET_SIZE");
  EXPECT_EQ(shortText, "    abc");
  ColumnWidth_tool(longText, "SET_SIZE");
  EXPECT_EQ(longText, "abcdefg");
}

TEST_F(ColumnWidthTool, LongerTextOrUnknownCommandStopsTheProgram) {
  std::string text = "abc";
  ColumnWidth_tool(text, "FIND");
  std::string longer = "abcd";
  EXPECT_FATAL_STOP(ColumnWidth_tool(longer, "SET_SIZE"));
  EXPECT_EQ(longer, "abcd");
  EXPECT_FATAL_STOP(ColumnWidth_tool(text, "find"));
  EXPECT_FATAL_STOP(ColumnWidth_tool(text, ""));
}

}  // namespace
