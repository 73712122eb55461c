// The Q1o writer: cells and rows, the head table, the whole head.
#include "q1o/q1o_writer.h"

#include "core/depth_values.h"
#include "core/run_state.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
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

TEST_F(Q1oWriterTest, HeadTablePadsEachPositionToItsWidestCell) {
  Q1o_open();
  HeadTable_collect({"A", "Description"}, {"1", "ten chars!"}, 2);
  HeadTable_collect({"A", "Description"}, {"22", "twenty-five characters..."}, 2);
  HeadTable_collect({"A", "Description"}, {"  ", ""}, 2);
  HeadTable_print(2, gRun.q1oFile);
  EXPECT_TRUE(gHeadTable.rows.empty());
  const std::string w1 = "A=^blank^   ";  // widest first cell (9) + 3
  EXPECT_EQ(written(), "A=1" + std::string(9, ' ') + "Description=ten chars!" + std::string(18, ' ') + "\r\n" +
                           "A=22" + std::string(8, ' ') + "Description=twenty-five characters..." + "   \r\n" + w1 +
                           "Description=^blank^" + std::string(21, ' ') + "\r\n");
}

// Every line that carries a value, in order (the fixed texts are in the example
// run's checksum); the depth sums start afresh; the direction file opens.
TEST_F(Q1oWriterTest, HeadHasEveryLineInOrderAndOpensTheDirectionFile) {
  HostClock_setFixed(2026, 12, 6, 3600.0);
  gRun.versionText = "8.0.6", gRun.releaseDate = "2016 Oct 12", gRun.computerName = "RIG-3";
  gRun.zeroLoadFileName = "ZL.txt", gRun.earthquakeMagnitude = 7.5f;
  gDepth.vesSumPsf = 99.0f, gDepth.previousDepth = 12.0f;
  useColumns({"Depth_ft", "Qc_atm"});
  Q1o_open();
  Q1o_writeHead({HeadChartRow{"Ic_tvk", "ALL", "2026-12-06", "tvk", "Vurn", "Soil type index"}});
  const std::string head = written();
  const std::vector<std::string> expectedInOrder = {
      "Depth_ft,  Qc_atm\r\n",
      "\r\n\r\nROW5_VurnV8.0.6\r\n\r\nProject= .....\r\n",
      "File generatation time stamp = 2026-12-06  01:00:00\r\n",
      "Data processing Computer = RIG-3\r\n",
      "Vurn Software Version = 8.0.6, Release date 2016 Oct 12\r\n",
      "Zero load data File = ZL.txt\r\n",
      "Field CPT data file path location = CPT-7\r\n",
      "Computer name = RIG-3\r\n\r\n",
      "Project Earthquake Magnitude (M_m) =  7.5\r\n\r\n",
      "SLD_file=1   ID_full=Ic_tvk   Units=ALL   Version_date=2026-12-06   Method=tvk   Author_short=Vurn   =^blank^   "
      "Description=Soil type index   \r\n\r\n",
      "Column=1   R1_ID_full=Depth_ft   R1Cz_Units=ft    method=^blank^   RN_format=>  ###.##<   ",
      "ID_only=Depth   Converter_to_noneStandard=1   \r\n",
      "\r\n\r\nNote:_ft,  Qc_atm\r\nEOH\r\n",
  };
  size_t at = 0;
  for (const std::string& piece : expectedInOrder) {
    const size_t found = head.find(piece, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << piece;
    at = found + piece.size();
  }
  EXPECT_EQ(at, head.size());
  EXPECT_TRUE(gDepth.vesSumPsf == 0.0f && gDepth.previousDepth == 0.0f) << "the sums start afresh";
  gRun.chartDirectionFile.close();
  EXPECT_EQ(readHostFile(Host_resolve("C:\\Vurn\\Tavik extras\\CPT-7-----SLD direction info---------.csv")),
            "\"FR,      qc1,          ,v_xyc,      v_yxc,   delta%, other\"\r\n");
}

}  // namespace
