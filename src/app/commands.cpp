// First use, project pick and new project, as the window and the batch command
// start them.
#include "app/commands.h"

#include <string>

#include "app/first_use.h"
#include "app/setup_file.h"
#include "app/startup.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "project/project_list.h"
#include "sld/chart_table.h"
#include "sld/chart_writers.h"

void Command_firstUse() {
  StartUp_identify();
  FirstUse_prepare();
}

void Command_pickProject(std::string_view name) {
  ProjectSelector_fill();
  ProjectSelector_select(name);
  const Control& box = MainControl("projectS_8cbo");
  if (box.selected < 0) {
    Error_report("Selecting a project, the project list has no project " + std::string(name), "PK101");
  }
  gRun.lastProject = ProjectSelector_entryFolder(box.items[static_cast<size_t>(box.selected)]);
  Setup_write();
}

void Command_newProject(std::string_view name) {
  bool alreadyExists = false;
  Project_make_new(name, alreadyExists);
}

void Command_writeChartFilesForPlotting() {
  if (SldChartCount == 0) {
    Charts_load();
    RequiredCharts_check();
  }
  ChartFiles_write_for_plotting();
}
