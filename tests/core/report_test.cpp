// The reporting facility: status panel rules, log lines, issue counter, error record.
#include "core/report.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace {

using ReportTest = VurnTest;

// The record is ten lines, each context line in its place; a second report
// writes nothing but still halts. (The window's labels, and the record on disk
// before the window shows, are in the window's tests.)
TEST_F(ReportTest, ErrorRecordIsTenLinesWithTheContext) {
  openLog();
  Status_show("main text", "ops", "CPT-1", "in.csv", "out.txt", "proc", "12.5", "XX100");
  const size_t before = logLines().size();
  EXPECT_ERROR_REPORT(Error_report("bad thing in file x", "AB123"), "AB123");
  const auto lines = logLines();
  ASSERT_EQ(lines.size(), before + 10);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 10, lines.end()),
            (std::vector<std::string>{"Error--------------------------start", "Error description =bad thing in file x",
                                      "Error main = main text", "Error operations = ops", "processing",
                                      "Error sounding  = CPT-1", "input", "output", "Error depth = 12.5",
                                      "Error---------------------------------end"}));
  EXPECT_THROW(Error_report("second", "BB002"), ErrorHalt);
  EXPECT_EQ(logLines().size(), lines.size());
  EXPECT_EQ(ErrorControl("errorCode8lbl").caption, "AB123");
}

// Blank texts are kept and empty ones leave a field as it was; the events run
// before the panel changes; the main label is bold exactly when it says "done";
// a blank location code blanks its title until the next code.
TEST_F(ReportTest, StatusPanelRules) {
  std::string mainWhenProcessed = "not called";
  gWindowHooks.processEvents = [&] { mainWhenProcessed = MainControl("HighLevel8lbl").caption; };
  Status_show("M", "O", "S", "I", "Out", "P", "V", "C1");
  EXPECT_EQ(mainWhenProcessed, "...");
  Status_show("", " ", "..", "new in", "", " ", "", "");
  const StatusContext& s = gRun.status;
  EXPECT_EQ(s.main + "|" + s.operations + "|" + s.sounding + "|" + s.inputFile + "|" + s.outputFile + "|" + s.process +
                "|" + s.value, "M| |S|new in|Out| |V");
  EXPECT_EQ(MainControl("Operations8lbl").caption, " ");
  EXPECT_EQ(MainControl("StatusCODE8lbl").caption, "C1");

  Control& main = MainControl("HighLevel8lbl");
  for (auto [text, bold] : {std::pair{"           Done", true}, {"", false}, {"abandoned", true}, {"Starting", false}}) {
    Status_show(text, "", "", "", "", "", "", "");
    EXPECT_EQ(main.bold, bold) << text;
    EXPECT_EQ(main.caption, *text == '\0' ? "           Done" : text);
  }
  Control& title = MainControl("SoftwareLocationTitle8lbl");
  for (auto [code, titleText] : {std::pair{" ", " "}, {"", " "}, {"GL130", "Software location (for data error tracing):"}}) {
    Status_show("", "", "", "", "", "", "", code);
    EXPECT_EQ(title.caption, titleText) << "[" << code << "]";
  }
}

TEST_F(ReportTest, LogLinesAndTheIssueCounter) {
  gRun.dataArea = "C:\\Vurn";  // the folder does not exist yet
  EXPECT_THROW(TasksAndIssues_open(), HostFailure);
  openLog();
  auto lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Vurn Software, vender=", 0), 0u);
  EXPECT_EQ(lines[1].rfind("   Start of Vurn software --- Starting at date/time=", 0), 0u);
  for (const auto& [level, blanks] : {std::pair{-1, 0}, {0, 3}, {1, 6}, {6, 21}}) {
    TaskLine_write(static_cast<std::int16_t>(level), "text", "TASK");
    EXPECT_EQ(logLines().back(), std::string(static_cast<size_t>(blanks), ' ') + "text") << "level " << level;
  }
  ContextLine_write("before any status", "TASK");
  EXPECT_EQ(logLines().back(), std::string(23, ' ') + "  CPT=  G=  S=  D=   before any status");
  Status_show("G1", "S1", "CPT9", "", "", "", "10.5", "");
  ContextLine_write("Done with UWT file", "TASK");
  EXPECT_EQ(logLines().back(), std::string(23, ' ') + "  CPT=CPT9  G=G1  S=S1  D=10.5   Done with UWT file");

  // Only the kind "ISSUE" counts. (A later run hiding the counter and keeping the total is in the run's tests.)
  Control& counter = MainControl("IssuesCounter8lbl");
  TaskLine_write(6, "lower case", "issue");
  EXPECT_EQ(gRun.issueCounter, 0);
  EXPECT_FALSE(counter.visible);
  TaskLine_write(6, "an issue", "ISSUE");
  ContextLine_write("another", "ISSUE");
  EXPECT_TRUE(counter.visible && MainControl("IssuesCounterTITLE8lbl").visible);
  EXPECT_EQ(counter.caption, "2");
}

}  // namespace
