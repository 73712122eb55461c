// The batch command: what the main window's load event does -- start-up, then
// one processing run -- with the window options taken from the command line,
// printing progress and the run's summary instead of showing them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs the batch command with `args` (without the program name) and returns its
// exit code (BatchExit). Progress and the summary go to `out`, problems to `err`.
int Batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
