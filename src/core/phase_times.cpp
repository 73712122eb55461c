// The run's phase times: a monotonic clock and per-phase sums.
#include "core/phase_times.h"

#include <chrono>

PhaseTimes gPhaseTimes;

void PhaseTimes_reset() { gPhaseTimes = PhaseTimes{}; }

double PhaseClock_now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PhaseTimes_add(RunPhase phase, double start) {
  const double now = PhaseClock_now();
  gPhaseTimes.seconds[static_cast<std::size_t>(phase)] += now - start;
  return now;
}
