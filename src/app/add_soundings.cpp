// "Add soundings": a sounding database row for every field data file of the
// current project that has none, filled from the file's header.
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "fielddata/field_data_file.h"
#include "fielddata/field_data_store.h"
#include "fielddata/hog_reader.h"
#include "files/text.h"
#include "numeric/numeric_tools.h"
#include "project/project_list.h"
#include "project/sounding_db.h"

namespace {

// "20190129~104350-local" as the database writes dates: "190129-10:43"; a
// date without a time ("20000306~000000") gives "000306"; "" when the header
// has no whole date.
std::string databaseDate(const std::string& dateTime) {
  if (dateTime.size() < 8) return "";
  for (std::size_t i = 0; i < 8; ++i) {
    if (dateTime[i] < '0' || dateTime[i] > '9') return "";
  }
  std::string date = dateTime.substr(2, 6);
  const bool withTime = dateTime.size() >= 13 && dateTime.substr(dateTime.size() - 6) == "-local";
  if (withTime && dateTime[8] == '~' && dateTime.find_first_not_of("0123456789", 9) >= 13) {
    date += "-" + dateTime.substr(9, 2) + ":" + dateTime.substr(11, 2);
  }
  return date;
}

// Decimal degrees with six decimals (about 0.1 m); the missing marker when the
// header has no position, since the database takes no empty number there.
std::string degrees(double value) {
  if (IsNull(static_cast<float>(value))) return std::string(NullText);
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

}  // namespace

std::vector<std::string> Command_addSoundings() {
  ProjectSelector_fill();
  ProjectSelector_select(gRun.lastProject);
  Status_show("Add soundings", "reading the sounding database", " ", " ", " ", " ", " ", "AS100");
  std::set<std::string> known;
  for (const std::string& name : SoundingDatabase_names()) known.insert(UpperCased(TrimBlanks(name)));

  // Every file is read before any row is written, so a file that cannot be
  // read leaves the database as it was.
  std::vector<SoundingRowValues> rows;
  std::vector<std::string> told;
  std::set<std::string> seen;
  for (const FieldDataFile& listed : FieldDataFile_listAll()) {
    const std::string name = FieldDataFile_stem(listed.name);
    if (known.count(UpperCased(name)) || !seen.insert(UpperCased(name)).second) continue;
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", name);
    const FieldDataFile file = FieldDataFile_find(name);  // several files of one sounding: FDF402
    Status_show("", "reading " + file.name, " ", name, " ", " ", " ", "AS200");
    FieldDataFile_read(file);
    const HogHeader& h = gHogHeader;
    rows.push_back({{"SOUNDING_NAME", name},
                    {"PROBE_AND_SERIAL_NUM", h.device == "NULL" ? "" : h.device},
                    {"DATE_TAVIKFORMAT", databaseDate(h.dateTime)},
                    {"CPT_AGENCY_PERFORMING_SOUNDING", gFieldFileFacts.agency},
                    {"LAT_BEST_DEGF", degrees(h.gpsLatitude)},
                    {"LONG_BEST_DEGF", degrees(h.gpsLongitude)},
                    {"LATLOG_SOURCE", gFieldFileFacts.positionSource}});
    told.push_back("added " + name + " (" + file.name + ", " + std::to_string(std::max<int>(0, gFieldData.rowCount)) +
                   " rows); fill in its water table and unit weight fields");
  }
  if (!rows.empty()) SoundingDatabase_appendRows(rows);
  if (told.empty()) told.push_back("every field data file of project " + gRun.projectName + " has its row already");
  for (const std::string& line : told) TaskLine_write(1, "Add soundings: " + line, "TASK");
  std::string names;
  for (const SoundingRowValues& row : rows) names += (names.empty() ? "" : ", ") + row.front().second;
  Status_show("Add soundings: " + std::to_string(rows.size()) + " sounding(s) added", names.empty() ? " " : names,
              " ", " ", " ", " ", " ", "AS900");
  return told;
}
