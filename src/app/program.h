// The program's top level: the only place where a halt is caught. It runs
// start-up and runs, closes every file when one ends early, and tells the caller
// (the window program or the batch command) how it ended.
#pragma once

#include <functional>
#include <string>

enum class ProgramEnd {
  Completed,        // the run reached "Done"
  ErrorReported,    // an error record was written and the error window shown
  FatalStop,        // a fatal stop without an error record
  DataAreaMissing,  // start-up found no data area: first-use preparation is needed
  HostError,        // the host refused something (the log could not be created)
};

struct ProgramOutcome {
  ProgramEnd end = ProgramEnd::Completed;
  std::string identifier;   // error identifier, for ErrorReported
  std::string description;  // error description, or the reason of the other ends
};

// Puts every process-wide record of the engine back to the state of a program
// that has not started: run state, window model, project and sounding records,
// column identifier and column-width state. Hooks, drives and the clock are the
// host's and are not touched.
void Engine_reset();

// The part of Engine_reset that the readers' records need: everything but the
// chart table, the predictions, the zero-load records and the phase times
// (the chart table is most of Engine_reset's time).
void Engine_resetReaderRecords();

// Runs `work`, catching every halt. After a halt every file of the run-state
// record is closed and no run is in progress.
ProgramOutcome Program_guard(const std::function<void()>& work);

// What the main window's load event does: start-up, then the first run.
ProgramOutcome Program_startUp();

// What the run command does: one more run, reusing start-up.
ProgramOutcome Program_runAgain();
