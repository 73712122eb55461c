// Computer name, version information and the clock texts.
#include "platform/host_env.h"

#include <cstdlib>
#include <regex>

#include "support/vurn_test.h"

namespace {

class HostEnvTest : public VurnTest {};

TEST_F(HostEnvTest, ComputerNameComesFromTheEnvironmentThenTheHostName) {
  const char* saved = std::getenv("COMPUTERNAME");
  const std::string savedValue = saved ? saved : "";
  ::setenv("COMPUTERNAME", "FIELD-PC-7", 1);
  EXPECT_EQ(Host_computerName(), "FIELD-PC-7");
  ::unsetenv("COMPUTERNAME");
  EXPECT_FALSE(Host_computerName().empty());  // the host name
  if (saved) ::setenv("COMPUTERNAME", savedValue.c_str(), 1);
}

TEST_F(HostEnvTest, VersionInformationOfThisBuild) {
  const VersionInfo v = Host_versionInfo();
  EXPECT_EQ(v.major, 8);
  EXPECT_EQ(v.minor, 0);
  EXPECT_EQ(v.revision, 6);
  EXPECT_EQ(v.comments, "2016 Oct 12");
  EXPECT_FALSE(v.companyName.empty());
}

TEST_F(HostEnvTest, FixedClockGivesShortTextsAndTimer) {
  HostClock_setFixed(2026, 3, 7, 14 * 3600 + 5 * 60 + 9.75);
  EXPECT_EQ(Host_shortDate(), "2026-03-07");
  EXPECT_EQ(Host_shortTime(), "14:05:09");
  EXPECT_FLOAT_EQ(Host_timer(), 50709.75f);
  HostClock_advance(60);
  EXPECT_EQ(Host_shortTime(), "14:06:09");
}

TEST_F(HostEnvTest, RealClockTextsHaveTheShortFormats) {
  EXPECT_TRUE(std::regex_match(Host_shortDate(), std::regex(R"(\d{4}-\d{2}-\d{2})")));
  EXPECT_TRUE(std::regex_match(Host_shortTime(), std::regex(R"(\d{2}:\d{2}:\d{2})")));
  const float t = Host_timer();
  EXPECT_GE(t, 0.0f);
  EXPECT_LT(t, 86400.0f);
}

}  // namespace
