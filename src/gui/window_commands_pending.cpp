// The window commands that call the engine's project, chart and first-use
// operations: picking a project, making a new project, chart files for
// plotting, preparing the first use, adding soundings.
#include <string>

#include "app/commands.h"
#include "app/program.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "gui/window_commands.h"
#include "project/project_list.h"

void Pending_writeChartFilesForPlotting() {
  WindowCommand_engine([] { return Program_guard(Command_writeChartFilesForPlotting); });
}

void Pending_selectProject() {
  const Control& list = MainControl("projectS_8cbo");
  if (list.selected < 0 || static_cast<size_t>(list.selected) >= list.items.size()) return;
  const std::string folder = ProjectSelector_entryFolder(list.items[static_cast<size_t>(list.selected)]);
  WindowCommand_engine([&folder] { return Program_guard([&folder] { Command_pickProject(folder); }); });
}

void Pending_makeNewProject() {
  const std::string name = Form_control(gWindow.newProject, "ProjectS_NewName8txt").text;
  WindowCommand_engine([&name] { return Program_guard([&name] { Command_newProject(name); }); });
}

bool Pending_prepareFirstUse() {
  bool prepared = false;
  WindowCommand_engine([&prepared] {
    const ProgramOutcome outcome = Program_guard(Command_firstUse);
    prepared = outcome.end == ProgramEnd::Completed;
    return outcome;
  });
  return prepared;
}

void Pending_addSoundings() {
  if (gRun.runInProgress) return;  // the database is being read by the run
  WindowCommand_engine([] { return Program_guard([] { Command_addSoundings(); }); });
}
