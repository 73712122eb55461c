// Window modes and the option lock.
#include "core/screen_mode.h"

#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"

namespace {

void setOption(const char* name, int value, bool enabled) {
  Control& c = MainControl(name);
  c.value = value;
  c.enabled = enabled;
}

// Fixes the options so that a build made with "check before compiling" ticked
// always runs the same way.
void applyOptionLock() {
  MainControl("Check_Before_Compling8chk").visible = false;
  Status_show("Vurn Compiling setup", " ", " ", " ", " ", " ", " ", "MP883");
  setOption("SLD_data_location_Internal_8opb", 1, true);
  setOption("SLD_data_location_File_8opb", 0, false);
  setOption("SLD_data_Write_to_File_8ckb", 0, false);
  setOption("CPT_input_FileType_HOG_8opb", 1, true);
  setOption("CPT_input_FileType_AEG_8opb", 0, false);
  setOption("CPT_input_FileType_Simple_8opb", 0, false);
  setOption("Show_BreakdownOf_LineInput_8chk", 0, false);
}

}  // namespace

bool Control_lockedDuringRun(const Control& control) {
  if (control.usableDuringRun) return false;
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::Option:
    case ControlKind::CheckBox:
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
      return true;
    case ControlKind::Label:
    case ControlKind::ListBox:
      return false;
  }
  return true;
}

void RunCommands_enable(bool enabled) {
  MainControl("Run8cmd").enabled = enabled;
  MainControl("ProjectS_New8cmb").enabled = enabled;
  MainControl("ProjectS_AddSoundings8cmd").enabled = enabled;
  MainControl("SLD_file_GenerateFileForPlotting8cmd").enabled = enabled;
  MainControl("ResultsView8cmd").enabled = enabled;
}

void Screen_mode(std::string_view modeWord) {
  gWindow.debug.visible = false;
  MainControl("projectS_8cbo").enabled = true;

  if (modeWord == "CHECK BEFORE COMPILING") {
    gWindow.error.visible = false;
    if (MainControl("Check_Before_Compling8chk").value == 1) applyOptionLock();
  } else if (modeWord == "READY TO RUN") {
    gWindow.main.visible = true;
    MainControl("HighLevel8lbl").bold = false;
    RunCommands_enable(!gRun.runInProgress);
  } else if (modeWord == "RUNNING") {
    MainControl("HighLevel8lbl").bold = false;
    RunCommands_enable(false);
  } else if (modeWord == "PROJECT_NEW") {
    MainControl("ProjectS_New8cmb").enabled = false;
    Control& name = Form_control(gWindow.newProject, "projectName8lbl");
    Control& text = Form_control(gWindow.newProject, "ProjectS_NewName8txt");
    name.visible = true;
    name.bold = true;
    name.caption = "New project = " + text.text;
    text.enabled = false;
    Form_control(gWindow.newProject, "GenerateSoundingSfile8cmb").enabled = true;
    MainControl("Run8cmd").enabled = !gRun.runInProgress;
  }
}
