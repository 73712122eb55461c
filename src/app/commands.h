// The engine side of the main window's commands that are not a run: first-use
// preparation, picking a project, making a new project. The window's buttons
// and the batch command's options call these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// "Add soundings": for every field data file (.CPT, .GEF, .XML, .CSV) in the
// current project's soundings folder whose sounding has no database row, reads
// the file and appends one row filled from its header: SOUNDING_NAME,
// PROBE_AND_SERIAL_NUM, DATE_TAVIKFORMAT, CPT_AGENCY_PERFORMING_SOUNDING where
// the file names it, LAT_BEST_DEGF, LONG_BEST_DEGF (the missing marker -5435
// when the file gives no position) and LATLOG_SOURCE; the water
// table, unit weight and every other field stay empty for the engineer. A row
// already there is never changed. Every file is read before any row is
// written, so a file that cannot be read (its reader's error) leaves the
// database as it was. Returns one line per sounding added (or one saying none
// was), also written to the log.
std::vector<std::string> Command_addSoundings();
