// The controls of the program's windows with their captions and defaults.
#include "core/window_model.h"

#include <stdexcept>

WindowModel gWindow;
WindowHooks gWindowHooks;

namespace {

constexpr const char* kNormFrame = "Sress Normalizaion method for CPT cone resistance ";
constexpr const char* kIcFrame = "Soil type (standardized Robertson Ic) Calculation Method";
constexpr const char* kColumnsFrame = "Columns defined for *-Q1o.csv files ";
constexpr const char* kSldFrame = "SLD data input Location";
constexpr const char* kInputFrame = "CPT input data file type";
constexpr const char* kSldOutFrame = "SLD output files (for external plotting and other)";
constexpr const char* kQuakeFrame =
    "Predicting Earthquake Liquefaction Resistance if CRR_* or FS-Liq_* column are specified";
constexpr const char* kStatusFrame = "Processing information";
constexpr const char* kProjectFrame = "Select Project Directory";
constexpr const char* kFirstUseFrame = "First Use ONLY (software installation)";

Control make(ControlKind kind, std::string name, std::string frame, std::string caption, int value = 0) {
  Control c;
  c.kind = kind;
  c.name = std::move(name);
  c.frame = std::move(frame);
  c.caption = std::move(caption);
  c.value = value;
  return c;
}

Control option(std::string name, std::string frame, std::string caption, int value = 0) {
  return make(ControlKind::Option, std::move(name), std::move(frame), std::move(caption), value);
}

Control check(std::string name, std::string frame, std::string caption, int value) {
  return make(ControlKind::CheckBox, std::move(name), std::move(frame), std::move(caption), value);
}

Control button(std::string name, std::string frame, std::string caption) {
  return make(ControlKind::Button, std::move(name), std::move(frame), std::move(caption));
}

Control label(std::string name, std::string frame, std::string caption) {
  return make(ControlKind::Label, std::move(name), std::move(frame), std::move(caption));
}

Control textBox(std::string name, std::string frame, std::string text) {
  Control c = make(ControlKind::TextBox, std::move(name), std::move(frame), "");
  c.text = std::move(text);
  return c;
}

// The options shown in frames that no part of the system reads.
void addUnreadOptionFrames(std::vector<Control>& c) {
  const char* rd = "Stress Normalization method for Relative Density (RD)";
  const char* spt = "Stress Normalization method for SPT  (N1)";
  const char* s1 = "Stress Normalization method for Strength (S1) from drained to undrained";
  const char* vs1 = "Stress Normalization method for Shear Wave Velocity (Vs1)";
  const char* crr = "Stress Normalization method for liquefaction resistance (CRRe)";
  c.push_back(option("RD_Tavik_8opb", rd, "Tavik", 1));
  c.push_back(option("SPT_OneOverOnePlusVES_8opb", spt, "1/(1+VES)"));
  c.push_back(option("SPT_Linear_8opb", spt, "Linear (c=1)"));
  c.push_back(option("SPT_Seed_8opb", spt, "Seed (1980s)"));
  c.push_back(option("SPT_Tavik_8opb", spt, "Tavik (default)", 1));
  c.push_back(option("S1_Tavik_8opb", s1, "Tavik", 1));
  c.push_back(option("Vs1_c025_8opb", vs1, "c=0.25"));
  c.push_back(option("Vs1_Tavik_8opb", vs1, "Tavik (half of c from Qc)", 1));
  c.push_back(option("CRRe_Tavik_8opb", crr, "Tavik", 1));
}

Form buildMain() {
  Form f;
  f.name = "Vurn8frm";
  f.caption = "Vurn      ";
  f.loaded = true;
  f.visible = false;
  auto& c = f.controls;

  // Run options.
  c.push_back(option("Norm_Tavik_8opb", kNormFrame, "Tavik  (1982 to 2017)", 1));
  c.push_back(option("Norm_Tavik_SF_8opb", kNormFrame, "Tavik using Stress Focus (2018)"));
  c.push_back(option("Norm_PRob_8opb", kNormFrame, "P.Robertson (c versus Ir) "));
  c.push_back(option("Option6", kNormFrame, "linear (c=1)"));
  c.push_back(option("Ic_calculation_method_tavik_8opb", kIcFrame, "Tavik using SLD (default)", 1));
  c.push_back(option("Ic_calculation_method_PRob_8opb", kIcFrame, "Robertson (Log-Log approximation)"));
  c.push_back(option("Option11", kIcFrame,
                     "Tavik using SLD and with improvement for NC and Overconslidation (2014)"));
  c.push_back(option("Columns_Q1o_File_8opb", kColumnsFrame, "Defined by file:   Q1o-Output-Columns---*.csv", 1));
  c.push_back(option("Columns_Q1o_Internal_8opb", kColumnsFrame, "Internally defined"));
  c.push_back(option("SLD_data_location_File_8opb", kSldFrame, "From Files", 1));
  c.push_back(option("SLD_data_location_Internal_8opb", kSldFrame, "Internal"));
  c.push_back(option("CPT_input_FileType_HOG_8opb", kInputFrame, "read HOG file", 1));
  c.push_back(option("CPT_input_FileType_AEG_8opb", kInputFrame, "read AEG file"));
  c.push_back(option("CPT_input_FileType_Simple_8opb", kInputFrame, "read simple oFile "));
  c.push_back(label("CPT_input_FileType_NOTE8lbl", kInputFrame,
                    "Each sounding's file is read by its extension (.CPT, .GEF, .XML, .CSV)"));
  c.push_back(check("SLD_data_Write_to_File_8ckb", kSldOutFrame, "Write SLD data to file ", 1));
  c.push_back(check("Show_BreakdownOf_LineInput_8chk", "", "Show breakdown of File Input Lines", 1));
  c.push_back(label("EQ_Mb_TITLE8lbl", kQuakeFrame, "Project Earthquake Magnitude (Mb): "));
  c.push_back(textBox("EQ_Mb_8txt", kQuakeFrame, "7.5"));
  c.push_back(label("EQ_CSR_file_TITLE8lbl", kQuakeFrame, "Project CSR earthquake file:"));
  c.push_back(textBox("EQ_CSR_file_8txt", kQuakeFrame, "c:\\Vurn\\projects\\exampleone\\CSR-FF-4liq.csv"));
  // Blank by default: no acceleration is assumed for a site.
  c.push_back(label("EQ_amax_TITLE8lbl", kQuakeFrame, "Peak ground acceleration amax (g):"));
  c.push_back(textBox("EQ_amax_8txt", kQuakeFrame, ""));
  c.push_back(label("Nk_TITLE8lbl", "", "Nk="));
  c.push_back(textBox("Nk_8txt", "", "18"));
  c.push_back(label("Nk_NOTE8lbl", "", "when predicting strength if Su_Nk or Su1_Nk column are specified"));
  c.push_back(label("Depth_lowest_TITLE8lbl", "",
                    "For zero load calculations: Depth to start looking for lowest Qc && fs :"));
  c.push_back(textBox("Depth_lowest_WhenLookingForLowestQc_feet8txt", "", "2"));
  c.push_back(label("Depth_lowest_UNITS8lbl", "", "ft"));
  addUnreadOptionFrames(c);

  // Commands.
  c.push_back(button("Run8cmd", "", "Make Q1o files and the zero offset file"));
  c.push_back(button("SLD_file_GenerateFileForPlotting8cmd", "",
                     "Generate SLD truckcaded files (SLDp) for external plotting"));
  c.push_back(button("ResultsView8cmd", "", "Show depth profiles and SLD chart plots of the Q1o files"));
  c.push_back(make(ControlKind::ComboBox, "projectS_8cbo", kProjectFrame, ""));
  c.push_back(button("ProjectS_New8cmb", kProjectFrame, "Make New Project"));
  c.push_back(button("ProjectS_AddSoundings8cmd", kProjectFrame, "Add soundings"));
  c.push_back(label("ProjectDirectoryNote8lbl", kProjectFrame, "...directory note...."));
  c.push_back(label("ProjectNameAndOtherInformation8lbl", kProjectFrame, ""));
  c.push_back(button("PrepareVurnForFirstTime8cmd", kFirstUseFrame, "Prepare Vurn.exe for the FIRST USE"));
  c.push_back(button("ender8cmd", "", "END"));
  c.back().usableDuringRun = true;
  c.push_back(check("ForceVurnToUseCdrive8cmd", "", "This version is forcing Vurn to use c:\\Vurn for all data", 1));
  c.push_back(check("Check_Before_Compling8chk", "", "check before compiling", 0));
  c.push_back(button("Command1", "", "make Directory and filels for this ProjectS.csv entry"));
  c.push_back(button("Command2", "", "Generated Grapher file for depth plotting"));
  c.push_back(button("Command3", "", "Generate SLD VB6 statements"));
  c.push_back(button("MakeSCLdataBasedonDigDataCSV8cmd", "", "Make SLD data based on \"Dig-data.csv\""));

  // Status panel.
  c.push_back(label("HighLevelTITLE8lbl", kStatusFrame, "Main Routine:"));
  c.push_back(label("HighLevel8lbl", kStatusFrame, "..."));
  c.push_back(label("OperationsTITLE8lbl", kStatusFrame, "Operations:"));
  c.push_back(label("Operations8lbl", kStatusFrame, "..."));
  c.push_back(label("ProbeTITLE8lbl", kStatusFrame, "Sounding:"));
  c.push_back(label("Probe8lbl", kStatusFrame, "..."));
  c.push_back(label("inputFileTITLE8lbl", kStatusFrame, "Input File:"));
  c.push_back(label("inputFile8lbl", kStatusFrame, "..."));
  c.push_back(label("OutputFileTITLE8lbl", kStatusFrame, "Output File:"));
  c.push_back(label("OutputFile8lbl", kStatusFrame, "..."));
  c.push_back(label("ProcessingTITLE8lbl", kStatusFrame, "Process:"));
  c.push_back(label("Processing8lbl", kStatusFrame, "..."));
  c.push_back(label("ValueTITLE8lbl", kStatusFrame, "Value:"));
  c.push_back(label("Value8lbl", kStatusFrame, "..."));
  c.push_back(label("SoftwareLocationTitle8lbl", kStatusFrame, "Software location (for data error tracing):"));
  c.push_back(label("StatusCODE8lbl", kStatusFrame, "- - -"));
  c.push_back(label("IssuesCounterTITLE8lbl", kStatusFrame, "Issues counter="));
  c.push_back(label("IssuesCounter8lbl", kStatusFrame, "- - -"));

  // Labels written by the system and fixed information texts.
  c.push_back(label("VurnVersion8lbl", "", "Vurn Version = "));
  c.push_back(label("VurnVersionDate8lbl", "", ""));
  c.push_back(label("VurnSystemArea8lbl", "", ""));
  c.push_back(label("SoundingInformationIsShownIn8lbl", "", ""));
  c.push_back(label("Columns_FileOptionalInformation8lbl", "", ""));
  const char* info[] = {
      "Vurn reads all CPT data for a specified project directory then generates highly formatted",
      "normalized predicted (i.e. estimated) geotechnical data files (and a zero offset file)",
      "Reads all HOG header info, GPS data, and zero load data",
      "Use FOR-INSERT-INTO-SoundingS.csv to intially populate *--SoundingS.csv",
      "This file has the same column format as *--SoundingS.csv",
      "",
      "The user is fully responsible to verify the software, predictive techniques, and finally check "
      "accuracy of output data.",
      "",
  };
  int k = 1;
  for (const char* text : info) c.push_back(label("Information" + std::to_string(k++) + "8lbl", "", text));
  c.push_back(label("WebAddress8lbl", "", "https://vurn.example.org"));
  c.push_back(label("MakerName8lbl", "", "Vurn Geotechnical Software"));
  return f;
}

Form buildError() {
  Form f;
  f.name = "ErrorWindow8frm";
  f.caption = "Vurn error";
  f.loaded = true;
  auto& c = f.controls;
  c.push_back(label("ErrorTitle8lbl", "", "Data Error has occured"));
  c.push_back(label("ErrorSubTitle8lbl", "", "processing has stopped - correct data error and rerun"));
  const std::pair<const char*, const char*> rows[] = {
      {"  Vurn software  Error Code:", "errorCode8lbl"},
      {"Error description:", "ErrorDescription8lbl"},
      {"Main Routine:", "HighLevel8lbl"},
      {"Operation:", "Operations8lbl"},
      {"Sounding:", "Probe8lbl"},
      {"Input File:", "inputFile8lbl"},
      {"Output File:", "OutputFile8lbl"},
      {"Process:", "Processing8lbl"},
      {"Value:", "value8lbl"},
  };
  for (const auto& [title, name] : rows) {
    c.push_back(label(std::string(name) + "TITLE", "", title));
    c.push_back(label(name, "", ""));
  }
  c.push_back(button("Proceed8cmd", "", "Proceed"));
  c.back().usableDuringRun = true;
  return f;
}

Form buildDebug() {
  Form f;
  f.name = "Debug8frm";
  f.caption = "Vurn debug";
  f.loaded = true;
  f.controls.push_back(make(ControlKind::ListBox, "List1", "", ""));
  return f;
}

Form buildNewProject() {
  Form f;
  f.name = "ProjectNew8frm";
  f.caption = "New project";
  f.loaded = true;
  f.controls.push_back(label("projectName8lbl", "", "New project = "));
  f.controls.push_back(textBox("ProjectS_NewName8txt", "", ""));
  f.controls.push_back(button("GenerateSoundingSfile8cmb", "", "Make the new project"));
  return f;
}

// The windows exist from program start, in their defaults.
[[maybe_unused]] const bool kWindowsBuilt = (WindowModel_reset(), true);

}  // namespace

void WindowModel_reset() {
  gWindow.main = buildMain();
  gWindow.error = buildError();
  gWindow.debug = buildDebug();
  gWindow.newProject = buildNewProject();
}

Control& Form_control(Form& form, std::string_view name) {
  // The status fields are set at every depth of a run: find controls by name
  // through an index rather than a walk. The first control of a name wins.
  if (form.positions.size() != form.controls.size()) {
    form.positions.clear();
    for (std::size_t k = 0; k < form.controls.size(); ++k) form.positions.emplace(form.controls[k].name, k);
    if (form.positions.size() != form.controls.size()) {
      // Two controls share a name: walk, so the first of them is found.
      form.positions.clear();
      for (Control& c : form.controls) {
        if (c.name == name) return c;
      }
      throw std::logic_error("no control " + std::string(name) + " on " + form.name);
    }
  }
  const auto found = form.positions.find(name);
  if (found == form.positions.end()) throw std::logic_error("no control " + std::string(name) + " on " + form.name);
  return form.controls[found->second];
}

Control& MainControl(std::string_view name) { return Form_control(gWindow.main, name); }
Control& ErrorControl(std::string_view name) { return Form_control(gWindow.error, name); }
Control& DebugList() { return Form_control(gWindow.debug, "List1"); }

void WindowHooks_reset() { gWindowHooks = WindowHooks{}; }

void Window_processEvents() {
  if (gWindowHooks.processEvents) gWindowHooks.processEvents();
}
