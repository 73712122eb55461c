// Column identifiers: the identifier grammar and the property table of
// pictures, base units and unit factors.
#include "q1o/column_id.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "core/report.h"
#include "files/text.h"
#include "numeric/units.h"

ColumnId gColumnId;
ColumnDefaults gColumnDefaults;

namespace {

// "TSF" is a unit word too: the tip, sleeve and pore pressure properties offer
// it, and without it "Qc_tsf" would read "tsf" as a method and print atm values
// under a tsf heading.
constexpr std::array<std::string_view, 20> UnitWords{
    "FT",  "FEET", "M",   "METERS", "ATM", "PSF",    "PSI", "KPA",   "MPA", "HWFT",
    "HWM", "PCF",  "W1",  "FPS",    "FT/SEC", "MPS", "M/SEC", "VCW1", "%", "TSF",
};

// One way of showing a property: the unit words it answers to (none: any unit
// word), the picture, and the factor name ("" for a factor of 1).
struct UnitEntry {
  std::vector<std::string_view> words;
  std::string_view picture;
  std::string_view factorName;
};

struct PropertyRow {
  std::vector<std::string_view> names;
  bool basic;  // basic properties also get the method "Basic"
  std::string_view baseUnit;
  std::vector<UnitEntry> entries;
};

std::vector<UnitEntry> any(std::string_view picture) { return {UnitEntry{{}, picture, ""}}; }

std::vector<UnitEntry> porePressureEntries() {
  return {{{"ATM"}, "##.###", ""},
          {{"TSF"}, "##.###", "TSF/ATM"},
          {{"MPA"}, "#.####", "MPA/ATM"},
          {{"KPA"}, "####.#", "KPA/ATM"},
          {{"HWFT"}, "###.#", "HWATERFEET/ATM"}};
}

const std::vector<PropertyRow>& propertyTable() {
  static const std::vector<PropertyRow> table{
      {{"DEPTH"}, true, "FT", {{{"FT"}, "###.##", ""}, {{"M"}, "###.###", "M/FT"}}},
      {{"QC", "QC1", "QT", "QT1"},
       true,
       "ATM",
       {{{"ATM"}, "###.###", ""},
        {{"TSF"}, "###.###", "TSF/ATM"},
        {{"MPA"}, "##.####", "MPA/ATM"},
        {{"KPA"}, "#####.#", "KPA/ATM"}}},
      {{"FS", "FS1"},
       true,
       "ATM",
       {{{"ATM"}, "##.###", ""},
        {{"TSF"}, "##.###", "TSF/ATM"},
        {{"MPA"}, "#.####", "MPA/ATM"},
        {{"KPA"}, "####.#", "KPA/ATM"}}},
      {{"FR", "RF"}, true, "%", any("#.###")},
      {{"U2"}, true, "ATM", porePressureEntries()},
      // Inclinations are measured, in degrees, and shown as read.
      {{"INCLX", "INCLY"}, true, "DEG", any("###.##")},
      {{"VES", "VTS"}, false, "ATM", porePressureEntries()},
      {{"CQC", "CQC1", "IC"}, false, "ALL", any("##.###")},
      {{"N", "N1"}, false, "BPF", any("###.#")},
      {{"VS", "VS1"}, false, "FPS", {{{"FPS", "FT/SEC"}, "#####", ""}, {{"MPS", "M/SEC"}, "####", "M/FT"}}},
      {{"CRR", "CRRE", "CRL", "CSR", "S1", "SU1", "SUFV1", "SUES1", "SUE1"}, false, "1", any("##.###")},
      {{"S", "SU", "SUFV", "SUE", "SUES"},
       false,
       "PSF",
       {{{"ATM"}, "##.###", "ATM/PSF"},
        {{"PSF"}, "######", ""},
        {{"MPA"}, "##.####", "MPA/PSF"},
        {{"KPA"}, "#####.#", "KPA/PSF"}}},
      {{"UWT", "UWT1"}, false, "PCF", {{{"PCF"}, "###.#", ""}, {{"W1"}, "#.###", "WATER1/PCF"}}},
      {{"P200S", "P200S1", "P200", "P2001"}, false, "1", any("###.#")},
      {{"CC1E1", "CC1E"}, false, "1", any("#.######")},
      {{"OCR"}, false, "1", any("##.###")},
      {{"E50P1"}, false, "1", any("#######")},
      // Liquefaction: the factor of safety (capped at 2) and the
      // reconsolidation strain in percent.
      {{"FS-LIQ"}, false, "1", any("#.###")},
      {{"EV-LIQ"}, false, "%", any("##.###")},
  };
  return table;
}

const PropertyRow* findRow(std::string_view property) {
  for (const PropertyRow& row : propertyTable()) {
    for (std::string_view name : row.names) {
      if (name == property) return &row;
    }
  }
  return nullptr;
}

bool answersTo(const UnitEntry& entry, std::string_view unitWord) {
  if (entry.words.empty()) return true;
  for (std::string_view word : entry.words) {
    if (word == unitWord) return true;
  }
  return false;
}

// "FT, M" for the error message of a unit word the property is not shown in.
std::string acceptedUnits(const PropertyRow& row) {
  std::string list;
  for (const UnitEntry& entry : row.entries) {
    for (std::string_view word : entry.words) {
      if (!list.empty()) list += ", ";
      list += word;
    }
  }
  return list;
}

}  // namespace

void ColumnId_reset() {
  gColumnId = ColumnId{};
  gColumnDefaults = ColumnDefaults{};
}

bool IsUnitWord(std::string_view word) {
  for (std::string_view unit : UnitWords) {
    if (SameIgnoringCase(unit, word)) return true;
  }
  return false;
}

void ColumnId_parse(std::string_view id) {
  ColumnId& c = gColumnId;
  c = ColumnId{};
  c.fullId = std::string(id);

  const std::size_t first = id.find('_');
  c.property = std::string(id.substr(0, first));
  if (first != std::string_view::npos) {
    const std::string_view rest = id.substr(first + 1);
    const std::size_t second = rest.find('_');
    if (second != std::string_view::npos) {
      c.method = std::string(rest.substr(0, second));
      const std::string_view last = rest.substr(second + 1);
      if (last.find('_') != std::string_view::npos) {
        Error_report("There can not be uuu_xxx_yyy_zzz in " + c.fullId, "EZ441");
      }
      if (!IsUnitWord(last)) {
        Error_report("zzz in xxx_yyy_zzz is not an engineering unit ---> " + c.fullId, "EZ441");
      }
      c.units = std::string(last);
    } else if (IsUnitWord(rest)) {
      c.units = std::string(rest);
    } else {
      c.method = std::string(rest);
    }
  }

  if (IsUnitWord(c.property)) {
    Error_report("units found at start of " + c.fullId, "EZ349");
  } else if (IsUnitWord(c.method)) {
    c.units = c.method;
    c.method.clear();
  } else if (!IsUnitWord(c.units) && c.method.empty()) {
    Error_report("there needs to be a method in " + c.fullId, "EZ312");
  }

  c.propertyMethod = c.method.empty() ? c.property : c.property + "_" + c.method;
}

void ColumnDefaults_set() {
  ColumnDefaults& d = gColumnDefaults;
  d = ColumnDefaults{};
  const PropertyRow* row = findRow(UpperCased(TrimBlanks(gColumnId.property)));
  if (row == nullptr) return;

  d.propertyKnown = true;
  d.basicProperty = row->basic;
  d.baseUnit = std::string(row->baseUnit);
  if (row->basic) gColumnId.method = "Basic";

  // Without a unit word the column is shown in the property's base unit.
  const std::string unitWord = gColumnId.units.empty() ? std::string(row->baseUnit) : UpperCased(gColumnId.units);
  for (const UnitEntry& entry : row->entries) {
    if (!answersTo(entry, unitWord)) continue;
    d.picture = std::string(entry.picture);
    d.factor = entry.factorName.empty() ? 1.0f : UnitFactor_get(entry.factorName);
    return;
  }
  Error_report("unit " + gColumnId.units + " can not be used for " + UpperCased(TrimBlanks(gColumnId.property)) +
                   " in " + gColumnId.fullId + ", its units are " + acceptedUnits(*row),
               "EZ518");
}
