// Reading the CSR earthquake file and interpolating it in depth.
#include "compute/csr_file.h"

#include <algorithm>
#include <cstddef>

#include "core/null_value.h"
#include "core/report.h"
#include "files/text.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "platform/text_file.h"

namespace {

constexpr const char* kLayoutLine = "# LIQ-CSR v1";

// The comma-separated cells of a line, each trimmed.
std::vector<std::string> cellsOf(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    cells.push_back(TrimBlanks(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return cells;
}

[[noreturn]] void fault(const std::string& path, int lineNumber, const std::string& line, const std::string& what,
                        const char* id) {
  Error_report("CSR earthquake file " + path + ", line " + std::to_string(lineNumber) + " (" + line + "): " + what,
               id);
}

bool oneOf(const std::string& word, std::initializer_list<const char*> words) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

// A "# key=value  (note)" line into the table.
void headLine(CsrFileTable& t, int number, const std::string& line) {
  const std::string body = TrimBlanks(std::string_view(line).substr(1));
  const std::size_t equals = body.find('=');
  if (equals == std::string::npos) fault(t.path, number, line, "a head line must be # key=value", "CSR502");
  const std::string key = TrimmedUpper(body.substr(0, equals));
  std::string value = TrimBlanks(body.substr(equals + 1));
  value = value.substr(0, value.find_first_of(" \t("));
  const std::string upper = UpperCased(value);
  if (key == "DEPTH_UNIT" && oneOf(upper, {"FT", "M"})) {
    t.depthUnit = upper;
  } else if (key == "QUANTITY" && oneOf(upper, {"CSR", "TAU_PSF", "TAU_KPA", "STRESS_RATIO"})) {
    t.quantity = upper;
  } else if (key == "COMBINE" && oneOf(upper, {"MEAN", "MEDIAN", "MAX"})) {
    t.combine = upper;
  } else if (key == "EVENT_MAGNITUDE" && !IsNull(NumberOrNull(value)) && NumberOrNull(value) > 0.0f &&
             NumberOrNull(value) <= 10.0f) {
    t.magnitude = NumberOrNull(value);
  } else if (oneOf(key, {"DEPTH_UNIT", "QUANTITY", "COMBINE", "EVENT_MAGNITUDE"})) {
    fault(t.path, number, line,
          "the value " + value + " is not one " + key +
              " takes (depth_unit: ft or m; quantity: CSR, TAU_PSF, TAU_KPA or STRESS_RATIO; combine: mean, "
              "median or max; event_magnitude: a number above 0 up to 10)",
          "CSR502");
  } else {
    fault(t.path, number, line,
          "unknown key " + key + " (the keys are depth_unit, quantity, event_magnitude and combine)", "CSR502");
  }
}

float combined(std::vector<double> values, const std::string& how) {
  if (how == "MAX") return static_cast<float>(*std::max_element(values.begin(), values.end()));
  if (how == "MEDIAN") {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return static_cast<float>(n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0);
  }
  double sum = 0.0;
  for (double v : values) sum += v;
  return static_cast<float>(sum / static_cast<double>(values.size()));
}

}  // namespace

bool CsrFile_read(const std::string& enginePath, CsrFileTable& table) {
  table = CsrFileTable{};
  table.path = enginePath;
  TextReader file;
  if (!file.open(enginePath)) return false;
  std::string line;
  int number = 0;
  bool columnRow = false;
  float feetPerUnit = 1.0f;
  while (file.readLine(line)) {
    ++number;
    const std::string trimmed = TrimBlanks(line);
    if (number == 1) {
      if (trimmed != kLayoutLine) fault(enginePath, 1, line, std::string("the first line must be ") + kLayoutLine, "CSR501");
      continue;
    }
    if (trimmed.empty()) continue;
    if (trimmed.front() == '#') {
      if (columnRow) fault(enginePath, number, line, "head lines come before the column row", "CSR502");
      headLine(table, number, trimmed);
      continue;
    }
    const std::vector<std::string> cells = cellsOf(trimmed);
    if (!columnRow) {
      if (table.depthUnit.empty() || table.quantity.empty()) {
        fault(enginePath, number, line, "the head must give depth_unit and quantity before the column row",
              "CSR503");
      }
      if (!SameIgnoringCase(cells.front(), "depth") || cells.size() < 2) {
        fault(enginePath, number, line, "the column row must be depth followed by one name per motion", "CSR504");
      }
      table.motions.assign(cells.begin() + 1, cells.end());
      feetPerUnit = table.depthUnit == "M" ? UnitFactor_get("FT/M") : 1.0f;
      columnRow = true;
      continue;
    }
    if (cells.size() != table.motions.size() + 1) {
      fault(enginePath, number, line,
            std::to_string(cells.size()) + " cells where the column row has " +
                std::to_string(table.motions.size() + 1),
            "CSR505");
    }
    std::vector<double> values;
    for (const std::string& cell : cells) {
      const float v = NumberOrNull(cell);
      if (cell.empty() || IsNull(v) || v < 0.0f) {
        fault(enginePath, number, line, "\"" + cell + "\" is not a number of 0 or more", "CSR506");
      }
      values.push_back(v);
    }
    const float depthFt = static_cast<float>(values.front() * feetPerUnit);
    if (!table.depthsFt.empty() && !(depthFt > table.depthsFt.back())) {
      fault(enginePath, number, line, "the depths must increase from row to row", "CSR507");
    }
    table.depthsFt.push_back(depthFt);
    table.values.push_back(combined(std::vector<double>(values.begin() + 1, values.end()), table.combine));
  }
  if (number == 0) fault(enginePath, 0, "", std::string("the file is empty; its first line must be ") + kLayoutLine, "CSR501");
  if (!columnRow) fault(enginePath, number, line, "no column row (depth followed by the motions)", "CSR504");
  if (table.depthsFt.size() < 2) {
    fault(enginePath, number, line, "at least two depth rows are needed to interpolate", "CSR508");
  }
  return true;
}

float CsrFile_valueAt(const CsrFileTable& table, float depthFt) {
  const std::vector<float>& z = table.depthsFt;
  if (IsNull(depthFt) || z.size() < 2 || depthFt < z.front() || depthFt > z.back()) return NullValue;
  const auto upper = std::lower_bound(z.begin(), z.end(), depthFt);
  const std::size_t k = static_cast<std::size_t>(upper - z.begin());
  if (z[k] == depthFt) return table.values[k];
  const double t = (static_cast<double>(depthFt) - z[k - 1]) / (static_cast<double>(z[k]) - z[k - 1]);
  return static_cast<float>(table.values[k - 1] + t * (static_cast<double>(table.values[k]) - table.values[k - 1]));
}

float CsrFile_csr(const CsrFileTable& table, float value, float vesAtm) {
  if (IsNull(value)) return NullValue;
  if (table.quantity == "CSR") return value;
  if (table.quantity == "STRESS_RATIO") return static_cast<float>(0.65 * value);
  if (IsNull(vesAtm) || vesAtm <= 0.0f) return NullValue;
  const float stressUnitsPerAtm = UnitFactor_get(table.quantity == "TAU_PSF" ? "PSF/ATM" : "KPA/ATM");
  return static_cast<float>(0.65 * value / (static_cast<double>(vesAtm) * stressUnitsPerAtm));
}
