// Reading the window options into the run state (each option button's word is read from real clicks in
// tests/gui/options_test.cpp).
#include "app/screen_read.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

class ScreenReadTest : public VurnTest {
 protected:
  static void clearGroup(std::initializer_list<const char*> names) {
    for (const char* n : names) MainControl(n).value = 0;
  }
};

TEST_F(ScreenReadTest, GroupsWithNothingSelectedKeepTheirStartValues) {
  clearGroup({"Norm_Tavik_8opb", "Norm_Tavik_SF_8opb", "Norm_PRob_8opb", "Option6"});
  clearGroup({"Columns_Q1o_File_8opb", "Columns_Q1o_Internal_8opb"});
  clearGroup({"SLD_data_location_File_8opb", "SLD_data_location_Internal_8opb"});
  clearGroup({"CPT_input_FileType_HOG_8opb", "CPT_input_FileType_AEG_8opb", "CPT_input_FileType_Simple_8opb"});
  clearGroup({"Ic_calculation_method_tavik_8opb", "Ic_calculation_method_PRob_8opb", "Option11"});
  gRun.coneNormalizationMethod = "TAVIK";  // left from an earlier run
  VurnScreen_read_values();
  EXPECT_EQ(gRun.coneNormalizationMethod, "-5435");
  EXPECT_EQ(gRun.outputColumnSource, "-5434");
  EXPECT_EQ(gRun.chartDataSource, "-5434");
  EXPECT_EQ(gRun.fieldDataFileType, "-5435");
  EXPECT_EQ(gRun.soilTypeMethod, "-5435");
}

TEST_F(ScreenReadTest, GreyedBreakdownBoxKeepsThePreviousValue) {
  for (const auto& [value, word] : {std::pair{0, "False"}, {2, "False"}, {1, "True"}, {2, "True"}}) {
    MainControl("Show_BreakdownOf_LineInput_8chk").value = value;
    VurnScreen_read_values();
    EXPECT_EQ(gRun.lineBreakdownWanted, word) << value;
  }
}

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
