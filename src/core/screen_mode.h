// The window modes: which commands of the main window can be used, and the
// option lock of builds made with "check before compiling" ticked.
#pragma once

#include <string_view>

#include "core/window_model.h"

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

// True when `control` is one that start-up and runs lock: a control the user
// changes or clicks (button, option button, check box, text box, combo box)
// not marked usableDuringRun. Every such control, also one added to the model
// later, is locked without code of its own.
bool Control_lockedDuringRun(const Control& control);
