// The process environment as the engine sees it: the computer name, the
// program's version information, and the clock (short date and time texts and a
// seconds-since-midnight timer).
//
// The short formats are the system's "short date" and "short time": here
// yyyy-mm-dd and hh:mm:ss (24-hour clock), the same on every host.
#pragma once

#include <string>

struct VersionInfo {
  int major = 0;
  int minor = 0;
  int revision = 0;
  std::string comments;  // the release date, for example "2016 Oct 12"
  std::string companyName;
};

// The environment variable COMPUTERNAME; the host name when it is unset, and ""
// when neither is known.
std::string Host_computerName();

// The program's version information (fixed at build time).
VersionInfo Host_versionInfo();

// The current date and time in the short formats.
std::string Host_shortDate();
std::string Host_shortTime();

// Seconds since local midnight, with fractions (a 32-bit float, as the timer
// the run measures itself with).
float Host_timer();

// Test hooks: a fixed clock. `secondsSinceMidnight` sets the timer and the time
// of day; the date is the given one. HostClock_reset returns to the real clock.
void HostClock_setFixed(int year, int month, int day, double secondsSinceMidnight);
void HostClock_advance(double seconds);
void HostClock_reset();
