// First-use preparation: builds the data area's tree on a fresh machine and
// installs the setup file, the drift limits file, a copy of the program, the
// chart files and the example project from the bundled install tree on the
// program drive (P:\Vurn\...). Run again on an existing data area it keeps the
// user's setup file, drift limits, project list and chart files (installing
// only those missing), and refreshes the program copy and the example
// project's files.
#pragma once

// Needs the data area and program drive of start-up's identity step.
void FirstUse_prepare();
