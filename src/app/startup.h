// Start-up: everything a processing run needs before the first run -- version,
// computer name, program drive and data area, the option lock, the setup file
// and the task and issue log.
#pragma once

#include <string>

// The first steps of start-up: status, option lock, version, computer name,
// program drive, data area and the starting project name. Touches no file.
void StartUp_identify();

// Runs start-up in its fixed order: the identity steps, then the setup file
// (which names the last project) and the task and issue log. A data area that does not exist yet throws
// HostFailure (DataAreaMissing) before anything is written, so the window can
// offer first-use preparation and the batch command can say to run it.
void General_setup();

// The program drive for a program folder: the first two characters of the
// folder, trimmed, after two blanks are appended ("E:\Tools\" gives "E:").
std::string ProgramDrive_of(const std::string& programFolder);
