// The sounding database: its field table, header and row reading, and the
// editable file of a new project.
#include "project/sounding_db.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "core/null_value.h"
#include "core/report.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "platform/host_paths.h"

SoundingRecord gSounding;
SoundingColumnIds gSoundingColumns;

namespace {

using T = SoundingFieldType;

constexpr std::int16_t kHeaderSlots = 89;
constexpr std::int16_t kRowSlots = 105;

const std::vector<SoundingFieldDef> kTable = {
    {1, "SOUNDING_NAME", T::Text, "CPT Name & File Name", ""},
    {2, "CONE_ANET", T::Single, "Cone Anet", "SED231"},
    {13, "PROBE_AND_SERIAL_NUM", T::Text, "probe equipment device number", ""},
    {14, "PROBE_MEASUREMENTS_DASH_LIST", T::Text, "probe measurements  e.g.  qc-fs-u2-LIF-Vs-R", ""},
    {25, "SOUNDING_ATL_NAME", T::Text, "Alternate sounding name, e.g. survey name", ""},
    {26, "EXPORTING_SOUNDING_NAME_ADDON", T::Text, "Export add-on code for sounding exporting", ""},
    {27, "EXPORTING_CPT_NAME", T::Text, "Exporting CPT name (ie addon+sounding)", ""},
    {38, "DATE_TAVIKFORMAT", T::Text, "Date of Field Work  using TavikDateFormat  ie 071028-15:28", ""},
    {43, "CLIENT_FOR_CPT_WORK", T::Text, "Client for sounding effort", ""},
    {51, "CPT_AGENCY_PERFORMING_SOUNDING", T::Text, "Agency Performing CPT soundings", ""},
    {52, "CPT_TRUCK_OPERATOR", T::Text, "CPT Truck Operator", ""},
    {61, "DATA_OWNERSHIP", T::Text, "Data ownership", ""},
    {62, "DATA_FILE_KEEPER", T::Text, "Keeper of Data files", ""},
    {63, "LAND_OWNER", T::Text, "Owner of Land", ""},
    {71, "ZERO_QC_SHIFT_PRETEST_atClean_TO_POSTTEST_atDirty_aTM", T::Single,
     "Qc Zero Shift PreTestClean to PostTestDirty (atm)", "SWQ123"},
    {72, "ZERO_FS_SHIFT_PRETEST_atClean_TO_POSTTEST_atDirty_aTM", T::Single,
     "fs Zero Shift PreTestClean to PostTestDirty (atm)", "SWQ999"},
    {73, "ZERO_QC_SHIFT_FROM_PREVIOUS_SOUNDING_PRETEST_TO_THIS_PRETEST_atClean_ATM", T::Single,
     "Qc Shift from previous test clean to this test clean (atm)", "SWQ175"},
    {74, "ZERO_FS_SHIFT_FROM_PREVIOUS_SOUNDING_PRETEST_TO_THIS_PRETEST_atClean_ATM", T::Single,
     "fs Shift from previous test clean to this test clean (atm)", "SWQ766"},
    {76, "MEASURED_LOWEST_QC", T::Single, "Measured lowest Qc in this sounding", "MLQ111"},
    {77, "MEASURED_LOWEST_FS", T::Single, "Measured lowest fs in this sounding", "MLF111"},
    {90, "AQI_CPTZEROshift_%", T::Single, "AQI for CPT based on zero shift (%)", "SAA990"},
    {91, "AQI_CPT_EVALUATION_EFFORT_%", T::Single, "AQI during CPT Evaluation Effort", "SAA993"},
    {92, "AQI_CPT_FIELD_TESTING_EFFORT", T::Single, "AQI for CPT Field Observations", "ASS233"},
    {93, "AQI_FOR_LEVEL_REFERENCE_OF_NEARBY_ITEM", T::Single,
     "AQI in terms of nearby soil slope or building influence", "ASS419"},
    {94, "AQI_BORING", T::Single, "AQI for nearby Borings", "ASS409"},
    {104, "LAT_BEST_DEGF", T::Double, "Lat (Deg fraction)", "LL121"},
    {105, "LONG_BEST_DEGF", T::Double, "Long (Deg fraction)", "LL199"},
    {106, "LATLOG_SOURCE", T::Text, "Lat Long data source", ""},
    {107, "LATLONG_DILUTION", T::Single, "GPS Horz Dilation", "SSE034"},
    {120, "STATE_EAST", T::Double, "STATE Plane EAST", "SSFR222"},
    {121, "STATE_NORTH", T::Double, "STATE Plane North", "SSFR224"},
    {140, "WATERTABLE_DEPTH_FEET", T::Single, "Water Table depth during field work  (feet)", "SSFR222"},
    {141, "WATERTABLE_ELEVATION_FEET", T::Single, "Water Table Elevation (feet)", "WT334"},
    {160, "GROUND_ELEVATION_FEET", T::Single, "Elevation of Ground (feet)", "GE232"},
    {161, "HOLE_BOTTOM_ELEVATION_FEET", T::Single, "Hole Bottom Elevation (feet)", "HBE201"},
    {162, "DEPTH_ADDON_FEET", T::Single, "Depth add-on (feet) i.e. starting at botttom of hole", "DAO345"},
    {173, "OVERWATER_WATER_ELEVATION_FEET", T::Single, "Over water elevation of water (feet)", "OWE111"},
    {174, "OVERWATER_WATER_HEIGHT_FEET", T::Single, "Over water depth of water  (feet)", "OWH111"},
    {180, "UWT_METHOD", T::Text, "Total Unit Weight lookup method", ""},
    {181, "UWT_ABOVE_WT_PCF", T::Single, "Total Unit Weight ABOVE TW (PCF)", "UWA111"},
    {182, "UWT_BELOW_WT_PCF", T::Single, "Total Unit Weight Below TW (PCF)", "UWB111"},
    {183, "UWT_FILE_NAME", T::Text, "Total Unit - File Name", ""},
    {190, "COMMENTS_REASON_FOR_TESTING", T::Text, "Reasons in for testing in words", ""},
    {191, "COMMENTS_REASON_FOR_TESTING_CODE", T::Text, "REASON FOR TESTING Code, CODE", ""},
    {192, "COMMENTS_FROM_FIELD_WORDS", T::Text, "Comments from field in words", ""},
    {193, "CONTRACT_NUMBERCODE", T::Text, "Contract Number code", ""},
    {210, "PLOTTING_WORDS_ON_MAPS", T::Text, "Plotting code on map", ""},
    {212, "SITE_DESCRIPTION_WORDS", T::Text, "Location description in word", ""},
    {214, "SITE_COUNTRY_ZIP_STATE_CITY", T::Text,
     "Location address in order of country zipcode state city street number", ""},
    {216, "SITE_ADDRESS_CONVENTIONAL", T::Text, "Location using conventional address format", ""},
    {220, "SITE_NAME", T::Text, "Site name", ""},
    {222, "SITE_ZONE_NAME", T::Text, "Zone name", ""},
    {223, "SITE_ZONE_SUB_NAME", T::Text, "Site name", ""},
    {240, "STATION_FEET", T::Single, "Station (feet)", "STF111"},
    {241, "STATION_OFFSET_FEET", T::Single, "Station offset (feet)", "SOF111"},
    {245, "STATION_ZONE", T::Text, "Station Zone", ""},
    {280, "NEARBY_MAJOR_INFLUENCES_WORDS", T::Text, "Nearby Major Stress Influencing item", ""},
    {281, "NEARBY_MAJOR_INFLUENCES_DISTANCE_FEET", T::Single,
     "Distance (feet) to Nearby Major Stress Influencing item", "NM443"},
    {285, "NEW_FILL_WORDS", T::Text, "Recent fill -  description in words (and soil type/consistency)", ""},
    {287, "NEW_FILL_THICKNESS_FEET", T::Single, "Recent fill - thickness (feet)", "NF112"},
    {289, "NEW_FILL_AGE_MONTHS_AGO", T::Single, "Recent fill - age at time of sounding (months)", "NF334"},
};

std::string upper(const char* text) { return TrimmedUpper(text); }

// Hashing of texts and views alike, so the index answers a view without
// making a string of it.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// The table's rows by ID (as decimal text) and by key (trimmed, upper-cased);
// when two rows answer to the same text, the first row in table order.
// Built once from the constant table.
const std::unordered_map<std::string, int, TextHash, std::equal_to<>>& rowIndex() {
  static const auto index = [] {
    std::unordered_map<std::string, int, TextHash, std::equal_to<>> built;
    for (size_t i = 0; i < kTable.size(); ++i) {
      built.emplace(std::to_string(kTable[i].id), static_cast<int>(i));
      built.emplace(upper(kTable[i].key), static_cast<int>(i));
    }
    return built;
  }();
  return index;
}

// The row of the table for an identifier already trimmed and upper-cased, or -1.
int findRow(std::string_view id) {
  const auto& index = rowIndex();
  const auto found = index.find(id);
  return found == index.end() ? -1 : found->second;
}

// True when a text reads as a decimal number (optional sign, point, exponent,
// blanks around it); 5435 and the marker -5435 written as numbers included.
bool readsAsNumber(std::string_view text) {
  float number = NullValue;
  return NumberCell_read(text, number);
}

// A stored number as text, without the leading blank of a plain number.
std::string numberText(double value) {
  std::string text = PlainNumber_text(static_cast<float>(value));
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

void ensureStorage() {
  if (gSounding.text.size() != kTable.size()) {
    gSounding.text.assign(kTable.size(), std::string(NullText));
    gSounding.single.assign(kTable.size(), NullValue);
    gSounding.dbl.assign(kTable.size(), NullValue);
  }
}

int rowOrFail(std::string_view key) {
  // Callers name fields by their keys in capitals; others are upper-cased first.
  const std::string_view trimmed = TrimmedView(key);
  bool upperAlready = true;
  for (char ch : trimmed) upperAlready = upperAlready && !(ch >= 'a' && ch <= 'z');
  const int row = upperAlready ? findRow(trimmed) : findRow(TrimmedUpper(key));
  if (row < 0) throw std::logic_error("no sounding field " + std::string(key));
  ensureStorage();
  return row;
}

// The table row of an identifier, or -1 for one that addresses no field ("78",
// "79", empty, or any number); any other identifier is "CCN824", its message
// ending in `place`.
int fieldOrIgnored(const std::string& id, std::string_view identifier, const std::string& place) {
  const int row = findRow(id);
  if (row >= 0) return row;
  const bool ignored = id == "78" || id == "79" || id.empty() || readsAsNumber(id);
  if (!ignored) {
    Error_report("searching soundingSfile list, Can't find ID=" + std::string(identifier) + place, "CCN824");
  }
  return -1;
}

// Assigns one cell to the field its identifier addresses: text as given,
// numbers read from the text (a blank single field is missing); a value that
// is no number is the field's error, its message ending in `place`.
void assignField(std::string_view identifier, std::string_view value, const std::string& place) {
  ensureStorage();
  const int row = fieldOrIgnored(TrimmedUpper(identifier), identifier, place);
  if (row < 0) return;
  const SoundingFieldDef& def = kTable[static_cast<size_t>(row)];
  const size_t r = static_cast<size_t>(row);
  float number = NullValue;
  if (def.type == T::Text) {
    gSounding.text[r] = std::string(value);
  } else if (NumberCell_read(value, number)) {
    if (def.type == T::Single) gSounding.single[r] = number;
    else gSounding.dbl[r] = static_cast<double>(number);
  } else if (def.type == T::Single && TrimmedView(value).empty()) {
    gSounding.single[r] = NullValue;
  } else {
    Error_report(std::string(def.label) + " IS NOT =" + std::string(value) + place, def.code);
  }
}

}  // namespace

const std::vector<SoundingFieldDef>& SoundingField_table() { return kTable; }

void ResetSoundingHeader() {
  Status_show("", "", "NULLing soundingSfile Header data", " ", " ", " ", " ", "4502");
  gSoundingColumns.ids.assign(static_cast<size_t>(kHeaderSlots) + 1, "");
  gSoundingColumns.count = 0;
}

void ResetSoundingRecord() {
  Status_show("", "NULLing soundingSfile Line data ", " ", " ", " ", " ", " ", "SN441");
  // Every field of the table (IDs 1 to 289) becomes the marker, as assigning
  // "-5435" to each ID would make it, without looking each one up.
  gSounding.text.assign(kTable.size(), std::string(NullText));
  gSounding.single.assign(kTable.size(), NullValue);
  gSounding.dbl.assign(kTable.size(), NullValue);
}

void OpenSoundingDatabase(TextReader& file) {
  Status_show("Reading SoundingS file", "opening and reading header", "Reading SoundingS database", " ", " ", " ",
              " ", "So123");
  ResetSoundingHeader();
  ResetSoundingRecord();
  const std::string pattern = PathOf("VURN_SOUNDINGS---*.CSV");
  const auto names = Host_list(pattern, false);
  const size_t n = names.size() >= 9999 ? 0 : names.size();
  if (n == 0) {
    Error_report("Reading SouningS file, needs a SoundingS---*.csv file  (none matches " + pattern + ")", "DX392");
  }
  if (n >= 2) {
    std::string found;
    for (const std::string& name : names) found += (found.empty() ? "" : ", ") + name;
    Error_report("Reading SouningS file, only one SoundingS---*.csv file allowed (" + pattern + " matches " + found +
                     ")",
                 "DX322");
  }
  const std::string fullName = PathOf("PROJECT") + names.front();
  Status_show("", "", "", "", "SoundingS file= " + names.front(), " ", " ", "So443");
  if (!file.open(fullName)) Error_report("problem opening; " + fullName + " {is is open?}", "MG332");
}

void ReadSoundingHeader(TextReader& file) {
  Status_show("", "", "reading CPT soundings Header ", " ", " ", " ", " ", "RE823");
  std::string line;
  file.readLine(line);
  FieldList cells(999);
  SplitDelimitedLine(line, false, false, false, cells, file.path() + ", row 1");
  if (cells.count > kHeaderSlots) {
    Error_report("Reading SoundingS file header, " + file.path() + " has " + std::to_string(cells.count) +
                     " columns, at most " + std::to_string(kHeaderSlots) + " are allowed",
                 "SD889");
  }
  gSoundingColumns.ids.assign(static_cast<size_t>(kHeaderSlots) + 1, "");
  gSoundingColumns.count = cells.count;
  for (std::int16_t k = 1; k <= cells.count; ++k) gSoundingColumns.ids[static_cast<size_t>(k)] = cells[k];
  for (std::int16_t k = 1; k <= cells.count; ++k) {
    bool endOfList = false;
    const std::string id = BraceIdentifier(cells[k], endOfList);
    if (endOfList) {
      gSoundingColumns.ids[static_cast<size_t>(k)] = "";
      break;
    }
    gSoundingColumns.ids[static_cast<size_t>(k)] = id;
  }
}

void ReadNextSounding(TextReader& file, bool& endOfFile) {
  Status_show("", "", "Reading ONE line (next sounding) from the SoundingS*.cvs file ", " ", " ", " ", " ", "RL123");
  endOfFile = true;
  std::string line;
  FieldList cells(999);
  while (file.readLine(line)) {
    SplitDelimitedLine(line, false, true, false, cells, file.path() + ", row " + std::to_string(file.lineNumber()));
    bool empty = true;
    for (std::int16_t k = 1; k <= cells.count && empty; ++k) empty = TrimmedView(cells[k]).empty();
    if (!empty) {
      endOfFile = false;
      break;
    }
    // A blank line (often the last one) or a row of commas names no sounding.
    TaskLine_write(6, "Reading SoundingS file, row " + std::to_string(file.lineNumber()) + " of " + file.path() +
                          " is empty and was passed over",
                   "ISSUE");
  }
  if (endOfFile) return;
  gSounding.fileLine = file.lineNumber();
  if (cells.count > kRowSlots) {
    Error_report("Reading SoundingS file, a row of " + file.path() + " has " + std::to_string(cells.count) +
                     " cells, at most " + std::to_string(kRowSlots) + " are allowed (row " +
                     std::to_string(file.lineNumber()) + ")",
                 "SD805");
  }
  // Every error of a cell names the file, the row and the sounding of the row.
  std::string name;
  for (std::int16_t k = 1; k <= cells.count && k <= gSoundingColumns.count; ++k) {
    if (findRow(TrimmedUpper(gSoundingColumns.ids[static_cast<size_t>(k)])) == 0) name = cells[k];
  }
  const std::string place = " --- in " + file.path() + ", row " + std::to_string(file.lineNumber()) +
                            (name.empty() ? ", no sounding name" : ", sounding " + name);
  for (std::int16_t k = 1; k <= cells.count; ++k) {
    const std::string id = k <= gSoundingColumns.count ? gSoundingColumns.ids[static_cast<size_t>(k)] : "";
    assignField(id, cells[k], place);
  }
}

std::string AccessSoundingField(std::string_view mode, std::string_view identifier, std::string_view value) {
  ensureStorage();
  const std::string id = TrimmedUpper(identifier);
  const int row = findRow(id);
  if (mode == "ASSIGN_DB") {
    assignField(identifier, value, "");
  } else if (row >= 0) {
    const SoundingFieldDef& def = kTable[static_cast<size_t>(row)];
    const size_t r = static_cast<size_t>(row);
    if (mode == "GET_DB") {
      if (def.type == T::Text) return gSounding.text[r] + ", ";
      if (def.type == T::Single) return numberText(gSounding.single[r]) + ", ";
      return numberText(gSounding.dbl[r]) + ", ";
    }
  } else {
    fieldOrIgnored(id, identifier, "");
  }
  if (mode == "OUTPUT_TITLE") {
    const std::string label = row >= 0 ? kTable[static_cast<size_t>(row)].label : "";
    return label + std::string(29, ' ') + "{" + id + "} " + ", ";
  }
  if (mode == "ASSIGN_DB") return "-5435_191";
  return "";
}

const std::string& SoundingField_text(std::string_view key) {
  return gSounding.text[static_cast<size_t>(rowOrFail(key))];
}

float SoundingField_single(std::string_view key) { return gSounding.single[static_cast<size_t>(rowOrFail(key))]; }

double SoundingField_double(std::string_view key) { return gSounding.dbl[static_cast<size_t>(rowOrFail(key))]; }

void MakeEditableSoundingFile(std::string_view projectName) {
  Status_show("", "making new *-Sounding.csv file with header columns defined", "", "", " ", projectName, " ",
              "RE823");
  const size_t first = projectName.find_first_not_of(' ');
  std::string cleaned(first == std::string_view::npos
                          ? std::string_view()
                          : projectName.substr(first, projectName.find_last_not_of(' ') - first + 1));
  for (char& c : cleaned) {
    if (c == ' ') c = '_';
  }
  // The new project's own folder, so that every new project gets its file.
  const std::string folder = PathOf("PROJECTS") + std::string(projectName) + "\\";
  const std::string pattern = folder + "SoundingS---*.csv";
  if (!Host_list(pattern, false).empty()) Error_report(pattern + " already exists", "WP123");
  TextWriter file;
  const std::string path = folder + "SoundingS---" + cleaned + "---VurnEditable---.csv";
  if (!file.open(path, TextWriter::Mode::Append)) {
    Error_report("can't make the editable sounding file " + path, "WP124");
  }
  file.writeLine("header....");
  for (const SoundingFieldDef& def : kTable) file.writeLine("\"" + std::string(def.key) + "\", ");
  file.writeLine("---ending---");
  if (!file.close()) {
    Error_report("can't make the editable sounding file " + path + ", it did not reach the disk completely (e=" +
                     std::to_string(file.error()) + ")",
                 "WP124");
  }
}

std::vector<std::string> SoundingDatabase_names() {
  TextReader file;
  OpenSoundingDatabase(file);
  ReadSoundingHeader(file);
  std::vector<std::string> names;
  while (true) {
    // A row without the column keeps no name of the row before.
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "");
    bool endOfFile = false;
    ReadNextSounding(file, endOfFile);
    if (endOfFile) break;
    names.push_back(SoundingField_text("SOUNDING_NAME"));
  }
  return names;
}

namespace {

// The field key a header column names, or "" when it names none.
std::string columnKey(const std::string& id) {
  const std::string wanted = TrimmedUpper(id);
  for (const SoundingFieldDef& def : SoundingField_table()) {
    if (wanted == def.key || wanted == std::to_string(def.id)) return def.key;
  }
  return "";
}

std::string cellText(std::string value) {
  for (char& c : value) {
    if (c == '"') c = '\'';
  }
  return value.find_first_of(", ") == std::string::npos ? value : "\"" + value + "\"";
}

}  // namespace

void SoundingDatabase_appendRows(const std::vector<SoundingRowValues>& rows) {
  TextReader reader;
  OpenSoundingDatabase(reader);
  ReadSoundingHeader(reader);
  const std::string path = reader.path();
  reader.close();
  std::vector<std::string> keys;
  for (std::int16_t k = 1; k <= gSoundingColumns.count; ++k) keys.push_back(columnKey(gSoundingColumns.ids[static_cast<std::size_t>(k)]));

  TextWriter writer;
  if (!writer.open(path, TextWriter::Mode::AppendOnNewLine)) {
    Error_report("can't add rows to the sounding database " + path + " (is it open in another program?)", "SDA301");
  }
  for (const SoundingRowValues& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < keys.size(); ++c) {
      if (c > 0) line += ',';
      for (const auto& [key, value] : row) {
        if (!keys[c].empty() && key == keys[c]) line += cellText(value);
      }
    }
    writer.writeLine(line);
  }
  if (!writer.close()) {
    Error_report("the rows added to the sounding database " + path + " did not reach the disk completely (e=" +
                     std::to_string(writer.error()) + ")",
                 "SDA301");
  }
}
