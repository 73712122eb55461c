// How the program stops.
//
// Three things end a run before its end:
//   - ErrorHalt: thrown by Error_report once the error record is in the task and
//     issue log and the error window was shown. It carries the identifier and the
//     description.
//   - FatalStop: the few places that end the program at once without an error
//     record (an unknown unit factor name, a bad column-width command, ...).
//   - HostFailure: the host refused something the system has no message for
//     (the task and issue log cannot be created), or the data area is missing.
// All of them are caught only at the program's top level (app/program.h), which
// closes every file and ends the program or the run.
#pragma once

#include <stdexcept>
#include <string>

struct ErrorHalt : std::runtime_error {
  ErrorHalt(std::string id, std::string text)
      : std::runtime_error(id + ": " + text), identifier(std::move(id)), description(std::move(text)) {}
  std::string identifier;
  std::string description;
};

struct FatalStop : std::runtime_error {
  explicit FatalStop(const std::string& reason) : std::runtime_error(reason) {}
};

struct HostFailure : std::runtime_error {
  enum class Kind { DataAreaMissing, FileError };
  HostFailure(Kind k, const std::string& text) : std::runtime_error(text), kind(k) {}
  Kind kind;
};

// Ends the program at once, without an error record.
[[noreturn]] inline void Fatal_stop(const std::string& reason) { throw FatalStop(reason); }
