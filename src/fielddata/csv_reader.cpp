// The plain CSV field data reader: "#key=value" lines through a table of keys,
// the header's column names through a table of quantities and units, then the
// rows.
#include "fielddata/csv_reader.h"

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

[[noreturn]] void csvError(const std::string& path, int line, const std::string& what, const char* id) {
  Error_report(path + ", line " + std::to_string(line) + ": " + what, id);
}

// The units a pressure may be given in: atmospheres and megapascals per unit.
struct PressureUnit {
  const char* name;
  double atm;
  double mpa;
};
constexpr PressureUnit kPressureUnits[] = {
    {"MPA", AtmPerMpa, 1.0},
    {"KPA", AtmPerMpa / 1000.0, 0.001},
    {"ATM", 1.0, 0.101325},
    {"TSF", 0.95, 0.95 * 0.101325},
};

const PressureUnit* pressureUnit(std::string_view unit) {
  const std::string upper = UpperCased(unit);
  for (const PressureUnit& u : kPressureUnits) {
    if (upper == u.name) return &u;
  }
  return nullptr;
}

// The stored quantities of the columns.
enum Quantity { Depth, Qc, Fs, U2, InclX, InclY, QuantityCount };
constexpr const char* kQuantityNames[QuantityCount] = {"DEPTH", "QC", "FS", "U2", "INCL_X", "INCL_Y"};

struct CsvColumn {
  int index = -1;          // 0-based position in a row, -1 when absent
  bool depthInMetres = false;
  double factor = 1.0;     // to atmospheres, or 1 for feet and degrees
};

// What the "#key=value" lines say.
struct CsvHeader {
  double zeros[3][2] = {{FieldValueMissing, FieldValueMissing},
                        {FieldValueMissing, FieldValueMissing},
                        {FieldValueMissing, FieldValueMissing}};  // qc, fs, u2; clean, dirty; MPa
  bool hasDate = false;
  int date[6] = {-1, -1, -1, -1, -1, -1};
  int epsg = 0;
  double x = FieldValueMissing;
  double y = FieldValueMissing;
  int positionLine = 0;
};

// "YYYY-MM-DD" with an optional " HH:MM[:SS]" or "THH:MM[:SS]".
bool readDate(std::string_view text, int (&parts)[6]) {
  text = FieldText_trimmed(text);
  const auto number = [&text](std::size_t from, std::size_t length, int& value) {
    if (from + length > text.size()) return false;
    value = 0;
    for (std::size_t i = from; i < from + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      value = value * 10 + (text[i] - '0');
    }
    return true;
  };
  int p[6] = {-1, -1, -1, -1, -1, -1};
  if (!number(0, 4, p[0]) || text.size() < 10 || text[4] != '-' || !number(5, 2, p[1]) || text[7] != '-' ||
      !number(8, 2, p[2]) || p[1] < 1 || p[1] > 12 || p[2] < 1 || p[2] > 31) {
    return false;
  }
  if (text.size() > 10) {
    if ((text[10] != ' ' && text[10] != 'T') || !number(11, 2, p[3]) || text.size() < 16 || text[13] != ':' ||
        !number(14, 2, p[4]) || p[3] > 23 || p[4] > 59) {
      return false;
    }
    p[5] = 0;
    if (text.size() > 16 && (text.size() != 19 || text[16] != ':' || !number(17, 2, p[5]) || p[5] > 59)) return false;
  }
  for (int k = 0; k < 6; ++k) parts[k] = p[k];
  return true;
}

// One "#key=value" line; unknown keys are ignored.
void readKeyLine(const std::string& path, int lineNumber, std::string_view text, CsvHeader& h) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) {
    csvError(path, lineNumber, "\"" + std::string(text) + "\" is no #key=value line", "CSV611");
  }
  const std::string key = UpperCased(FieldText_trimmed(text.substr(1, equals - 1)));
  const std::string_view value = FieldText_trimmed(text.substr(equals + 1));
  const auto numberOf = [&](double& out) {
    if (!FieldValue_parse(value, out)) {
      csvError(path, lineNumber, "#" + key + ": \"" + std::string(value) + "\" is not a number", "CSV611");
    }
  };
  if (key == "DEVICE") {
    if (!value.empty()) gHogHeader.device = std::string(value);
  } else if (key == "AGENCY") {
    gFieldFileFacts.agency = std::string(value);
  } else if (key == "DATE") {
    if (!readDate(value, h.date)) {
      csvError(path, lineNumber, "the date \"" + std::string(value) + "\" is not YYYY-MM-DD [HH:MM[:SS]]",
               "CSV611");
    }
    h.hasDate = true;
  } else if (key == "LATITUDE" || key == "LONGITUDE") {
    numberOf(key == "LATITUDE" ? h.y : h.x);
    h.epsg = 4326;
    h.positionLine = lineNumber;
  } else if (key == "POSITION_EPSG" || key == "POSITION_X" || key == "POSITION_Y") {
    double number = 0.0;
    numberOf(number);
    if (key == "POSITION_EPSG") {
      // EPSG codes are whole numbers of at most six digits.
      if (number != std::floor(number) || number < 1.0 || number > 999999.0) {
        csvError(path, lineNumber, "#" + key + ": \"" + std::string(value) + "\" is not an EPSG code", "CSV611");
      }
      h.epsg = static_cast<int>(number);
    }
    if (key == "POSITION_X") h.x = number;
    if (key == "POSITION_Y") h.y = number;
    h.positionLine = lineNumber;
  } else {
    // qc_zero_clean_MPa and its kin.
    for (int q = 0; q < 3; ++q) {
      for (int kind = 0; kind < 2; ++kind) {
        const std::string stem = std::string(kQuantityNames[q + 1]) + (kind == 0 ? "_ZERO_CLEAN_" : "_ZERO_DIRTY_");
        if (key.rfind(stem, 0) != 0) continue;
        const PressureUnit* unit = pressureUnit(std::string_view(key).substr(stem.size()));
        if (unit == nullptr) {
          csvError(path, lineNumber, "#" + key + ": the unit cannot be converted (MPa, kPa, atm or tsf)", "CSV621");
        }
        double number = 0.0;
        numberOf(number);
        h.zeros[q][kind] = number * unit->mpa;
      }
    }
  }
}

// The values of a row, trimmed; a value between double quotes (as spreadsheet
// programs write names) loses them.
void splitRow(std::string_view row, char separator, std::vector<std::string_view>& values) {
  values.clear();
  std::size_t at = 0;
  while (true) {
    const std::size_t end = row.find(separator, at);
    std::string_view value =
        FieldText_trimmed(row.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    values.push_back(value);
    if (end == std::string_view::npos) return;
    at = end + 1;
  }
}

// The header line's columns: each known NAME_UNIT found, units checked.
void readColumns(const std::string& path, int lineNumber, const std::vector<std::string_view>& names,
                 CsvColumn (&columns)[QuantityCount]) {
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string name = UpperCased(names[k]);
    const std::size_t cut = name.rfind('_');
    if (cut == std::string::npos) continue;
    const std::string quantity = name.substr(0, cut);
    const std::string unit = name.substr(cut + 1);
    for (int q = 0; q < QuantityCount; ++q) {
      if (quantity != kQuantityNames[q]) continue;
      CsvColumn& c = columns[q];
      if (c.index >= 0) csvError(path, lineNumber, "the column " + quantity + " is given twice", "CSV620");
      bool known = true;
      if (q == Depth) {
        c.depthInMetres = unit == "M";
        known = unit == "M" || unit == "FT";
      } else if (q == InclX || q == InclY) {
        known = unit == "DEG";
      } else {
        const PressureUnit* u = pressureUnit(unit);
        known = u != nullptr;
        if (known) c.factor = u->atm;
      }
      if (!known) {
        csvError(path, lineNumber,
                 "the column \"" + std::string(names[k]) + "\" has a unit that cannot be converted", "CSV621");
      }
      c.index = static_cast<int>(k);
    }
  }
  for (int q : {Depth, Qc, Fs}) {
    if (columns[q].index < 0) {
      csvError(path, lineNumber,
               std::string("the header has no ") + kQuantityNames[q] +
                   " column (depth_m or depth_ft, qc_MPa, fs_kPa, ...)",
               "CSV620");
    }
  }
}

void readRow(const std::string& path, int lineNumber, const std::vector<std::string_view>& values,
             std::size_t columnCount, const CsvColumn (&columns)[QuantityCount]) {
  if (values.size() != columnCount) {
    csvError(path, lineNumber,
             "the row has " + std::to_string(values.size()) + " values where the header has " +
                 std::to_string(columnCount) + " columns",
             "CSV630");
  }
  double out[QuantityCount];
  for (int q = 0; q < QuantityCount; ++q) {
    out[q] = FieldValueMissing;
    const CsvColumn& c = columns[q];
    if (c.index < 0) continue;
    const std::string_view text = values[static_cast<std::size_t>(c.index)];
    if (text.empty()) continue;
    double value = 0.0;
    if (!FieldValue_parse(text, value)) {
      csvError(path, lineNumber,
               "value " + std::to_string(c.index + 1) + ", \"" + std::string(text) + "\", is not a number", "CSV631");
    }
    out[q] = q == Depth ? (c.depthInMetres ? FieldDepth_feet(value) : value) : value * c.factor;
  }
  if (!FieldDataStore_add(FieldRow{out[Depth], out[Qc], out[Fs], out[U2], out[InclX], out[InclY]})) {
    csvError(path, lineNumber, "more data rows than a sounding holds (" + std::to_string(FieldDataCapacity) + ")",
             "CSV632");
  }
}

}  // namespace

void ReadCsvFile(const std::string& path) {
  TextReader file;
  if (!file.open(path)) {
    Error_report("can't open the field data file " + path + " (is it missing, or open in another program?)",
                 "CSV601");
  }
  Status_show("", "reading CSV file", " ", gHogHeader.soundingName, "", "", "", "CSV100");
  FieldDataStore_begin(path);
  CsvHeader h;
  CsvColumn columns[QuantityCount];
  std::size_t columnCount = 0;
  char separator = ',';
  std::vector<std::string_view> values;
  std::string line;
  int lineNumber = 0;
  while (file.readLine(line)) {
    ++lineNumber;
    std::string_view text = line;
    if (lineNumber == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    text = FieldText_trimmed(text);
    if (columnCount == 0) {
      if (text.empty()) continue;
      if (text.front() == '#') {
        readKeyLine(path, lineNumber, text, h);
        continue;
      }
      separator = text.find(';') != std::string_view::npos ? ';' : ',';
      splitRow(text, separator, values);
      readColumns(path, lineNumber, values, columns);
      columnCount = values.size();
      continue;
    }
    if (text.empty()) continue;
    splitRow(text, separator, values);
    readRow(path, lineNumber, values, columnCount, columns);
  }
  file.close();
  if (columnCount == 0) {
    csvError(path, lineNumber, "no header line of columns (depth_m,qc_MPa,fs_kPa,...): not a plain CSV field data file",
             "CSV610");
  }
  if (gFieldData.rowCount <= 0) csvError(path, lineNumber, "no data row follows the header", "CSV633");

  FieldDataStore_setZero("qc", h.zeros[0][0], h.zeros[0][1]);
  FieldDataStore_setZero("fs", h.zeros[1][0], h.zeros[1][1]);
  FieldDataStore_setZero("u2", h.zeros[2][0], h.zeros[2][1]);
  if (h.hasDate) {
    gHogHeader.dateTime = DateTime_normalize(
        FieldDataStore_dateText(h.date[0], h.date[1], h.date[2], h.date[3], h.date[4], h.date[5]));
  }
  if (h.epsg != 0 && !FieldDataStore_setPosition(h.epsg, h.x, h.y)) {
    TaskLine_write(6,
                   path + ", line " + std::to_string(h.positionLine) +
                       ": the position cannot be converted to latitude and longitude",
                   "ISSUE");
  }
  FieldDataStore_finish();
}
