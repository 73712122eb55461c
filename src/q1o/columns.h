// The output columns of the Q1o tables: read from the project's column
// definition file "Vurn_Q1o_Output_Columns---*.csv" (in the projects folder or
// the project's own folder, exactly one of them) or taken from the built-in
// list, each prepared with its number picture and unit factor, padded to a
// common width, and able to give the current depth's value when its property
// is a basic one (measured or directly derived).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/depth_values.h"

struct ColumnDef {
  std::string id;           // as written, later padded on the left to the column width
  std::string methodText;   // second head row (blank)
  std::string versionText;  // third head row (blank)
  std::string picture;      // number picture, padded on the left to the column width
  float factor = 1.0f;      // from the property's base unit to the column's unit
  std::string property;     // property part of the id, as written
  std::string methodNote;   // method note of the head's column table (blank)
};

inline constexpr std::int16_t kMaxColumns = 24;

struct ColumnSet {
  std::vector<ColumnDef> columns;  // 0-based storage of columns 1..count
  std::int16_t count() const { return static_cast<std::int16_t>(columns.size()); }
};

extern ColumnSet gColumns;

// The built-in column list.
const std::vector<std::string>& BuiltInColumns();

// Fills gColumns from the source named by gRun.outputColumnSource: "FILE" the
// definition file (layout A: a first line of four or more identifiers; layout
// B: one identifier per item, items ending at a comma or a line end),
// "INTERNAL" the built-in list; "-5435" or "-5434" (no source chosen) is error
// "QC120"; any other word leaves the set unchanged. Errors: "FP123"/"FP873" several files in one area,
// "MEW553" none or one in both areas, "CL924" more than 24 columns.
void Columns_read();

// Parses each column's identifier, gives it its picture and factor, and pads
// id, methodText, versionText and picture on the left to their longest length.
void Columns_prepare();

// The current depth's value of a basic property: DEPTH, QC, QT, QC1, QT1, FS,
// FS1, FR, CQC, U2, INCLX, INCLY, VES, VTS (name trimmed and upper-cased).
// found is false (value -5435) for any other name; a blank name is "WA331".
void BasicValue(std::string_view name, float& value, bool& found);

// The field of gDepth that BasicValue reads for `name`, or nullptr for a name
// that is not a basic property; a blank name is "WA331".
using DepthField = float DepthValues::*;
DepthField BasicValue_field(std::string_view name);

// The unit of a column's printed values, for the head's column table: the
// column's unit word as written, or its property's base unit when the
// identifier has none ("" for a property outside the identifier table).
// gColumnId and gColumnDefaults are left as they were.
std::string ColumnUnits_text(const ColumnDef& column);
