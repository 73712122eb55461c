// Reading the window's texts into the run state (each option button's word, and the breakdown box, are read from
// real clicks in tests/gui/options_test.cpp).
#include "app/screen_read.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

class ScreenReadTest : public VurnTest {};

TEST_F(ScreenReadTest, TextsAreConvertedOrKeptAsWritten) {
  MainControl("EQ_Mb_8txt").text = " 6.25 ";
  MainControl("Depth_lowest_WhenLookingForLowestQc_feet8txt").text = "not a depth";
  MainControl("Nk_8txt").text = " 15 ";
  MainControl("EQ_CSR_file_8txt").text = "c:\\Vurn\\projects\\harbour\\CSR.csv";
  for (const int ticked : {0, 1}) {
    MainControl("SLD_data_Write_to_File_8ckb").value = ticked;
    VurnScreen_read_values();
    EXPECT_EQ(gRun.writeChartData, ticked == 1);
  }
  EXPECT_FLOAT_EQ(gRun.earthquakeMagnitude, 6.25f);
  EXPECT_EQ(gRun.lowestQcStartDepthFeet, -5435.0f);
  EXPECT_EQ(gRun.nk, " 15 ");
  EXPECT_EQ(gRun.earthquakeCsrFile, "c:\\Vurn\\projects\\harbour\\CSR.csv");
}

}  // namespace
