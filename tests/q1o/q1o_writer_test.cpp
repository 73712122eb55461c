// The Q1o writer: a value's text. (The whole head, each line with its value, the
// chart table padded to its widest cells, the rows and the direction file are
// held by the example run's output checksum.)
#include "q1o/q1o_writer.h"

#include "core/run_state.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class Q1oWriterTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    useProject("P1");
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
};

// A value under its picture: missing as the marker cut to the picture, a unit
// factor applied. (Cells, separators, the note row and CRLF at a row's end are
// in the example run's output checksum.)
TEST_F(Q1oWriterTest, CellsRowsAndLineEnd) {
  useColumns({"Depth_ft"});
  Q1o_open();
  EXPECT_ERROR_REPORT(Q1o_writeCell(1, gColumns.columns[0], "VALUES"), "VCB342");
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
