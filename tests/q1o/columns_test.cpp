// Output columns: the definition file in both layouts, the built-in list,
// preparation and padding, basic values.
#include "q1o/columns.h"

#include "core/depth_values.h"
#include "core/run_state.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class ColumnsTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    gRun.outputColumnSource = "FILE";
    fs::create_directories(dataArea() / "Projects" / "P1");
  }
  static std::vector<std::string> ids() {
    std::vector<std::string> result;
    for (const ColumnDef& c : gColumns.columns) result.push_back(c.id);
    return result;
  }
  static std::string errorOf(void (*work)()) {
    try {
      work();
    } catch (const ErrorHalt& halt) {
      return halt.identifier + " " + halt.description;
    }
    return "no error";
  }
};

TEST_F(ColumnsTest, LayoutAcrossAndDown) {
  writeHostFile("Vurn/Projects/P1/Vurn_Q1o_Output_Columns---A.csv", "Depth_ft,Qc_atm,fs_atm,Fr_%\r\n");
  Columns_read();
  EXPECT_EQ(ids(), (std::vector<std::string>{"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"}));

  fs::remove(dataArea() / "Projects/P1/Vurn_Q1o_Output_Columns---A.csv");
  writeHostFile("Vurn/Projects/Vurn_Q1o_Output_Columns---B.csv", "Depth_ft, x\r\nQc_atm\r\nfs_atm,Fr_%,\r\n\r\nIc_tvk\r\n");
  Columns_read();
  EXPECT_EQ(ids(), (std::vector<std::string>{"Depth_ft", "Qc_atm", "fs_atm", "Fr_%", "Ic_tvk"}));
}

TEST_F(ColumnsTest, FileErrors) {
  EXPECT_EQ(errorOf(Columns_read),
            "MEW553 Vurn_Q1o_Output_Columns---*.csvwas NOT found in ProjectS AND Project areas");
  writeHostFile("Vurn/Projects/P1/Vurn_Q1o_Output_Columns---A.csv", "Depth_ft\r\n");
  writeHostFile("Vurn/Projects/Vurn_Q1o_Output_Columns---B.csv", "Depth_ft\r\n");
  gRun.errorReported = false;
  EXPECT_EQ(errorOf(Columns_read),
            "MEW553 Vurn_Q1o_Output_Columns---*.csvwas found in BOTH ProjectS AND Project areas");
  writeHostFile("Vurn/Projects/P1/Vurn_Q1o_Output_Columns---C.csv", "Depth_ft\r\n");
  gRun.errorReported = false;
  EXPECT_EQ(errorOf(Columns_read).substr(0, 6), "FP873 ");
  writeHostFile("Vurn/Projects/Vurn_Q1o_Output_Columns---D.csv", "Depth_ft\r\n");
  gRun.errorReported = false;
  EXPECT_EQ(errorOf(Columns_read).substr(0, 6), "FP123 ");
}

TEST_F(ColumnsTest, SourceWordsAndTheBuiltInList) {
  gRun.outputColumnSource = "INTERNAL";
  Columns_read();
  EXPECT_EQ(gColumns.count(), 13);
  Columns_prepare();  // every built-in identifier parses
  EXPECT_EQ(gColumns.columns[5].property, "UWT1");
  gRun.outputColumnSource = "OTHER";
  Columns_read();
  EXPECT_EQ(gColumns.count(), 13);  // left unchanged
  for (const char* unset : {"-5435", "-5434"}) {
    gRun.outputColumnSource = unset;
    gRun.errorReported = false;
    EXPECT_EQ(errorOf(Columns_read).substr(0, 6), "QC120 ");
  }
}

TEST_F(ColumnsTest, PreparePadsTheFourTextsToTheLongest) {
  gColumns.columns.resize(3);
  gColumns.columns[0].id = "Depth_ft";
  gColumns.columns[1].id = "Qc_tvk_mpa";
  gColumns.columns[2].id = "Vs1_tvk_mps";
  gColumns.columns[2].methodText = "a much longer note";
  Columns_prepare();
  const ColumnDef& depth = gColumns.columns[0];
  EXPECT_EQ(depth.id, "Depth_ft");
  EXPECT_EQ(depth.picture, "  ###.##");
  EXPECT_EQ(depth.methodText, "        ");
  EXPECT_EQ(depth.property, "Depth");
  EXPECT_EQ(gColumns.columns[1].picture, "   ##.####");
  EXPECT_FLOAT_EQ(gColumns.columns[1].factor, 0.101325f);
  const ColumnDef& vs = gColumns.columns[2];
  EXPECT_EQ(vs.id, std::string(7, ' ') + "Vs1_tvk_mps");
  EXPECT_EQ(vs.picture.size(), 18u);
  EXPECT_EQ(vs.versionText, std::string(18, ' '));
}

TEST_F(ColumnsTest, BasicValuesOfTheDepth) {
  gDepth.depth = 10.5f;
  gDepth.qc = 100;
  gDepth.qt = 101;
  gDepth.qc1 = 90;
  gDepth.fs = 1;
  gDepth.fs1 = 0.9f;
  gDepth.fr = 1.2f;
  gDepth.c = 0.6f;
  gDepth.u2 = 0.3f;
  gDepth.inclX = 1;
  gDepth.inclY = 2;
  gDepth.ves = 0.7f;
  gDepth.vts = 1.1f;
  const struct {
    const char* name;
    float value;
  } cases[] = {{"Depth", 10.5f}, {" qc ", 100}, {"QT", 101}, {"Qc1", 90}, {"QT1", 90}, {"fs", 1},
               {"FS1", 0.9f},    {"Fr", 1.2f},  {"cQc", 0.6f}, {"U2", 0.3f}, {"InclX", 1}, {"INCLY", 2},
               {"VES", 0.7f},    {"vts", 1.1f}};
  for (const auto& c : cases) {
    float value = 0;
    bool found = false;
    BasicValue(c.name, value, found);
    EXPECT_TRUE(found) << c.name;
    EXPECT_EQ(value, c.value) << c.name;
  }
  float value = 0;
  bool found = true;
  BasicValue("Ic", value, found);
  EXPECT_FALSE(found);
  EXPECT_EQ(value, -5435.0f);
  EXPECT_ERROR_REPORT(BasicValue("  ", value, found), "WA331");
}

}  // namespace
