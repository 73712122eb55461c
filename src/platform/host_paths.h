// The host layer's view of paths. The engine names every file the way the
// system's texts do -- Windows-style, with a drive letter and backslashes, compared
// without regard to case (C:\Vurn\Projects\ExampleONE\SOUNDINGS\). This module is
// the one place that maps such a path to the host's file system:
//
//   - each drive letter maps to a host folder. C: defaults to the user's home
//     folder (so C:\Vurn is ~/Vurn); any drive X: can be pointed elsewhere with
//     the environment variable VURN_DRIVE_X or with HostDrive_set;
//   - the program drive P: is the folder the program runs from. Its root holds
//     the bundled install tree (P:\Vurn\...) and the program file itself under
//     the name "Vurn.exe", which is what first-use preparation copies;
//   - every component is resolved case-insensitively against what exists, so
//     "Soundings", "SOUNDINGS" and "soundings" are one folder; components that do
//     not exist yet are created as written.
//
// On a Windows host this layer would be the identity.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The drive letter under which the program's own folder appears.
inline constexpr char kProgramDriveLetter = 'P';

// The name under which the running program file appears at the root of P:.
inline constexpr std::string_view kProgramFileName = "Vurn.exe";

// Forgets every drive set by HostDrive_set and the program file; drives fall
// back to the environment (VURN_DRIVE_X) and the defaults again.
void HostDrives_reset();

// Points drive `letter` (either case) at the host folder `root`.
void HostDrive_set(char letter, const std::filesystem::path& root);

// The host folder of drive `letter`, or an empty path when the drive is not
// mapped (every drive but C: and P: is unmapped unless set).
std::filesystem::path HostDrive_root(char letter);

// Records the running program file; its folder becomes drive P:.
void HostProgram_set(const std::filesystem::path& programFile);

// The folder the program runs from, as the engine sees it: "P:\".
std::string HostProgram_folder();

// Maps an engine path to a host path, resolving each existing component
// case-insensitively. "." components are dropped and ".." never climbs above the
// drive root. Both "\" and "/" separate components. A path without a mapped
// drive gives an empty host path (nothing can be opened through it).
std::filesystem::path Host_resolve(std::string_view enginePath);

// True when `name` matches the pattern made of literal characters, "*" (any run
// of characters) and "?" (any one character), compared without regard to case.
// "*.*" matches every name, as on the system's home platform.
bool Host_wildcardMatch(std::string_view pattern, std::string_view name);

// Lists the names (not paths) of the entries of a folder that match the last
// component of `enginePattern` (for example C:\Vurn\Projects\Vurn_ProjectS---*.csv).
// Files only, or files and folders (then "." and ".." come first, as the home
// platform lists them). Names are in case-insensitive order, ties in byte order,
// so the order is the same on every host.
std::vector<std::string> Host_list(std::string_view enginePattern, bool includeFolders);

// Existence tests on engine paths.
bool Host_fileExists(std::string_view enginePath);
bool Host_folderExists(std::string_view enginePath);
bool Host_exists(std::string_view enginePath);

// Creates one folder (its parent must exist). True on success or when the
// folder already exists.
bool Host_makeFolder(std::string_view enginePath);

// Copies a file, replacing an existing target. False on failure, with errno-style
// code in `error` when not null.
bool Host_copyFile(std::string_view source, std::string_view target, int* error = nullptr);

// Deletes a file. False when it could not be deleted (or did not exist).
bool Host_deleteFile(std::string_view enginePath);

// Case-insensitive comparison of two engine texts (ASCII letters only), the rule
// by which paths and names are compared.
bool Text_equalsNoCase(std::string_view a, std::string_view b);
