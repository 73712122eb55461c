// The GEF field data reader: the header's keyword lines through a table of
// handlers, then the data records through the column map the header built.
#include "fielddata/gef_reader.h"

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/report.h"
#include "fielddata/field_data_store.h"
#include "fielddata/hog_reader.h"
#include "files/text.h"
#include "numeric/date_time.h"
#include "platform/text_file.h"

namespace {

// Columns of a file; a column number beyond this is refused as out of range.
constexpr int kMaxColumns = 256;

struct GefColumn {
  int quantity = 0;
  std::string unit;
  bool hasVoid = false;
  double voidValue = 0.0;
};

// What the header says, gathered before the data block is read.
struct GefHeader {
  bool gefId = false;
  int declaredColumns = 0;
  std::vector<GefColumn> columns;  // index 0 is column 1
  char columnSeparator = 0;        // 0: blanks or tabs
  char recordSeparator = 0;        // 0: the line end only
  int date[3] = {-1, -1, -1};
  int time[3] = {-1, -1, -1};
  bool hasPosition = false;
  int positionCode = 0;
  double positionX = 0.0;
  double positionY = 0.0;
  int positionLine = 0;
  bool hasRegistryPosition = false;
  double registryLatitude = 0.0;
  double registryLongitude = 0.0;
  double zeros[8];  // measurement variables 20 to 27, MPa
  std::string company;
};

// One keyword line being read.
struct GefLine {
  const std::string& path;
  int number;
  std::vector<std::string> values;
};

[[noreturn]] void gefError(const std::string& path, int line, const std::string& what, const char* id) {
  Error_report(path + ", line " + std::to_string(line) + ": " + what, id);
}

// The values of a keyword line, split on unescaped commas and trimmed.
std::vector<std::string> keywordValues(std::string_view text) {
  std::vector<std::string> values;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && std::string_view(",=#\\").find(text[i + 1]) != std::string_view::npos) {
      current += text[++i];
    } else if (c == ',') {
      values.emplace_back(FieldText_trimmed(current));
      current.clear();
    } else {
      current += c;
    }
  }
  values.emplace_back(FieldText_trimmed(current));
  return values;
}

std::string_view valueAt(const GefLine& line, std::size_t k) {
  return k < line.values.size() ? std::string_view(line.values[k]) : std::string_view();
}

bool wholeNumber(std::string_view text, int& value) {
  double number = 0.0;
  if (!FieldValue_parse(text, number) || number != std::floor(number) || std::fabs(number) > 1.0e9) return false;
  value = static_cast<int>(number);
  return true;
}

// The column a #COLUMNINFO or #COLUMNVOID line is about.
GefColumn& columnOf(GefHeader& h, const GefLine& line) {
  int column = 0;
  if (!wholeNumber(valueAt(line, 0), column) || column < 1 || column > kMaxColumns) {
    gefError(line.path, line.number,
             "the column number \"" + std::string(valueAt(line, 0)) + "\" is not a whole number from 1 to " +
                 std::to_string(kMaxColumns),
             "GEF613");
  }
  if (static_cast<int>(h.columns.size()) < column) h.columns.resize(static_cast<std::size_t>(column));
  return h.columns[static_cast<std::size_t>(column - 1)];
}

// A separator keyword's character: the first character of its value (a tab
// or a blank survive only untrimmed, so the raw text is looked at too).
char separatorOf(const GefLine& line, std::string_view raw) {
  const std::string_view value = valueAt(line, 0);
  if (!value.empty()) return value.front();
  if (raw.find('\t') != std::string_view::npos) return '\t';
  return 0;
}

void onGefId(GefHeader& h, const GefLine&, std::string_view) { h.gefId = true; }

void onReportCode(GefHeader&, const GefLine& line, std::string_view) {
  const std::string code = UpperCased(valueAt(line, 0));
  if (code.find("DISS") != std::string::npos || code.find("BORE") != std::string::npos) {
    gefError(line.path, line.number,
             "the report code \"" + std::string(valueAt(line, 0)) + "\" is not that of a cone penetration test",
             "GEF612");
  }
}

void onColumn(GefHeader& h, const GefLine& line, std::string_view) {
  int count = 0;
  if (!wholeNumber(valueAt(line, 0), count) || count < 1 || count > kMaxColumns) {
    gefError(line.path, line.number, "the column count \"" + std::string(valueAt(line, 0)) + "\" is not valid",
             "GEF613");
  }
  h.declaredColumns = count;
}

void onColumnInfo(GefHeader& h, const GefLine& line, std::string_view) {
  GefColumn& column = columnOf(h, line);
  column.unit = std::string(valueAt(line, 1));
  int quantity = 0;
  column.quantity = line.values.size() >= 4 && wholeNumber(valueAt(line, 3), quantity) ? quantity : 0;
}

void onColumnVoid(GefHeader& h, const GefLine& line, std::string_view) {
  GefColumn& column = columnOf(h, line);
  double value = 0.0;
  column.hasVoid = FieldValue_parse(valueAt(line, 1), value);
  column.voidValue = value;
}

void onColumnSeparator(GefHeader& h, const GefLine& line, std::string_view raw) {
  h.columnSeparator = separatorOf(line, raw);
}
void onRecordSeparator(GefHeader& h, const GefLine& line, std::string_view raw) {
  h.recordSeparator = separatorOf(line, raw);
}

// Three whole numbers (a decimal third part is cut to whole seconds); "-" or
// a missing part stays -1.
void threeParts(const GefLine& line, int (&parts)[3]) {
  for (std::size_t k = 0; k < 3; ++k) {
    double number = 0.0;
    parts[k] = FieldValue_parse(valueAt(line, k), number) && number >= 0.0 && number < 1.0e6
                   ? static_cast<int>(number)
                   : -1;
  }
}
void onStartDate(GefHeader& h, const GefLine& line, std::string_view) { threeParts(line, h.date); }
void onStartTime(GefHeader& h, const GefLine& line, std::string_view) { threeParts(line, h.time); }

void onXyId(GefHeader& h, const GefLine& line, std::string_view) {
  int code = 0;
  h.hasPosition = wholeNumber(valueAt(line, 0), code) && FieldValue_parse(valueAt(line, 1), h.positionX) &&
                  FieldValue_parse(valueAt(line, 2), h.positionY);
  h.positionCode = code;
  h.positionLine = line.number;
}

// The company; registry exports that withhold it say "wordt niet uitgeleverd"
// (is not delivered) beside a placeholder name.
void onCompanyId(GefHeader& h, const GefLine& line, std::string_view) {
  for (const std::string& value : line.values) {
    if (UpperCased(value).find("NIET UITGELEVERD") != std::string::npos) return;
  }
  h.company = std::string(valueAt(line, 0));
}

void onMeasurementText(GefHeader& h, const GefLine& line, std::string_view) {
  int number = 0;
  if (!wholeNumber(valueAt(line, 0), number)) return;
  if (number == 4 && !valueAt(line, 1).empty() && valueAt(line, 1) != "-") {
    gHogHeader.device = std::string(valueAt(line, 1));
  }
  if (number == 127 && valueAt(line, 1) == "4258") {
    h.hasRegistryPosition = FieldValue_parse(valueAt(line, 2), h.registryLatitude) &&
                            FieldValue_parse(valueAt(line, 3), h.registryLongitude);
  }
}

// Megapascals per unit of a pressure unit text (its first word, any case); 0
// when it is no pressure unit.
double mpaPerUnit(std::string_view unit) {
  const std::string word = UpperCased(unit.substr(0, unit.find_first_of(" (")));
  if (word == "MPA") return 1.0;
  if (word == "KPA") return 0.001;
  return 0.0;
}

void onMeasurementVar(GefHeader& h, const GefLine& line, std::string_view) {
  int number = 0;
  if (!wholeNumber(valueAt(line, 0), number) || number < 20 || number > 27) return;
  double value = 0.0;
  if (!FieldValue_parse(valueAt(line, 1), value)) return;  // "-" or empty: not given
  const std::string_view unit = valueAt(line, 2);
  const double factor = unit.empty() || unit == "-" ? 1.0 : mpaPerUnit(unit);
  if (factor == 0.0) {
    gefError(line.path, line.number,
             "the zero reading (measurement variable " + std::to_string(number) + ") is in \"" + std::string(unit) +
                 "\", which cannot be converted to MPa",
             "GEF621");
  }
  h.zeros[number - 20] = value * factor;
}

struct KeywordHandler {
  const char* keyword;
  void (*read)(GefHeader&, const GefLine&, std::string_view raw);
};
constexpr KeywordHandler kKeywords[] = {
    {"GEFID", onGefId},
    {"REPORTCODE", onReportCode},
    {"PROCEDURECODE", onReportCode},
    {"COLUMN", onColumn},
    {"COLUMNINFO", onColumnInfo},
    {"COLUMNVOID", onColumnVoid},
    {"COLUMNSEPARATOR", onColumnSeparator},
    {"RECORDSEPARATOR", onRecordSeparator},
    {"STARTDATE", onStartDate},
    {"STARTTIME", onStartTime},
    {"XYID", onXyId},
    {"COMPANYID", onCompanyId},
    {"MEASUREMENTTEXT", onMeasurementText},
    {"MEASUREMENTVAR", onMeasurementVar},
};

// Reads the header up to "#EOH="; the line number reached is left in `lineNumber`.
void readHeader(TextReader& file, GefHeader& h, int& lineNumber) {
  const std::string& path = file.path();
  std::string line;
  while (file.readLine(line)) {
    ++lineNumber;
    std::string_view text = line;
    if (lineNumber == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    text = FieldText_trimmed(text);
    if (text.empty()) continue;
    if (text.front() != '#') {
      if (!h.gefId) gefError(path, lineNumber, "does not start with #GEFID: not a GEF file", "GEF610");
      continue;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string keyword = UpperCased(FieldText_trimmed(text.substr(1, equals - 1)));
    const std::string_view raw = text.substr(equals + 1);
    if (keyword == "EOH") {
      if (!h.gefId) gefError(path, lineNumber, "the header has no #GEFID line: not a GEF file", "GEF610");
      return;
    }
    for (const KeywordHandler& k : kKeywords) {
      if (keyword == k.keyword) {
        k.read(h, GefLine{path, lineNumber, keywordValues(raw)}, raw);
        break;
      }
    }
  }
  if (!h.gefId) gefError(path, lineNumber, "the file has no #GEFID line: not a GEF file", "GEF610");
  gefError(path, lineNumber, "the file ends before the end of its header (#EOH=)", "GEF611");
}

// The stored quantities and where each is in a record.
enum Stored { Depth, Qc, Fs, U2, InclX, InclY, StoredCount };

struct StoredColumn {
  int index = -1;  // 0-based column, -1 when the file has none
  double factor = 1.0;
  bool hasVoid = false;
  double voidValue = 0.0;
};

int columnOfQuantity(const GefHeader& h, int quantity) {
  for (std::size_t c = 0; c < h.columns.size(); ++c) {
    if (h.columns[c].quantity == quantity) return static_cast<int>(c);
  }
  return -1;
}

bool isDegrees(std::string_view unit) {
  const std::string text = UpperCased(unit);
  return text.rfind("DEG", 0) == 0 || text.rfind("GRAD", 0) == 0 || text.rfind("\xC2\xB0", 0) == 0 ||
         text.rfind("\xB0", 0) == 0;
}

// The column of each stored quantity, its unit checked and its factor found.
void mapColumns(const std::string& path, const GefHeader& h, StoredColumn (&map)[StoredCount]) {
  struct Wanted {
    Stored stored;
    int quantity;
    int fallback;
    const char* name;
    bool required;
  };
  constexpr Wanted wanted[] = {
      {Depth, 1, 0, "penetration length (quantity 1)", true},
      {Qc, 2, 0, "cone resistance qc (quantity 2)", true},
      {Fs, 3, 0, "sleeve friction fs (quantity 3)", true},
      {U2, 6, 0, "pore pressure u2 (quantity 6)", false},
      {InclX, 21, 10, "inclination X (quantity 21 or 10)", false},
      {InclY, 22, 9, "inclination Y (quantity 22 or 9)", false},
  };
  for (const Wanted& w : wanted) {
    int index = columnOfQuantity(h, w.quantity);
    if (index < 0 && w.fallback != 0) index = columnOfQuantity(h, w.fallback);
    StoredColumn& s = map[w.stored];
    if (index < 0) {
      if (w.required) {
        Error_report(path + ": the header (#COLUMNINFO) has no column of " + w.name, "GEF620");
      }
      continue;
    }
    const GefColumn& column = h.columns[static_cast<std::size_t>(index)];
    const std::string_view unit = FieldText_trimmed(column.unit);
    if (w.stored == Depth) {
      s.factor = UpperCased(unit.substr(0, unit.find_first_of(" ("))) == "M" ? 1.0 : 0.0;
    } else if (w.stored == InclX || w.stored == InclY) {
      s.factor = isDegrees(unit) ? 1.0 : 0.0;
    } else {
      s.factor = mpaPerUnit(unit) * AtmPerMpa;
    }
    if (s.factor == 0.0) {
      Error_report(path + ": column " + std::to_string(index + 1) + ", " + w.name + ", is in \"" + std::string(unit) +
                       "\", a unit that cannot be converted",
                   "GEF621");
    }
    s.index = index;
    s.hasVoid = column.hasVoid;
    s.voidValue = column.voidValue;
  }
}

// Splits one record into its values.
void splitRecord(std::string_view record, char separator, std::vector<std::string_view>& values) {
  values.clear();
  if (separator == 0) {
    std::size_t at = 0;
    while (true) {
      at = record.find_first_not_of(" \t", at);
      if (at == std::string_view::npos) return;
      const std::size_t end = std::min(record.find_first_of(" \t", at), record.size());
      values.push_back(record.substr(at, end - at));
      at = end;
    }
  }
  std::size_t at = 0;
  while (true) {
    const std::size_t end = record.find(separator, at);
    if (end == std::string_view::npos) {
      const std::string_view last = FieldText_trimmed(record.substr(at));
      if (!last.empty() || values.empty()) values.push_back(last);
      return;
    }
    values.push_back(FieldText_trimmed(record.substr(at, end - at)));
    at = end + 1;
  }
}

// One record's values into a stored row.
void readRecord(const std::string& path, int lineNumber, const std::vector<std::string_view>& values,
                std::size_t columnCount, const StoredColumn (&map)[StoredCount]) {
  if (values.size() != columnCount) {
    gefError(path, lineNumber,
             "a data record has " + std::to_string(values.size()) + " values where the header declares " +
                 std::to_string(columnCount) + " columns",
             "GEF630");
  }
  double out[StoredCount];
  for (int q = 0; q < StoredCount; ++q) {
    out[q] = FieldValueMissing;
    const StoredColumn& s = map[q];
    if (s.index < 0) continue;
    const std::string_view text = values[static_cast<std::size_t>(s.index)];
    if (text.empty() || text == "-") continue;
    double value = 0.0;
    if (!FieldValue_parse(text, value)) {
      gefError(path, lineNumber,
               "value " + std::to_string(s.index + 1) + " of a data record, \"" + std::string(text) +
                   "\", is not a number",
               "GEF631");
    }
    if (s.hasVoid && value == s.voidValue) continue;
    out[q] = value * s.factor;
  }
  const FieldRow row{FieldDepth_feet(out[Depth]), out[Qc], out[Fs], out[U2], out[InclX], out[InclY]};
  if (!FieldDataStore_add(row)) {
    gefError(path, lineNumber,
             "more data records than a sounding holds (" + std::to_string(FieldDataCapacity) + ")", "GEF632");
  }
}

void setPosition(const std::string& path, const GefHeader& h) {
  if (h.hasPosition) {
    int epsg = h.positionCode;
    if (h.positionCode == 31000) epsg = 28992;
    if (h.positionCode == 32000) epsg = 31370;
    if (h.positionCode == 49000) epsg = 31467;
    if (h.positionCode == 1) epsg = 4326;
    if (h.positionCode < 1024 && h.positionCode != 1) epsg = 0;  // own or unconfirmed systems
    if (epsg > 0 && FieldDataStore_setPosition(epsg, h.positionX, h.positionY)) return;
  }
  if (h.hasRegistryPosition &&
      FieldDataStore_setPosition(4258, h.registryLongitude, h.registryLatitude)) {
    gFieldFileFacts.positionSource = "ETRS89 position of the file (MEASUREMENTTEXT 127)";
    return;
  }
  if (h.hasPosition) {
    TaskLine_write(6,
                   path + ", line " + std::to_string(h.positionLine) + ": the position (#XYID code " +
                       std::to_string(h.positionCode) + ") cannot be converted to latitude and longitude",
                   "ISSUE");
  }
}

}  // namespace

void ReadGefFile(const std::string& path) {
  TextReader file;
  if (!file.open(path)) {
    Error_report("can't open the field data file " + path + " (is it missing, or open in another program?)",
                 "GEF601");
  }
  Status_show("", "reading GEF file", " ", gHogHeader.soundingName, "", "", "", "GEF100");
  GefHeader h;
  for (double& zero : h.zeros) zero = FieldValueMissing;
  int lineNumber = 0;
  readHeader(file, h, lineNumber);

  StoredColumn map[StoredCount];
  mapColumns(path, h, map);
  const std::size_t columnCount =
      static_cast<std::size_t>(h.declaredColumns > 0 ? h.declaredColumns : static_cast<int>(h.columns.size()));
  for (const StoredColumn& s : map) {
    if (s.index >= static_cast<int>(columnCount)) {
      Error_report(path + ": #COLUMNINFO names column " + std::to_string(s.index + 1) + " of a file of " +
                       std::to_string(columnCount) + " columns (#COLUMN)",
                   "GEF613");
    }
  }

  FieldDataStore_begin(path);
  FieldDataStore_setZero("qc", h.zeros[0], h.zeros[1]);
  FieldDataStore_setZero("fs", h.zeros[2], h.zeros[3]);
  FieldDataStore_setZero("u2", h.zeros[6], h.zeros[7]);
  if (h.date[0] >= 0) {
    gHogHeader.dateTime =
        DateTime_normalize(FieldDataStore_dateText(h.date[0], h.date[1], h.date[2], h.time[0], h.time[1], h.time[2]));
  }
  setPosition(path, h);
  gFieldFileFacts.agency = h.company;

  std::string line;
  std::vector<std::string_view> values;
  while (file.readLine(line)) {
    ++lineNumber;
    std::string_view rest = line;
    while (true) {
      const std::size_t end = h.recordSeparator != 0 ? rest.find(h.recordSeparator) : std::string_view::npos;
      const std::string_view record = FieldText_trimmed(rest.substr(0, end));
      if (!record.empty()) {
        splitRecord(record, h.columnSeparator, values);
        readRecord(path, lineNumber, values, columnCount, map);
      }
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  file.close();
  if (gFieldData.rowCount <= 0) gefError(path, lineNumber, "no data record follows the header", "GEF633");
  FieldDataStore_finish();
}
