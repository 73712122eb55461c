// The plotting writer and the chart source writer: their exact lines, the
// key line layout, and what happens when a file cannot be created.
#include <filesystem>
#include <string>

#include "core/run_state.h"
#include "platform/text_file.h"
#include "sld/chart_table.h"
#include "sld/chart_writers.h"
#include "sld/sld_file_text.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class ChartWritersTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    useProject("P1");
    gRun.chartDataSource = "FILE";
  }

  // One chart in slot 1, read from a file made of `file`.
  void loadChart(const SldFileText& file) {
    writeHostFile("Vurn/SLD input/SLD-Vurn-A.csv", file.text());
    Charts_load();
  }

  std::string plottingFile() const { return readHostFile(dataArea() / "Projects" / "P1" / "SLD output" / "SLD-Vurn-A.csv"); }
  std::string sourceFile() const { return readHostFile(driveC() / "Vurn-VB6" / "SLD___Ic_tvk.bas"); }
};

// The plotting file: quoted row 1, the key lines (the system's own repeated
// UseXLog and LookupMethod lines), the comments, the points under pictures, CRLF.
TEST_F(ChartWritersTest, PlottingFileLines) {
  const struct { std::vector<std::string> header, data; std::string expected; } cases[] = {
      {{"SLD_CHARTID = CPTCHART", "SLD_VERSION_AUTHOR_ONE_NAME = Tester", "SLD_VERSION_NUMBER = 3",
        "PREDICTION_DESCRIPTION = Soil index"},
       {"1.5,250,0.25", "2,300", "", "1,20,1.5"},
       "\"Fr_%\",\"QC1_atm\",\"Ic_tvk\"\r\nRow2-SLDv5\r\n SLD = Ic_tvk\r\n UseXLog = True\r\n UseXLog = True\r\n"
       " Description = Soil index\r\n ChartID = CPTCHART\r\n version = 3\r\n\r\nEOH\r\n"
       "   1.500,    250.000,      0.250\r\n   2.000,    300.000\r\n\r\n   1.000,     20.000,      1.500\r\n"},
      {{"SLD_LOOKUP_METHOD = XYC", "SLD_VERSION_AUTHOR_ONE_NAME = Tester", "COMMENT = first", "NOTE = "},
       {"1.5,250,0.25"},
       "\"Fr_%\",\"QC1_atm\",\"Ic_tvk\"\r\nRow2-SLDv5\r\n SLD = Ic_tvk\r\n UseXLog = False\r\n UseXLog = False\r\n"
       " Description = -5435\r\n LookupMethod = XYC\r\n LookupMethod = XYC\r\n version = -5435\r\n\r\n"
       " comment = first\r\n comment = \r\nEOH\r\n   1.500,    250.000,      0.250\r\n"},
  };
  for (const auto& c : cases) {
    SldFileText file;
    file.header = c.header;
    file.data = c.data;
    loadChart(file);
    ChartFiles_write_for_plotting();
    EXPECT_EQ(plottingFile(), c.expected);
  }
}

// A key line of the source file: names end in column 53.
std::string sourceKey(const std::string& name, const std::string& value) {
  return std::string(53 - name.size(), ' ') + name + " = " + value + "\r\n";
}

// The source file, only when asked for: the record field by field, flags that
// are false left out; a second run keeps one pair of quotes.
TEST_F(ChartWritersTest, SourceFileFillsTheRecordFieldByField) {
  SldFileText file;
  file.header.push_back("PREDICTION_DESCRIPTION = Soil index");
  file.data = {"1.5,250,0.25", "12.25,3000.5"};
  loadChart(file);
  ChartSource_write();
  EXPECT_FALSE(fs::exists(driveC() / "Vurn-VB6"));
  gRun.writeChartData = true;
  ChartSource_write();
  const std::string written = sourceFile();
  EXPECT_EQ(written.rfind(" \r\nSub SLD___Ic_tvk()\r\n \r\n", 0), 0u);
  for (const std::string& line : {sourceKey("SLD8a(1).X_UseLog_8bol", "True"), sourceKey("SLD8a(1).LinesNUMof", "1"),
                                  std::string("SLD8a(1).Line8a(1).LineValue_8sng = .25\r\n"),
                                  std::string("SLD8a(1).Line8a(1).pt8a(2).x_8sng =           12.25000\r\n"),
                                  std::string("SLD8a(1).Line8a(1).pt8a(2).y_8sng =  3000.500\r\n \r\nEnd sub \r\n")}) {
    EXPECT_NE(written.find(line), std::string::npos) << line;
  }
  ChartSource_write();
  EXPECT_NE(sourceFile().find("Prediction_Description_8str = \"Soil index\"\r\n"), std::string::npos);
  ChartFiles_write_for_plotting();
  EXPECT_NE(plottingFile().find(" Description = \"Soil index\"\r\n"), std::string::npos);

  file.header = {"SLD_VERSION_AUTHOR_ONE_NAME = Tester"};
  file.data = SldFileText{}.data;
  loadChart(file);
  ChartSource_write();
  const std::string text = sourceFile();
  EXPECT_EQ(text.find("UseLog"), std::string::npos);
  EXPECT_NE(text.find(sourceKey("SLD8a(1).Prediction_Description_8str", "\"-5435\"")), std::string::npos);
  EXPECT_NE(text.find(sourceKey("SLD8a(1).LinesNUMof", "2")), std::string::npos);
}

// A locked file or a full disk is reported, never taken as written; an
// identifier never leads out of the source folder.
TEST_F(ChartWritersTest, AFileThatCannotBeCreatedOrFilledIsReported) {
  loadChart(SldFileText{});
  gRun.writeChartData = true;
  for (const bool full : {false, true}) {  // locked, then a full disk
    SCOPED_TRACE(full);
    TextWriter_failOpensOf(full ? "" : "SLD output");
    TextWriter_failWritesOf(full ? "SLD output" : "", 50);
    gRun.errorReported = false;
    EXPECT_ERROR_REPORT(ChartFiles_write_for_plotting(), "CHW112");
    TextWriter_failOpensOf(full ? "" : "Vurn-VB6");
    TextWriter_failWritesOf(full ? "Vurn-VB6" : "", 50);
    gRun.errorReported = false;
    EXPECT_ERROR_REPORT(ChartSource_write(), "CHW231");
  }
  TextWriter_failWritesOf("", 0);
  SldFileText file;
  file.header.push_back("SLD_C_ID_FULL = ..\\..\\Vurn\\escaped");
  loadChart(file);
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(ChartSource_write(), "PN901");
}

TEST_F(ChartWritersTest, ChartsSharingAnIdentifierWriteSourceFilesNamedByAuthorship) {
  gRun.writeChartData = true;
  const fs::path folder = driveC() / "Vurn-VB6";
  struct Case { const char* authorA; const char* authorB; const char* fileA; const char* fileB; };
  for (const Case& c : {Case{"Tester", "O'Brien Lab", "SLD___Ic_tvk___Tester", "SLD___Ic_tvk___O_Brien_Lab"},
                        Case{"A.B", "A_B", nullptr, nullptr}}) {  // the same name even so: refused
    fs::remove_all(folder);
    SldFileText a;
    a.header.back() = std::string("SLD_VERSION_AUTHOR_ONE_NAME = ") + c.authorA;
    SldFileText b = a;
    b.header.back() = std::string("SLD_VERSION_AUTHOR_ONE_NAME = ") + c.authorB;
    b.data.front() = "1.2,30,0.25";
    writeHostFile("Vurn/SLD input/SLD-Vurn-B.csv", b.text());
    loadChart(a);
    ASSERT_EQ(SldChartCount, 2);
    if (c.fileA == nullptr) {
      gRun.errorReported = false;
      EXPECT_ERROR_REPORT(ChartSource_write(), "CHW232");
      EXPECT_TRUE(fs::is_empty(folder));  // nothing written before the refusal
      continue;
    }
    ChartSource_write();
    EXPECT_FALSE(fs::exists(folder / "SLD___Ic_tvk.bas"));
    for (const auto& [stem, author] : {std::pair{c.fileA, c.authorA}, std::pair{c.fileB, c.authorB}}) {
      const std::string text = readHostFile(folder / (std::string(stem) + ".bas"));
      EXPECT_EQ(text.rfind(" \r\nSub " + std::string(stem) + "()\r\n", 0), 0u) << stem;
      EXPECT_NE(text.find(".Version_Author_OneName_8str = \"" + std::string(author) + "\""), std::string::npos);
    }
  }
}

}  // namespace
