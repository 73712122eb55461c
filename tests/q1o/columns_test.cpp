// Output columns: the definition file in both layouts, the built-in list and
// the basic values of a depth.
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
    useProject("P1");
    gRun.outputColumnSource = "FILE";
  }
  static std::vector<std::string> ids() {
    std::vector<std::string> result;
    for (const ColumnDef& c : gColumns.columns) result.push_back(c.id);
    return result;
  }
  static std::string errorOf(void (*work)()) {
    gRun.errorReported = false;
    const ErrorHalt halt = HaltOf(work);
    return halt.identifier + " " + halt.description;
  }
};

// Across a line or down the lines; only a line's first cell counts after the
// first line; the file sits in the project or the projects folder, not both.
TEST_F(ColumnsTest, DefinitionFileInBothLayoutsAndItsErrors) {
  writeHostFile("Vurn/Projects/P1/Vurn_Q1o_Output_Columns---A.csv", "Depth_ft,Qc_atm,fs_atm,Fr_%\r\n");
  Columns_read();
  EXPECT_EQ(ids(), (std::vector<std::string>{"Depth_ft", "Qc_atm", "fs_atm", "Fr_%"}));
  fs::remove(dataArea() / "Projects/P1/Vurn_Q1o_Output_Columns---A.csv");  // (none at all, or two in one folder: the corpus)
  writeHostFile("Vurn/Projects/Vurn_Q1o_Output_Columns---B.csv", "Depth_ft, x\r\nQc_atm\r\nfs_atm,Fr_%,\r\n\r\nIc_tvk\r\n");
  Columns_read();
  EXPECT_EQ(ids(), (std::vector<std::string>{"Depth_ft", "Qc_atm", "fs_atm", "Fr_%", "Ic_tvk"}));
  writeHostFile("Vurn/Projects/P1/Vurn_Q1o_Output_Columns---A.csv", "Depth_ft\r\n");
  EXPECT_EQ(errorOf(Columns_read), "MEW553 Vurn_Q1o_Output_Columns---*.csvwas found in BOTH ProjectS AND Project areas");
  writeHostFile("Vurn/Projects/Vurn_Q1o_Output_Columns---D.csv", "Depth_ft\r\n");
  EXPECT_EQ(errorOf(Columns_read).substr(0, 6), "FP123 ");
}

TEST_F(ColumnsTest, BuiltInListAndSourceWords) {
  gRun.outputColumnSource = "INTERNAL";
  Columns_read();
  EXPECT_EQ(gColumns.count(), 13);
  Columns_prepare();  // every built-in identifier parses (a fault halts)
  gRun.outputColumnSource = "OTHER";
  Columns_read();
  EXPECT_EQ(gColumns.count(), 13);  // left unchanged
  for (const char* unset : {"-5435", "-5434"}) {
    gRun.outputColumnSource = unset;
    EXPECT_EQ(errorOf(Columns_read).substr(0, 6), "QC120 ");
  }
}

TEST_F(ColumnsTest, BasicValuesOfTheDepth) {
  DepthValues& d = gDepth;
  d.depth = 10.5f, d.qc = 100, d.qt = 101, d.qc1 = 90, d.fs = 1, d.fs1 = 0.9f, d.fr = 1.2f, d.c = 0.6f, d.u2 = 0.3f;
  d.inclX = 1, d.inclY = 2, d.ves = 0.7f, d.vts = 1.1f;
  const struct { const char* name; float value; } cases[] = {
      {"Depth", 10.5f}, {" qc ", 100}, {"QT", 101}, {"Qc1", 90}, {"QT1", 90}, {"fs", 1}, {"FS1", 0.9f}, {"Fr", 1.2f},
      {"cQc", 0.6f}, {"U2", 0.3f}, {"InclX", 1}, {"INCLY", 2}, {"VES", 0.7f}, {"vts", 1.1f}, {"Ic", -5435.0f},
  };
  for (const auto& c : cases) {
    float value = 0;
    bool found = false;
    BasicValue(c.name, value, found);
    EXPECT_TRUE(found == (c.value != -5435.0f) && value == c.value) << c.name << " gave " << value;
  }
  float value = 0;
  bool found = true;
  EXPECT_ERROR_REPORT(BasicValue("  ", value, found), "WA331");
}

}  // namespace
