// Loading the chart table from SLD files: what a file must hold, every error a
// file can trigger, the table's limits, and finding the required charts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

  void writeChart(const std::string& name, const std::string& text) const {
    writeHostFile("Vurn/SLD input/" + name, text);
  }
  void writeChart(const std::string& name, const SldFileText& file) const { writeChart(name, file.text()); }

  // A file whose only change from the default is `edit`.
  static SldFileText edited(void (*edit)(SldFileText&)) {
    SldFileText file;
    edit(file);
    return file;
  }

  // The halt of loading the charts.
  static ErrorHalt loadHalt() {
    gRun.errorReported = false;
    try {
      Charts_load();
    } catch (const ErrorHalt& halt) {
      return halt;
    }
    return ErrorHalt("none", "nothing was reported");
  }
};

std::vector<std::string> numbered(const std::string& prefix, int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back(prefix + std::to_string(i));
  return lines;
}

// (Every fault of a file's content is in the bad-input corpus.)
TEST_F(ChartTableTest, AnUnknownSourceIsAFatalStop) {
  gRun.chartDataSource = "-5434";
  EXPECT_FATAL_STOP(Charts_load());
}

TEST_F(ChartTableTest, ThirtyFilesLoadAndAThirtyFirstIsRefused) {
  for (int i = 1; i <= 30; ++i) {
    SldFileText file;
    file.header[2] = "SLD_VERSION_AUTHOR_ONE_NAME = A" + std::to_string(100 + i);
    writeChart("SLD-Vurn-" + std::to_string(100 + i) + ".csv", file);
  }
  Charts_load();
  EXPECT_EQ(SldChartCount, 30);
  EXPECT_EQ(SLD8a[30].FileName_8str, "SLD-Vurn-130.csv");

  writeChart("SLD-Vurn-131.csv", SldFileText{});
  const ErrorHalt halt = loadHalt();
  EXPECT_EQ(halt.identifier, "CHL030");
  EXPECT_NE(halt.description.find("SLD-Vurn-131.csv"), std::string::npos) << halt.description;
  EXPECT_NE(halt.description.find("30"), std::string::npos) << halt.description;
}

TEST_F(ChartTableTest, AFileIsReadIntoItsSlot) {
  SldFileText file;
  file.row1 = "RF_%,QC1_atm,UWT1_tvk2009_pcf";
  file.row2 = "row2_vurn_sldv5 ";
  file.header = {"SLD_CHARTID = cptchart",
                 "REM SLD_LOOKUP_METHOD = YXC",
                 "'SLD_LOOKUP_METHOD = YXC",
                 "`SLD_LOOKUP_METHOD = YXC",
                 "NOTE = some words",
                 "COMMENT = \"quoted, with a comma\"",
                 "SLD_VERSION_AUTHOR_ONE_NAME = Tester",
                 "PREDICTION_DESCRIPTION = Unit weight",
                 "SLD_C_UNITS = W1"};
  writeChart("SLD-Vurn-A.csv", file);
  Charts_load();
  ASSERT_EQ(SldChartCount, 1);
  const SldChart& chart = SLD8a[1];
  EXPECT_EQ(chart.FileName_8str, "SLD-Vurn-A.csv");
  EXPECT_EQ(chart.File_Row1ColX_ID_full_8str, "RF_%");
  EXPECT_EQ(chart.File_Row1ColZ_ID_full_8str, "UWT1_tvk2009_pcf");
  EXPECT_EQ(chart.Property_ID_8str, "UWT1");
  EXPECT_EQ(chart.Property_Method_8str, "tvk2009");
  EXPECT_EQ(chart.Property_Units_8str, "W1") << "a header key overrides row 1";
  EXPECT_TRUE(chart.TavikChart_8bol);
  EXPECT_EQ(chart.ChartID8str, "cptchart");
  EXPECT_EQ(chart.LookupMethod_8str, "") << "comment lines are ignored";
  EXPECT_TRUE(chart.X_UseLog_8bol && chart.Y_UseLog_8bol);
  EXPECT_EQ(chart.X_Min_8sng, 0.1f);
  EXPECT_EQ(chart.X_Max_8sng, 10.0f);
  EXPECT_EQ(chart.Y_Min_8sng, 1.0f);
  EXPECT_EQ(chart.Y_Max_8sng, 1000.0f);
  EXPECT_EQ(chart.C_Min_8sng, 64.0f);
  EXPECT_EQ(chart.C_Max_8sng, 160.0f);
  ASSERT_EQ(chart.CommentsNUMof, 2);
  EXPECT_EQ(chart.Comment8a[1], "some words");
  EXPECT_EQ(chart.Comment8a[2], "quoted, with a comma");
  EXPECT_EQ(chart.Comment8a[3], "-5435");

  ASSERT_EQ(chart.LinesNUMof, 2);
  EXPECT_EQ(chart.Line8a[1].ptsNUMof, 2);
  EXPECT_EQ(chart.Line8a[1].LineValue_8sng, 0.15f);
  EXPECT_EQ(chart.Line8a[1].pt8a[1].x_8sng, 1.2f);
  EXPECT_EQ(chart.Line8a[1].pt8a[2].y_8sng, 40.0f);
  EXPECT_EQ(chart.Line8a[2].ptsNUMof, 2);
  EXPECT_EQ(chart.Line8a[2].LineValue_8sng, 0.2f);
  EXPECT_EQ(chart.Line8a[2].pt8a[1].x_8sng, 1.0f);
  EXPECT_EQ(chart.Line8a[2].pt8a[2].y_8sng, 80.0f);
}

TEST_F(ChartTableTest, HeaderEndsOnLine110OrAtAnEndKeyAndASlotForgetsItsChart) {
  SldFileText file;
  const auto filler = numbered("INFO ", 106);
  file.header.insert(file.header.end(), filler.begin(), filler.end());
  ASSERT_EQ(file.header.size(), 109u);
  file.end = "SLD_VERSION_NUMBER = 7, EOH";  // header line 110
  writeChart("SLD-Vurn-A.csv", file);
  Charts_load();
  EXPECT_EQ(SLD8a[1].Version_Number_8str, "-5435") << "the end line itself is not applied";
  EXPECT_EQ(SLD8a[1].LinesNUMof, 2);

  SldFileText byKey;
  byKey.end = "end = here";
  writeChart("SLD-Vurn-A.csv", byKey);
  Charts_load();
  EXPECT_EQ(SLD8a[1].LinesNUMof, 2);
  ASSERT_EQ(SLD8a[1].LookupMethod_8str, "XYC");

  // A slot forgets the chart it held before.
  SldFileText plain;
  plain.header = {"SLD_VERSION_AUTHOR_ONE_NAME = Tester"};
  writeChart("SLD-Vurn-A.csv", plain);
  Charts_load();
  EXPECT_EQ(SLD8a[1].LookupMethod_8str, "");
  EXPECT_EQ(SLD8a[1].ChartID8str, "");
  EXPECT_EQ(SLD8a[1].X_Min_8sng, -5435.0f) << "without SLD_CHARTID every point is outside the chart";
  EXPECT_FALSE(SLD8a[1].X_UseLog_8bol);
}

class RequiredChartsTest : public ChartTableTest {
 protected:
  // The eight required charts with the method part `method`, in slots 1..8.
  void writeRequiredCharts(const std::string& method) const {
    const char* properties[] = {"cQc1", "Ic", "UWT1", "CRRe", "p200s1", "Vs1", "N1", "S1"};
    int i = 0;
    for (const char* property : properties) {
      SldFileText file;
      file.row1 = std::string("Fr_%,QC1_atm,") + property + "_" + method;
      writeChart("SLD-Vurn-A" + std::to_string(++i) + ".csv", file);
    }
  }
};

TEST_F(RequiredChartsTest, TheMakersChartsFillEveryEntryAndTableResetForgetsEverything) {
  writeRequiredCharts("TVK");
  Charts_load();
  RequiredCharts_check();
  for (std::size_t r = 0; r < 8; ++r) EXPECT_EQ(RequiredChartIndex[r], static_cast<std::int16_t>(r + 1));
  ChartTable_reset();
  EXPECT_EQ(SldChartCount, 0);
  EXPECT_EQ(RequiredChartIndex[kChartCQC1], 0);
  EXPECT_EQ(SLD8a[1].LinesNUMof, 0);
  EXPECT_EQ(SLD8a[1].File_Row1ColZ_ID_full_8str, "-5435");
}

TEST_F(RequiredChartsTest, ChartsOfOtherAuthorsDoNotCount) {
  writeRequiredCharts("ucd");
  Charts_load();
  EXPECT_ERROR_REPORT(RequiredCharts_check(), "SLD200");
  for (const std::int16_t slot : RequiredChartIndex) EXPECT_EQ(slot, 0);
}

TEST_F(RequiredChartsTest, ALaterChartReplacesAnEarlierOne) {
  writeRequiredCharts("tvk");
  SldFileText second;
  second.row1 = "Fr_%,QC1_atm,Ic_tvk2";
  writeChart("SLD-Vurn-B.csv", second);
  Charts_load();
  RequiredCharts_check();
  EXPECT_EQ(RequiredChartIndex[kChartIC], 9);
}

TEST_F(RequiredChartsTest, AChartMissingFromThisRunIsNotTakenFromTheLast) {
  writeRequiredCharts("tvk");
  Charts_load();
  RequiredCharts_check();
  fs::remove(dataArea() / "SLD input" / "SLD-Vurn-A8.csv");  // S1
  Charts_load();
  EXPECT_ERROR_REPORT(RequiredCharts_check(), "SLD200");
  EXPECT_EQ(RequiredChartIndex[kChartS1], 0);
}

}  // namespace
