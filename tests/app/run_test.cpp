// The processing run: opening, the sounding loop, the closing summary.
#include "app/run.h"

#include <algorithm>

#include "app/program.h"
#include "app/startup.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "support/vurn_test.h"

namespace {

class RunTest : public VurnTest {};

TEST_F(RunTest, ExampleProjectRunGoesFromStartToDone) {
  HostClock_setFixed(2026, 12, 6, 36000.0);
  startUp();
  Main_run();

  EXPECT_EQ(gRun.status.main, "           Done");
  EXPECT_TRUE(MainControl("HighLevel8lbl").bold == false);  // READY TO RUN sets it back to normal
  EXPECT_EQ(gRun.status.sounding, "9 total Soundings");
  // The deepest depth of each sounding, summed.
  EXPECT_EQ(gRun.status.operations, "391 total feet in 0 secs     @ 0 ft/sec");
  EXPECT_EQ(gRun.status.outputFile, "Q1o files are in     C:\\Vurn\\Projects\\ExampleONE\\SOUNDINGS\\");
  // The setup file was written back and its backup removed.
  EXPECT_TRUE(Host_fileExists("C:\\Vurn\\software\\Vurn-Setup.txt"));
  EXPECT_FALSE(Host_exists("C:\\Vurn\\software\\Vurn-Setup-BACKUP.txt"));
}

// A run timed across a tiny clock step has a rate too large for the summary's
// whole number: it is capped, not overflowed.
TEST(RunSummaryTest, RateOfAVeryShortRunIsCapped) {
  EXPECT_EQ(RunSummary_compose(1.0e-7f, 391.0f, 9, "S", "Z").rate, 1000000000);
  EXPECT_EQ(RunSummary_compose(2.0f, 391.0f, 9, "S", "Z").rate, 195);
}

// Sounding databases without rows, with a name leading outside the soundings folder, with a row without a name.
TEST_F(RunTest, SoundingDatabaseRowsThatAreNoSoundings) {
  const std::string header = "Name {SOUNDING_NAME},Lat {LAT_BEST_DEGF},Long {LONG_BEST_DEGF}\r\n";
  const struct { std::string rows; const char* id; const char* where; } cases[] = {
      {"", "", ""},
      {"..\\..\\software\\x,1,2\r\n", "PN901", ""},
      {"\r\n,51.5,4.3\r\n", "SD807", "row 3 of C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---ExampleONE.csv"},
  };
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    installDataArea();
    writeHostFile("Vurn/Projects/ExampleONE/Vurn_SoundingS---ExampleONE.csv", header + c.rows);
    General_setup();
    if (c.rows.empty()) {
      Main_run();
      EXPECT_EQ(gRun.status.sounding, "0 total Soundings");
      continue;
    }
    const ErrorHalt halt = HaltOf([] { Main_run(); });
    EXPECT_EQ(halt.identifier, c.id) << c.rows;
    EXPECT_NE(halt.description.find(c.where), std::string::npos) << halt.description;
  }
}

TEST_F(RunTest, AnOutputFileThatDoesNotReachTheDiskStopsTheRun) {
  startUp();
  const struct { const char* file; const char* id; } cases[] = {
      {"_Q1o.txt", "QW382"}, {"SLD direction info", "QW383"}, {"Zero_Load_Data", "ZLR204"}};
  for (const auto& c : cases) {
    TextWriter_failWritesOf(c.file, 200);  // the disk fills inside the first such file
    const ProgramOutcome outcome = Program_runAgain();
    EXPECT_EQ(outcome.end, ProgramEnd::ErrorReported) << c.file;
    EXPECT_EQ(outcome.identifier, c.id);
    EXPECT_NE(outcome.description.find(", it did not reach the disk completely (e=28)"), std::string::npos)
        << outcome.description;
  }
}

// The run command stays disabled for the whole run, and a click on it then starts no second run; each run resets the
// error flag and hides the issue counter until its first issue, but keeps the count.
TEST_F(RunTest, RunCommandsStayDisabledAndEachRunResetsTheErrorFlagButKeepsTheCount) {
  startUp();
  gRun.errorReported = true;
  TaskLine_write(6, "an issue of an earlier run", "ISSUE");
  bool enabledDuringRun = false;
  bool nestedRunStarted = false;
  std::vector<bool> counterVisible;
  gWindowHooks.processEvents = [&] {
    if (!gRun.runInProgress) return;
    counterVisible.push_back(MainControl("IssuesCounter8lbl").visible);
    enabledDuringRun = enabledDuringRun || MainControl("Run8cmd").enabled;
    const std::string before = gRun.status.main;
    Main_run();
    nestedRunStarted = nestedRunStarted || gRun.status.main != before;
  };
  Main_run();
  EXPECT_FALSE(enabledDuringRun);
  EXPECT_FALSE(nestedRunStarted);
  EXPECT_TRUE(MainControl("Run8cmd").enabled);
  EXPECT_FALSE(gRun.errorReported);
  EXPECT_NE(std::find(counterVisible.begin(), counterVisible.end(), false), counterVisible.end());
  EXPECT_GT(gRun.issueCounter, 1);
  EXPECT_EQ(MainControl("IssuesCounter8lbl").caption, std::to_string(gRun.issueCounter));
}

TEST_F(RunTest, ProgramGuardEndsEveryKindOfHaltAndClosesFiles) {
  openLog();
  const ProgramOutcome error = Program_guard([] { Error_report("bad data in x", "ZZ999"); });
  EXPECT_EQ(error.end, ProgramEnd::ErrorReported);
  EXPECT_EQ(error.identifier, "ZZ999");
  EXPECT_EQ(error.description, "bad data in x");
  EXPECT_FALSE(gRun.log.isOpen());
  EXPECT_EQ(logLines().back(), "Error---------------------------------end");

  EXPECT_EQ(Program_guard([] { Fatal_stop("bad column width command"); }).end, ProgramEnd::FatalStop);
  EXPECT_EQ(Program_guard([] { throw HostFailure(HostFailure::Kind::FileError, "x"); }).end, ProgramEnd::HostError);
  EXPECT_EQ(Program_guard([] { throw HostFailure(HostFailure::Kind::DataAreaMissing, "x"); }).end,
            ProgramEnd::DataAreaMissing);
  EXPECT_EQ(Program_guard([] {}).end, ProgramEnd::Completed);
}

}  // namespace
