// The reporting facility: the one way every subsystem says what it is doing,
// what went wrong in the data, and when it cannot go on.
//
//   - the status panel: eight fields on the main window; the first seven are
//     remembered as the status context (gRun.status);
//   - the task and issue log "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt"
//     in the data area, created anew at each program start and appended to by
//     every run;
//   - the issue counter: lines of kind "ISSUE", counted from program start;
//   - the error report: a ten-line record in the log, the error window, and a
//     halt (ErrorHalt) that unwinds to the program's top level.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The log's file name in the data area.
inline constexpr std::string_view TasksAndIssuesFileName =
    "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt";

// Shows eight texts on the status panel. For each of the first seven fields:
// "" or ".." leaves the field and its remembered value as they are; " " blanks
// both; any other text is shown and remembered. The location code: "" leaves
// code and title; " " blanks both; other text is shown, and an empty title gets
// "Software location (for data error tracing):". Pending window events run
// first, and the main label is bold exactly when the upper-cased main text
// contains "DONE" (normal weight also when main is "").
void Status_show(std::string_view main, std::string_view operations, std::string_view sounding,
                 std::string_view inputFile, std::string_view outputFile, std::string_view process,
                 std::string_view value, std::string_view locationCode);

// Creates the log in the data area (replacing an earlier one), writes the
// version line and the start line, sets the issue counter to 0, then writes
// (and counts) the issue lines kept while no log was open. A log that cannot be
// created throws HostFailure.
void TasksAndIssues_open();

// Counts the line when kind is exactly "ISSUE", then writes
// (level - 1) * 3 + 6 blanks and the text: level -1 no indent, 0 three blanks,
// 6 twenty-one. An issue line written before the log is open is kept for
// TasksAndIssues_open.
void TaskLine_write(std::int16_t level, std::string_view text, std::string_view kind);

// Counts the line when kind is exactly "ISSUE", then writes 23 blanks,
// "  CPT=" sounding, "  G=" main, "  S=" operations, "  D=" value, three blanks
// and the text, from the remembered status context; kept like TaskLine_write's
// before the log is open.
void ContextLine_write(std::string_view text, std::string_view kind);

// Writes the ten-line error record to the log, fills and shows the error window,
// and halts by throwing ErrorHalt. An error reported before the log is open
// (start-up's setup file, first-use preparation) opens the log first when the
// data area exists, so the record is on disk in any case. Once an error has
// been reported, a further call writes and shows nothing but still does not
// return.
[[noreturn]] void Error_report(std::string_view description, std::string_view identifier);

// Raises the counter and shows it with its title when kind is exactly "ISSUE".
void IssueCounter_add(std::string_view kind);

// Hides the counter and its title (the count itself carries on).
void IssueCounter_hide();
