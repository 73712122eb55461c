// Text to number, missing-aware arithmetic, guarded log and power, rounding
// down, interpolation.
#include "numeric/numeric_tools.h"

#include <cmath>
#include <limits>

#include "core/null_value.h"
#include "support/vurn_test.h"

namespace {

constexpr float Null = NullValue;

TEST(NumberOrNull, ReadsNumbersAndGivesNullForEverythingElse) {
  const struct { const char* text; float expected; } cases[] = {
      {"  -12.5  ", -12.5f}, {"\t7\r", 7.0f}, {"+5", 5.0f}, {"-.5", -0.5f}, {"5.", 5.0f}, {"2.5E-4", 2.5e-4f},
      {"0.1", 0.1f}, {"16777217", 16777216.0f}, {"3.4028235e38", std::numeric_limits<float>::max()},
      {"1e-60", 0.0f},  // too small: zero, not missing
      {"-5435", Null}, {"", Null}, {"    ", Null}, {"12abc", Null}, {"1,000", Null}, {"1.2.3", Null}, {"- 5", Null},
      {"+-5", Null}, {".", Null}, {"-", Null}, {"1e", Null}, {"e5", Null}, {"inf", Null}, {"nan", Null},
      {"0x10", Null}, {"1e39", Null}, {"-1e39", Null}, {"1e99999999999", Null},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberOrNull(c.text), c.expected) << "[" << c.text << "]";
  EXPECT_TRUE(std::signbit(NumberOrNull("-1e-60")));
}

// Any operand of magnitude 5435 is missing; bounds of the range gate and of
// the guarded power pass; the log has no value at or below zero.
TEST(MissingAwareArithmetic, OperationsAndGuards) {
  const struct { const char* name; float result, expected; } cases[] = {
      {"5435 + 1", AddOrNull(5435.0f, 1.0f), Null}, {"1 - 5435", AddOrNull(1.0f, -5435.0f), Null},
      {"-5434 + 1", AddOrNull(-5434.0f, 1.0f), -5433.0f}, {"2 * 5435", MultiplyOrNull(2.0f, 5435.0f), Null},
      {"2 * 3", MultiplyOrNull(2.0f, 3.0f), 6.0f}, {"1 / 0", DivideOrNull(1.0f, 0.0f), Null},
      {"2 / -5435", DivideOrNull(2.0f, -5435.0f), Null}, {"1 / 4", DivideOrNull(1.0f, 4.0f), 0.25f},
      {"log 0", Log10Checked(0.0f), Null}, {"log -1", Log10Checked(-1.0f), Null},
      {"log NaN", Log10Checked(std::numeric_limits<float>::quiet_NaN()), Null}, {"log 1000", Log10Checked(1000.0f), 3.0f},
      {"10^5", Pow10Checked(5.0f), 100000.0f}, {"10^-5", Pow10Checked(-5.0f), 0.00001f},
      {"10^5.0001", Pow10Checked(5.0001f), Null}, {"10^-5.0001", Pow10Checked(-5.0001f), Null},
      {"10^null", Pow10Checked(Null), Null},
      {"floor 12.38 at 1", RoundDown(12.38f, 1), 12.3f}, {"floor -2.55 at 1", RoundDown(-2.55f, 1), -2.6f},
      {"floor -12.1 at 0", RoundDown(-12.1f, 0), -13.0f}, {"floor 0.129 at 2", RoundDown(0.129f, 2), 0.12f},
      {"floor 1234 at -2", RoundDown(1234.0f, -2), 1200.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
  EXPECT_NEAR(Log10Checked(2.0f), 0.30103f, 1e-6f);
  for (const auto& [value, expected] : {std::pair{63.0f, 63.0f}, {155.0f, 155.0f}, {62.9f, Null}, {155.1f, Null}}) {
    float gated = value;
    RangeGate(gated, 63.0f, 155.0f);
    EXPECT_EQ(gated, expected) << value;
  }
  float target = 3.0f;
  AssignIfNotNull(target, 5435.0f);
  EXPECT_EQ(target, 3.0f);
  AssignIfNotNull(target, 7.5f);
  EXPECT_EQ(target, 7.5f);
  float out = 0.0f;
  Interpolate(1.0f, 1.5f, 2.0f, 10.0f, out, 20.0f);
  EXPECT_EQ(out, 15.0f);
  Interpolate(1.0f, 3.0f, 2.0f, 10.0f, out, 20.0f);  // beyond the points: extrapolates
  EXPECT_EQ(out, 30.0f);
  Interpolate(2.0f, 9.0f, 2.0f, 7.0f, out, 20.0f);  // equal x: the first y
  EXPECT_EQ(out, 7.0f);
}

}  // namespace
