// The window's commands on the real widgets: start-up and runs, the controls locked while they go, the error window
// for a setup file error at start-up, END during a run, a missing data area, the progress bar, the status values,
// the later commands, and "vurn --help".
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <fstream>

#include "app/commands.h"
#include "app/program.h"
#include "app/startup.h"
#include "core/run_state.h"
#include "gui/gui_test.h"
#include "gui/window_commands.h"
#include "platform/host_env.h"
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

// One start-up run of the example: the bar counting its soundings, the summary, the status values whole, and the
// bytes the batch command writes (the example run's checksum).
TEST_F(CommandsTest, StartUpRunsTheExampleToDoneShowingItsProgress) {
  ::setenv("COMPUTERNAME", "VURN-TEST", 1);
  HostClock_setFixed(2026, 12, 6, 36000.0);
  installExampleDataArea();
  // The field data files of the example's soundings, in the order of its sounding database.
  const std::vector<std::string> files = {"VOORNE-17_8.CPT",       "OYSAND-OYSC19.CPT", "BRO-217393.CPT",
                                          "CRAFT-FUGRO.CPT",       "CRAFT-INCL-GGA.CPT", "CRAFT-BLANK-DEPTH.CPT",
                                          "BRO-157983.GEF",        "WATERNET-P1011.CSV", "BRO-155283.XML"};
  gWindow.main.visible = false;
  Gui_sync();
  std::vector<std::string> shown;  // the bar and its text as each sounding starts
  const auto started = gWindowHooks.soundingStarted;
  gWindowHooks.soundingStarted = [&](int n, const std::string& file) {
    started(n, file);
    Gui_sync();
    shown.push_back(std::to_string(gGui.progressBar->value()) + "/" + std::to_string(gGui.progressBar->maximum()) +
                    " " + gGui.progressText->text().toStdString());
  };
  WindowCommand_startUp();

  ASSERT_FALSE(gGui.endRequested) << gRun.status.main;
  ASSERT_EQ(shown.size(), files.size());
  for (size_t k = 0; k < files.size(); ++k) {
    EXPECT_EQ(shown[k], std::to_string(k) + "/9 Sounding " + std::to_string(k + 1) + " of 9: " + files[k]);
  }
  EXPECT_TRUE(gGui.main->isVisible());
  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_EQ(gGui.progressText->text().toStdString(), "Last run: 9 soundings");
  EXPECT_EQ(gGui.progressBar->value(), gGui.progressBar->maximum());

  // Status values laid out as the window shows them: one line, within the label, neither cut at the side nor at the
  // top and bottom; a shortened value keeps its start and its end (the file name); the whole value in the tooltip.
  QApplication::processEvents();
  Gui_sync();
  for (const char* name : {"HighLevel8lbl", "Operations8lbl", "Probe8lbl", "inputFile8lbl", "OutputFile8lbl",
                           "Processing8lbl", "Value8lbl"}) {
    auto* label = mainWidget<QLabel>(name);
    const QString whole = QString::fromStdString(MainControl(name).caption);
    const QString text = label->text();
    const qsizetype cut = text.indexOf(QChar(0x2026));
    EXPECT_EQ(label->toolTip(), whole) << name;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width()) << name;
    EXPECT_GE(label->height(), label->fontMetrics().height()) << name;
    EXPECT_FALSE(text.contains(QLatin1Char('\n'))) << name;
    EXPECT_TRUE(text == whole || (cut >= 0 && whole.startsWith(text.left(cut)) && whole.endsWith(text.mid(cut + 1))))
        << name << ": " << text.toStdString();
  }
  EXPECT_TRUE(labelText("Processing8lbl").ends_with("ExampleONE.txt")) << labelText("Processing8lbl");
  ::unsetenv("COMPUTERNAME");
  std::size_t outputs = 0;
  EXPECT_EQ(exampleOutputsChecksum(outputs), kExampleOutputsChecksum);
  EXPECT_EQ(outputs, 20u);
}

TEST_F(CommandsTest, NoClickDuringStartUpOrARunRedirectsItOrChangesItsOptions) {
  installExampleDataArea();
  // A second project to pick.
  ASSERT_EQ(Program_guard([] {
              StartUp_identify();
              Command_newProject("Harbour");
            }).end,
            ProgramEnd::Completed);
  Engine_reset();
  reopenWindows();
  // The new-project window is open on a name when the program starts its run.
  click("ProjectS_New8cmb");
  QTest::keyClicks(Gui_widgetAs<QLineEdit>(gWindow.newProject, "ProjectS_NewName8txt"), "Dike");

  int moments = 0;
  std::vector<std::string> usable;  // controls found enabled while the engine was busy
  auto tryEverything = [&] {
    ++moments;
    Gui_sync();
    for (QWidget* window : {gGui.main.get(), gGui.newProject.get()}) {
      for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        if (!input || w->objectName() == QStringLiteral("ender8cmd")) continue;
        if (w->isEnabled()) usable.push_back(w->objectName().toStdString());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) QTest::keyClicks(edit, "9");
        else if (auto* combo = qobject_cast<QComboBox*>(w)) QTest::keyClick(combo, Qt::Key_Down);
        else if (qobject_cast<QPushButton*>(w)) QTest::mouseClick(w, Qt::LeftButton);
        else QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
      }
    }
    // Clicks and edits that still reach their handlers (queued before the lock took hold) are refused.
    emit mainWidget<QComboBox>("projectS_8cbo")->activated(1);
    emit mainWidget<QRadioButton>("Norm_PRob_8opb")->toggled(true);
    emit mainWidget<QLineEdit>("Nk_8txt")->textEdited(QStringLiteral("25"));
    emit mainWidget<QPushButton>("PrepareVurnForFirstTime8cmd")->clicked();
    emit Gui_widgetAs<QPushButton>(gWindow.newProject, "GenerateSoundingSfile8cmb")->clicked();
  };
  const auto mirror = gWindowHooks.processEvents;
  bool startUpTried = false;
  bool runTried = false;
  gWindowHooks.processEvents = [&] {
    mirror();
    if (!startUpTried && gRun.status.main == "Setup file reading") {
      startUpTried = true;
      tryEverything();
    } else if (!runTried && gRun.runInProgress) {
      runTried = true;
      tryEverything();
    }
  };
  const auto started = gWindowHooks.soundingStarted;
  gWindowHooks.soundingStarted = [&](int n, const std::string& file) {
    started(n, file);
    if (n == 2) tryEverything();
  };
  // A run sent astray ends in an error window or a message: each is noted and closed.
  std::vector<std::string> modalsShown;
  QTimer closeModals;
  QObject::connect(&closeModals, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modalsShown.push_back(modal->metaObject()->className());
      modal->close();
    }
  });
  closeModals.start(5);
  WindowCommand_startUp();
  closeModals.stop();

  EXPECT_EQ(modalsShown, std::vector<std::string>{});
  EXPECT_EQ(moments, 3);
  EXPECT_EQ(usable, std::vector<std::string>{});
  ASSERT_EQ(gRun.status.main, "           Done");
  EXPECT_EQ(Host_list("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\*_Q1o.txt", false).size(), 9u);
  EXPECT_TRUE(Host_list("C:\\Vurn\\Projects\\Harbour\\Soundings\\*_Q1o.txt", false).empty());
  EXPECT_FALSE(std::filesystem::exists(driveC() / "Vurn" / "Projects" / "Dike"));
  EXPECT_EQ(gRun.lastProject, "ExampleONE");
  const std::string log = logText();
  EXPECT_EQ(log.find("Start of Vurn software"), log.rfind("Start of Vurn software"));  // one start, never re-created
  const Control& list = MainControl("projectS_8cbo");
  ASSERT_GE(list.selected, 0);
  EXPECT_EQ(list.items[static_cast<size_t>(list.selected)], "ExampleONE");
  EXPECT_EQ(MainControl("Norm_Tavik_8opb").value, 1);
  EXPECT_EQ(MainControl("Norm_PRob_8opb").value, 0);
  EXPECT_EQ(MainControl("Nk_8txt").text, "18");
  EXPECT_EQ(Form_control(gWindow.newProject, "ProjectS_NewName8txt").text, "Dike");
  // After the run every control is usable again, and shows the model.
  for (const char* name : {"Run8cmd", "projectS_8cbo", "Nk_8txt"}) {
    EXPECT_TRUE(mainWidget(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(mainWidget<QRadioButton>("Norm_Tavik_8opb")->isChecked());
  EXPECT_TRUE(Gui_widget(gWindow.newProject, "GenerateSoundingSfile8cmb")->isEnabled());
}

TEST_F(CommandsTest, HelpPrintsTheUsageAndEndsWithZeroWithoutADisplay) {
  const struct { const char* option; bool display; int code; const char* out; const char* err; } cases[] = {
      {"--help", false, 0, "usage: vurn ", ""},
      {"--bogus", true, 1, "", "vurn: unknown option --bogus\nTry vurn --help\n"},
  };
  for (const auto& c : cases) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    if (c.display) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VURN_DRIVE_C"), QString::fromStdString(driveC().string()));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VURN_WINDOW_PATH), {QString::fromLatin1(c.option)});
    ASSERT_TRUE(program.waitForFinished(30000)) << c.option;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.option;
    EXPECT_EQ(program.exitCode(), c.code) << c.option;
    EXPECT_TRUE(program.readAllStandardOutput().toStdString().starts_with(c.out)) << c.option;
    EXPECT_TRUE(program.readAllStandardError().toStdString().ends_with(c.err)) << c.option;  // after Qt's own notes
  }
}

// A setup file error at start-up: the error window shows the record (modal, with "Proceed"), which is on disk already
// in the log of this start; after "Proceed" the program ends with every window closed.
TEST_F(CommandsTest, SetupFileErrorsAtStartUpAreLoggedInPlaceOfTheLastStartsLog) {
  // The data area is there but its setup file is missing (the bad-input corpus holds the other setup file faults).
  std::filesystem::create_directories(driveC() / "Vurn" / "software");
  writeHostFile("Vurn/Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt", "a log of an earlier start\r\n");
  std::string code, description, logWhenShown;
  bool modal = false;
  whenErrorWindowShows([&](QDialog& window) {
    modal = window.isModal();
    code = Gui_widgetAs<QLabel>(gWindow.error, "errorCode8lbl")->text().toStdString();
    description = Gui_widgetAs<QLabel>(gWindow.error, "ErrorDescription8lbl")->text().toStdString();
    logWhenShown = logText();
    QTest::mouseClick(Gui_widgetAs<QPushButton>(gWindow.error, "Proceed8cmd"), Qt::LeftButton);
  });
  QTimer::singleShot(0, [] { WindowCommand_startUp(); });
  EXPECT_EQ(runEventLoopUntilEnd(), 2);
  EXPECT_EQ(code, "ESF812");
  EXPECT_TRUE(modal);
  EXPECT_FALSE(anyTopLevelWindowVisible());
  // The record is on disk before the error window shows, in a log of this start.
  EXPECT_EQ(logWhenShown.find("earlier start"), std::string::npos);
  EXPECT_NE(logWhenShown.find("Start of Vurn software"), std::string::npos);
  EXPECT_NE(logWhenShown.find("Error--------------------------start\r\nError description =" + description + "\r\n"),
            std::string::npos)
      << logWhenShown;
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

// A missing data area offers only the first use, which prepares it and runs; then chart plotting, a new project, a
// run, a project pick and adding soundings go through the engine.
TEST_F(CommandsTest, MissingDataAreaOffersOnlyFirstUseThenTheProjectCommandsGoThroughTheEngine) {
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
  EXPECT_EQ(gRun.status.main, "           Done");
  EXPECT_TRUE(mainWidget("Run8cmd")->isEnabled());

  // The project commands on the prepared data area. Chart plotting writes the files.
  click("SLD_file_GenerateFileForPlotting8cmd");
  EXPECT_GE(Host_list("C:\\Vurn\\Projects\\ExampleONE\\SLD output\\*.*", false).size(), 8u);

  click("ProjectS_New8cmb");
  EXPECT_TRUE(gGui.newProject->isVisible());
  QTest::keyClicks(Gui_widgetAs<QLineEdit>(gWindow.newProject, "ProjectS_NewName8txt"), "Harbour");
  QTest::mouseClick(Gui_widget(gWindow.newProject, "GenerateSoundingSfile8cmb"), Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::is_directory(driveC() / "Vurn" / "Projects" / "Harbour" / "Soundings"));

  const int runs = gGui.progress.runsCompleted;
  click("Run8cmd");  // runs again, to "Done" again; the list box now holds both projects
  EXPECT_EQ(labelText("HighLevel8lbl"), "           Done");
  EXPECT_EQ(gGui.progress.runsCompleted, runs + 1);
  Control& list = MainControl("projectS_8cbo");
  ASSERT_EQ(list.items, (std::vector<std::string>{"ExampleONE", "Harbour"}));
  QTest::keyClick(mainWidget<QComboBox>("projectS_8cbo"), Qt::Key_Down);
  EXPECT_EQ(gRun.lastProject, "Harbour");

  QTest::keyClick(mainWidget<QComboBox>("projectS_8cbo"), Qt::Key_Up);
  std::ofstream(driveC() / "Vurn" / "Projects" / "ExampleONE" / "Soundings" / "NEW.csv")
      << "depth_m,qc_MPa,fs_kPa\n1,2,30\n";
  click("ProjectS_AddSoundings8cmd");  // a row for a new field data file, told on the status panel
  EXPECT_EQ(labelText("HighLevel8lbl"), "Add soundings: 1 sounding(s) added");
  EXPECT_EQ(labelText("Operations8lbl"), "NEW");
}

}  // namespace
