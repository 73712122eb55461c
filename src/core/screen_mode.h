// The window modes: which commands of the main window can be used, and the
// option lock of builds made with "check before compiling" ticked.
#pragma once

#include <string_view>

// Switches the window to a mode: "CHECK BEFORE COMPILING", "READY TO RUN",
// "RUNNING" or "PROJECT_NEW". Every mode first hides the debug window and
// enables the project list; any other word does only that.
//
// While a run is in progress (gRun.runInProgress) "READY TO RUN" shows the
// window but keeps the run, new-project and chart-plot commands disabled, so a
// second run can never start inside the first.
void Screen_mode(std::string_view modeWord);

// Enables or disables the run, new-project and chart-plot commands. A run
// disables them the moment it starts, before anything else is shown.
void RunCommands_enable(bool enabled);
