// The chart table: every SLD chart of a run, loaded from the SLD files of the
// data area's "SLD input" folder or from the chart set compiled into the program.
//
// An SLD chart is one predicted soil property C drawn as contour lines over
// the CPT classification chart: friction ratio FR in percent across (X),
// normalised tip resistance QC1 in atm up (Y). Each run loads the table anew,
// slot by slot from 1, and then finds the slots of the eight charts that the
// computations need (RequiredChartIndex). After that the table is only read.
//
// SLD file layout:
//   line 1   three column identifiers: X ("Fr_%" or "RF_%"), Y ("QC1..."), C
//            (a known property that is not a basic one, e.g. "CRRe_tvk");
//   line 2   "Row2_Vurn_SLDv5" (trimmed, any case);
//   header   KEY = value lines up to a line whose key is END or which holds
//            "EOH" anywhere (at most 110 header lines);
//   data     contour lines: "x,y,C" on a line's first point, "x,y" after it;
//            an empty line (empty first cell) separates contour lines.
//
// Errors raised while loading (Error_report, which does not return):
//   "SLD214" no SLD file in the folder;         "OU993" X is not FR;
//   "OU114"  FR not in %;                       "OU223" Y is not QC1, or C is basic;
//   "OU103"  C is not a known property;         "QZ120" bad row 2;
//   "PQ883"  file ends inside the header;       "TBC992" unknown SLD_CHARTID;
//   " SLD412" no header end in 110 lines;       "SEF454" no C identifier or authorship;
//   "SRF734" two files, same C and authorship;
//   "ER903"  no data after the header (a file that ends with its end-of-header
//            line is "PQ883" first, so this guards the reader itself);
//   "SLD722" file ends right after a separator; "Sld009" missing or non-numeric line value;
//   "SLD200" a required chart is missing;
// and the table's own limits, which are never written past:
//   "CHL030" more than 30 SLD files;            "CHL015" a 16th contour line;
//   "CHL025" a 26th point on a contour line;    "CHL021" a 22nd comment;
//   "CHL204" a point whose x or y is not a number;
//   "CHL431" an SLD file that cannot be opened.
// Errors of the identifier analysis ("EZ...") and of true/false words
// ("TF321") can arise as well.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_file.h"

// Limits of the table.
inline constexpr std::int16_t kSldChartSlots = 40;     // chart records
inline constexpr std::int16_t kSldFileLimit = 30;      // SLD files per load
inline constexpr std::int16_t kSldLineLimit = 15;      // contour lines per chart
inline constexpr std::int16_t kSldPointLimit = 25;     // points per contour line
inline constexpr std::int16_t kSldCommentLimit = 21;   // COMMENT / NOTE values per chart
inline constexpr std::int16_t kSldHeaderLimit = 110;   // header lines per file
inline constexpr std::int16_t kSldPassLimit = 9999;    // data lines read per file

// One point of a contour line: X = FR in %, Y = QC1 in atm.
struct ChartPoint {
  float x_8sng = 0.0f;
  float y_8sng = 0.0f;
};

// One contour line: its points in file order (1-based, element 0 unused) and
// the value of C along it.
struct ContourLine {
  std::array<ChartPoint, kSldPointLimit + 1> pt8a{};
  std::int16_t ptsNUMof = 0;
  float LineValue_8sng = 0.0f;
  // log10 of every point (Log10Checked of x and y), taken once when the line
  // is read so that lookups do not take it again; logsReady is false for a
  // line built otherwise, and the lookup then takes the logs itself.
  std::array<ChartPoint, kSldPointLimit + 1> log8a{};
  bool logsReady = false;
  // With the logs, the slope of the segment ending at each point (from 2), in
  // logs: x_8sng for a search along X (dlog y / dlog x), y_8sng for a search
  // along Y (dlog x / dlog y), as the lookup's interpolation takes them.
  std::array<ChartPoint, kSldPointLimit + 1> slope8a{};
  // The order of the points along each axis, kept as the line is read: 1 when
  // every point lies strictly beyond the one before, -1 when strictly before,
  // 0 otherwise (or not known). A lookup finds the segment of an ordered line
  // by halving instead of walking it.
  std::int8_t xOrder = 0;
  std::int8_t yOrder = 0;
};

// One chart record. Field names are the ones the chart source text writes.
struct SldChart {
  std::array<ContourLine, kSldLineLimit + 1> Line8a{};  // 1-based
  std::int16_t LinesNUMof = 0;
  std::string ChartID8str;
  std::string LookupMethod_8str;
  std::string FileName_8str;
  std::string File_Row1ColX_ID_full_8str;
  std::string File_Row1ColY_ID_full_8str;
  std::string File_Row1ColZ_ID_full_8str;
  bool X_UseLog_8bol = false;
  bool Y_UseLog_8bol = false;
  std::string Property_ID_8str;
  std::string Property_Units_8str;
  std::string Version_Author_Full_8str;
  std::string Version_Author_OneName_8str;
  std::string Version_Date_Year_8str;
  std::string Version_Date_Full_8str;
  std::string Version_Date_Short_8str;
  std::string Version_Number_8str;
  std::string Version_Description_8str;
  std::string Prediction_Description_8str;
  std::string Property_Method_8str;
  bool TavikChart_8bol = false;  // the method part, upper-cased, contains "TVK"
  float X_Min_8sng = 0.0f;
  float X_Max_8sng = 0.0f;
  float Y_Min_8sng = 0.0f;
  float Y_Max_8sng = 0.0f;
  float C_Min_8sng = 0.0f;  // acceptable range of C (unit weight chart only)
  float C_Max_8sng = 0.0f;
  std::array<std::string, kSldCommentLimit + 1> Comment8a{};  // 1-based
  std::int16_t CommentsNUMof = 0;
};

// The table: slots 1..40 (element 0 unused) and the number in use.
extern std::array<SldChart, kSldChartSlots + 1> SLD8a;
extern std::int16_t SldChartCount;

// The eight charts the computations need, by upper-cased property, in the order
// of RequiredChartIndex.
inline constexpr std::array<std::string_view, 8> kRequiredChartProperties = {"CQC1", "IC",  "UWT1", "CRRE",
                                                                             "P200S1", "VS1", "N1",  "S1"};
enum RequiredChart : int { kChartCQC1, kChartIC, kChartUWT1, kChartCRRE, kChartP200S1, kChartVS1, kChartN1, kChartS1 };

// The slot of each required chart (index by RequiredChart); 0 = not found.
extern std::array<std::int16_t, 8> RequiredChartIndex;

// The names a load works through: entries 1..30 (element 0 unused).
using SldFileList = std::array<std::string, kSldFileLimit + 1>;

// Back to a program that has not loaded any chart: every slot reset (as
// Chart_reset does), no slot in use, every RequiredChartIndex 0.
void ChartTable_reset();

// Loads the table from the source named by gRun.chartDataSource:
//   "FILE":     every SLD-Vurn-*.csv of the SLD input folder, in listing order,
//               one slot per file from 1 ("SLD214" when there is none);
//   "INTERNAL": the eight built-in charts into slots 1..8 (cQc1, Ic, UWT1,
//               CRRe, p200s1, Vs1, N1, S1), through BuiltInChart_fill;
//   anything else is a fatal stop.
void Charts_load();

// Fills RequiredChartIndex: the last slot of 1..SldChartCount whose chart is the
// maker's (TavikChart_8bol) and whose property is one of the eight. Entries are
// cleared first, so a chart missing from this run is never taken from an
// earlier one. "SLD200" when any of the eight is missing.
void RequiredCharts_check();

// Reads the open SLD file `file` into `slot` (1..40): resets the slot, sets
// SldChartCount to slot and FileName_8str to `fileName`, then reads row 1, row 2,
// the header and the contour lines with every check listed above.
void ChartFile_read(TextReader& file, std::string_view fileName, std::int16_t slot);

// The same reader over chart text held in memory (the built-in charts).
void ChartText_read(std::string_view text, std::string_view fileName, std::int16_t slot);

// Resets one slot: no contour lines, no comments (all 21 "-5435"); file name,
// C identifier, units, version number, full date, description, method and both
// author fields "-5435"; the extent and the C range -5435; every other field
// empty, false or zero, so nothing of the chart the slot held before is left.
void Chart_reset(std::int16_t slot);

// Fills names[1..count] with the names of the files matching `pattern` (a full
// path whose last part may hold "*" and "?"), in listing order; every entry is
// emptied first. More than 30 files is "CHL030", naming the 31st.
void FileList_collect(std::string_view pattern, SldFileList& names, std::int16_t& count);

// Fills `slot` with the built-in chart of the property already set in its
// Property_ID_8str (compared without regard to case), read by the same reader as
// the files; the chart keeps the name of the bundled file it was built from. A
// property without a built-in chart is a fatal stop.
void BuiltInChart_fill(std::int16_t slot);
