// Numbers as field data and users really write them: a count, clean zero or
// reference of 5435 or -5435 is a number in every reader (the crafted sounding
// CRAFT-SURFACE-5435 of tests/golden/data, a unit weight file, a chart file),
// and that sounding, which starts at the surface, runs through to its table.
// Expected values are worked here from the reader's formula and the file's
// counts: atm = unit factor x (count - clean zero) x 0.01044 x full scale / reference.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "app/run.h"
#include "q1o/q1o_reader.h"
#include "app/startup.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "fielddata/hog_reader.h"
#include "project/sounding_db.h"
#include "sld/chart_table.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr double kAtmPerTsf = 0.95, kAtmPerPsi = 0.068046, kCountScale = 0.01044;
const char* const kCrafted = "CRAFT-SURFACE-5435";

class RealDataTest : public VurnTest {
 protected:
  // Puts the crafted sounding into the soundings folder of `project`.
  void writeCrafted(const std::string& project) const {
    writeHostFile("Vurn/Projects/" + project + "/Soundings/" + kCrafted + ".CPT",
                  readHostFile(fs::path(VURN_SOURCE_DIR) / "tests" / "golden" / "data" / (std::string(kCrafted) + ".CPT")));
  }
};

TEST_F(RealDataTest, ACellOf5435IsANumberInEveryReader) {
  openLog();
  gRun.projectName = "P1";
  writeCrafted("P1");
  writeHostFile("Vurn/Projects/P1/UWT-A.csv", "a\r\nb\r\nc\r\nEOH\r\n0,110\r\n5435,120\r\n");
  writeHostFile("Vurn/SLD input/SLD-Vurn-X.csv",
                "Fr_%,QC1_atm,Ic_tvk\r\nRow2_Vurn_SLDv5\r\nSLD_CHARTID = CPTCHART\r\nSLD_LOOKUP_METHOD = XYC\r\n"
                "SLD_VERSION_AUTHOR_ONE_NAME = Tester\r\nEOH\r\n1.2,30,0.15\r\n2.0,5435\r\n");
  ResetSoundingRecord();
  AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", kCrafted);
  AccessSoundingField("ASSIGN_DB", "UWT_METHOD", "FILE");
  AccessSoundingField("ASSIGN_DB", "UWT_FILE_NAME", "UWT-A.csv");
  ReadHogSounding();
  gDepth.depth = 5.0f;
  UnitWeight_compute();
  gRun.chartDataSource = "FILE";
  Charts_load();

  struct Case { const char* what; std::function<float()> read; double expected; };
  const Case cases[] = {
      {"tip count 5435", [] { return gFieldData.qc[2]; }, kAtmPerTsf * 5435 * kCountScale},
      {"sleeve count 5435", [] { return gFieldData.fs[4]; }, kAtmPerTsf * 5435 * kCountScale * 5435 / 5435},
      {"pore pressure count -5435", [] { return gFieldData.u2[3]; }, kAtmPerPsi * (-5435 - 5435) * kCountScale},
      {"pore pressure at its clean zero 5435", [] { return gFieldData.u2[1]; }, 0.0},
      {"clean zero 5435 on line 19", [] { return gHogHeader.u2.cleanZero; }, 5435.0},
      {"reference 5435 on line 18", [] { return gHogHeader.friction.factor; }, 1.0},
      {"unit weight file depth 5435", [] { return gDepth.fileUnitWeight; }, 110.0 + 10.0 * 5 / 5435},
      {"chart point at QC1 5435", [] { return SLD8a[1].Line8a[1].pt8a[2].y_8sng; }, 5435.0},
  };
  EXPECT_EQ(gFieldData.rowCount, 4);
  for (const Case& c : cases) EXPECT_NEAR(c.read(), c.expected, 1e-6 * std::max(1.0, std::fabs(c.expected))) << c.what;
}

TEST_F(RealDataTest, ASoundingStartingAtTheSurfaceRunsThroughWithOneIssueLine) {
  installDataArea();
  writeCrafted("ExampleONE");
  writeHostFile("Vurn/Projects/ExampleONE/Vurn_SoundingS---ExampleONE.csv",
                "{SOUNDING_NAME},{WATERTABLE_DEPTH_FEET},{UWT_METHOD},{UWT_ABOVE_WT_PCF},{UWT_BELOW_WT_PCF}\r\n" +
                    std::string(kCrafted) + ",3.3,WT,115,122\r\n");
  General_setup();
  Main_run();
  EXPECT_EQ(gRun.soundingsProcessed, 1);
  EXPECT_EQ(CountContaining(logLines(), std::string(kCrafted) + ": effective stress not positive at depth(s) 0 ft: "
                                                               "no normalised values and no predictions there"),
            1);
  // The table: the surface row has its readings but no Qc1 and c; the row of tip count 5435 is normalised.
  Q1oTable table;
  std::string message;
  ASSERT_TRUE(Q1oFile_read("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\" + std::string(kCrafted) + "_Q1o.txt", table, message))
      << message;
  ASSERT_EQ(table.rows, 4u);
  const auto at = [&table](const char* property, std::size_t row) {
    return table.columns[static_cast<std::size_t>(Q1oTable_find(table, property))].values[row];
  };
  EXPECT_EQ(at("Depth", 0), 0.0f);
  EXPECT_EQ(at("Qc", 0), 29.754f);  // 0.95 x 0.01044 x 3000 atm, cut to three decimals
  EXPECT_EQ(at("u2", 0), 0.0f);     // at its clean zero 5435
  EXPECT_EQ(at("Qc", 1), 53.904f);  // 0.95 x 0.01044 x 5435 atm
  for (const char* normalised : {"Qc1", "cQc"}) EXPECT_EQ(std::isnan(at(normalised, 0)), true) << normalised;
  for (const char* normalised : {"Qc1", "cQc"}) EXPECT_EQ(std::isnan(at(normalised, 1)), false) << normalised;
}

}  // namespace
