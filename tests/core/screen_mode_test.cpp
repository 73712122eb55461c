// Window modes: the commands each mode enables or disables.
#include "core/screen_mode.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

using ScreenModeTest = VurnTest;

// The run, new-project, chart-plot and results-view commands, "1" enabled, "0" disabled.
std::string commands() {
  std::string states;
  for (const char* name : {"Run8cmd", "ProjectS_New8cmb", "SLD_file_GenerateFileForPlotting8cmd", "ResultsView8cmd"}) {
    states += MainControl(name).enabled ? "1" : "0";
  }
  return states;
}

// Every mode hides the debug window and enables the project list; "READY TO
// RUN" keeps the commands disabled while a run is in progress.
TEST_F(ScreenModeTest, ModesSetTheCommands) {
  const struct { const char* mode; bool running; const char* commands; bool boldAfter; } cases[] = {
      {"RUNNING", false, "0000", false}, {"READY TO RUN", true, "0000", false}, {"READY TO RUN", false, "1111", false},
      {"RUNNING", false, "0000", false}, {"SOMETHING ELSE", false, "0000", true}, {"PROJECT_NEW", false, "1000", true},
  };
  Form_control(gWindow.newProject, "ProjectS_NewName8txt").text = "Harbour";
  for (const auto& c : cases) {
    gRun.runInProgress = c.running;
    MainControl("HighLevel8lbl").bold = true;
    gWindow.debug.visible = true;
    MainControl("projectS_8cbo").enabled = false;
    Screen_mode(c.mode);
    EXPECT_EQ(commands(), c.commands) << c.mode << " running " << c.running;
    EXPECT_EQ(MainControl("HighLevel8lbl").bold, c.boldAfter) << c.mode;
    EXPECT_FALSE(gWindow.debug.visible) << c.mode;
    EXPECT_TRUE(MainControl("projectS_8cbo").enabled) << c.mode;
  }
  EXPECT_TRUE(Form_control(gWindow.newProject, "projectName8lbl").bold);
  EXPECT_FALSE(Form_control(gWindow.newProject, "ProjectS_NewName8txt").enabled);
  EXPECT_TRUE(Form_control(gWindow.newProject, "GenerateSoundingSfile8cmb").enabled);
  EXPECT_THROW(MainControl("NoSuchControl8cmd"), std::logic_error);
}

}  // namespace
