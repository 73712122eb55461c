// The Q1o writer: cells and rows. (The whole head, each line with its value, the
// chart table padded to its widest cells, and the direction file are held by the
// example run's output checksum.)
#include "q1o/q1o_writer.h"

#include "core/depth_values.h"
#include "core/run_state.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class Q1oWriterTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    fs::create_directories(dataArea() / "Projects" / "P1" / "SOUNDINGS");
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "CPT-7");
  }
  void useColumns(const std::vector<std::string>& ids) {
    gColumns.columns.clear();
    for (const std::string& id : ids) {
      ColumnDef c;
      c.id = id;
      gColumns.columns.push_back(c);
    }
    Columns_prepare();
  }
  std::string written() {
    gRun.q1oFile.close();
    return readHostFile(dataArea() / "Projects" / "P1" / "SOUNDINGS" / "CPT-7_Q1o.txt");
  }
};

// Cells under their pictures (zero centred, missing as the marker, factors
// applied and cut, not rounded), separators, the note cell, CRLF at the row's end.
TEST_F(Q1oWriterTest, CellsRowsAndLineEnd) {
  useColumns({"Depth_ft", "Qc_atm", "Fr_%"});
  Q1o_open();
  const float values[] = {12.345f, -5435.0f, 0.0f};
  for (int j = 1; j <= 3; ++j) Q1o_writeCell(j, gColumns.columns[static_cast<size_t>(j - 1)], "VALUE", values[j - 1]);
  gColumns.columns[0].id = "   Depth_ft";
  for (int j = 1; j <= 3; ++j) Q1o_writeCell(j, gColumns.columns[static_cast<size_t>(j - 1)], "IDFULL-NOTE");
  EXPECT_ERROR_REPORT(Q1o_writeCell(1, gColumns.columns[0], "VALUES"), "VCB342");
  // Widths: Depth_ft 8 ("  ###.##"), " Qc_atm" 7 ("###.###"), " Fr_%" 5 ("#.###", zero in position 2).
  EXPECT_EQ(written(), "   12.34, -5435  ,  0   \r\nNote:pth_ft,  Qc_atm,  Fr_%\r\n");

  useColumns({"Qc_tvk_kpa", "Depth_m"});
  ColumnDef wide = gColumns.columns[0], narrow = gColumns.columns[0];
  wide.picture = std::string(11, '#');
  narrow.picture = "###";
  EXPECT_EQ(Q1o_valueText(wide, -5435.0f), "-5435" + std::string(6, ' '));
  EXPECT_EQ(Q1o_valueText(narrow, 5435.0f), "-5435");
  EXPECT_EQ(Q1o_valueText(gColumns.columns[0], 1.0f), "     101.3");  // 1 atm in kPa
  EXPECT_EQ(Q1o_valueText(gColumns.columns[1], 10.0f), "  3.048");
}

}  // namespace
