// Window modes and the option lock.
#include "core/screen_mode.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

class ScreenModeTest : public VurnTest {
 protected:
  static bool commandsEnabled() {
    return MainControl("Run8cmd").enabled && MainControl("ProjectS_New8cmb").enabled &&
           MainControl("SLD_file_GenerateFileForPlotting8cmd").enabled;
  }
  static bool commandsDisabled() {
    return !MainControl("Run8cmd").enabled && !MainControl("ProjectS_New8cmb").enabled &&
           !MainControl("SLD_file_GenerateFileForPlotting8cmd").enabled;
  }
};

TEST_F(ScreenModeTest, RunningDisablesAndReadyEnablesTheCommands) {
  MainControl("HighLevel8lbl").bold = true;
  gWindow.debug.visible = true;
  MainControl("projectS_8cbo").enabled = false;
  Screen_mode("RUNNING");
  EXPECT_TRUE(commandsDisabled());
  EXPECT_FALSE(MainControl("HighLevel8lbl").bold);
  EXPECT_FALSE(gWindow.debug.visible);
  EXPECT_TRUE(MainControl("projectS_8cbo").enabled);

  MainControl("HighLevel8lbl").bold = true;
  Screen_mode("READY TO RUN");
  EXPECT_TRUE(commandsEnabled());
  EXPECT_TRUE(gWindow.main.visible);
  EXPECT_FALSE(MainControl("HighLevel8lbl").bold);
}

TEST_F(ScreenModeTest, ReadyToRunKeepsCommandsDisabledWhileARunIsInProgress) {
  gRun.runInProgress = true;
  Screen_mode("RUNNING");
  Screen_mode("READY TO RUN");
  EXPECT_TRUE(gWindow.main.visible);
  EXPECT_TRUE(commandsDisabled());
  gRun.runInProgress = false;
  Screen_mode("READY TO RUN");
  EXPECT_TRUE(commandsEnabled());
}

TEST_F(ScreenModeTest, UnknownWordOnlyHidesDebugAndEnablesProjectList) {
  Screen_mode("RUNNING");
  gWindow.debug.visible = true;
  MainControl("projectS_8cbo").enabled = false;
  Screen_mode("SOMETHING ELSE");
  EXPECT_FALSE(gWindow.debug.visible);
  EXPECT_TRUE(MainControl("projectS_8cbo").enabled);
  EXPECT_TRUE(commandsDisabled());
}

TEST_F(ScreenModeTest, ProjectNewShowsTheNewProjectName) {
  Form_control(gWindow.newProject, "ProjectS_NewName8txt").text = "Harbour";
  Screen_mode("RUNNING");
  Screen_mode("PROJECT_NEW");
  const Control& label = Form_control(gWindow.newProject, "projectName8lbl");
  EXPECT_EQ(label.caption, "New project = Harbour");
  EXPECT_TRUE(label.bold);
  EXPECT_FALSE(Form_control(gWindow.newProject, "ProjectS_NewName8txt").enabled);
  EXPECT_TRUE(Form_control(gWindow.newProject, "GenerateSoundingSfile8cmb").enabled);
  EXPECT_FALSE(MainControl("ProjectS_New8cmb").enabled);
  EXPECT_TRUE(MainControl("Run8cmd").enabled);
}

TEST_F(ScreenModeTest, CheckBeforeCompilingClearKeepsTheWindowDefaults) {
  gWindow.error.visible = true;
  Screen_mode("CHECK BEFORE COMPILING");
  EXPECT_FALSE(gWindow.error.visible);
  EXPECT_TRUE(MainControl("Check_Before_Compling8chk").visible);
  EXPECT_EQ(MainControl("SLD_data_location_File_8opb").value, 1);
  EXPECT_EQ(MainControl("SLD_data_location_Internal_8opb").value, 0);
  EXPECT_EQ(MainControl("SLD_data_Write_to_File_8ckb").value, 1);
  EXPECT_EQ(MainControl("Show_BreakdownOf_LineInput_8chk").value, 1);
  EXPECT_EQ(MainControl("CPT_input_FileType_HOG_8opb").value, 1);
  EXPECT_TRUE(MainControl("CPT_input_FileType_AEG_8opb").enabled);
}

TEST_F(ScreenModeTest, OptionLockFixesTheOptionsWhenTicked) {
  MainControl("Check_Before_Compling8chk").value = 1;
  Screen_mode("CHECK BEFORE COMPILING");
  EXPECT_FALSE(MainControl("Check_Before_Compling8chk").visible);
  EXPECT_EQ(gRun.status.main, "Vurn Compiling setup");
  EXPECT_EQ(MainControl("StatusCODE8lbl").caption, "MP883");
  const struct {
    const char* name;
    int value;
    bool enabled;
  } expected[] = {
      {"SLD_data_location_Internal_8opb", 1, true}, {"SLD_data_location_File_8opb", 0, false},
      {"SLD_data_Write_to_File_8ckb", 0, false},     {"CPT_input_FileType_HOG_8opb", 1, true},
      {"CPT_input_FileType_AEG_8opb", 0, false},     {"CPT_input_FileType_Simple_8opb", 0, false},
      {"Show_BreakdownOf_LineInput_8chk", 0, false},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(MainControl(e.name).value, e.value) << e.name;
    EXPECT_EQ(MainControl(e.name).enabled, e.enabled) << e.name;
  }
}

TEST_F(ScreenModeTest, UnknownControlNameIsAProgrammingError) {
  EXPECT_THROW(MainControl("NoSuchControl8cmd"), std::logic_error);
}

}  // namespace
