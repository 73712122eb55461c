// Reading and preparing the output columns, and the basic values of a depth.
#include "q1o/columns.h"

#include <algorithm>
#include <cctype>

#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "q1o/column_id.h"

ColumnSet gColumns;

namespace {

constexpr const char* kPattern = "Vurn_Q1o_Output_Columns---*.csv";

void addColumn(const std::string& id, const std::string& fileName) {
  if (gColumns.count() >= kMaxColumns) {
    Error_report("Reading Q1o columns, " + fileName + " defines more than " + std::to_string(kMaxColumns) +
                     " columns",
                 "CL924");
  }
  ColumnDef column;
  column.id = id;
  gColumns.columns.push_back(column);
}

void padLeft(std::string& text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
}

// Reads the definition file: layout A across the first line, or layout B one
// item (ending at a comma or a line end) per column.
void readDefinitionFile(const std::string& path) {
  TextReader file;
  if (!file.open(path)) Error_report("Reading Q1o columns, can't open " + path, "FP831");
  FieldList fields(99);
  std::string line;
  file.readLine(line);
  SplitDelimitedLine(line, false, false, false, fields, path + ", line 1");
  if (fields.count >= 4) {
    for (std::int16_t k = 1; k <= fields.count; ++k) addColumn(fields[k], path);
    return;
  }
  if (fields.count >= 1) addColumn(fields[1], path);
  int item = 1;
  std::vector<std::string> items;
  while (file.readLine(line)) {
    size_t start = 0;
    while (start <= line.size()) {
      const size_t comma = line.find(',', start);
      const std::string piece = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (!TrimBlanks(piece).empty()) items.push_back(piece);
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  for (const std::string& piece : items) {
    ++item;
    Status_show("", "reading Q1o column item", "", "", "", "i= " + PlainNumber_text(static_cast<float>(item)), piece,
                "QC193");
    FieldList one(99);
    SplitDelimitedLine(piece, false, false, false, one, path);
    if (one.count >= 1) addColumn(one[1], path);
  }
}

}  // namespace

const std::vector<std::string>& BuiltInColumns() {
  // "Qc1_atm" and "UWT1_tvk_pcf": the list's two entries that could not be
  // computed as first written ("Qc1" without unit, "UTW1_tvk" misspelt).
  static const std::vector<std::string> list = {"Depth_ft",     "Qc_atm",   "fs_atm",      "Fr_%",
                                                "VES_atm",      "UWT1_tvk_pcf", "Qc1_atm", "cQc_tvk",
                                                "S1_tvk",       "S_tvk_psf", "CRRe_tvk",  "Vs1_tvk_fps",
                                                "Vs_tvk_fps"};
  return list;
}

void Columns_read() {
  Status_show("Getting Q1o column info", "ready for Q1o input", " ", " ", " ", " ", " ", "QC119");
  const std::string& source = gRun.outputColumnSource;
  if (source == "INTERNAL") {
    gColumns.columns.clear();
    for (const std::string& id : BuiltInColumns()) addColumn(id, "the built-in list");
    return;
  }
  // Neither marker names a source: an empty column set would write tables
  // without a single column.
  if (source == NullText || source == UnsetText) {
    Error_report("Q1o column source is not chosen (defined by file or internally defined)", "QC120");
  }
  if (source != "FILE") return;

  const std::string projectsArea = PathOf("PROJECTS");
  const std::string projectArea = PathOf("PROJECT");
  const auto inProjects = Host_list(projectsArea + kPattern, false);
  const auto inProject = Host_list(projectArea + kPattern, false);
  if (inProjects.size() > 1) Error_report(std::string("In Vurn directory, too many ") + kPattern + " files", "FP123");
  if (inProject.size() > 1) Error_report(std::string("In Project directory, to many ") + kPattern + " files", "FP873");
  if (inProjects.empty() && inProject.empty()) {
    Error_report(std::string(kPattern) + "was NOT found in ProjectS AND Project areas", "MEW553");
  }
  if (!inProjects.empty() && !inProject.empty()) {
    Error_report(std::string(kPattern) + "was found in BOTH ProjectS AND Project areas", "MEW553");
  }
  const std::string path = inProjects.empty() ? projectArea + inProject.front() : projectsArea + inProjects.front();
  Status_show("", "", "", path, " ", " ", " ", "QC193");
  gColumns.columns.clear();
  readDefinitionFile(path);
}

void Columns_prepare() {
  for (ColumnDef& column : gColumns.columns) {
    ColumnId_parse(column.id);
    ColumnDefaults_set();
    column.property = gColumnId.property;
    column.picture = gColumnDefaults.picture;
    column.factor = gColumnDefaults.factor;
    const size_t width = std::max({column.id.size(), column.methodText.size(), column.versionText.size(),
                                   column.picture.size()});
    padLeft(column.id, width);
    padLeft(column.methodText, width);
    padLeft(column.versionText, width);
    padLeft(column.picture, width);
  }
}

DepthField BasicValue_field(std::string_view name) {
  const std::string_view n = TrimmedView(name);
  if (n.empty()) Error_report(std::string(name) + "can't be blank", "WA331");
  static constexpr std::pair<std::string_view, DepthField> kFields[] = {
      {"DEPTH", &DepthValues::depth}, {"QC", &DepthValues::qc},       {"QT", &DepthValues::qt},
      {"QC1", &DepthValues::qc1},     {"QT1", &DepthValues::qc1},     {"FS", &DepthValues::fs},
      {"FS1", &DepthValues::fs1},     {"FR", &DepthValues::fr},       {"CQC", &DepthValues::c},
      {"U2", &DepthValues::u2},       {"INCLX", &DepthValues::inclX}, {"INCLY", &DepthValues::inclY},
      {"VES", &DepthValues::ves},     {"VTS", &DepthValues::vts},
  };
  for (const auto& [word, field] : kFields) {
    if (SameIgnoringCase(word, n)) return field;
  }
  return nullptr;
}

void BasicValue(std::string_view name, float& value, bool& found) {
  const DepthField field = BasicValue_field(name);
  found = field != nullptr;
  value = found ? gDepth.*field : NullValue;
}

std::string ColumnUnits_text(const ColumnDef& column) {
  const ColumnId savedId = gColumnId;
  const ColumnDefaults savedDefaults = gColumnDefaults;
  ColumnId_parse(column.id);
  ColumnDefaults_set();
  std::string units = gColumnId.units.empty() ? gColumnDefaults.baseUnit : gColumnId.units;
  gColumnId = savedId;
  gColumnDefaults = savedDefaults;
  return units;
}
