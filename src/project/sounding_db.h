// The sounding database "Vurn_SoundingS---*.csv" in the project folder: a
// header row naming its columns by identifier between braces, then one row of
// metadata per sounding (name, cone area, water table, elevations, unit weight
// method, zero shifts, site and survey information). Each row fills the shared
// sounding record, which the field data reader, the stress computation and the
// Q1o writer consult while that sounding is processed.
//
// Every field is addressed by its ID number (as text, "140") or its key
// ("WATERTABLE_DEPTH_FEET"), matched after trimming and upper-casing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

enum class SoundingFieldType { Text, Single, Double };

// One row of the field table.
struct SoundingFieldDef {
  int id;
  const char* key;
  SoundingFieldType type;
  const char* label;
  const char* code;  // error identifier for a non-numeric value ("" for text)
};

// The whole field table, in ID order.
const std::vector<SoundingFieldDef>& SoundingField_table();

// The current sounding's values, one per row of the field table, in table order.
struct SoundingRecord {
  std::vector<std::string> text;
  std::vector<float> single;
  std::vector<double> dbl;
  int fileLine = 0;  // the database line the last row was read from (1 is the header)
};

extern SoundingRecord gSounding;

// The identifiers of the header row, 1-based, 89 slots, and their count.
struct SoundingColumnIds {
  std::vector<std::string> ids;
  std::int16_t count = 0;
};

extern SoundingColumnIds gSoundingColumns;

// Resets the header list to empty slots (count 0).
void ResetSoundingHeader();

// Every field of the record becomes the missing marker ("-5435" / -5435).
void ResetSoundingRecord();

// Resets header and record, finds the one database file of the current project
// and opens it into `file`. Errors: "DX392" none, "DX322" several (each naming
// the pattern looked for in the project folder), "MG332" cannot be opened.
void OpenSoundingDatabase(TextReader& file);

// Reads the header row into gSoundingColumns: each cell's identifier between
// braces; the first cell without braces addresses nothing and the cells after
// it keep their whole text as identifier. "SD889" beyond 89 cells.
void ReadSoundingHeader(TextReader& file);

// Reads the next row into the record (not reset between rows: fields of
// missing trailing cells keep their values) and notes its line in fileLine.
// A row whose cells are all empty (a blank line, or only commas as a
// spreadsheet saves an empty row) is passed over with an issue line naming it.
// endOfFile is true, and nothing is read, when no row is left. "SD805" beyond
// 105 cells. Every error of a value ("CCN824", a field's code) names the
// database file, the row and the sounding.
void ReadNextSounding(TextReader& file, bool& endOfFile);

// Assigns, gets or titles one field. mode "ASSIGN_DB" stores value (text as
// given; numbers through NumberOrNull; a non-number reports the field's code),
// "GET_DB" gives the field's text followed by ", ", "OUTPUT_TITLE" the header
// cell of an editable file. Identifiers "78", "79", "" and other numbers
// address no field; any other unknown identifier reports "CCN824".
std::string AccessSoundingField(std::string_view mode, std::string_view identifier, std::string_view value);

// The current sounding's fields by key, for the other subsystems.
const std::string& SoundingField_text(std::string_view key);
float SoundingField_single(std::string_view key);
double SoundingField_double(std::string_view key);

// Writes a new editable sounding database file for a new project into that
// project's folder: "header....", one line per field of the table with its
// identifier in quotes, then "---ending---". "WP123" when an editable file
// ("SoundingS---*.csv") already exists there; "WP124" when the file cannot be
// made or does not fully reach the disk.
void MakeEditableSoundingFile(std::string_view projectName);

// The SOUNDING_NAME of every row of the current project's database, in file
// order (the file is read through the record, which it leaves at its last
// row, and closed; errors as OpenSoundingDatabase and ReadNextSounding).
std::vector<std::string> SoundingDatabase_names();

// One row to append: field key (as in the field table) and its text.
using SoundingRowValues = std::vector<std::pair<std::string, std::string>>;

// Appends `rows` to the current project's database, after its last line (ended
// first when it has no line end), never changing a line already there. Each
// row has one cell per header column: the row's value of the field that column
// names (by key or ID number), empty for every other column; a value holding a
// comma or a blank is put between double quotes (double quotes in it become
// single ones). "SDA301" when the file cannot be written or the rows do not fully
// reach the disk.
void SoundingDatabase_appendRows(const std::vector<SoundingRowValues>& rows);
