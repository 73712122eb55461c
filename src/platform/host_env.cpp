// Computer name, version information and clock.
#include "platform/host_env.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/build_info.h"

namespace {

struct FixedClock {
  int year, month, day;
  double seconds;
};

std::optional<FixedClock>& fixedClock() {
  static std::optional<FixedClock> clock;
  return clock;
}

struct Now {
  int year, month, day;
  double seconds;  // since midnight
};

Now now() {
  if (fixedClock()) {
    const FixedClock& f = *fixedClock();
    return {f.year, f.month, f.day, f.seconds};
  }
  const auto point = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(point);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sinceEpoch = point.time_since_epoch();
  const double fraction =
      std::chrono::duration<double>(sinceEpoch - std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch))
          .count();
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction};
}

}  // namespace

std::string Host_computerName() {
  if (const char* name = std::getenv("COMPUTERNAME"); name != nullptr) return name;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) return host;
  return "";
}

VersionInfo Host_versionInfo() {
  return {VURN_VERSION_MAJOR, VURN_VERSION_MINOR, VURN_VERSION_REVISION, VURN_RELEASE_DATE, VURN_COMPANY_NAME};
}

std::string Host_shortDate() {
  const Now n = now();
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", n.year, n.month, n.day);
  return text;
}

std::string Host_shortTime() {
  const Now n = now();
  const int whole = static_cast<int>(std::floor(n.seconds));
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", (whole / 3600) % 24, (whole / 60) % 60, whole % 60);
  return text;
}

float Host_timer() { return static_cast<float>(now().seconds); }

void HostClock_setFixed(int year, int month, int day, double secondsSinceMidnight) {
  fixedClock() = FixedClock{year, month, day, secondsSinceMidnight};
}

void HostClock_advance(double seconds) {
  if (fixedClock()) fixedClock()->seconds += seconds;
}

void HostClock_reset() { fixedClock().reset(); }
