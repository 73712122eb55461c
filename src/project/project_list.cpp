// Reading the project list, listing project folders, the project list box, and
// making new projects.
#include "project/project_list.h"

#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/screen_mode.h"
#include "core/window_model.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "project/sounding_db.h"

ProjectRecord gProject;
ProjectLists gProjectLists;

namespace {

constexpr std::int16_t kColumnSlots = 13;
constexpr std::int16_t kRowSlots = 89;
constexpr std::int16_t kListBoxSlots = 79;
constexpr std::int16_t kFolderSlots = 200;
constexpr const char* kDescription = "Reading ProjectS from CSV";
constexpr const char* kNote2 = "  ---> See NOTE 2 ";

void resetSlots(std::vector<std::string>& slots, std::int16_t capacity) {
  slots.assign(static_cast<size_t>(capacity) + 1, std::string(NullText));
}

std::string* storedField(const std::string& id) {
  if (id == "2" || id == "PROJECT_NAME") return &gProject.projectName;
  if (id == "3" || id == "PROJECT_CODE") return &gProject.projectCode;
  if (id == "4" || id == "PRINTING_TITLE") return &gProject.printingTitle;
  if (id == "5" || id == "ORG_GRAPHIC_FILE_NAME") return &gProject.orgGraphicFileName;
  if (id == "6" || id == "LONG_CENTER") return &gProject.longCenter;
  return nullptr;
}

bool acceptedOnly(const std::string& id) {
  for (const char* accepted : {"7", "LAT_CENTER", "8", "CLIENT_NAME", "9", "CLIENT_PROJECT_CODE", "10",
                               "DATE_DIRECTORY_STARTED"}) {
    if (id == accepted) return true;
  }
  return false;
}

}  // namespace

void ProjectModule_reset() {
  gProject = ProjectRecord{};
  gProjectLists = ProjectLists{};
  resetSlots(gProjectLists.columnIds, kColumnSlots);
  resetSlots(gProjectLists.directories, kRowSlots);
  resetSlots(gProjectLists.folders, kFolderSlots);
}

void ProjectField_assign(std::string& identifier, std::string_view value, bool& found) {
  identifier = TrimBlanks(identifier);
  found = true;
  if (identifier == "1" || identifier == "PROJECT_FILE_DIRECTORY") {
    if (value == NullText) return;
    PathName_checkSafe("PROJECT_FILE_DIRECTORY", value);
    gRun.projectName = std::string(value);
    return;
  }
  if (std::string* field = storedField(identifier)) {
    *field = std::string(value);
    return;
  }
  found = acceptedOnly(identifier);
}

void ProjectRecord_reset() {
  for (int k = 1; k <= kColumnSlots; ++k) {
    std::string id = std::to_string(k);
    bool found = false;
    ProjectField_assign(id, NullText, found);
  }
}

void ProjectList_read(std::string_view projectKey, bool& found) {
  found = false;
  Status_show("", "Reading Project list from *-Project.CSV file", " ", " ", " ", " ", " ", "FP900");
  ProjectLists& lists = gProjectLists;
  resetSlots(lists.columnIds, kColumnSlots);
  if (lists.directories.empty()) resetSlots(lists.directories, kRowSlots);

  TextReader file;
  File_find_and_open("PROJECTS", "Vurn_ProjectS---*.csv", kDescription, file);
  const std::string fileName = file.path();

  FieldList header(99);
  std::string line;
  file.readLine(line);
  SplitDelimitedLine(line, false, false, false, header, fileName + ", row 1");
  std::int16_t count = header.count;
  while (count > 0 && TrimBlanks(header[count]).empty()) --count;
  if (count > kColumnSlots) {
    Error_report(std::string(kDescription) + ", " + fileName + " has " + std::to_string(count) +
                     " header columns, at most " + std::to_string(kColumnSlots) + " are allowed",
                 "PL913");
  }
  lists.columnCount = count;
  for (std::int16_t k = 1; k <= count; ++k) {
    bool endOfList = false;
    std::string id = BraceIdentifier(header[k], endOfList);
    lists.columnIds[static_cast<size_t>(k)] = id;
    const std::string progress = " ---> Getting columns from ``projectS---*.csv`` header row one  ---> for column=" +
                                 std::to_string(k) + " ---> ID=" + id;
    if (endOfList) {
      Error_report(std::string(kDescription) + progress + ", bad `{` to `}` ID pair", "IDP834");
    }
    bool known = false;
    ProjectField_assign(id, NullText, known);
    if (!known) {
      TaskLine_write(6, progress + " ---> ID is not standardized", "ISSUE");
      Error_report(std::string(kDescription) + " Column ID =" + id + "is not a standardized column ID", "RE932");
    }
  }

  FieldList cells(99);
  for (int r = 1; r <= 9999; ++r) {
    if (!file.readLine(line)) {
      lists.projectCount = static_cast<std::int16_t>(r - 1);
      return;
    }
    const std::string place = fileName + ", row " + std::to_string(file.lineNumber());
    if (TrimBlanks(line).empty()) {
      Error_report(std::string(kDescription) + " blank line not allowed, i.e. extra blank list at EOF --- in " + place,
                   "YU112");
    }
    if (r > kRowSlots) {
      Error_report(std::string(kDescription) + ", " + fileName + " has more than " + std::to_string(kRowSlots) +
                       " project rows",
                   "PL989");
    }
    SplitDelimitedLine(line, false, false, false, cells, place);
    for (std::int16_t c = 1; c <= cells.count && c <= kColumnSlots; ++c) {
      std::string id = lists.columnIds[static_cast<size_t>(c)];
      bool known = false;
      ProjectField_assign(id, cells[c], known);
    }
    lists.directories[static_cast<size_t>(r)] = gRun.projectName;
    if (!projectKey.empty() && Text_equalsNoCase(gRun.projectName, projectKey)) {
      found = true;
      lists.projectCount = static_cast<std::int16_t>(r);
      return;
    }
  }
  lists.projectCount = 9999;
}

void ProjectDirectories_list() {
  Status_show("", "Getting Project names from PROJECT Directory", "", "", " ", " ", " ", "WE623");
  ProjectLists& lists = gProjectLists;
  resetSlots(lists.folders, kFolderSlots);
  lists.folderCount = 0;
  const std::string folder = PathOf("PROJECTS");
  const auto names = Host_list(folder + "*.*", true);
  if (names.size() > static_cast<size_t>(kFolderSlots)) {
    Error_report("Getting Project names, " + folder + " holds " + std::to_string(names.size()) +
                     " names, at most " + std::to_string(kFolderSlots) + " are allowed",
                 "PL920");
  }
  for (const std::string& name : names) lists.folders[static_cast<size_t>(++lists.folderCount)] = name;
}

void ProjectSelector_fill() {
  Control& box = MainControl("projectS_8cbo");
  box.items.clear();
  box.selected = -1;
  bool found = false;
  ProjectList_read(NullText, found);
  ProjectDirectories_list();
  const ProjectLists& lists = gProjectLists;
  if (lists.projectCount > kListBoxSlots) {
    Error_report("Filling the project list, " + std::to_string(lists.projectCount) + " projects, at most " +
                     std::to_string(kListBoxSlots) + " can be listed",
                 "PL979");
  }
  for (int k = 1; k <= lists.projectCount; ++k) {
    std::string display = lists.directories[static_cast<size_t>(k)];
    bool hasFolder = false;
    for (int f = 1; f <= lists.folderCount; ++f) {
      hasFolder = hasFolder || Text_equalsNoCase(display, lists.folders[static_cast<size_t>(f)]);
    }
    if (!hasFolder && lists.folderCount > 0) {
      display += kNote2;
      MainControl("ProjectDirectoryNote8lbl").caption =
          "Note 2: there is no File directory for this entry in Vurn_SoundingS---*.csv ";
    }
    box.items.push_back(display);
  }
}

std::string ProjectSelector_entryFolder(std::string_view entry) {
  const size_t note = entry.find(kNote2);
  return std::string(note == std::string_view::npos ? entry : entry.substr(0, note));
}

void ProjectSelector_select(std::string_view wanted) {
  Control& box = MainControl("projectS_8cbo");
  int chosen = -1;
  for (size_t i = 0; i < box.items.size() && chosen < 0; ++i) {
    if (Text_equalsNoCase(ProjectSelector_entryFolder(box.items[i]), wanted)) chosen = static_cast<int>(i);
  }
  if (chosen < 0) return;
  box.selected = chosen;
  bool found = false;
  ProjectList_read(ProjectSelector_entryFolder(box.items[static_cast<size_t>(chosen)]), found);
  Status_show("Selected Project= " + gRun.projectName, " ", " ", " ", " ", " ", " ", "PR121");
}

void Project_make_new(std::string_view typedName, bool& alreadyExists) {
  alreadyExists = false;
  Status_show("Project - Making a new project", " ", " ", " ", " ", " ", " ", "MP883");
  // Blanks around a typed name would make a folder whose list row reads back
  // without them; only blanks would make a folder of blanks.
  const std::size_t first = typedName.find_first_not_of(" \t");
  const std::string projectName(first == std::string_view::npos
                                    ? std::string_view()
                                    : typedName.substr(first, typedName.find_last_not_of(" \t") - first + 1));
  if (projectName.empty()) Error_report("Project New - project name can't be blank ", "we343");
  PathName_checkSafe("new project name", projectName);
  Screen_mode("PROJECT_NEW");
  const std::string projects = PathOf("PROJECTS");
  const std::string folder = projects + projectName;
  if (Host_folderExists(folder)) {
    alreadyExists = true;
    Error_report("project name already exists", "PE943");
  }
  Host_makeFolder(folder);
  if (!Host_folderExists(folder + "\\Soundings")) Host_makeFolder(folder + "\\Soundings");

  const auto lists = Host_list(projects + "Vurn_ProjectS---*.csv", false);
  if (lists.size() != 1) {
    Error_report(
        "missing or too many ProjectS---*.csv files (" + std::to_string(lists.size()) + " in " + projects + ")",
        "MP329");
  }
  const std::string listPath = projects + lists.front();

  // A project the list already names (its folder was missing) keeps its row.
  bool listed = false;
  ProjectList_read(projectName, listed);

  // The list only ever grows by a row appended on a line of its own.
  TextWriter file;
  if (!file.open(listPath, TextWriter::Mode::AppendOnNewLine)) {
    Error_report("can't add the new project to " + listPath + ", maybe open by another program?", "MP331");
  }
  if (!listed) file.writeLine("\"" + projectName + "\",,,," + Host_shortDate() + ",,,,");
  if (!file.close()) {
    Error_report("can't add the new project to " + listPath + ", its row did not reach the disk (e=" +
                     std::to_string(file.error()) + ")",
                 "MP331");
  }
  MakeEditableSoundingFile(projectName);
  MainControl("ProjectNameAndOtherInformation8lbl").caption = "Project name was placed into " + lists.front();
}
