// Reading a Q1o table back: the results view and the batch pictures read the
// tables a run wrote (this run's or an earlier one's) without the run's records.
//
// A Q1o file is: a row of column identifiers ("Depth_ft,  Qc_atm, ..."), head
// lines up to a line that is "EOH" after trimming, then one row per depth with
// one cell per column, cells separated by commas. The head's column table
// ("Column=3   R1_ID_full=fs_atm ... Converter_to_noneStandard=1") gives each
// column's factor from its property's base unit to the unit written.
//
// Nothing here reports through Error_report or halts: a file that cannot be
// read gives false and a message that names the file and the place, so a
// window can show it and go on.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One column of a Q1o table.
struct Q1oColumn {
  std::string id;        // identifier as in the first row, trimmed ("Qc1_atm")
  std::string property;  // the part before the first "_" ("Qc1")
  std::string unit;      // the last part when it is a unit word ("atm"), else ""
  float factor = 1.0f;   // written value = base-unit value x factor (head column table; 1 when absent)
  std::vector<float> values;  // one per row; NaN where the cell is the missing marker
};

struct Q1oTable {
  std::vector<Q1oColumn> columns;  // in file order; columns[0] is the depth
  std::size_t rows = 0;            // rows after "EOH"
};

// Reads the Q1o file at `enginePath` into `table` (replaced). False, with a
// message naming the file and what is wrong, when the file cannot be opened,
// has no identifier row, no "EOH", a first column that is not a depth, no
// rows, or a row whose cell count differs from the identifier row or whose
// cell is not a number. A "-5435" cell is missing (NaN).
bool Q1oFile_read(std::string_view enginePath, Q1oTable& table, std::string& message);

// The index of the first column whose property equals `property` without
// regard to case, or -1.
int Q1oTable_find(const Q1oTable& table, std::string_view property);

// The water table depth in feet of `sounding` from the sounding database at
// `enginePath` (a CSV whose header names its columns between braces:
// {SOUNDING_NAME}, {WATERTABLE_DEPTH_FEET}), or NaN when the file, the row or a
// numeric value is not there. Names are compared trimmed and without regard to
// case; quoted cells may hold commas.
float SoundingDatabase_waterTableFeet(std::string_view enginePath, std::string_view sounding);
