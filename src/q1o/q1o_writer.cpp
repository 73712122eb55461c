// Writing the head and the rows of a sounding's Q1o table.
#include "q1o/q1o_writer.h"

#include <algorithm>

#include "core/depth_values.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
#include "project/sounding_db.h"

HeadTable gHeadTable;

namespace {

constexpr size_t kHeadRows = 40;
constexpr int kHeadCells = 15;

void writeColumnRow(std::string_view what) {
  for (int j = 1; j <= gColumns.count(); ++j) Q1o_writeCell(j, gColumns.columns[static_cast<size_t>(j - 1)], what);
}

}  // namespace

void HeadTable_collect(const std::vector<std::string>& headings, const std::vector<std::string>& values, int n) {
  if (gHeadTable.rows.size() >= kHeadRows || n > kHeadCells) {
    Error_report("Q1o head table holds at most " + std::to_string(kHeadRows) + " rows of " +
                     std::to_string(kHeadCells) + " cells",
                 "HT401");
  }
  std::vector<std::string> row;
  for (int k = 0; k < n; ++k) {
    const std::string value = TrimBlanks(values[static_cast<size_t>(k)]);
    row.push_back(headings[static_cast<size_t>(k)] + "=" + (value.empty() ? std::string("^blank^") : value));
  }
  gHeadTable.rows.push_back(std::move(row));
}

void HeadTable_print(int n, TextWriter& file) {
  std::vector<size_t> widths(static_cast<size_t>(std::max(n, 0)), 0);
  for (const auto& row : gHeadTable.rows) {
    for (size_t k = 0; k < widths.size() && k < row.size(); ++k) widths[k] = std::max(widths[k], row[k].size());
  }
  for (const auto& row : gHeadTable.rows) {
    std::string line;
    for (size_t k = 0; k < widths.size() && k < row.size(); ++k) {
      line += row[k];
      line.append(widths[k] + 3 - row[k].size(), ' ');
    }
    file.writeLine(line);
  }
  gHeadTable.rows.clear();
}

void Q1o_open() {
  Status_show("", "Q1o file opening for printing", "", " ", " ", " ", " ", "QC133");
  const std::string path = PathOf("SOUNDINGS") + SoundingField_text("SOUNDING_NAME") + "_Q1o.txt";
  Status_show("", "", "", "", path, "", " ", "QC382");
  if (!gRun.q1oFile.open(path, TextWriter::Mode::Replace)) {
    Error_report("can't write Q1o file " + path + ", maybe open by another program?", "QW382");
  }
}

void Q1o_writeHead(const std::vector<HeadChartRow>& charts) {
  TextWriter& f = gRun.q1oFile;
  writeColumnRow("IDFULL");
  writeColumnRow("METHOD");
  writeColumnRow("VERSION");
  f.writeLine("");
  f.writeLine("ROW5_VurnV" + gRun.versionText);
  f.writeLine("");
  f.writeLine("Project= .....");
  f.writeLine("File generatation time stamp = " + Host_shortDate() + "  " + Host_shortTime());
  f.writeLine("Data processing Computer = " + gRun.computerName);
  f.writeLine("Vurn Software Version = " + gRun.versionText + ", Release date " + gRun.releaseDate);
  f.writeLine("NOTE: Software information and updates can be found at " + std::string(kWebAddress));
  f.writeLine("Zero load data File = " + gRun.zeroLoadFileName);
  f.writeLine("Field CPT data file path location = " + SoundingField_text("SOUNDING_NAME"));
  f.writeLine("Computer name = " + gRun.computerName);
  f.writeLine("");
  f.writeLine("need EQ equation referencing UCB and UCD and Robertson");
  f.writeLine("Project Earthquake Magnitude (M_m) = " + PlainNumber_text(gRun.earthquakeMagnitude));
  f.writeLine("");
  f.writeLine("Stress normalization for Qc method and description = ???");
  f.writeLine("Stress normalization for Ic method and description = ???");
  f.writeLine("Stress normalization for Vs1 method and description = ???");
  f.writeLine("Stress normalization for S method and description = ??? ");
  f.writeLine("");
  f.writeLine("NOTE: Below are SLD data File descriptions");
  const std::vector<std::string> chartHeadings = {"SLD_file", "ID_full", "Units", "Version_date",
                                                  "Method",   "Author_short", "", "Description"};
  for (size_t k = 0; k < charts.size(); ++k) {
    const HeadChartRow& c = charts[k];
    HeadTable_collect(chartHeadings,
                      {std::to_string(k + 1), c.idFull, c.units, c.versionDate, c.method, c.authorShort, "",
                       c.description},
                      8);
  }
  HeadTable_print(8, f);
  f.writeLine("");
  f.writeLine("NOTE: Below are data Column descriptions");
  const std::vector<std::string> columnHeadings = {"Column", "R1_ID_full", "R1Cz_Units", "method",
                                                   "RN_format", "R3_Units", "ID_only", "Converter_to_noneStandard"};
  for (int j = 1; j <= gColumns.count(); ++j) {
    const ColumnDef& c = gColumns.columns[static_cast<size_t>(j - 1)];
    HeadTable_collect(columnHeadings,
                      {std::to_string(j), c.id, ColumnUnits_text(c), c.methodNote, ">" + c.picture + "<", c.versionText, c.property,
                       PlainNumber_text(c.factor)},
                      8);
  }
  HeadTable_print(8, f);
  f.writeLine("");
  f.writeLine("");
  writeColumnRow("IDFULL-NOTE");
  f.writeLine("EOH");
  gDepth.vesSumPsf = 0.0f;
  gDepth.vtsSumPsf = 0.0f;
  gDepth.previousDepth = 0.0f;

  // The extras folder is not part of a freshly prepared data area.
  if (!Host_folderExists(PathOf("EXTRA"))) Host_makeFolder(PathOf("EXTRA"));
  const std::string directionPath =
      PathOf("EXTRA") + SoundingField_text("SOUNDING_NAME") + "-----SLD direction info---------.csv";
  if (!gRun.chartDirectionFile.open(directionPath, TextWriter::Mode::Replace)) {
    Error_report("can't write chart direction file " + directionPath, "QW383");
  }
  gRun.chartDirectionFile.writeLine("\"FR,      qc1,          ,v_xyc,      v_yxc,   delta%, other\"");
}

std::string Q1o_valueText(const ColumnDef& column, float value) {
  if (IsNull(value)) {
    std::string text(NullText);
    if (column.picture.size() > text.size()) text.append(column.picture.size() - text.size(), ' ');
    return text;
  }
  return Number_format(value * column.factor, column.picture, false);
}

void Q1o_writeValueRow(const std::vector<float>& values, std::string& row) {
  row.clear();
  const std::size_t count = std::min(values.size(), gColumns.columns.size());
  if (count == 0) return;  // no columns, no cells and no line end
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0) row += ", ";
    row += Q1o_valueText(gColumns.columns[k], values[k]);
  }
  gRun.q1oFile.writeLine(row);
}

void Q1o_writeCell(int j, const ColumnDef& column, std::string_view what, float value) {
  std::string cell;
  if (what == "IDFULL") {
    cell = column.id;
  } else if (what == "IDFULL-NOTE") {
    if (j == 1) {
      const std::string padded = column.id + "    ";
      cell = "Note:" + TrimBlanks(padded.size() > 5 ? std::string_view(padded).substr(5) : std::string_view());
    } else {
      cell = column.id;
    }
  } else if (what == "METHOD") {
    cell = column.methodText;
  } else if (what == "VERSION") {
    cell = column.versionText;
  } else if (what == "VALUE") {
    cell = Q1o_valueText(column, value);
  } else {
    Error_report("bad what to print item=" + std::string(what), "VCB342");
  }
  TextWriter& f = gRun.q1oFile;
  f.write(cell);
  if (j == gColumns.count()) f.writeLine("");
  else f.write(", ");
}
