// Computer name and the clock texts. (The name taken from COMPUTERNAME and the
// fixed clock's date and time texts are in the example run's Q1o heads.)
#include "platform/host_env.h"

#include <cstdlib>
#include <regex>

#include "support/vurn_test.h"

namespace {

using HostEnvTest = VurnTest;

TEST_F(HostEnvTest, ComputerNameAndClock) {
  const char* saved = std::getenv("COMPUTERNAME");
  const std::string savedValue = saved ? saved : "";
  ::unsetenv("COMPUTERNAME");
  EXPECT_FALSE(Host_computerName().empty());  // the host name
  if (saved) ::setenv("COMPUTERNAME", savedValue.c_str(), 1);

  EXPECT_TRUE(std::regex_match(Host_shortDate() + " " + Host_shortTime(),
                               std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")));
  HostClock_setFixed(2026, 3, 7, 14 * 3600 + 5 * 60 + 9.75);
  EXPECT_FLOAT_EQ(Host_timer(), 50709.75f);
  HostClock_advance(60);
  EXPECT_EQ(Host_shortDate() + " " + Host_shortTime(), "2026-03-07 14:06:09");
}

}  // namespace
