// The Q1o table of a sounding: a head recording the run's circumstances, the
// charts in use and the columns, an "EOH" line, then one row per depth with one
// cell per output column, cells separated by ", ". With the head the sounding's
// chart-direction file (a diagnostic CSV filled by the chart sweep) is opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"
#include "q1o/columns.h"

// The maker's web address printed in every head.
inline constexpr std::string_view kWebAddress = "https://vurn.example.org";

// The head table: up to 40 rows of up to 15 cells "heading=value" (an empty
// value is written "^blank^"), printed with each cell padded on the right to
// the widest cell of its position plus 3 blanks.
struct HeadTable {
  std::vector<std::vector<std::string>> rows;
};

extern HeadTable gHeadTable;

// Adds one row of n cells to the head table. "HT401" beyond 40 rows or 15 cells.
void HeadTable_collect(const std::vector<std::string>& headings, const std::vector<std::string>& values, int n);

// Prints the first n cell positions of every row and empties the table.
void HeadTable_print(int n, TextWriter& file);

// Opens the current sounding's Q1o file (PathOf("SOUNDINGS") + sounding name +
// "_Q1o.txt"), replacing an earlier one, into gRun.q1oFile.
void Q1o_open();

// The rows of the chart table of the head, one per loaded chart: its full
// identifier, units, version date, method, short author and description.
struct HeadChartRow {
  std::string idFull, units, versionDate, method, authorShort, description;
};

// Writes the head (column rows, run circumstances, chart and column tables,
// "EOH"), zeroes the stress sums of the depth record and opens the
// chart-direction file with its first line.
void Q1o_writeHead(const std::vector<HeadChartRow>& charts);

// Writes cell j (1-based) of a row of kind "IDFULL", "IDFULL-NOTE", "METHOD",
// "VERSION" or "VALUE" (then `value` is the column's value in its property's
// base unit), followed by ", " or, for the last column, the line end. Any other
// kind is "VCB342".
void Q1o_writeCell(int j, const ColumnDef& column, std::string_view what, float value = 0.0f);

// Writes one row of value cells, values[k] for column k + 1 (the row
// Q1o_writeCell's "VALUE" cells would make), as one write. `row` is the
// caller's buffer, reused from row to row.
void Q1o_writeValueRow(const std::vector<float>& values, std::string& row);

// The text of one value cell: "-5435" padded to the picture's length for a
// missing value, otherwise value x factor laid out by the picture.
std::string Q1o_valueText(const ColumnDef& column, float value);
