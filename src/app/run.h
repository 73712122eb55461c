// The processing run: the program's main job over one project's soundings, from
// "Starting Vurn Main Routine" to "Done" with its timing summary and the end
// line of the task and issue log.
#pragma once

#include <string>

// Runs one processing run for the current project. A call while a run is in
// progress does nothing. An output file that does not fully reach the disk (a
// sounding's Q1o table "QW382" or chart direction file "QW383", the zero-load
// report "ZLR204") stops the run with its error instead of ending in "Done".
void Main_run();

// The texts of the run's closing summary.
struct RunSummary {
  int rate = 0;               // feet per second, a whole number
  std::string countText;      // "3 total Soundings"
  std::string timeText;       // "1.2 mins " or "59 secs "
  std::string speedText;      // "1234 total feet in 100 secs     @ 12 ft/sec"
  std::string outputText;     // "Q1o files are in     " + soundings directory
  std::string zeroLoadText;   // "Zero load data File      " + report file name
};

// Composes the summary from the elapsed seconds, the feet processed and the
// number of soundings. Elapsed time of a run that passed midnight is taken
// modulo a day; an elapsed time of 0 gives a rate of 0.
RunSummary RunSummary_compose(float elapsedSeconds, float totalFeet, int soundingsProcessed,
                              const std::string& soundingsDirectory, const std::string& zeroLoadFileName);
