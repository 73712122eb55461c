// The main window as built: controls with their captions, defaults and frames, the status panel, the fit on a
// 1366x768 screen, and the model mirrored onto the widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>

#include "core/screen_mode.h"
#include "gui/gui_test.h"

namespace {

class MainWindowTest : public GuiTest {
 protected:
  // The frame caption a widget is drawn in, "" when none.
  static std::string frameOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
      const QVariant frame = p->property("vurnFrame");
      if (frame.isValid()) return frame.toString().toStdString();
    }
    return "";
  }
  // The text a line edit, button or label shows.
  static std::string textOf(const std::string& name) {
    if (auto* edit = Gui_widgetAs<QLineEdit>(gWindow.main, name)) return edit->text().toStdString();
    if (auto* button = Gui_widgetAs<QPushButton>(gWindow.main, name)) return button->text().toStdString();
    return labelText(name);
  }
  static bool insideScrollArea(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
      if (qobject_cast<const QScrollArea*>(p)) return true;
    }
    return false;
  }
};

TEST_F(MainWindowTest, OptionsShowTheirCaptionsAndWindowDefaults) {
  const struct { const char* name; const char* caption; bool checked; } cases[] = {
      {"Norm_Tavik_8opb", "Tavik  (1982 to 2017)", true},
      {"Norm_Tavik_SF_8opb", "Tavik using Stress Focus (2018)", false},
      {"Norm_PRob_8opb", "P.Robertson (c versus Ir) ", false}, {"Option6", "linear (c=1)", false},
      {"Ic_calculation_method_tavik_8opb", "Tavik using SLD (default)", true},
      {"Ic_calculation_method_PRob_8opb", "Robertson (Log-Log approximation)", false},
      {"Option11", "Tavik using SLD and with improvement for NC and Overconslidation (2014)", false},
      {"Columns_Q1o_File_8opb", "Defined by file:   Q1o-Output-Columns---*.csv", true},
      {"Columns_Q1o_Internal_8opb", "Internally defined", false}, {"SLD_data_location_File_8opb", "From Files", true},
      {"SLD_data_location_Internal_8opb", "Internal", false}, {"CPT_input_FileType_HOG_8opb", "read HOG file", true},
      {"CPT_input_FileType_AEG_8opb", "read AEG file", false},
      {"CPT_input_FileType_Simple_8opb", "read simple oFile ", false},
      {"SLD_data_Write_to_File_8ckb", "Write SLD data to file ", true},
      {"Show_BreakdownOf_LineInput_8chk", "Show breakdown of File Input Lines", true},
      {"ForceVurnToUseCdrive8cmd", "This version is forcing Vurn to use c:\\Vurn for all data", true},
      {"Check_Before_Compling8chk", "check before compiling", false}, {"SPT_Tavik_8opb", "Tavik (default)", true},
      {"SPT_Seed_8opb", "Seed (1980s)", false}, {"Vs1_c025_8opb", "c=0.25", false},
  };
  for (const auto& c : cases) {
    auto* button = mainWidget<QAbstractButton>(c.name);
    ASSERT_NE(button, nullptr) << c.name;
    EXPECT_EQ(button->text().toStdString(), c.caption) << c.name;
    EXPECT_EQ(button->isChecked(), c.checked) << c.name;
    EXPECT_TRUE(button->isEnabled()) << c.name;
  }
}

// Labels show "&&" as one "&", as the window's texts are written.
TEST_F(MainWindowTest, TextBoxesCommandsAndLabelsAsWritten) {
  const std::pair<const char*, const char*> texts[] = {
      {"EQ_Mb_8txt", "7.5"}, {"EQ_CSR_file_8txt", "c:\\Vurn\\projects\\exampleone\\CSR-FF-4liq.csv"},
      {"Nk_8txt", "18"}, {"Depth_lowest_WhenLookingForLowestQc_feet8txt", "2"},
      {"Run8cmd", "Make Q1o files and the zero offset file"},
      {"SLD_file_GenerateFileForPlotting8cmd", "Generate SLD truckcaded files (SLDp) for external plotting"},
      {"PrepareVurnForFirstTime8cmd", "Prepare Vurn.exe for the FIRST USE"}, {"ender8cmd", "END"},
      {"ProjectS_New8cmb", "Make New Project"}, {"Command1", "make Directory and filels for this ProjectS.csv entry"},
      {"Command2", "Generated Grapher file for depth plotting"}, {"Command3", "Generate SLD VB6 statements"},
      {"MakeSCLdataBasedonDigDataCSV8cmd", "Make SLD data based on \"Dig-data.csv\""},
      {"Depth_lowest_TITLE8lbl", "For zero load calculations: Depth to start looking for lowest Qc & fs :"},
      {"Nk_TITLE8lbl", "Nk="}, {"Depth_lowest_UNITS8lbl", "ft"},
      {"ProjectDirectoryNote8lbl", "...directory note...."},
      {"Information18lbl", "Vurn reads all CPT data for a specified project directory then generates highly formatted"},
      {"Information78lbl", "The user is fully responsible to verify the software, predictive techniques, and finally "
                           "check accuracy of output data."},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(textOf(name), text) << name;
  EXPECT_NE(mainWidget<QComboBox>("projectS_8cbo"), nullptr);
  EXPECT_EQ(gGui.main->windowTitle().toStdString(), "Vurn      ");
}

TEST_F(MainWindowTest, StatusPanelHasItsTitlesAndStartingTexts) {
  const struct { const char* title; const char* titleText; const char* value; const char* valueText; } rows[] = {
      {"HighLevelTITLE8lbl", "Main Routine:", "HighLevel8lbl", "..."},
      {"OperationsTITLE8lbl", "Operations:", "Operations8lbl", "..."},
      {"ProbeTITLE8lbl", "Sounding:", "Probe8lbl", "..."},
      {"inputFileTITLE8lbl", "Input File:", "inputFile8lbl", "..."},
      {"OutputFileTITLE8lbl", "Output File:", "OutputFile8lbl", "..."},
      {"ProcessingTITLE8lbl", "Process:", "Processing8lbl", "..."}, {"ValueTITLE8lbl", "Value:", "Value8lbl", "..."},
      {"SoftwareLocationTitle8lbl", "Software location (for data error tracing):", "StatusCODE8lbl", "- - -"},
      {"IssuesCounterTITLE8lbl", "Issues counter=", "IssuesCounter8lbl", "- - -"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(labelText(r.title), r.titleText);
    EXPECT_EQ(labelText(r.value), r.valueText);
    EXPECT_EQ(frameOf(mainWidget(r.value)), "Processing information") << r.value;
    EXPECT_FALSE(insideScrollArea(mainWidget(r.value))) << r.value;  // stays in view
  }
  for (const QWidget* w : {mainWidget("Run8cmd"), mainWidget("ender8cmd"), static_cast<QWidget*>(gGui.progressBar)}) {
    EXPECT_FALSE(insideScrollArea(w)) << w->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, EveryControlHasItsWidgetInItsFrame) {
  for (const Form* form : {&gWindow.main, &gWindow.error, &gWindow.debug, &gWindow.newProject}) {
    for (const Control& c : form->controls) {
      const QWidget* w = Gui_widget(*form, c.name);
      ASSERT_NE(w, nullptr) << form->name << " " << c.name;
      EXPECT_EQ(w->objectName().toStdString(), c.name);
      EXPECT_EQ(form == &gWindow.main ? frameOf(w) : c.frame, c.frame) << c.name;
    }
  }
}

TEST_F(MainWindowTest, FitsA1366By768Screen) {
  const QSize least = gGui.main->minimumSizeHint();
  EXPECT_LE(least.width(), 1366);
  EXPECT_LE(least.height(), 700);  // room for a title bar and a task bar
  EXPECT_LE(gGui.main->width(), 1366);
  EXPECT_LE(gGui.main->height(), 768);
}

TEST_F(MainWindowTest, ModelChangesReachTheWidgets) {
  Control& label = MainControl("HighLevel8lbl");
  label.caption = "           Done";
  label.bold = true;
  MainControl("Run8cmd").enabled = false;
  MainControl("IssuesCounter8lbl").visible = false;
  MainControl("Norm_PRob_8opb").value = 1;
  MainControl("Norm_Tavik_8opb").value = 0;
  MainControl("Show_BreakdownOf_LineInput_8chk").value = 2;
  MainControl("Nk_8txt").text = "21";
  Control& list = MainControl("projectS_8cbo");
  list.items = {"ExampleONE", "Harbour  ---> See NOTE 2 "};
  list.selected = 1;
  gWindow.debug.visible = true;
  DebugList().items = {"-->a,b<---", "1) a", "2) b"};
  Gui_sync();

  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_TRUE(mainWidget("HighLevel8lbl")->font().bold());
  EXPECT_FALSE(mainWidget("Run8cmd")->isEnabled());
  EXPECT_TRUE(mainWidget("IssuesCounter8lbl")->isHidden());
  EXPECT_TRUE(mainWidget<QRadioButton>("Norm_PRob_8opb")->isChecked());
  EXPECT_FALSE(mainWidget<QRadioButton>("Norm_Tavik_8opb")->isChecked());
  EXPECT_EQ(mainWidget<QCheckBox>("Show_BreakdownOf_LineInput_8chk")->checkState(), Qt::PartiallyChecked);
  EXPECT_EQ(mainWidget<QLineEdit>("Nk_8txt")->text(), QStringLiteral("21"));
  auto* combo = mainWidget<QComboBox>("projectS_8cbo");
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Harbour  ---> See NOTE 2 "));
  EXPECT_TRUE(gGui.debug->isVisible());
  auto* debugList = Gui_widgetAs<QListWidget>(gWindow.debug, "List1");
  ASSERT_EQ(debugList->count(), 3);
  EXPECT_EQ(debugList->item(2)->text(), QStringLiteral("2) b"));

  // The mirror writes nothing back: the model keeps what the engine set.
  EXPECT_EQ(MainControl("Show_BreakdownOf_LineInput_8chk").value, 2);
  EXPECT_EQ(MainControl("Norm_Tavik_8opb").value, 0);

  // Every mode hides the debug window again; the label goes back to normal.
  Screen_mode("READY TO RUN");
  Gui_sync();
  EXPECT_FALSE(gGui.debug->isVisible());
  EXPECT_FALSE(mainWidget("HighLevel8lbl")->font().bold());
}

TEST_F(MainWindowTest, AGroupWithNoButtonSelectedShowsNoneSelected) {
  for (const char* name : {"Columns_Q1o_File_8opb", "Columns_Q1o_Internal_8opb"}) MainControl(name).value = 0;
  Gui_sync();
  EXPECT_FALSE(mainWidget<QRadioButton>("Columns_Q1o_File_8opb")->isChecked());
  EXPECT_FALSE(mainWidget<QRadioButton>("Columns_Q1o_Internal_8opb")->isChecked());
  // The buttons still exclude each other when the user picks one.
  click("Columns_Q1o_Internal_8opb");
  click("Columns_Q1o_File_8opb");
  EXPECT_EQ(MainControl("Columns_Q1o_File_8opb").value, 1);
  EXPECT_EQ(MainControl("Columns_Q1o_Internal_8opb").value, 0);
}

}  // namespace
