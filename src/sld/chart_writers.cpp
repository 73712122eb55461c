// The plotting writer and the chart source writer.
#include "sld/chart_writers.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "platform/host_paths.h"
#include "sld/chart_table.h"

namespace {

const char* trueFalse(bool flag) { return flag ? "True" : "False"; }

// Makes the folder (with a trailing backslash) when it is missing; whether it
// worked shows when the file in it is opened.
void makeFolderIfMissing(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (!Host_folderExists(path)) Host_makeFolder(path);
}

std::string pointText(float value, std::string_view picture) { return Number_format(value, picture, false); }

// The line value in its shortest text, without the blank that marks a value
// that is not negative.
std::string valueText(float value) {
  std::string text = PlainNumber_text(value);
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

void writePlottingFile(const SldChart& chart, const std::string& path) {
  TextWriter file;
  if (!file.open(path)) {
    Error_report("SLD plotting file " + path + " can't be created (is it open in another program?)", "CHW112");
  }
  file.writeLine("\"" + chart.File_Row1ColX_ID_full_8str + "\",\"" + chart.File_Row1ColY_ID_full_8str + "\",\"" +
                 chart.File_Row1ColZ_ID_full_8str + "\"");
  file.writeLine("Row2-SLDv5");
  KeyLine_print(file, "SLD", 0, chart.File_Row1ColZ_ID_full_8str);
  KeyLine_print(file, "UseXLog", 0, trueFalse(chart.X_UseLog_8bol));
  KeyLine_print(file, "UseXLog", 0, trueFalse(chart.Y_UseLog_8bol));
  KeyLine_print(file, "Description", 0, chart.Prediction_Description_8str);
  KeyLine_print(file, "ChartID", 0, chart.ChartID8str);
  KeyLine_print(file, "LookupMethod", 0, chart.LookupMethod_8str);
  KeyLine_print(file, "LookupMethod", 0, chart.LookupMethod_8str);
  KeyLine_print(file, "version", 0, chart.Version_Number_8str);
  file.writeLine("");
  for (std::int16_t i = 1; i <= chart.CommentsNUMof; ++i) {
    file.writeLine(KeyLine("comment", 0, chart.Comment8a[static_cast<std::size_t>(i)]));
  }
  file.writeLine("EOH");
  for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
    const ContourLine& line = chart.Line8a[static_cast<std::size_t>(l)];
    if (l > 1) file.writeLine("");
    for (std::int16_t k = 1; k <= line.ptsNUMof; ++k) {
      const ChartPoint& point = line.pt8a[static_cast<std::size_t>(k)];
      std::string text = pointText(point.x_8sng, "####.###") + ",   " + pointText(point.y_8sng, "####.###");
      if (k == 1) text += ",   " + pointText(line.LineValue_8sng, "####.###");
      file.writeLine(text);
    }
  }
  if (!file.close()) {
    Error_report("SLD plotting file " + path + " did not reach the disk completely (e=" + std::to_string(file.error()) +
                     ")",
                 "CHW112");
  }
}

// The name of chart n's source file without ".bas", which is also its
// subroutine's name: "SLD___" and the C identifier, and when another loaded
// chart has the same identifier (the file system does not tell case apart)
// "___" and the authorship, its characters other than letters, digits, "-" and
// "_" written as "_", so that neither chart's source replaces the other's.
std::string sourceStem(std::int16_t n) {
  const SldChart& chart = SLD8a[static_cast<std::size_t>(n)];
  std::string stem = "SLD___" + chart.File_Row1ColZ_ID_full_8str;
  for (std::int16_t j = 1; j <= SldChartCount; ++j) {
    const SldChart& other = SLD8a[static_cast<std::size_t>(j)];
    if (j == n || !SameIgnoringCase(other.File_Row1ColZ_ID_full_8str, chart.File_Row1ColZ_ID_full_8str)) continue;
    std::string author = chart.Version_Author_OneName_8str;
    for (char& c : author) {
      const bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
      if (!kept) c = '_';
    }
    return stem + "___" + author;
  }
  return stem;
}

void writeSourceFile(SldChart& chart, std::int16_t n, const std::string& path, const std::string& stem) {
  TextWriter file;
  if (!file.open(path)) {
    Error_report("SLD source file " + path + " can't be created (is it open in another program?)", "CHW231");
  }
  const std::string& id = chart.File_Row1ColZ_ID_full_8str;
  file.writeLine(" ");
  file.writeLine("Sub " + stem + "()");
  for (int i = 0; i < 4; ++i) file.writeLine(" ");
  Status_show("", "Writing " + TrimBlanks(id) + " to VB6 file", "", "", "", "", "", "SFW231");
  if (chart.Prediction_Description_8str.empty() || chart.Prediction_Description_8str.front() != '"') {
    chart.Prediction_Description_8str = "\"" + chart.Prediction_Description_8str + "\"";
  }
  const std::string p = "SLD8a(" + std::to_string(n) + ")";
  const std::string q = "\"";
  constexpr int width = 55;
  KeyLine_print(file, p + ".File_Row1ColZ_ID_full_8str", width, q + id + q);
  KeyLine_print(file, p + ".Prediction_Description_8str", width, chart.Prediction_Description_8str);
  KeyLine_print(file, p + ".X_UseLog_8bol", width, chart.X_UseLog_8bol ? "True" : "");
  KeyLine_print(file, p + ".Y_UseLog_8bol", width, chart.Y_UseLog_8bol ? "True" : "");
  KeyLine_print(file, p + ".Version_Author_OneName_8str", width, q + chart.Version_Author_OneName_8str + q);
  KeyLine_print(file, p + ".ChartID8str", width, q + chart.ChartID8str + q);
  KeyLine_print(file, p + ".Version_Author_OneName_8str ", width, q + chart.Version_Author_OneName_8str + q);
  file.writeLine(" ");
  file.writeLine(KeyLine(p + ".LinesNUMof", width, std::to_string(chart.LinesNUMof)));
  for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
    const ContourLine& line = chart.Line8a[static_cast<std::size_t>(l)];
    const std::string r = p + ".Line8a(" + std::to_string(l) + ")";
    file.writeLine(" ");
    file.writeLine(" ");
    file.writeLine(r + ".LineValue_8sng = " + valueText(line.LineValue_8sng));
    file.writeLine(r + ".ptsNUMof = " + std::to_string(line.ptsNUMof));
    file.writeLine(" ");
    for (std::int16_t k = 1; k <= line.ptsNUMof; ++k) {
      const ChartPoint& point = line.pt8a[static_cast<std::size_t>(k)];
      const std::string s = r + ".pt8a(" + std::to_string(k) + ")";
      file.writeLine(s + ".x_8sng = " + pointText(point.x_8sng, "          ##.#####"));
      file.writeLine(s + ".y_8sng = " + pointText(point.y_8sng, " ####.###"));
    }
  }
  file.writeLine(" ");
  file.writeLine("End sub ");
  file.writeLine(" ");
  if (!file.close()) {
    Error_report("SLD source file " + path + " did not reach the disk completely (e=" + std::to_string(file.error()) +
                     ")",
                 "CHW231");
  }
}

}  // namespace

std::string KeyLine(std::string_view name, int width, std::string_view value) {
  const int blanks = std::max(width - static_cast<int>(name.size()) - 2, 1);
  std::string line(static_cast<std::size_t>(blanks), ' ');
  line += name;
  line += " = ";
  line += value;
  return line;
}

void KeyLine_print(TextWriter& file, std::string_view name, int width, std::string_view value) {
  if (TrimBlanks(value).empty()) return;
  file.writeLine(KeyLine(name, width, value));
}

void ChartFiles_write_for_plotting() {
  const std::string folder = PathOf("SLD OUTPUT");
  makeFolderIfMissing(folder);
  for (std::int16_t i = 1; i <= SldChartCount; ++i) {
    const SldChart& chart = SLD8a[static_cast<std::size_t>(i)];
    Status_show("Printing SLD file ", " ", "", " ", chart.FileName_8str, "seq#=" + std::to_string(i), " ",
                "GSC112");
    writePlottingFile(chart, folder + chart.FileName_8str);
  }
  Status_show("Done printing SLD files", " ", " ", " ", " ", " ", " ", "DWS112");
}

void ChartSource_write() {
  if (!gRun.writeChartData) return;
  Status_show("SLD VB6 data writer", " ", " ", " ", " ", " ", " ", "SW112");
  const std::string folder = PathOf("SLD VB6");
  makeFolderIfMissing(folder);
  // Every name is decided before any file is written: two charts that would
  // still share a file stop the writer before either is written.
  std::vector<std::string> stems(static_cast<std::size_t>(SldChartCount) + 1);
  for (std::int16_t n = 1; n <= SldChartCount; ++n) {
    const SldChart& chart = SLD8a[static_cast<std::size_t>(n)];
    // The identifier comes from a data file and becomes part of a path.
    PathName_checkSafe("SLD_C_ID_FULL", chart.File_Row1ColZ_ID_full_8str);
    stems[static_cast<std::size_t>(n)] = sourceStem(n);
    for (std::int16_t j = 1; j < n; ++j) {
      if (!SameIgnoringCase(stems[static_cast<std::size_t>(j)], stems[static_cast<std::size_t>(n)])) continue;
      const SldChart& earlier = SLD8a[static_cast<std::size_t>(j)];
      Error_report("SLD source files: " + earlier.FileName_8str + " (authorship " +
                       earlier.Version_Author_OneName_8str + ") and " + chart.FileName_8str + " (authorship " +
                       chart.Version_Author_OneName_8str + ") would both be written to " + folder +
                       stems[static_cast<std::size_t>(n)] + ".bas; give them different identifiers or authorships",
                   "CHW232");
    }
  }
  for (std::int16_t n = 1; n <= SldChartCount; ++n) {
    const std::string& stem = stems[static_cast<std::size_t>(n)];
    writeSourceFile(SLD8a[static_cast<std::size_t>(n)], n, folder + stem + ".bas", stem);
  }
}
