// Options set on the real widgets and read into the run state, and the "check before compiling" lock.
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
      {{"Columns_Q1o_Internal_8opb"}, &RunState::outputColumnSource, "INTERNAL"},
      {{"SLD_data_location_Internal_8opb"}, &RunState::chartDataSource, "INTERNAL"},
      {{"CPT_input_FileType_AEG_8opb"}, &RunState::fieldDataFileType, "AEG"},
      {{"CPT_input_FileType_Simple_8opb"}, &RunState::fieldDataFileType, "SIMPLE"},
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

// Ticked, the locked choices show disabled, take the values the lock fixes, and a click cannot change them back;
// unticked, a choice stays open. (The lock at start-up is in the start-up tests.)
TEST_F(OptionsTest, CheckBeforeCompilingLocksTheOptionsOnlyWhenTicked) {
  click("CPT_input_FileType_AEG_8opb");
  Screen_mode("CHECK BEFORE COMPILING");
  Gui_sync();
  EXPECT_TRUE(mainWidget("SLD_data_location_File_8opb")->isEnabled());
  click("Check_Before_Compling8chk");
  Screen_mode("CHECK BEFORE COMPILING");
  Gui_sync();
  EXPECT_TRUE(mainWidget("Check_Before_Compling8chk")->isHidden());
  EXPECT_TRUE(mainWidget<QRadioButton>("CPT_input_FileType_HOG_8opb")->isChecked());
  for (const char* name : {"SLD_data_location_File_8opb", "CPT_input_FileType_AEG_8opb", "SLD_data_Write_to_File_8ckb",
                           "Show_BreakdownOf_LineInput_8chk"}) {
    EXPECT_FALSE(mainWidget(name)->isEnabled()) << name;
    click(name);
  }
  VurnScreen_read_values();
  EXPECT_EQ(gRun.chartDataSource, "INTERNAL");
  EXPECT_EQ(gRun.fieldDataFileType, "HOG");
  EXPECT_FALSE(gRun.writeChartData);
  EXPECT_EQ(gRun.lineBreakdownWanted, "False");
}

}  // namespace
