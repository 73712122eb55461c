// The reporting facility: status panel rules, log lines, issue counter, error record.
#include "core/report.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

class ReportTest : public VurnTest {};

TEST_F(ReportTest, ErrorRecordIsTenLinesWithTheContext) {
  openLog();
  Status_show("main text", "ops", "CPT-1", "in.csv", "out.txt", "proc", "12.5", "XX100");
  const size_t before = logLines().size();
  EXPECT_ERROR_REPORT(Error_report("bad thing in file x", "AB123"), "AB123");
  const auto lines = logLines();
  ASSERT_EQ(lines.size(), before + 10);
  const std::vector<std::string> record(lines.end() - 10, lines.end());
  EXPECT_EQ(record, (std::vector<std::string>{"Error--------------------------start",
                                              "Error description =bad thing in file x", "Error main = main text",
                                              "Error operations = ops", "processing", "Error sounding  = CPT-1",
                                              "input", "output", "Error depth = 12.5",
                                              "Error---------------------------------end"}));
  EXPECT_TRUE(gWindow.error.visible);
  EXPECT_EQ(ErrorControl("errorCode8lbl").caption, "AB123");
  EXPECT_EQ(ErrorControl("inputFile8lbl").caption, "in.csv");
  EXPECT_EQ(ErrorControl("value8lbl").caption, "12.5");
}

TEST_F(ReportTest, SecondErrorReportWritesNothingButStillHalts) {
  openLog();
  EXPECT_ERROR_REPORT(Error_report("first", "AA001"), "AA001");
  const size_t after = logLines().size();
  ErrorControl("errorCode8lbl").caption = "unchanged";
  EXPECT_THROW(Error_report("second", "BB002"), ErrorHalt);
  EXPECT_EQ(logLines().size(), after);
  EXPECT_EQ(ErrorControl("errorCode8lbl").caption, "unchanged");
}

TEST_F(ReportTest, ErrorWindowHookRunsBeforeTheHaltAndAfterTheRecordIsOnDisk) {
  openLog();
  size_t linesWhenShown = 0;
  gWindowHooks.showErrorWindow = [&] { linesWhenShown = logLines().size(); };
  EXPECT_THROW(Error_report("x", "CC003"), ErrorHalt);
  EXPECT_EQ(linesWhenShown, logLines().size());
}

TEST_F(ReportTest, StatusShowKeepsBlanksAndSetsFields) {
  Status_show("M", "O", "S", "I", "Out", "P", "V", "C1");
  Status_show("", " ", "..", "new in", "", " ", "", "");
  EXPECT_EQ(gRun.status.main, "M");
  EXPECT_EQ(gRun.status.operations, " ");
  EXPECT_EQ(MainControl("Operations8lbl").caption, " ");
  EXPECT_EQ(gRun.status.sounding, "S");
  EXPECT_EQ(gRun.status.inputFile, "new in");
  EXPECT_EQ(gRun.status.outputFile, "Out");
  EXPECT_EQ(gRun.status.process, " ");
  EXPECT_EQ(gRun.status.value, "V");
  EXPECT_EQ(MainControl("StatusCODE8lbl").caption, "C1");
}

TEST_F(ReportTest, LocationCodeBlankBlanksTitleAndNextCodeRestoresIt) {
  Control& title = MainControl("SoftwareLocationTitle8lbl");
  Status_show("", "", "", "", "", "", "", " ");
  EXPECT_EQ(MainControl("StatusCODE8lbl").caption, " ");
  EXPECT_EQ(title.caption, " ");
  Status_show("", "", "", "", "", "", "", "");
  EXPECT_EQ(title.caption, " ");
  Status_show("", "", "", "", "", "", "", "GL130");
  EXPECT_EQ(MainControl("StatusCODE8lbl").caption, "GL130");
  EXPECT_EQ(title.caption, "Software location (for data error tracing):");
}

TEST_F(ReportTest, MainLabelIsBoldExactlyWhenMainContainsDone) {
  // An empty main leaves the caption as it is, weight normal; "abandoned" contains "done".
  Control& main = MainControl("HighLevel8lbl");
  for (auto [text, bold] : {std::pair{"           Done", true}, {"", false}, {"abandoned", true}, {"Starting", false}}) {
    Status_show(text, "", "", "", "", "", "", "");
    EXPECT_EQ(main.bold, bold) << text;
    EXPECT_EQ(main.caption, *text == '\0' ? "           Done" : text);
  }
}

TEST_F(ReportTest, StatusShowLetsPendingEventsRunFirst) {
  std::string mainWhenProcessed = "not called";
  gWindowHooks.processEvents = [&] { mainWhenProcessed = MainControl("HighLevel8lbl").caption; };
  Status_show("new main", "", "", "", "", "", "", "");
  EXPECT_EQ(mainWhenProcessed, "...");
}

TEST_F(ReportTest, TaskLineIndentByLevel) {
  openLog();
  const struct { std::int16_t level; size_t blanks; } cases[] = {{-1, 0}, {0, 3}, {1, 6}, {2, 9}, {6, 21}};
  for (const auto& c : cases) {
    TaskLine_write(c.level, "text", "TASK");
    EXPECT_EQ(logLines().back(), std::string(c.blanks, ' ') + "text") << "level " << c.level;
  }
}

TEST_F(ReportTest, LogOpensWithVersionAndStartLines) {
  openLog();
  const auto lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Vurn Software, vender=", 0), 0u);
  EXPECT_NE(lines[0].find("     version=8.0.6"), std::string::npos);
  EXPECT_EQ(lines[1].rfind("   Start of Vurn software --- Starting at date/time=", 0), 0u);
  EXPECT_EQ(gRun.logPath, "C:\\Vurn\\Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt");
}

TEST_F(ReportTest, LogThatCannotBeCreatedIsAHostFailure) {
  gRun.dataArea = "C:\\Vurn";  // the folder does not exist
  EXPECT_THROW(TasksAndIssues_open(), HostFailure);
}

TEST_F(ReportTest, ContextLineCarriesTheRememberedContext) {
  openLog();
  ContextLine_write("before any status", "TASK");
  EXPECT_EQ(logLines().back(), std::string(23, ' ') + "  CPT=  G=  S=  D=   before any status");
  Status_show("G1", "S1", "CPT9", "", "", "", "10.5", "");
  ContextLine_write("Done with UWT file", "TASK");
  EXPECT_EQ(logLines().back(), std::string(23, ' ') + "  CPT=CPT9  G=G1  S=S1  D=10.5   Done with UWT file");
}

TEST_F(ReportTest, IssueCounterCountsOnlyUpperCaseIssueAndCarriesOver) {
  openLog();
  Control& counter = MainControl("IssuesCounter8lbl");
  EXPECT_FALSE(counter.visible);
  TaskLine_write(6, "a task", "TASK");
  TaskLine_write(6, "lower case", "issue");
  EXPECT_EQ(gRun.issueCounter, 0);
  EXPECT_FALSE(counter.visible);
  TaskLine_write(6, "an issue", "ISSUE");
  ContextLine_write("another", "ISSUE");
  EXPECT_EQ(gRun.issueCounter, 2);
  EXPECT_TRUE(counter.visible);
  EXPECT_TRUE(MainControl("IssuesCounterTITLE8lbl").visible);
  EXPECT_EQ(counter.caption, "2");

  // A later run hides the counter; its first issue shows the running total.
  IssueCounter_hide();
  EXPECT_FALSE(counter.visible);
  TaskLine_write(6, "third", "ISSUE");
  EXPECT_TRUE(counter.visible);
  EXPECT_EQ(counter.caption, "3");
}

}  // namespace
