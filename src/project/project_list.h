// The project list "Vurn_ProjectS---*.csv" in the projects folder: one row per
// project naming its folder (which is also the project's name throughout the
// system), its display name, code and titles. This module reads it into the
// project record, lists the project folders that really exist, fills and
// selects the main window's project list box, and makes new projects.
//
// The project record's PROJECT_FILE_DIRECTORY is the run state's project name
// (gRun.projectName); the other stored fields live in gProject.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ProjectRecord {
  std::string projectName{"-5435"};          // PROJECT_NAME
  std::string projectCode{"-5435"};          // PROJECT_CODE
  std::string printingTitle{"-5435"};        // PRINTING_TITLE
  std::string orgGraphicFileName{"-5435"};   // ORG_GRAPHIC_FILE_NAME
  std::string longCenter{"-5435"};           // LONG_CENTER
};

// The lists read with the project list, 1-based (slot 0 unused).
struct ProjectLists {
  std::vector<std::string> columnIds;        // 13 header identifiers
  std::int16_t columnCount = 0;
  std::vector<std::string> directories;      // PROJECT_FILE_DIRECTORY per row, 89 slots
  std::int16_t projectCount = 0;
  std::vector<std::string> folders;          // names in the projects folder, 200 slots
  std::int16_t folderCount = 0;
};

extern ProjectRecord gProject;
extern ProjectLists gProjectLists;

// Back to the state of a program that has not read a project list.
void ProjectModule_reset();

// Reads the project list, stopping at the first row whose
// PROJECT_FILE_DIRECTORY equals projectKey without regard to case (an empty key
// never matches); found tells whether it stopped there. The record then holds
// the values of the last row read. Errors: "FP829"/"FP822" not exactly one list,
// "IDP834" header cell without braces, "RE932" header identifier not in the
// table (after an issue line), "YU112" an empty row, "PL913" more than 13
// header columns, "PL989" more than 89 rows, "PN901" a folder name that leads
// outside the projects folder.
void ProjectList_read(std::string_view projectKey, bool& found);

// Stores value by identifier (an ID number 1..10 or a key, matched exactly after
// trimming; `identifier` receives the trimmed text). "-5435" never reaches
// PROJECT_FILE_DIRECTORY. found is false when the identifier is neither.
void ProjectField_assign(std::string& identifier, std::string_view value, bool& found);

// Every stored field except PROJECT_FILE_DIRECTORY becomes "-5435".
void ProjectRecord_reset();

// Lists the projects folder (folders and files, "." and ".." too) into
// gProjectLists.folders. "PL920" beyond 200 names.
void ProjectDirectories_list();

// Fills the main window's project list box from the project list, marking
// projects whose folder is missing with "  ---> See NOTE 2 ". "PL979" beyond 79
// entries.
void ProjectSelector_fill();

// Selects the list box entry whose project folder equals `wanted` without
// regard to case, then reads that project's row into the record and shows it.
// Nothing happens when no entry matches.
void ProjectSelector_select(std::string_view wanted);

// The project folder named by a list box entry (its text without the note).
std::string ProjectSelector_entryFolder(std::string_view entry);

// Makes a new project: its folder and Soundings folder, its row appended to the
// project list, and its editable sounding file. The name is trimmed of blanks
// before any use. alreadyExists is true when the
// folder exists ("PE943"). Errors: "we343" empty name (after trimming), "PN901" a name leading
// outside the projects folder, "MP329" not exactly one project list, "MP331"
// the row cannot be appended (the list cannot be opened, or the row did not
// reach the disk). The list is only ever appended to, never rewritten.
void Project_make_new(std::string_view typedName, bool& alreadyExists);
