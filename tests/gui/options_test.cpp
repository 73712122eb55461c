// Options set on the real widgets and read into the run state, and the "check before compiling" lock.
#include <QCheckBox>
#include <QRadioButton>

#include "app/screen_read.h"
#include "core/run_state.h"
#include "core/screen_mode.h"
#include "gui/gui_test.h"

namespace {

class OptionsTest : public GuiTest {};

TEST_F(OptionsTest, EachClickedOptionIsReadIntoTheRunState) {
  const struct { std::vector<const char*> clicks; std::string RunState::*field; const char* word; } cases[] = {
      {{"Norm_Tavik_SF_8opb"}, &RunState::coneNormalizationMethod, "TAVIK_SF"},
      {{"Norm_PRob_8opb"}, &RunState::coneNormalizationMethod, "PROB"},
      {{"Option6"}, &RunState::coneNormalizationMethod, "-5435"},  // linear (c=1) has no word
      {{"Norm_PRob_8opb", "Norm_Tavik_8opb"}, &RunState::coneNormalizationMethod, "TAVIK"},
      {{"Ic_calculation_method_PRob_8opb"}, &RunState::soilTypeMethod, "Robertson"},
      {{"Option11"}, &RunState::soilTypeMethod, "-5435"},
      {{"Option11", "Ic_calculation_method_tavik_8opb"}, &RunState::soilTypeMethod, "Tavik"},
      {{"Columns_Q1o_Internal_8opb"}, &RunState::outputColumnSource, "INTERNAL"},
      {{"Columns_Q1o_Internal_8opb", "Columns_Q1o_File_8opb"}, &RunState::outputColumnSource, "FILE"},
      {{"SLD_data_location_Internal_8opb"}, &RunState::chartDataSource, "INTERNAL"},
      {{"SLD_data_location_Internal_8opb", "SLD_data_location_File_8opb"}, &RunState::chartDataSource, "FILE"},
      {{"CPT_input_FileType_AEG_8opb"}, &RunState::fieldDataFileType, "AEG"},
      {{"CPT_input_FileType_Simple_8opb"}, &RunState::fieldDataFileType, "SIMPLE"},
      {{"CPT_input_FileType_Simple_8opb", "CPT_input_FileType_HOG_8opb"}, &RunState::fieldDataFileType, "HOG"},
      {{"Show_BreakdownOf_LineInput_8chk"}, &RunState::lineBreakdownWanted, "False"},
      {{"Show_BreakdownOf_LineInput_8chk", "Show_BreakdownOf_LineInput_8chk"}, &RunState::lineBreakdownWanted, "True"},
  };
  for (const auto& c : cases) {
    WindowModel_reset();
    reopenWindows();
    for (const char* name : c.clicks) click(name);
    VurnScreen_read_values();
    EXPECT_EQ(gRun.*c.field, c.word) << c.clicks.back();
  }
}

TEST_F(OptionsTest, TypedTextsAndTheWriteChartDataBoxAreRead) {
  for (bool expected : {false, true}) {
    click("SLD_data_Write_to_File_8ckb");
    VurnScreen_read_values();
    EXPECT_EQ(gRun.writeChartData, expected);
  }
  type("Nk_8txt", "25");
  type("Depth_lowest_WhenLookingForLowestQc_feet8txt", "3.5");
  type("EQ_Mb_8txt", "6.8");
  type("EQ_CSR_file_8txt", "c:\\Vurn\\projects\\harbour\\CSR.csv");
  VurnScreen_read_values();
  EXPECT_EQ(gRun.nk, "25");
  EXPECT_FLOAT_EQ(gRun.lowestQcStartDepthFeet, 3.5f);
  EXPECT_FLOAT_EQ(gRun.earthquakeMagnitude, 6.8f);
  EXPECT_EQ(gRun.earthquakeCsrFile, "c:\\Vurn\\projects\\harbour\\CSR.csv");

  type("EQ_Mb_8txt", "big");  // not a number: the missing value
  VurnScreen_read_values();
  EXPECT_FLOAT_EQ(gRun.earthquakeMagnitude, -5435.0f);
}

TEST_F(OptionsTest, CheckBeforeCompilingLocksTheOptionsOnlyWhenTicked) {
  // Not ticked: the user's choices stay and stay open.
  click("SLD_data_location_Internal_8opb");
  click("CPT_input_FileType_AEG_8opb");
  Screen_mode("CHECK BEFORE COMPILING");
  Gui_sync();
  EXPECT_FALSE(mainWidget("Check_Before_Compling8chk")->isHidden());
  EXPECT_TRUE(mainWidget("SLD_data_location_File_8opb")->isEnabled());
  VurnScreen_read_values();
  EXPECT_EQ(gRun.fieldDataFileType, "AEG");

  click("Check_Before_Compling8chk");
  ASSERT_EQ(MainControl("Check_Before_Compling8chk").value, 1);
  Screen_mode("CHECK BEFORE COMPILING");
  Gui_sync();

  EXPECT_TRUE(mainWidget("Check_Before_Compling8chk")->isHidden());
  EXPECT_EQ(labelText("HighLevel8lbl"), "Vurn Compiling setup");
  const struct { const char* name; bool checked, enabled; } locked[] = {
      {"SLD_data_location_Internal_8opb", true, true},  {"SLD_data_location_File_8opb", false, false},
      {"SLD_data_Write_to_File_8ckb", false, false},    {"CPT_input_FileType_HOG_8opb", true, true},
      {"CPT_input_FileType_AEG_8opb", false, false},    {"CPT_input_FileType_Simple_8opb", false, false},
      {"Show_BreakdownOf_LineInput_8chk", false, false},
  };
  for (const auto& l : locked) {
    auto* button = mainWidget<QAbstractButton>(l.name);
    EXPECT_EQ(button->isChecked(), l.checked) << l.name;
    EXPECT_EQ(button->isEnabled(), l.enabled) << l.name;
  }

  // The locked choices cannot be clicked back.
  for (const char* name : {"SLD_data_location_File_8opb", "CPT_input_FileType_AEG_8opb", "SLD_data_Write_to_File_8ckb",
                           "Show_BreakdownOf_LineInput_8chk"}) {
    click(name);
  }
  VurnScreen_read_values();
  EXPECT_EQ(gRun.chartDataSource, "INTERNAL");
  EXPECT_EQ(gRun.fieldDataFileType, "HOG");
  EXPECT_FALSE(gRun.writeChartData);
  EXPECT_EQ(gRun.lineBreakdownWanted, "False");
}

}  // namespace
