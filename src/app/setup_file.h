// The setup file "Vurn-Setup.txt" in the data area's software folder: the
// last-used project and four other "last" values, kept from one program use to
// the next. It is read at start-up and at the start of every run, and written
// back at the end of every completed run. Only the last project has an effect:
// it becomes the project that is processed.
//
// Layout, one item per line: a title, the marker "ROW2_VURN_SETUP_V4" on line 2,
// "Last_Units=", "Last_user=", "Last_Project=", "Last_Equipment=",
// "Last_Error=" and "End". Keys are compared in capitals; items weigh 1, 2, 4,
// 8, 16, 32 and 64, and a complete file sums to 127. Before "End" the last-used
// earthquake inputs may follow, "Last_EQ_Mb=", "Last_EQ_CSR_file=" and
// "Last_EQ_amax=": they count for nothing (files written before them are
// complete without them) and are written once a file or a run has them.
#pragma once

#include <string>

// The setup file's path and that of its backup while it is being written.
std::string SetupFile_path();
std::string SetupBackup_path();

// Reads the five values into the run state and makes the last project the
// project name. Errors: "ESF812" cannot be opened, "SF931" a line (other than
// line 1) without "=", "YV803" no marker on line 2 or the marker again on a
// later line, "YV777" items missing or repeated, "PN901" a last project that
// would lead outside the projects folder.
// When the file is missing or has one of those faults but a complete backup is
// there (a write that did not finish), the backup's values are taken instead,
// an issue line in the log says so, and the backup becomes the setup file
// again; the error is reported only when the backup cannot stand in.
void Setup_read();

// At start-up: puts the earthquake inputs the setup file holds into the window
// (magnitude, CSR earthquake file, amax); nothing when it holds none.
void SetupEarthquake_toWindow();

// At a run: the run's earthquake inputs (as typed) become the last-used ones
// that Setup_write keeps.
void SetupEarthquake_fromRun();

// Writes the five values back (and the earthquake inputs when kept): copies the file to the backup first ("ESF342"
// when that fails), rewrites it ("ESF112" when it cannot be opened or any
// line fails to reach the disk, leaving the backup), then deletes the backup.
// So at every step either the setup file or the backup is complete.
void Setup_write();
