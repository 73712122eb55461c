// Where the time of a processing run goes: reading (field data, charts,
// columns, setup), computing (stress, normalization, predictions), writing
// (Q1o tables, side files, reports), and, inside computing, chart lookup.
//
// Measuring is off unless a caller turns it on (the batch command's
// --phase-times, used by the throughput benchmark), so a normal run pays one
// flag test per measured stretch. The record is process-wide; PhaseTimes_reset
// clears it and turns measuring off.
#pragma once

#include <array>
#include <cstddef>

enum class RunPhase : std::size_t { Read = 0, Compute = 1, Write = 2, ChartLookup = 3 };
inline constexpr std::size_t kRunPhaseCount = 4;

struct PhaseTimes {
  bool enabled = false;
  std::array<double, kRunPhaseCount> seconds{};  // summed per phase
};

extern PhaseTimes gPhaseTimes;

// Turns measuring off and clears the sums.
void PhaseTimes_reset();

// Seconds on a monotonic clock, for differences only.
double PhaseClock_now();

// Adds the time since `start` (a PhaseClock_now value) to `phase` and returns
// the time now, so consecutive stretches chain without a second clock read.
double PhaseTimes_add(RunPhase phase, double start);

// Measures one stretch of a phase from construction to destruction when
// measuring is on.
class PhaseScope {
 public:
  explicit PhaseScope(RunPhase phase) : phase_(phase), start_(gPhaseTimes.enabled ? PhaseClock_now() : 0.0) {}
  ~PhaseScope() {
    if (gPhaseTimes.enabled) PhaseTimes_add(phase_, start_);
  }
  PhaseScope(const PhaseScope&) = delete;
  PhaseScope& operator=(const PhaseScope&) = delete;

 private:
  RunPhase phase_;
  double start_;
};
