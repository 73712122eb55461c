// The batch command: what the main window's load event does -- start-up, then
// one processing run -- with the window options taken from the command line,
// printing progress and the run's summary instead of showing them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// What --pictures calls after the run: saves the pictures of every sounding of
// the current project, lists them on `out`, and returns false with a message
// when some could not be made. The batch command itself draws nothing: the
// program passes the picture library's writer when it is built with it.
using BatchPictureWriter = bool (*)(std::ostream& out, std::string& message);

// Runs the batch command with `args` (without the program name) and returns its
// exit code (BatchExit). Progress and the summary go to `out`, problems to `err`.
// --pictures without a `pictures` writer is a usage error (exit 1, no run);
// pictures that cannot be made after a completed run end with exit 5.
int Batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               BatchPictureWriter pictures = nullptr);
