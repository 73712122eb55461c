// The window commands: start-up, run, END, and what the window does with the
// way start-up or a run ended.
#include "gui/window_commands.h"

#include <QMessageBox>
#include <functional>
#include <iostream>
#include <string_view>

#include "app/program.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "gui/results_view.h"
#include "gui/windows.h"

namespace {

// Exit codes of the window program, as those of the batch command.
constexpr int kExitEnd = 0;
constexpr int kExitErrorReported = 2;
constexpr int kExitFatalStop = 3;
constexpr int kExitHostError = 5;

struct CommandEntry {
  const Form* form;
  std::string_view control;
  void (*handler)();
};

const CommandEntry kCommands[] = {
    {&gWindow.main, "Run8cmd", WindowCommand_run},
    {&gWindow.main, "SLD_file_GenerateFileForPlotting8cmd", Pending_writeChartFilesForPlotting},
    {&gWindow.main, "projectS_8cbo", Pending_selectProject},
    {&gWindow.main, "ResultsView8cmd", ResultsView_open},
    {&gWindow.main, "ProjectS_New8cmb", WindowCommand_openNewProjectWindow},
    {&gWindow.main, "ProjectS_AddSoundings8cmd", Pending_addSoundings},
    {&gWindow.main, "PrepareVurnForFirstTime8cmd", WindowCommand_prepareFirstUse},
    {&gWindow.main, "ender8cmd", WindowCommand_end},
    {&gWindow.newProject, "GenerateSoundingSfile8cmb", Pending_makeNewProject},
};

void endWithMessage(int exitCode, const std::string& text) {
  std::cerr << "vurn: " << text << "\n";
  if (gGui.main) QMessageBox::critical(gGui.main.get(), QStringLiteral("Vurn"), QString::fromStdString(text));
  Gui_endProgram(exitCode);
}

}  // namespace

// Runs start-up, a run or another engine command through the top level and
// acts on how it ended.
void WindowCommand_engine(const std::function<ProgramOutcome()>& work) {
  gGui.progress.sequence = 0;
  gGui.progress.total = 0;
  gGui.progress.fileName.clear();
  ++gGui.engineCalls;
  const ProgramOutcome outcome = work();
  --gGui.engineCalls;
  if (outcome.end == ProgramEnd::Completed) ++gGui.progress.runsCompleted;
  if (gGui.endRequested) return;  // END was given meanwhile: the program is ending

  switch (outcome.end) {
    case ProgramEnd::Completed:
      break;
    case ProgramEnd::ErrorReported:
      Gui_endProgram(kExitErrorReported);
      return;
    case ProgramEnd::FatalStop:
      endWithMessage(kExitFatalStop, "Vurn stopped: " + outcome.description);
      return;
    case ProgramEnd::HostError:
      endWithMessage(kExitHostError, outcome.description);
      return;
    case ProgramEnd::DataAreaMissing:
      WindowCommands_offerFirstUse();
      break;
  }
  gWindow.main.visible = true;
  Gui_sync();
}

void WindowCommands_openWindows() {
  Gui_open();
  gGui.onCommand = WindowCommand_dispatch;
}

void WindowCommand_dispatch(const std::string& form, const std::string& control) {
  // A click that reaches a locked control (queued before the lock took hold)
  // neither acts now nor later.
  for (const Form* f : {&gWindow.main, &gWindow.error, &gWindow.debug, &gWindow.newProject}) {
    if (f->name != form) continue;
    for (const Control& c : f->controls) {
      if (c.name == control && Gui_controlLocked(c)) return;
    }
  }
  for (const CommandEntry& entry : kCommands) {
    if (entry.form->name == form && entry.control == control) {
      entry.handler();
      if (!gGui.endRequested) Gui_sync();
      return;
    }
  }
}

void WindowCommand_startUp() { WindowCommand_engine(Program_startUp); }

void WindowCommand_run() {
  if (gRun.runInProgress) return;  // never a run inside a run
  WindowCommand_engine(Program_runAgain);
}

void WindowCommand_end() { Gui_endProgram(kExitEnd); }

// Each "Make New Project" opens the window afresh: an empty, editable name box
// (making a project locks the box on the name it was made with).
void WindowCommand_openNewProjectWindow() {
  Control& name = Form_control(gWindow.newProject, "ProjectS_NewName8txt");
  name.text.clear();
  name.enabled = true;
  Form_control(gWindow.newProject, "projectName8lbl").caption = "New project = ";
  gWindow.newProject.visible = true;
}

void WindowCommands_offerFirstUse() {
  for (Control& c : gWindow.main.controls) {
    if (c.kind != ControlKind::Button && c.kind != ControlKind::ComboBox) continue;
    c.enabled = c.name == "PrepareVurnForFirstTime8cmd" || c.name == "ender8cmd";
  }
}

void WindowCommand_prepareFirstUse() {
  // Start-up that stopped at a missing data area goes on once it is prepared.
  // After a completed start-up the log of this program start stays as it is:
  // start-up is not repeated, the next run uses what was prepared.
  const bool startUpDone = gRun.log.isOpen();
  if (!Pending_prepareFirstUse() || startUpDone) return;
  for (Control& c : gWindow.main.controls) {
    if (c.kind == ControlKind::Button || c.kind == ControlKind::ComboBox) c.enabled = true;
  }
  WindowCommand_startUp();
}
