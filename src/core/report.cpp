// Status panel, task and issue log, issue counter and error report.
#include "core/report.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/halt.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"

namespace {

void showField(std::string_view text, std::string& remembered, const char* labelName) {
  if (text.empty() || text == "..") return;
  Control& label = MainControl(labelName);
  if (text == " ") {
    label.caption = " ";
    remembered = " ";
    return;
  }
  label.caption.assign(text);
  remembered.assign(text);
}

// True when the text, upper-cased, contains "DONE" (without making a copy: this
// runs at every status update).
bool containsDoneUpperCased(std::string_view text) {
  constexpr std::string_view kDone = "DONE";
  for (size_t start = 0; start + kDone.size() <= text.size(); ++start) {
    size_t k = 0;
    while (k < kDone.size() && std::toupper(static_cast<unsigned char>(text[start + k])) == kDone[k]) ++k;
    if (k == kDone.size()) return true;
  }
  return false;
}

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

void writeLogLine(std::string_view text) {
  if (gRun.log.isOpen()) gRun.log.writeLine(text);
}

// An issue line: written to the log, or kept for it (the first 100) when it is
// not open yet.
void writeIssueLine(std::string_view kind, const std::string& line) {
  if (kind == "ISSUE" && !gRun.log.isOpen()) {
    if (gRun.issuesBeforeLog.size() < 100) gRun.issuesBeforeLog.push_back(line);
  } else {
    writeLogLine(line);
  }
}

// An error met before the log is open (the setup file at start-up, first-use
// preparation) opens it, so the record reaches the disk before the program
// ends and the log of an earlier start is not taken for this one's. Without a
// data area there is nowhere to write it; the error window still shows it.
void openLogForErrorRecord() {
  if (gRun.log.isOpen() || gRun.dataArea.empty() || !Host_folderExists(gRun.dataArea)) return;
  try {
    TasksAndIssues_open();
  } catch (const HostFailure&) {
    // The log cannot be created: the record is shown, not written.
  }
}

}  // namespace

void Status_show(std::string_view main, std::string_view operations, std::string_view sounding,
                 std::string_view inputFile, std::string_view outputFile, std::string_view process,
                 std::string_view value, std::string_view locationCode) {
  Window_processEvents();
  MainControl("HighLevel8lbl").bold = containsDoneUpperCased(main);

  StatusContext& s = gRun.status;
  showField(main, s.main, "HighLevel8lbl");
  showField(operations, s.operations, "Operations8lbl");
  showField(sounding, s.sounding, "Probe8lbl");
  showField(inputFile, s.inputFile, "inputFile8lbl");
  showField(outputFile, s.outputFile, "OutputFile8lbl");
  showField(process, s.process, "Processing8lbl");
  showField(value, s.value, "Value8lbl");

  if (locationCode.empty()) return;
  Control& code = MainControl("StatusCODE8lbl");
  Control& title = MainControl("SoftwareLocationTitle8lbl");
  if (locationCode == " ") {
    code.caption = " ";
    title.caption = " ";
    return;
  }
  code.caption.assign(locationCode);
  if (isBlank(title.caption)) title.caption = "Software location (for data error tracing):";
}

void TasksAndIssues_open() {
  IssueCounter_hide();
  gRun.logPath = gRun.dataArea + "\\" + std::string(TasksAndIssuesFileName);
  if (!gRun.log.open(gRun.logPath, TextWriter::Mode::Replace)) {
    throw HostFailure(HostFailure::Kind::FileError,
                      "cannot create the task and issue log " + gRun.logPath + ": " + std::strerror(gRun.log.error()));
  }
  const VersionInfo version = Host_versionInfo();
  TaskLine_write(-1, "Vurn Software, vender=" + version.companyName + "     version=" + gRun.versionText, "TASK");
  TaskLine_write(0, "Start of Vurn software --- Starting at date/time=" + Host_shortDate() + " " + Host_shortTime(),
                 "TASK");
  gRun.issueCounter = 0;
  for (const std::string& line : gRun.issuesBeforeLog) {
    IssueCounter_add("ISSUE");
    writeLogLine(line);
  }
  gRun.issuesBeforeLog.clear();
}

void TaskLine_write(std::int16_t level, std::string_view text, std::string_view kind) {
  IssueCounter_add(kind);
  const int indent = (level - 1) * 3 + 6;
  std::string line(static_cast<size_t>(indent > 0 ? indent : 0), ' ');
  line += text;
  writeIssueLine(kind, line);
}

void ContextLine_write(std::string_view text, std::string_view kind) {
  IssueCounter_add(kind);
  const StatusContext& s = gRun.status;
  std::string line(23, ' ');
  line += "  CPT=" + s.sounding + "  G=" + s.main + "  S=" + s.operations + "  D=" + s.value + "   ";
  line += text;
  writeIssueLine(kind, line);
}

void Error_report(std::string_view description, std::string_view identifier) {
  if (gRun.errorReported) throw ErrorHalt(std::string(identifier), std::string(description));
  gRun.errorReported = true;
  openLogForErrorRecord();

  const StatusContext& s = gRun.status;
  writeLogLine("Error--------------------------start");
  writeLogLine("Error description =" + std::string(description));
  writeLogLine("Error main = " + s.main);
  writeLogLine("Error operations = " + s.operations);
  writeLogLine("processing");
  writeLogLine("Error sounding  = " + s.sounding);
  writeLogLine("input");
  writeLogLine("output");
  writeLogLine("Error depth = " + s.value);
  writeLogLine("Error---------------------------------end");
  gRun.log.flush();

  ErrorControl("errorCode8lbl").caption = std::string(identifier);
  ErrorControl("ErrorDescription8lbl").caption = std::string(description);
  ErrorControl("HighLevel8lbl").caption = s.main;
  ErrorControl("Operations8lbl").caption = s.operations;
  ErrorControl("Probe8lbl").caption = s.sounding;
  ErrorControl("inputFile8lbl").caption = s.inputFile;
  ErrorControl("OutputFile8lbl").caption = s.outputFile;
  ErrorControl("Processing8lbl").caption = s.process;
  ErrorControl("value8lbl").caption = s.value;
  gWindow.error.visible = true;
  if (gWindowHooks.showErrorWindow) gWindowHooks.showErrorWindow();

  throw ErrorHalt(std::string(identifier), std::string(description));
}

void IssueCounter_add(std::string_view kind) {
  if (kind != "ISSUE") return;
  Control& counter = MainControl("IssuesCounter8lbl");
  Control& title = MainControl("IssuesCounterTITLE8lbl");
  counter.visible = true;
  title.visible = true;
  if (gRun.issueCounter < INT16_MAX) ++gRun.issueCounter;
  counter.caption = std::to_string(gRun.issueCounter);
}

void IssueCounter_hide() {
  MainControl("IssuesCounter8lbl").visible = false;
  MainControl("IssuesCounterTITLE8lbl").visible = false;
}
