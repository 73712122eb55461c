// Reading Q1o tables and a sounding's water table for the pictures of results.
#include "q1o/q1o_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/null_value.h"
#include "files/text.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "q1o/column_id.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Cells of a comma-separated line, trimmed; a quoted part may hold commas (the
// quotes are dropped).
std::vector<std::string> cellsOf(std::string_view line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      cells.emplace_back();
    } else {
      cells.back() += ch;
    }
  }
  for (std::string& cell : cells) cell = TrimBlanks(cell);
  return cells;
}

// The whole of `text` as a number; false when it is not one.
bool parseNumber(std::string_view text, float& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

Q1oColumn columnOf(const std::string& id) {
  Q1oColumn column;
  column.id = id;
  const size_t first = id.find('_');
  column.property = id.substr(0, first);
  const size_t last = id.rfind('_');
  if (last != std::string::npos && last != 0 && IsUnitWord(UpperCased(id.substr(last + 1)))) {
    column.unit = id.substr(last + 1);
  }
  return column;
}

// "Column=3   R1_ID_full=fs_atm ... Converter_to_noneStandard=2.5": sets the
// factor of that column when the line is one of the head's column table.
void takeColumnFactor(std::string_view line, std::vector<Q1oColumn>& columns) {
  constexpr std::string_view kColumn = "Column=";
  constexpr std::string_view kFactor = "Converter_to_noneStandard=";
  if (line.substr(0, kColumn.size()) != kColumn) return;
  const size_t at = line.find(kFactor);
  if (at == std::string_view::npos) return;
  std::string_view rest = line.substr(kColumn.size());
  int number = 0;
  const auto parsed = std::from_chars(rest.data(), rest.data() + rest.size(), number);
  if (parsed.ec != std::errc() || number < 1 || static_cast<size_t>(number) > columns.size()) return;
  std::string_view factorText = line.substr(at + kFactor.size());
  factorText = factorText.substr(0, factorText.find(' '));
  float factor = 0.0f;
  if (parseNumber(factorText, factor) && factor != 0.0f) columns[static_cast<size_t>(number) - 1].factor = factor;
}

}  // namespace

bool Q1oFile_read(std::string_view enginePath, Q1oTable& table, std::string& message) {
  table = Q1oTable{};
  message.clear();
  const std::string where = "Q1o file " + std::string(enginePath);
  auto fail = [&](const std::string& what) {
    message = where + ": " + what;
    table = Q1oTable{};
    return false;
  };

  TextReader file;
  if (!file.open(enginePath)) return fail("cannot be opened");
  std::string line;
  if (!file.readLine(line) || TrimBlanks(line).empty()) return fail("has no row of column identifiers");
  for (const std::string& id : cellsOf(line)) {
    if (id.empty()) return fail("has an empty column identifier in its first row");
    table.columns.push_back(columnOf(id));
  }
  if (!Text_equalsNoCase(table.columns.front().property, "Depth")) {
    return fail("its first column is " + table.columns.front().id + ", not a depth");
  }

  size_t lineNumber = 1;
  bool headEnded = false;
  while (!headEnded && file.readLine(line)) {
    ++lineNumber;
    if (TrimBlanks(line) == "EOH") {
      headEnded = true;
    } else {
      takeColumnFactor(line, table.columns);
    }
  }
  if (!headEnded) return fail("has no end of head (EOH)");

  while (file.readLine(line)) {
    ++lineNumber;
    if (TrimBlanks(line).empty()) continue;
    const std::vector<std::string> cells = cellsOf(line);
    const std::string place = "line " + std::to_string(lineNumber);
    if (cells.size() != table.columns.size()) {
      return fail(place + " has " + std::to_string(cells.size()) + " cells, the head names " +
                  std::to_string(table.columns.size()) + " columns");
    }
    for (size_t c = 0; c < cells.size(); ++c) {
      float value = 0.0f;
      if (cells[c] == NullText) {
        value = kNaN;
      } else if (!parseNumber(cells[c], value)) {
        return fail(place + ", column " + table.columns[c].id + ": \"" + cells[c] + "\" is not a number");
      }
      table.columns[c].values.push_back(value);
    }
    ++table.rows;
  }
  if (table.rows == 0) return fail("has no rows after its head");
  return true;
}

int Q1oTable_find(const Q1oTable& table, std::string_view property) {
  for (size_t c = 0; c < table.columns.size(); ++c) {
    if (Text_equalsNoCase(table.columns[c].property, property)) return static_cast<int>(c);
  }
  return -1;
}

float SoundingDatabase_waterTableFeet(std::string_view enginePath, std::string_view sounding) {
  TextReader file;
  std::string line;
  if (!file.open(enginePath) || !file.readLine(line)) return kNaN;
  int nameColumn = -1;
  int depthColumn = -1;
  const std::vector<std::string> header = cellsOf(line);
  for (size_t c = 0; c < header.size(); ++c) {
    const std::string& cell = header[c];
    if (TrimmedUpper(cell).find("{SOUNDING_NAME}") != std::string::npos) nameColumn = static_cast<int>(c);
    if (TrimmedUpper(cell).find("{WATERTABLE_DEPTH_FEET}") != std::string::npos) depthColumn = static_cast<int>(c);
  }
  if (nameColumn < 0 || depthColumn < 0) return kNaN;
  const std::string wanted = TrimmedUpper(sounding);
  while (file.readLine(line)) {
    const std::vector<std::string> cells = cellsOf(line);
    if (cells.size() <= static_cast<size_t>(std::max(nameColumn, depthColumn))) continue;
    if (TrimmedUpper(cells[static_cast<size_t>(nameColumn)]) != wanted) continue;
    float depth = 0.0f;
    return parseNumber(cells[static_cast<size_t>(depthColumn)], depth) ? depth : kNaN;
  }
  return kNaN;
}
