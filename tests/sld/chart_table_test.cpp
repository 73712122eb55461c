// Loading the chart table from SLD files: what a file must hold, the table's
// limits, and finding the required charts. (Every fault of a file's content is
// in the bad-input corpus.)
#include <filesystem>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "sld/chart_table.h"
#include "sld/sld_file_text.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class ChartTableTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    gRun.projectName = "P1";
    gRun.chartDataSource = "FILE";
    fs::create_directories(dataArea() / "SLD input");
  }
  void writeChart(const std::string& name, const SldFileText& file) const {
    writeHostFile("Vurn/SLD input/" + name, file.text());
  }
  // The eight required charts with the method part `method`, in slots 1..8.
  void writeRequiredCharts(const std::string& method) const {
    int i = 0;
    for (const char* property : {"cQc1", "Ic", "UWT1", "CRRe", "p200s1", "Vs1", "N1", "S1"}) {
      SldFileText file;
      file.row1 = std::string("Fr_%,QC1_atm,") + property + "_" + method;
      writeChart("SLD-Vurn-A" + std::to_string(++i) + ".csv", file);
    }
  }
};

TEST_F(ChartTableTest, ThirtyFilesLoadAndAThirtyFirstIsRefused) {
  for (int i = 1; i <= 31; ++i) {
    if (i == 31) {
      Charts_load();
      EXPECT_EQ(SldChartCount, 30);
      EXPECT_EQ(SLD8a[30].FileName_8str, "SLD-Vurn-130.csv");
    }
    SldFileText file;  // each of another author, so no two are the same chart
    file.header[2] = "SLD_VERSION_AUTHOR_ONE_NAME = A" + std::to_string(i);
    writeChart("SLD-Vurn-" + std::to_string(100 + i) + ".csv", file);
  }
  gRun.errorReported = false;
  const ErrorHalt halt = HaltOf(Charts_load);
  EXPECT_EQ(halt.identifier, "CHL030");
  EXPECT_NE(halt.description.find("SLD-Vurn-131.csv"), std::string::npos) << halt.description;
  EXPECT_NE(halt.description.find("30"), std::string::npos) << halt.description;
  gRun.chartDataSource = "-5434";
  EXPECT_FATAL_STOP(Charts_load());
}

// Header keys over row 1, comment lines skipped, the Tavik chart's extent, comments,
// the contour lines. (The lines' values and points are those of the bundled charts,
// checked against the built-in copy and the correlations.)
TEST_F(ChartTableTest, AFileIsReadIntoItsSlot) {
  SldFileText file;
  file.row1 = "RF_%,QC1_atm,UWT1_tvk2009_pcf";
  file.row2 = "row2_vurn_sldv5 ";
  file.header = {"SLD_CHARTID = cptchart", "REM SLD_LOOKUP_METHOD = YXC", "'SLD_LOOKUP_METHOD = YXC",
                 "`SLD_LOOKUP_METHOD = YXC", "NOTE = some words", "COMMENT = \"quoted, with a comma\"",
                 "SLD_VERSION_AUTHOR_ONE_NAME = Tester", "PREDICTION_DESCRIPTION = Unit weight", "SLD_C_UNITS = W1"};
  writeChart("SLD-Vurn-A.csv", file);
  Charts_load();
  ASSERT_EQ(SldChartCount, 1);
  const SldChart& chart = SLD8a[1];
  EXPECT_EQ(chart.FileName_8str + "|" + chart.File_Row1ColX_ID_full_8str + "|" + chart.File_Row1ColZ_ID_full_8str + "|" +
                chart.Property_ID_8str + "|" + chart.Property_Method_8str + "|" + chart.Property_Units_8str + "|" +
                chart.ChartID8str + "|" + chart.LookupMethod_8str,
            "SLD-Vurn-A.csv|RF_%|UWT1_tvk2009_pcf|UWT1|tvk2009|W1|cptchart|");
  EXPECT_TRUE(chart.TavikChart_8bol && chart.X_UseLog_8bol && chart.Y_UseLog_8bol);
  EXPECT_EQ((std::vector<float>{chart.X_Min_8sng, chart.X_Max_8sng, chart.Y_Min_8sng, chart.Y_Max_8sng, chart.C_Min_8sng,
                                chart.C_Max_8sng}),
            (std::vector<float>{0.1f, 10.0f, 1.0f, 1000.0f, 64.0f, 160.0f}));  // a unit weight chart's C range
  ASSERT_EQ(chart.CommentsNUMof, 2);
  EXPECT_EQ(chart.Comment8a[1] + "|" + chart.Comment8a[2] + "|" + chart.Comment8a[3], "some words|quoted, with a comma|-5435");
  EXPECT_EQ(chart.LinesNUMof, 2);
}

TEST_F(ChartTableTest, HeaderEndsOnLine110OrAtAnEndKeyAndASlotForgetsItsChart) {
  SldFileText file;
  for (int i = 1; i <= 106; ++i) file.header.push_back("INFO " + std::to_string(i));
  file.end = "SLD_VERSION_NUMBER = 7, EOH";  // header line 110
  writeChart("SLD-Vurn-A.csv", file);
  Charts_load();
  EXPECT_EQ(SLD8a[1].Version_Number_8str, "-5435") << "the end line itself is not applied";
  EXPECT_EQ(SLD8a[1].LinesNUMof, 2);
  file.header.push_back("INFO 107");  // the end line is now line 111: the header ended before it
  writeChart("SLD-Vurn-A.csv", file);
  gRun.errorReported = false;
  EXPECT_EQ(HaltOf(Charts_load).identifier, " SLD412");

  SldFileText byKey;
  byKey.end = "end = here";
  writeChart("SLD-Vurn-A.csv", byKey);
  Charts_load();
  EXPECT_EQ(SLD8a[1].LinesNUMof, 2);
  ASSERT_EQ(SLD8a[1].LookupMethod_8str, "XYC");
  SldFileText plain;
  plain.header = {"SLD_VERSION_AUTHOR_ONE_NAME = Tester"};
  writeChart("SLD-Vurn-A.csv", plain);
  Charts_load();
  EXPECT_EQ(SLD8a[1].LookupMethod_8str + SLD8a[1].ChartID8str, "");
  EXPECT_EQ(SLD8a[1].X_Min_8sng, -5435.0f) << "without SLD_CHARTID every point is outside the chart";
  EXPECT_FALSE(SLD8a[1].X_UseLog_8bol);
}

// The maker's eight charts fill every entry, a later one replaces an earlier
// one; other authors' charts do not count, nor does a chart of the last run.
TEST_F(ChartTableTest, RequiredCharts) {
  writeRequiredCharts("TVK");
  SldFileText second;
  second.row1 = "Fr_%,QC1_atm,Ic_tvk2";
  writeChart("SLD-Vurn-B.csv", second);
  Charts_load();
  RequiredCharts_check();
  for (std::size_t r = 0; r < 8; ++r) EXPECT_EQ(RequiredChartIndex[r], r == kChartIC ? 9 : static_cast<std::int16_t>(r + 1));
  fs::remove(dataArea() / "SLD input" / "SLD-Vurn-A8.csv");  // S1
  Charts_load();
  EXPECT_ERROR_REPORT(RequiredCharts_check(), "SLD200");
  EXPECT_EQ(RequiredChartIndex[kChartS1], 0);
  ChartTable_reset();
  EXPECT_EQ(SldChartCount + RequiredChartIndex[kChartCQC1] + SLD8a[1].LinesNUMof, 0);
  EXPECT_EQ(SLD8a[1].File_Row1ColZ_ID_full_8str, "-5435");

  writeRequiredCharts("ucd");
  fs::remove(dataArea() / "SLD input" / "SLD-Vurn-B.csv");
  Charts_load();
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(RequiredCharts_check(), "SLD200");
  for (const std::int16_t slot : RequiredChartIndex) EXPECT_EQ(slot, 0);
}

}  // namespace
