// The directory tree under the data area and file finding. No other module
// builds a directory path by itself: each asks PathOf for the place named by a
// path key, and input files whose names carry a free part are found by pattern
// with the rule that exactly one file must match.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_file.h"

// The path of a named place of the tree, for a path key compared after trimming
// and upper-casing: "SLD VB6", "SLD INPUT" or "SLD", "SLD-VURN-*.CSV",
// "SLD FOR PLOTTING", "SLD OUTPUT", "SOFTWARE"/"TEMP"/"TEMPORARY", "EXTRA",
// "VURN", "PROJECTS", "PROJECTS---*.CSV", "PROJECT", "SOUNDINGS",
// "VURN_SOUNDINGS---*.CSV", "*.CPT". Folders end in a backslash. Reports "RS004"
// while no project is set (project name "-5435") and "PATH422" for any other key.
std::string PathOf(std::string_view key);

// The number of file names (not folders) matching a full path whose last part
// may hold "*" and "?"; 0 when 9999 or more match.
std::int16_t File_count_matches(std::string_view pattern);

// Finds the one file matching PathOf(pathKey) + pattern and opens it for
// reading into `file`. Reports "FP829" when none matches and "FP822" when
// several do (the messages start with `description`), and "FP831" when the one
// file cannot be opened.
void File_find_and_open(std::string_view pathKey, std::string_view pattern, std::string_view description,
                        TextReader& file);

// Copies a file. mode -1 copies always (replacing the target); mode 0 copies
// only when no file or folder named target exists; other modes copy nothing.
// `copied` is true when a copy was made.
void File_copy(std::string_view source, std::string_view target, int mode, bool& copied);

// Copies every file (not subfolders) of sourceDir into targetDir, adding one to
// `count` per file copied. Trailing backslashes are added where missing.
void Directory_copy_files(std::string_view sourceDir, std::string_view targetDir, int mode, int& count);

// Refuses a name taken from a data file that is about to become part of a path
// (a project folder, a sounding name, a unit weight file name) when it would
// leave its folder: a ".." component, a drive, or a leading backslash or slash.
// Reports "PN901" naming the field and the value.
void PathName_checkSafe(std::string_view field, std::string_view name);
