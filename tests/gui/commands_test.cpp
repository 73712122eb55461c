// The window's commands on the real widgets: start-up and runs, the error window, END, a missing data area, the
// progress bar, throttled event processing, and the later commands.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <fstream>
#include <map>

#include "core/halt.h"
#include "core/report.h"
#include "core/run_state.h"
#include "gui/gui_test.h"
#include "gui/window_commands.h"
#include "platform/host_paths.h"

namespace {

class CommandsTest : public GuiTest {
 protected:
  // Runs Qt's event loop until the program ends (or 5 s pass: code 99).
  static int runEventLoopUntilEnd() {
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
  }

  std::string logText() const {
    if (gRun.log.isOpen()) gRun.log.flush();
    return readHostFile(driveC() / "Vurn" / "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt");
  }

  static bool anyTopLevelWindowVisible() {
    for (QWidget* w : {gGui.main.get(), static_cast<QWidget*>(gGui.error.get()), gGui.debug.get(),
                       gGui.newProject.get()}) {
      if (w && w->isVisible()) return true;
    }
    return false;
  }
};

TEST_F(CommandsTest, StartUpRunsTheExampleProjectToDoneWithTheSummaryCommandsDisabledMeanwhile) {
  installExampleDataArea();
  gWindow.main.visible = false;
  Gui_sync();
  gGui.syncIntervalMs = 0;  // mirror at every status update
  int checked = 0;
  int enabledDuringRun = 0;
  int busyBar = 0;
  const auto mirror = gWindowHooks.processEvents;
  gWindowHooks.processEvents = [&] {
    mirror();
    if (!gRun.runInProgress) return;
    ++checked;
    for (const char* name : {"Run8cmd", "ProjectS_New8cmb", "SLD_file_GenerateFileForPlotting8cmd", "ResultsView8cmd"}) {
      if (mainWidget(name)->isEnabled()) ++enabledDuringRun;
    }
    if (gGui.progressBar->maximum() == 0) ++busyBar;
  };
  WindowCommand_startUp();

  ASSERT_FALSE(gGui.endRequested) << gRun.status.main;
  EXPECT_GT(checked, 2);
  EXPECT_EQ(enabledDuringRun, 0);
  EXPECT_EQ(busyBar, checked);  // the number of soundings is not known: a busy bar
  EXPECT_TRUE(gGui.main->isVisible());
  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+ total feet in \\d+(\\.\\d)? (secs|mins)     @ \\d+ ft/sec$"))
                  .match(QString::fromStdString(labelText("Operations8lbl")))
                  .hasMatch())
      << labelText("Operations8lbl");
  EXPECT_EQ(labelText("Probe8lbl"), std::to_string(gRun.soundingsProcessed) + " total Soundings");
  EXPECT_EQ(labelText("OutputFile8lbl").rfind("Q1o files are in     C:\\Vurn\\Projects\\", 0), 0u)
      << labelText("OutputFile8lbl");
  EXPECT_EQ(labelText("Processing8lbl").rfind("Zero load data File      ", 0), 0u) << labelText("Processing8lbl");
  EXPECT_EQ(labelText("VurnVersion8lbl"), "Vurn Version = 8.0.6");
  EXPECT_EQ(labelText("VurnVersionDate8lbl"), "2016 Oct 12");
  EXPECT_TRUE(labelText("VurnSystemArea8lbl").ends_with("   and   Vurn data area= C:\\Vurn")) << labelText("VurnSystemArea8lbl");
  for (const char* name : {"Run8cmd", "ProjectS_New8cmb", "SLD_file_GenerateFileForPlotting8cmd"}) {
    EXPECT_TRUE(mainWidget(name)->isEnabled()) << name;
  }
  EXPECT_EQ(gGui.progressText->text().toStdString(),
            "Last run: " + std::to_string(gRun.soundingsProcessed) + " soundings");
  EXPECT_EQ(gGui.progressBar->value(), gGui.progressBar->maximum());

  // The run command runs again, to "Done" again.
  MainControl("HighLevel8lbl").caption = "...";
  Gui_sync();
  click("Run8cmd");
  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_EQ(gGui.progress.runsCompleted, 2);
  EXPECT_NE(logText().find("End of Tasks & Issues: "), std::string::npos);
}

TEST_F(CommandsTest, ProgressShowsTheSoundingAndATotalWhenOneIsGiven) {
  gRun.runInProgress = true;
  const struct { int total, sequence; const char* file; const char* text; int maximum, value; } cases[] = {
      {0, 0, "", "Run started", 0, 0}, {0, 2, "BRO-217393.CPT", "Sounding 2: BRO-217393.CPT", 0, 0},
      {4, 3, "VOORNE-17_8.CPT", "Sounding 3 of 4: VOORNE-17_8.CPT", 4, 3},
  };
  for (const auto& c : cases) {
    Gui_setSoundingTotal(c.total);
    Gui_soundingStarted(c.sequence, c.file);
    Gui_sync();
    EXPECT_EQ(gGui.progressText->text().toStdString(), c.text);
    EXPECT_EQ(gGui.progressBar->maximum(), c.maximum) << c.text;
    EXPECT_EQ(gGui.progressBar->value(), c.value) << c.text;
  }
  gRun.runInProgress = false;
}

TEST_F(CommandsTest, EventsAreProcessedAtMostEveryIntervalDuringAStatusStorm) {
  gGui.syncIntervalMs = 50;
  Gui_sync();
  const int before = gGui.syncCount;
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 20000; ++i) Status_show("Sounding data processing", "", "", "", "", "", std::to_string(i), "");
  const qint64 elapsed = clock.elapsed();
  EXPECT_LE(gGui.syncCount - before, 1 + elapsed / 50);
  Gui_sync();  // the next sync shows the last update
  EXPECT_EQ(labelText("Value8lbl"), "19999");
}

TEST_F(CommandsTest, ErrorWindowShowsTheReportAndTheProgramEnds) {
  installExampleDataArea();
  // A reader meets bad data during the run's initial setup.
  const auto mirror = gWindowHooks.processEvents;
  bool reported = false;
  gWindowHooks.processEvents = [mirror, &reported] {
    mirror();
    if (!reported && gRun.runInProgress && gRun.status.main == "Initial Setup calls ---") {
      reported = true;
      Status_show("", "Reading SLD files", "CPT-7", "C:\\Vurn\\SLD input\\SLD-Vurn-Ic.csv", "out.txt",
                  "Splitting line 4", "12.5", "RS004");
      Error_report("for line=`a,\"b`, the quotos don't equal", "ER932");
    }
  };
  std::map<std::string, std::string> shown;
  bool proceedFound = false;
  whenErrorWindowShows([&](QDialog& window) {
    for (const Control& c : gWindow.error.controls) {
      if (auto* label = Gui_widgetAs<QLabel>(gWindow.error, c.name)) shown[c.name] = label->text().toStdString();
    }
    auto* proceed = Gui_widgetAs<QPushButton>(gWindow.error, "Proceed8cmd");
    proceedFound = proceed && proceed->text() == QStringLiteral("Proceed") && window.isModal();
    if (proceed) QTest::mouseClick(proceed, Qt::LeftButton);
  });
  QTimer::singleShot(0, [] { WindowCommand_startUp(); });
  const int exitCode = runEventLoopUntilEnd();

  EXPECT_EQ(exitCode, 2);
  EXPECT_TRUE(proceedFound);
  const std::pair<const char*, const char*> expected[] = {
      {"ErrorTitle8lbl", "Data Error has occured"},
      {"ErrorSubTitle8lbl", "processing has stopped - correct data error and rerun"},
      {"errorCode8lblTITLE", "  Vurn software  Error Code:"}, {"errorCode8lbl", "ER932"},
      {"ErrorDescription8lblTITLE", "Error description:"},
      {"ErrorDescription8lbl", "for line=`a,\"b`, the quotos don't equal"}, {"HighLevel8lblTITLE", "Main Routine:"},
      {"HighLevel8lbl", "Initial Setup calls ---"}, {"Operations8lblTITLE", "Operation:"},
      {"Operations8lbl", "Reading SLD files"}, {"Probe8lbl", "CPT-7"},
      {"inputFile8lbl", "C:\\Vurn\\SLD input\\SLD-Vurn-Ic.csv"}, {"OutputFile8lbl", "out.txt"},
      {"Processing8lbl", "Splitting line 4"}, {"value8lblTITLE", "Value:"}, {"value8lbl", "12.5"},
  };
  for (const auto& [name, text] : expected) EXPECT_EQ(shown[name], text) << name;

  // The program has ended: windows closed, the record on disk.
  EXPECT_TRUE(gGui.endRequested);
  EXPECT_FALSE(anyTopLevelWindowVisible());
  const std::string log = logText();
  EXPECT_NE(log.find("Error--------------------------start\r\nError description =for line=`a,\"b`"), std::string::npos);
  EXPECT_NE(log.find("Error depth = 12.5\r\nError---------------------------------end"), std::string::npos);
}

TEST_F(CommandsTest, BadSetupFileShowsTheErrorWindowWithTheLoggedReport) {
  // A data area without its setup file: start-up cannot read it.
  std::filesystem::create_directories(driveC() / "Vurn");
  std::string code, description;
  whenErrorWindowShows([&](QDialog&) {
    code = Gui_widgetAs<QLabel>(gWindow.error, "errorCode8lbl")->text().toStdString();
    description = Gui_widgetAs<QLabel>(gWindow.error, "ErrorDescription8lbl")->text().toStdString();
    QTest::mouseClick(Gui_widgetAs<QPushButton>(gWindow.error, "Proceed8cmd"), Qt::LeftButton);
  });
  QTimer::singleShot(0, [] { WindowCommand_startUp(); });
  EXPECT_EQ(runEventLoopUntilEnd(), 2);
  EXPECT_FALSE(code.empty());
  EXPECT_FALSE(description.empty());
  EXPECT_TRUE(gGui.endRequested);
}

TEST_F(CommandsTest, EndClosesEveryWindowAlsoHiddenLoadedOnes) {
  // The debug and new-project windows have been shown and hidden again.
  gWindow.debug.visible = true;
  gWindow.newProject.visible = true;
  Gui_sync();
  ASSERT_TRUE(gGui.debug->isVisible());
  gWindow.debug.visible = false;
  gWindow.newProject.visible = false;
  Gui_sync();

  QTimer::singleShot(0, [] { QTest::mouseClick(Gui_widget(gWindow.main, "ender8cmd"), Qt::LeftButton); });
  EXPECT_EQ(runEventLoopUntilEnd(), 0);
  EXPECT_TRUE(gGui.endRequested);
  EXPECT_FALSE(anyTopLevelWindowVisible());
}

TEST_F(CommandsTest, ClosingTheMainWindowIsEnd) {
  QTimer::singleShot(0, [] { gGui.main->close(); });
  EXPECT_EQ(runEventLoopUntilEnd(), 0);
  EXPECT_TRUE(gGui.endRequested);
}

TEST_F(CommandsTest, EndDuringARunStopsItAndClosesItsFiles) {
  installExampleDataArea();
  gGui.syncIntervalMs = 0;
  bool clicked = false;
  const auto mirror = gWindowHooks.processEvents;
  gWindowHooks.processEvents = [&] {
    // The user clicks END while the run shows its progress.
    if (gRun.runInProgress && !clicked) {
      clicked = true;
      QTimer::singleShot(0, [] { QTest::mouseClick(Gui_widget(gWindow.main, "ender8cmd"), Qt::LeftButton); });
    }
    mirror();
  };
  WindowCommand_startUp();
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(gGui.endRequested);
  EXPECT_FALSE(gRun.runInProgress);
  EXPECT_FALSE(gRun.log.isOpen());
  EXPECT_EQ(gGui.engineCalls, 0);
  EXPECT_EQ(logText().find("End of Tasks & Issues: "), std::string::npos);  // it stopped before its end
}

TEST_F(CommandsTest, MissingDataAreaOffersOnlyFirstUseWhichPreparesTheDataAreaAndRuns) {
  installDataArea();  // only to point P: at the bundled tree; start again from an empty C:
  std::filesystem::remove_all(driveC() / "Vurn");
  gWindow.main.visible = false;
  Gui_sync();
  WindowCommand_startUp();  // drive C: has no Vurn folder

  EXPECT_FALSE(gGui.endRequested);
  EXPECT_TRUE(gGui.main->isVisible());
  EXPECT_EQ(labelText("HighLevel8lbl"), gRun.status.main);
  EXPECT_NE(labelText("HighLevel8lbl"), "...");
  for (const Control& c : gWindow.main.controls) {
    if (c.kind != ControlKind::Button && c.kind != ControlKind::ComboBox) continue;
    const bool offered = c.name == "PrepareVurnForFirstTime8cmd" || c.name == "ender8cmd";
    EXPECT_EQ(mainWidget(c.name)->isEnabled(), offered) << c.name;
  }

  click("PrepareVurnForFirstTime8cmd");
  EXPECT_FALSE(gGui.endRequested);
  EXPECT_TRUE(std::filesystem::exists(driveC() / "Vurn" / "Projects" / "ExampleONE"));
  EXPECT_EQ(gRun.status.main, "           Done");
  EXPECT_TRUE(mainWidget("Run8cmd")->isEnabled());
  EXPECT_TRUE(mainWidget("projectS_8cbo")->isEnabled());
}

TEST_F(CommandsTest, ProjectPickNewProjectAndChartPlottingGoThroughTheEngine) {
  installDataArea();
  WindowCommand_startUp();
  // Chart plotting writes the files; buttons without an action do nothing.
  click("SLD_file_GenerateFileForPlotting8cmd");
  EXPECT_FALSE(gGui.endRequested);
  EXPECT_GE(Host_list("C:\\Vurn\\Projects\\ExampleONE\\SLD output\\*.*", false).size(), 8u);

  MainControl("HighLevel8lbl").caption = "unchanged";
  Gui_sync();
  for (const char* button : {"Command1", "Command2", "Command3", "MakeSCLdataBasedonDigDataCSV8cmd"}) {
    click(button);
    EXPECT_EQ(labelText("HighLevel8lbl"), "unchanged") << button;
    EXPECT_FALSE(gGui.endRequested);
    EXPECT_TRUE(gGui.main->isVisible());
  }

  click("ProjectS_New8cmb");
  EXPECT_TRUE(gGui.newProject->isVisible());
  auto* name = Gui_widgetAs<QLineEdit>(gWindow.newProject, "ProjectS_NewName8txt");
  ASSERT_NE(name, nullptr);
  EXPECT_TRUE(name->isEnabled());
  EXPECT_TRUE(name->isVisible());
  QTest::keyClicks(name, "Harbour");
  EXPECT_EQ(Form_control(gWindow.newProject, "ProjectS_NewName8txt").text, "Harbour");
  QTest::mouseClick(Gui_widget(gWindow.newProject, "GenerateSoundingSfile8cmb"), Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::is_directory(driveC() / "Vurn" / "Projects" / "Harbour" / "Soundings"));
  EXPECT_EQ(Form_control(gWindow.newProject, "projectName8lbl").caption, "New project = Harbour");

  click("Run8cmd");  // the list box now holds both projects
  Control& list = MainControl("projectS_8cbo");
  ASSERT_EQ(list.items, (std::vector<std::string>{"ExampleONE", "Harbour"}));
  QTest::keyClick(mainWidget<QComboBox>("projectS_8cbo"), Qt::Key_Down);
  EXPECT_EQ(gRun.lastProject, "Harbour");
  EXPECT_EQ(gRun.status.main, "Setup File writing");
  EXPECT_FALSE(gGui.endRequested);
}

// "Add soundings" in the project frame: a row for a new field data file, told
// on the status panel.
TEST_F(CommandsTest, AddSoundingsTellsWhatItAdded) {
  installDataArea();
  WindowCommand_startUp();
  std::ofstream(driveC() / "Vurn" / "Projects" / "ExampleONE" / "Soundings" / "NEW.csv")
      << "depth_m,qc_MPa,fs_kPa\n1,2,30\n";
  click("ProjectS_AddSoundings8cmd");
  EXPECT_EQ(labelText("HighLevel8lbl"), "Add soundings: 1 sounding(s) added");
  EXPECT_EQ(labelText("Operations8lbl"), "NEW");
  EXPECT_FALSE(gGui.endRequested);
}

}  // namespace
