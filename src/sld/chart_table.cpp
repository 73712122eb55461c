// The chart table: loading SLD files (or the built-in chart set) into SLD8a and
// finding the eight required charts.
#include "sld/chart_table.h"

#include "sld/chart_lookup.h"

#include "core/halt.h"
#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/number_format.h"
#include "numeric/numeric_tools.h"
#include "numeric/units.h"
#include "platform/host_paths.h"
#include "q1o/column_id.h"

std::array<SldChart, kSldChartSlots + 1> SLD8a;
std::int16_t SldChartCount = 0;
std::array<std::int16_t, 8> RequiredChartIndex{};

namespace {

// The order along one axis once point n (value v, the one before it `before`)
// joins a line whose order so far is `order`.
std::int8_t orderAfter(std::int8_t order, int n, float before, float v) {
  const std::int8_t step = v > before ? 1 : (v < before ? -1 : 0);
  if (n == 2) return step;
  return step == order ? order : 0;
}

// Updates the line's point order for a point (x, y) about to be stored as
// point ptsNUMof.
void noteOrder(ContourLine& line, float x, float y) {
  const int n = line.ptsNUMof;
  if (n < 2) return;
  const ChartPoint& before = line.pt8a[static_cast<std::size_t>(n - 1)];
  line.xOrder = orderAfter(line.xOrder, n, before.x_8sng, x);
  line.yOrder = orderAfter(line.yOrder, n, before.y_8sng, y);
}

constexpr std::int16_t kCellCapacity = 50;

// Lines of an open SLD file.
struct FileLines {
  TextReader& file;
  bool readLine(std::string& line) {
    line.clear();
    return file.readLine(line);
  }
  bool atEnd() const { return file.atEnd(); }
};

// Lines of chart text in memory, with the line-end rules of TextReader: CRLF, LF
// or CR end a line, and a final line end makes no extra empty line.
struct MemoryLines {
  std::string_view text;
  std::size_t position = 0;
  bool readLine(std::string& line) {
    if (atEnd()) {
      line.clear();
      return false;
    }
    const std::size_t end = text.find_first_of("\r\n", position);
    if (end == std::string_view::npos) {
      line.assign(text.substr(position));
      position = text.size();
      return true;
    }
    line.assign(text.substr(position, end - position));
    position = end + 1;
    if (text[end] == '\r' && position < text.size() && text[position] == '\n') ++position;
    return true;
  }
  bool atEnd() const { return position >= text.size(); }
};

// Applies one header key to the chart. Returns nothing; unknown keys are ignored.
void applyHeaderKey(SldChart& chart, const std::string& key, const std::string& value) {
  if (key == "SLD" || key == "SLD_ID") {
    chart.Property_ID_8str = value;
  } else if (key == "SLD_C_ID_FULL") {
    chart.File_Row1ColZ_ID_full_8str = value;
  } else if (key == "SLD_C_UNITS") {
    chart.Property_Units_8str = value;
  } else if (key == "SLD_X_ID_FULL") {
    chart.File_Row1ColX_ID_full_8str = value;
  } else if (key == "SLD_Y_ID_FULL") {
    chart.File_Row1ColY_ID_full_8str = value;
  } else if (key == "SLD_X_USELOG") {
    chart.X_UseLog_8bol = TrueFalse_read(value, false);
  } else if (key == "SLD_Y_USELOG") {
    chart.Y_UseLog_8bol = TrueFalse_read(value, false);
  } else if (key == "SLD_LOOKUP_METHOD") {
    chart.LookupMethod_8str = value;
  } else if (key == "SLD_VERSION_DATE_FULL") {
    chart.Version_Date_Full_8str = value;
  } else if (key == "SLD_VERSION_DATE_SHORT") {
    chart.Version_Date_Short_8str = value;
  } else if (key == "SLD_VERSION_DATE_YEAR") {
    chart.Version_Date_Year_8str = value;
  } else if (key == "SLD_VERSION_AUTHOR_FULL") {
    chart.Version_Author_Full_8str = value;
  } else if (key == "SLD_VERSION_AUTHOR_ONE_NAME") {
    chart.Version_Author_OneName_8str = value;
  } else if (key == "SLD_VERSION_NUMBER") {
    chart.Version_Number_8str = value;
  } else if (key == "SLD_VERSION_DESCRIPTION") {
    chart.Version_Description_8str = value;
  } else if (key == "PREDICTION_DESCRIPTION") {
    chart.Prediction_Description_8str = value;
  } else if (key == "COMMENT" || key == "NOTE") {
    if (chart.CommentsNUMof >= kSldCommentLimit) {
      Error_report("SLD file " + chart.FileName_8str + " has more than " + std::to_string(kSldCommentLimit) +
                       " COMMENT or NOTE lines",
                   "CHL021");
    }
    ++chart.CommentsNUMof;
    chart.Comment8a[static_cast<std::size_t>(chart.CommentsNUMof)] = value;
  } else if (key == "SLD_CHARTID") {
    const std::string id = UpperCased(value);
    if (id != "VURNCHART" && id != "CPTCHART") Error_report("chartID is unknown in data header", "TBC992");
    chart.ChartID8str = value;
    chart.X_Min_8sng = 0.1f;
    chart.X_Max_8sng = 10.0f;
    chart.Y_Min_8sng = 1.0f;
    chart.Y_Max_8sng = 1000.0f;
    chart.X_UseLog_8bol = true;
    chart.Y_UseLog_8bol = true;
  }
}

// Row 1: the three column identifiers.
void readRowOne(SldChart& chart, const std::string& line, FieldList& cells) {
  Status_show("", "", "", "", "", "reading Row one", line, "CLD431");
  SplitDelimitedLine(line, false, false, false, cells, chart.FileName_8str);

  chart.File_Row1ColX_ID_full_8str = cells[1];
  ColumnId_parse(cells[1]);
  ColumnDefaults_set();
  std::string property = UpperCased(gColumnId.property);
  if (property == "RF") property = "FR";
  const std::string xLocation = ":: " + cells[1] + "in row 1 at column 1";
  if (property != "FR") Error_report("FR (or RF) is not " + xLocation, "OU993");
  if (gColumnId.units != "%") Error_report("FR (or RF) must be shown with % " + xLocation, "OU114");

  chart.File_Row1ColY_ID_full_8str = cells[2];
  ColumnId_parse(cells[2]);
  ColumnDefaults_set();
  if (UpperCased(gColumnId.property) != "QC1") {
    Error_report("QC is not" + std::string(":: ") + cells[2] + "in row 1 at column 2", "OU223");
  }

  chart.File_Row1ColZ_ID_full_8str = cells[3];
  ColumnId_parse(cells[3]);
  ColumnDefaults_set();
  const std::string cLocation = ":: " + cells[3] + " in row 1 at column 3";
  if (!gColumnDefaults.propertyKnown) Error_report("SLD type is unknown " + cLocation, "OU103");
  if (gColumnDefaults.basicProperty) Error_report("SLD can't be basic property" + cLocation, "OU223");
  chart.Property_ID_8str = gColumnId.property;
  chart.Property_Units_8str = gColumnId.units;
  chart.Property_Method_8str = gColumnId.method;
  chart.Version_Date_Year_8str = "";
  chart.TavikChart_8bol = UpperCased(gColumnId.method).find("TVK") != std::string::npos;
}

template <typename Lines>
void readChart(Lines& lines, std::string_view fileName, std::int16_t slot) {
  if (slot < 1 || slot > kSldChartSlots) Fatal_stop("chart slot " + std::to_string(slot) + " is not 1 to 40");
  Chart_reset(slot);
  SldChartCount = slot;
  SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
  chart.FileName_8str = std::string(fileName);

  FieldList cells(kCellCapacity);
  std::string line;
  lines.readLine(line);
  readRowOne(chart, line, cells);
  const std::string cellThree = cells[3];
  if (UpperCased(chart.Property_ID_8str) == "UWT1") {
    chart.C_Min_8sng = 64.0f;
    chart.C_Max_8sng = 160.0f;
  }

  lines.readLine(line);
  if (UpperCased(TrimBlanks(line)) != "ROW2_VURN_SLDV5") {
    Error_report("row 2 does not contain Row2_Vurn_SLDv5, " + std::string("  ROW 2 = ") + line + "  file = " +
                     chart.FileName_8str + "  Col3=" + cellThree,
                 "QZ120");
  }

  // Header, from file line 3.
  bool headerEnded = false;
  std::string key;
  std::string value;
  for (std::int16_t n = 1; n <= kSldHeaderLimit; ++n) {
    lines.readLine(line);
    Status_show("", "reading SLD header", "", "", "", "reading header line [" + std::to_string(n + 2) + "]", line,
                "CLD113");
    bool found = false;
    SplitKeyValue(line, key, value, found);
    if (lines.atEnd()) {
      Error_report("EOF while reading SLD header, no EOH at end of header  file = " + chart.FileName_8str, "PQ883");
    }
    key = UpperCased(key);
    if (key == "END" || UpperCased(line).find("EOH") != std::string::npos) {
      headerEnded = true;
      break;
    }
    applyHeaderKey(chart, key, value);
  }
  if (!headerEnded) {
    Error_report(" SLD of " + chart.FileName_8str + " does not have header end (EOH)", " SLD412");
  }

  if (chart.File_Row1ColZ_ID_full_8str.empty() || chart.Version_Author_OneName_8str.empty()) {
    Error_report("SLD file did not have ID_property or ID_authorship defined  file = " + chart.FileName_8str, "SEF454");
  }
  for (std::int16_t j = 1; j < slot; ++j) {
    const SldChart& earlier = SLD8a[static_cast<std::size_t>(j)];
    if (earlier.File_Row1ColZ_ID_full_8str == chart.File_Row1ColZ_ID_full_8str &&
        earlier.Version_Author_OneName_8str == chart.Version_Author_OneName_8str) {
      Error_report("there are two SLD files with same property and authorship :: " + std::string("property=") +
                       chart.File_Row1ColZ_ID_full_8str + "authorship=" + chart.Version_Author_OneName_8str,
                   "SRF734");
    }
  }

  // Contour lines: each pass adds one point.
  chart.LinesNUMof = 0;
  ContourLine* current = nullptr;
  for (int k = 1; k <= kSldPassLimit; ++k) {
    if (lines.atEnd()) {
      if (chart.LinesNUMof > 0) return;
      Error_report("expecting SLD data after header area  file = " + chart.FileName_8str, "ER903");
    }
    lines.readLine(line);
    SplitDelimitedLine(line, false, false, false, cells, chart.FileName_8str);
    if (cells[1].empty() || k == 1) {
      if (chart.LinesNUMof >= kSldLineLimit) {
        Error_report("SLD file " + chart.FileName_8str + " has more than " + std::to_string(kSldLineLimit) +
                         " contour lines",
                     "CHL015");
      }
      ++chart.LinesNUMof;
      const std::string lineNumber = std::to_string(chart.LinesNUMof);
      Status_show("", "reading SLD data points", "", "", "", "SLD line #= " + lineNumber, "", "SLD722");
      Status_show("", "reading SLD data points", "", "", "", "SLD Line # =" + lineNumber, "", "SLD778");
      if (cells[1].empty()) {
        if (lines.atEnd()) Error_report("bad eof between lines in SLD file  file = " + chart.FileName_8str, "SLD722");
        lines.readLine(line);
        SplitDelimitedLine(line, false, false, false, cells, chart.FileName_8str);
      }
      // A value that is not a number, or the marker itself, would give a
      // contour of value -5435, which every lookup takes for no value.
      float lineValue = NullValue;
      if (!NumberCell_read(cells[3], lineValue) || lineValue == NullValue) {
        Error_report("no or bad contour value=" + cells[3] + "  file = " + chart.FileName_8str, "Sld009");
      }
      current = &chart.Line8a[static_cast<std::size_t>(chart.LinesNUMof)];
      current->LineValue_8sng = lineValue;
      current->ptsNUMof = 0;
      current->xOrder = 0;
      current->yOrder = 0;
      Status_show("", "", "", "", "", "", "line value = " + PlainNumber_text(lineValue), "SLD771");
    }
    if (current->ptsNUMof >= kSldPointLimit) {
      Error_report("SLD file " + chart.FileName_8str + " has more than " + std::to_string(kSldPointLimit) +
                       " points on contour line " + std::to_string(chart.LinesNUMof),
                   "CHL025");
    }
    // A point that is not a number would make every lookup near it wrong.
    float x = NullValue;
    float y = NullValue;
    if (!NumberCell_read(cells[1], x) || !NumberCell_read(cells[2], y)) {
      Error_report("SLD file " + chart.FileName_8str + " has a point that is not a number: " + line, "CHL204");
    }
    ++current->ptsNUMof;
    noteOrder(*current, x, y);
    ChartPoint& point = current->pt8a[static_cast<std::size_t>(current->ptsNUMof)];
    point.x_8sng = x;
    point.y_8sng = y;
    ChartPoint& logs = current->log8a[static_cast<std::size_t>(current->ptsNUMof)];
    logs.x_8sng = Log10Checked(x);
    logs.y_8sng = Log10Checked(y);
    if (current->ptsNUMof >= 2) {
      const ChartPoint& before = current->log8a[static_cast<std::size_t>(current->ptsNUMof - 1)];
      ChartPoint& slope = current->slope8a[static_cast<std::size_t>(current->ptsNUMof)];
      slope.x_8sng = Segment_slope(before.x_8sng, logs.x_8sng, before.y_8sng, logs.y_8sng);
      slope.y_8sng = Segment_slope(before.y_8sng, logs.y_8sng, before.x_8sng, logs.x_8sng);
    }
    current->logsReady = true;
  }
}

}  // namespace

void ChartTable_reset() {
  for (std::int16_t slot = 1; slot <= kSldChartSlots; ++slot) Chart_reset(slot);
  SLD8a[0] = SldChart{};
  SldChartCount = 0;
  RequiredChartIndex.fill(0);
  ChartLookupMemo_end();
}

void Chart_reset(std::int16_t slot) {
  // Remembered lookups may have been made on the chart this slot held.
  ChartLookupMemo_forget();
  // The whole record is reset, not only the fields row 1 and the header always
  // set: a field kept from an earlier run (a lookup method, a chart identifier)
  // would otherwise belong to whatever chart had this slot before.
  SldChart& chart = SLD8a[static_cast<std::size_t>(slot)];
  chart = SldChart{};
  const std::string null(NullText);
  chart.CommentsNUMof = 0;
  for (std::size_t i = 1; i < chart.Comment8a.size(); ++i) chart.Comment8a[i] = null;
  chart.FileName_8str = null;
  chart.File_Row1ColZ_ID_full_8str = null;
  chart.Property_Units_8str = null;
  chart.Version_Number_8str = null;
  chart.Version_Date_Full_8str = null;
  chart.Prediction_Description_8str = null;
  chart.Property_Method_8str = null;
  chart.Version_Author_Full_8str = null;
  chart.Version_Author_OneName_8str = null;
  chart.X_Min_8sng = NullValue;
  chart.X_Max_8sng = NullValue;
  chart.Y_Min_8sng = NullValue;
  chart.Y_Max_8sng = NullValue;
  chart.C_Min_8sng = NullValue;
  chart.C_Max_8sng = NullValue;
}

void FileList_collect(std::string_view pattern, SldFileList& names, std::int16_t& count) {
  for (std::string& name : names) name.clear();
  count = 0;
  for (const std::string& name : Host_list(pattern, false)) {
    if (count >= kSldFileLimit) {
      Error_report("SLD file " + name + " is one too many: at most " + std::to_string(kSldFileLimit) +
                       " files may match " + std::string(pattern),
                   "CHL030");
    }
    ++count;
    names[static_cast<std::size_t>(count)] = name;
  }
}

void ChartFile_read(TextReader& file, std::string_view fileName, std::int16_t slot) {
  FileLines lines{file};
  readChart(lines, fileName, slot);
}

void ChartText_read(std::string_view text, std::string_view fileName, std::int16_t slot) {
  MemoryLines lines{text};
  readChart(lines, fileName, slot);
}

void Charts_load() {
  if (gRun.chartDataSource == "FILE") {
    Status_show("Reading SLD data", "File based", " ", " ", " ", " ", " ", "SA111");
    const std::string pattern = PathOf("SLD-VURN-*.CSV");
    SldFileList names;
    std::int16_t count = 0;
    FileList_collect(pattern, names, count);
    SldChartCount = count;
    if (count == 0) Error_report("No   " + pattern + " file", "SLD214");
    const std::string folder = PathOf("SLD INPUT");
    for (std::int16_t i = 1; i <= count; ++i) {
      const std::string& name = names[static_cast<std::size_t>(i)];
      TaskLine_write(2, "SLD file reading: " + name, "TASK");
      Status_show("", "opening SLD file", " ", name, " ", "SLD file sequence=" + std::to_string(i), " ", "SC423");
      TextReader file;
      if (!file.open(folder + name)) {
        Error_report("SLD file " + folder + name + " can't be opened (is it open in another program?)", "CHL431");
      }
      ChartFile_read(file, name, i);
      file.close();
    }
  } else if (gRun.chartDataSource == "INTERNAL") {
    Status_show("Reading SLD data", "internal based", " ", " ", " ", " ", " ", "SA131");
    TaskLine_write(2, "SLD file reading: ", "TASK");
    static constexpr std::array<std::string_view, 8> kBuiltInOrder = {"cQc1", "Ic",  "UWT1", "CRRe",
                                                                      "p200s1", "Vs1", "N1",  "S1"};
    for (std::size_t i = 0; i < kBuiltInOrder.size(); ++i) {
      const auto slot = static_cast<std::int16_t>(i + 1);
      SLD8a[i + 1].Property_ID_8str = std::string(kBuiltInOrder[i]);
      BuiltInChart_fill(slot);
    }
  } else {
    Fatal_stop("SLD data source is neither FILE nor INTERNAL: " + gRun.chartDataSource);
  }
}

void RequiredCharts_check() {
  RequiredChartIndex.fill(0);
  for (std::int16_t i = 1; i <= SldChartCount; ++i) {
    const SldChart& chart = SLD8a[static_cast<std::size_t>(i)];
    if (!chart.TavikChart_8bol) continue;
    const std::string property = UpperCased(chart.Property_ID_8str);
    for (std::size_t r = 0; r < kRequiredChartProperties.size(); ++r) {
      if (property == kRequiredChartProperties[r]) RequiredChartIndex[r] = i;
    }
  }
  std::string missing;
  for (std::size_t r = 0; r < kRequiredChartProperties.size(); ++r) {
    if (RequiredChartIndex[r] == 0) missing += " " + std::string(kRequiredChartProperties[r]);
  }
  if (!missing.empty()) Error_report("Not all the Tavik SLD files were loaded, missing:" + missing, "SLD200");
}
