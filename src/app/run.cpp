// The processing run over the soundings of the current project.
#include "app/run.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/screen_read.h"
#include "app/setup_file.h"
#include "compute/liquefaction_run.h"
#include "compute/normalize.h"
#include "compute/predictions.h"
#include "compute/stress.h"
#include "compute/zero_load.h"
#include "core/phase_times.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/screen_mode.h"
#include "core/window_model.h"
#include "fielddata/field_data_file.h"
#include "fielddata/hog_reader.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "numeric/numeric_tools.h"
#include "platform/host_env.h"
#include "project/project_list.h"
#include "project/sounding_db.h"
#include "q1o/columns.h"
#include "q1o/q1o_writer.h"
#include "sld/chart_table.h"
#include "sld/chart_writers.h"

namespace {

// The shortest plain text of a float, without a leading blank ("1.2", "60").
std::string plainText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string wholeText(float value) { return std::to_string(static_cast<long long>(std::floor(value))); }

// The loaded charts as the Q1o head lists them.
std::vector<HeadChartRow> HeadChartRows() {
  std::vector<HeadChartRow> rows;
  for (std::int16_t k = 1; k <= SldChartCount; ++k) {
    const SldChart& c = SLD8a[static_cast<size_t>(k)];
    rows.push_back({c.File_Row1ColZ_ID_full_8str, c.Property_Units_8str, c.Version_Date_Full_8str,
                    c.Property_Method_8str, c.Version_Author_OneName_8str, c.Prediction_Description_8str});
  }
  return rows;
}

// A. Opening: options, project list, window mode, timer, self-test.
void runOpening(float& totalFeet, float& startTime) {
  Status_show("Starting Vurn Main Routine", "", "", "", "", "", "", "GL130");
  gRun.errorReported = false;
  IssueCounter_hide();
  MainControl("Columns_FileOptionalInformation8lbl").visible = false;
  MainControl("ProjectDirectoryNote8lbl").caption = "...directory note....";
  gRun.soundingsProcessed = 0;
  // A unit weight file edited since the last run is read again.
  UwtTable_reset();
  ProjectRecord_reset();
  gRun.projectName = "NONE";
  VurnScreen_read_values();
  if (gRun.fieldDataFileType == "AEG") {
    TaskLine_write(1,
                   "\"read AEG file\" is chosen, but there is no AEG reader: each sounding's field data file is "
                   "read by its extension (.CPT, .GEF, .XML, .CSV)",
                   "TASK");
  }
  ProjectSelector_fill();
  ProjectSelector_select(gRun.lastProject);
  Screen_mode("RUNNING");
  totalFeet = 0.0f;
  startTime = Host_timer();
  if (MainControl("Show_BreakdownOf_LineInput_8chk").value == 1) {
    SplitSelfTest();
  } else {
    gWindow.debug.visible = false;
  }
  Status_show("Initial Setup calls ---", " ", " ", " ", " ", " ", " ", "GL134");
  Screen_mode("READY TO RUN");
}

// Closes the sounding's Q1o table and chart direction file. A table that did
// not fully reach the disk (a full disk) stops the run instead of being
// counted as written; close() also tells a failure of a file already closed.
void soundingFiles_close() {
  if (!gRun.q1oFile.close()) {
    Error_report("can't write Q1o file " + gRun.q1oFile.path() + ", it did not reach the disk completely (e=" +
                     std::to_string(gRun.q1oFile.error()) + ")",
                 "QW382");
  }
  if (!gRun.chartDirectionFile.close()) {
    Error_report("can't write chart direction file " + gRun.chartDirectionFile.path() +
                     ", it did not reach the disk completely (e=" + std::to_string(gRun.chartDirectionFile.error()) +
                     ")",
                 "QW383");
  }
}

// D. The sounding loop; returns the number of soundings processed.
int runSoundings(float& totalFeet) {
  ProjectRecord_reset();
  ZeroLoad_start();
  OpenSoundingDatabase(gRun.soundingDatabase);
  ReadSoundingHeader(gRun.soundingDatabase);
  // Every row left is one sounding (a blank one stops the run), at most 9999.
  if (gWindowHooks.soundingTotal) {
    gWindowHooks.soundingTotal(static_cast<int>(std::min<std::size_t>(gRun.soundingDatabase.linesLeft(), 9999)));
  }
  int n = 1;
  for (; n <= 9999; ++n) {
    const std::string sequence = std::to_string(n);
    Status_show("Sounding data processing --- Sounding Sequence = " + sequence, " ", " ", " ", " ",
                "Sequence = " + sequence, "", "GLS11");
    bool endOfFile = false;
    {
      PhaseScope reading(RunPhase::Read);
      ResetSoundingRecord();
      ReadNextSounding(gRun.soundingDatabase, endOfFile);
    }
    if (endOfFile) break;
    Window_processEvents();
    const std::string& soundingName = SoundingField_text("SOUNDING_NAME");
    // A blank row (or one without its name) would otherwise look for "-5435.CPT".
    if (TrimBlanks(soundingName).empty() || soundingName == NullText) {
      Error_report("Reading SoundingS file, row " + std::to_string(gSounding.fileLine) + " of " +
                       gRun.soundingDatabase.path() + " names no sounding (SOUNDING_NAME is empty)",
                   "SD807");
    }
    PathName_checkSafe("SOUNDING_NAME", soundingName);
    const FieldDataFile fieldDataFile = FieldDataFile_find(soundingName);
    Status_show("", "field data file input", "", fieldDataFile.name, "", " ", " ", "HF432");
    if (gWindowHooks.soundingStarted) gWindowHooks.soundingStarted(n, fieldDataFile.name);
    {
      PhaseScope reading(RunPhase::Read);
      FieldDataFile_read(fieldDataFile);
    }
    ZeroLoad_beginSounding(n);
    Liquefaction_beginSounding(n);
    {
      PhaseScope writing(RunPhase::Write);
      Q1o_open();
      Q1o_writeHead(HeadChartRows());
    }
    Depths_process(n, totalFeet);
    Liquefaction_endSounding();
    soundingFiles_close();
  }
  gRun.q1oFile.close();
  gRun.soundingDatabase.close();
  return n - 1;
}

// E. Closing: reports, setup file, summary, end line.
void runClosing(float totalFeet, float startTime) {
  {
    PhaseScope writing(RunPhase::Write);
    ZeroLoad_writeReport();
    if (gRun.zeroLoadReport.failed()) {
      Error_report("can't write zero load report " + gRun.zeroLoadReport.path() +
                       ", it did not reach the disk completely (e=" + std::to_string(gRun.zeroLoadReport.error()) +
                       ")",
                   "ZLR204");
    }
    Liquefaction_writeReport();
    ChartSource_write();
    Setup_write();
  }
  const float elapsed = Host_timer() - startTime;
  const std::string soundingsDirectory = PathOf("SOUNDINGS");
  const RunSummary summary =
      RunSummary_compose(elapsed, totalFeet, gRun.soundingsProcessed, soundingsDirectory, gRun.zeroLoadFileName);
  Status_show("           Done", summary.speedText, summary.countText, " ", summary.outputText, summary.zeroLoadText,
              " ", " ");
  TaskLine_write(0, "End of Tasks & Issues: " + Host_shortDate() + "  " + Host_shortTime(), "TASK");
  gRun.runInProgress = false;
  Screen_mode("READY TO RUN");
}

}  // namespace

RunSummary RunSummary_compose(float elapsedSeconds, float totalFeet, int soundingsProcessed,
                              const std::string& soundingsDirectory, const std::string& zeroLoadFileName) {
  RunSummary s;
  float elapsed = elapsedSeconds;
  if (elapsed < 0.0f) elapsed += 86400.0f;
  if (elapsed > 0.0f) {
    const float tenths = std::floor(10.0f * totalFeet / elapsed);
    // Capped so that a run timed at a clock tick near zero cannot overflow it.
    s.rate = static_cast<int>(std::min(std::floor(tenths / 10.0f), 1.0e9f));
  }
  s.countText = std::to_string(soundingsProcessed) + " total Soundings";
  if (elapsed > 60.0f) {
    s.timeText = plainText(RoundDown(elapsed / 60.0f, 1)) + " mins ";
  } else {
    s.timeText = plainText(RoundDown(elapsed, 0)) + " secs ";
  }
  s.speedText = wholeText(totalFeet) + " total feet" + " in " + s.timeText + "    @ " + std::to_string(s.rate) +
                " ft/sec";
  s.outputText = "Q1o files are in     " + soundingsDirectory;
  s.zeroLoadText = "Zero load data File      " + zeroLoadFileName;
  return s;
}

void Main_run() {
  if (gRun.runInProgress) return;
  gRun.runInProgress = true;
  RunCommands_enable(false);
  float totalFeet = 0.0f;
  float startTime = 0.0f;
  runOpening(totalFeet, startTime);
  {
    PhaseScope reading(RunPhase::Read);
    Setup_read();
    SetupEarthquake_fromRun();
    Charts_load();
    RequiredCharts_check();
    Columns_read();
  }
  // C. Every column parsed, given its picture and factor, padded to a common
  // width, and checked to be computable.
  Columns_prepare();
  Columns_validate();
  // The earthquake inputs are checked before any table is written.
  Liquefaction_start(LiquefactionColumn_first(), LiquefactionReport_column());
  // C. Output column preparation: no columns until the column definitions exist.
  gRun.soundingsProcessed = static_cast<std::int16_t>(runSoundings(totalFeet));
  runClosing(totalFeet, startTime);
}
