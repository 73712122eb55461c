// The commands of the program's windows: the main window's load event, the run
// command, END, and the commands whose engine parts come with later builds.
//
// A command runs on the event loop's thread like everything else. Start-up and
// runs go through the program's top level (app/program.h); what they end with
// decides what the window does next:
//   - completed: the window shows the run's end state;
//   - error reported: the error window has been shown and dismissed; the program
//     ends (exit code 2), the error record is already in the log;
//   - fatal stop or a host failure: the program ends (3 / 5) after saying why;
//   - no data area at start-up: the window opens with the status saying so and
//     only first-use preparation (and END) enabled.
// END closes every window, hidden ones included, and ends the program (exit
// code 0); given during start-up or a run, it stops the engine at its next
// status update.
#pragma once

#include <functional>
#include <string>

#include "app/program.h"

// Builds the windows (Gui_open) and routes their clicks to the commands below.
void WindowCommands_openWindows();

// What a click on a button, or a pick in the combo box, of `form` does. Controls
// without a command do nothing; a control locked now (Gui_controlLocked) is
// refused.
void WindowCommand_dispatch(const std::string& form, const std::string& control);

// Runs engine work (start-up, a run, a command) through the program's top level
// and acts on how it ended, as described above.
void WindowCommand_engine(const std::function<ProgramOutcome()>& work);

// The main window's load event: start-up, then the first run.
void WindowCommand_startUp();
// "Make Q1o files and the zero offset file": one more run.
void WindowCommand_run();
// "END".
void WindowCommand_end();
// "Make New Project": opens the new-project window.
void WindowCommand_openNewProjectWindow();
// After start-up found no data area: every command but first use (and END) disabled.
void WindowCommands_offerFirstUse();
// "Prepare Vurn.exe for the FIRST USE": prepares the data area, then start-up
// and the first run proceed when start-up had stopped for want of it (a
// completed start-up and its log are not repeated).
void WindowCommand_prepareFirstUse();

// The commands that call the engine's project, chart and first-use operations
// (window_commands_pending.cpp).
void Pending_writeChartFilesForPlotting();  // "Generate SLD truckcaded files (SLDp) ..."
void Pending_selectProject();               // a pick in the project list: the next run processes it
void Pending_makeNewProject();              // the new-project window's button
void Pending_addSoundings();                // "Add soundings": database rows for new field data files
// Prepares the data area for the first use; true when it did.
bool Pending_prepareFirstUse();
