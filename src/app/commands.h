// The engine side of the main window's commands that are not a run: first-use
// preparation, picking a project, making a new project. The window's buttons
// and the batch command's options call these.
#pragma once

#include <string_view>

// Prepares the data area for the first use (start-up's identity first).
void Command_firstUse();

// Makes `name` the current project as a pick in the project list box does: it
// becomes the setup file's last project, so the next run processes it. Reports
// "PK101" when the project list has no such project.
void Command_pickProject(std::string_view name);

// Makes a new project with its folders, project list row and editable sounding
// file.
void Command_newProject(std::string_view name);

// Writes every loaded chart as a file for external plotting into the project's
// "SLD output" folder, loading the charts first when none is loaded yet.
void Command_writeChartFilesForPlotting();
