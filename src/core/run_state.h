// The run-state record: the one process-wide record that every subsystem reads
// and writes directly. It lives from program start to program end; start-up
// fills the identity fields, each run start reads the window options into it,
// and the setup file's five values travel through it.
//
// Files that several subsystems write to (the task and issue log, the current
// Q1o table, the chart-direction side file) and the sounding database that the
// run reads row by row are held here as handles; RunState_closeFiles closes all
// of them, which is what the top level does on a halt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/null_value.h"
#include "platform/text_file.h"

// The remembered status context of the reporting facility: the last text shown
// in each of the first seven status fields.
struct StatusContext {
  std::string main;
  std::string operations;
  std::string sounding;
  std::string inputFile;
  std::string outputFile;
  std::string process;
  std::string value;
};

struct RunState {
  // Identity, paths and environment (start-up).
  std::string projectName;
  std::string dataArea;      // "C:\Vurn", without a trailing backslash
  std::string programDrive;  // drive letter and colon, "P:"
  std::string versionText;   // "8.0.6"
  std::string releaseDate;   // "2016 Oct 12"
  std::string companyName;
  std::string computerName;
  std::string zeroLoadFileName;

  // Window options, read at each run start.
  std::string lineBreakdownWanted{NullText};  // "True" / "False"
  float lowestQcStartDepthFeet = NullValue;
  std::string nk{NullText};
  std::string coneNormalizationMethod{NullText};  // "TAVIK", "TAVIK_SF", "PROB" or "-5435"
  std::string outputColumnSource{UnsetText};      // "INTERNAL", "FILE" or "-5434"
  std::string fieldDataFileType{NullText};        // "HOG", "AEG", "SIMPLE" or "-5435"
  std::string chartDataSource{UnsetText};         // "INTERNAL", "FILE" or "-5434"
  bool writeChartData = false;
  std::string soilTypeMethod{NullText};  // "Tavik", "Robertson" or "-5435"
  float earthquakeMagnitude = NullValue;
  std::string earthquakeMagnitudeText;  // as typed
  std::string earthquakeCsrFile;
  std::string earthquakeAmaxText;       // peak ground acceleration (g) as typed; "" when not given

  // Setup file values, carried from one program use to the next.
  std::string lastUnits;
  std::string lastUser;
  std::string lastProject;
  std::string lastEquipment;
  std::string lastError;
  std::string setupMarker{"ROW2_VURN_SETUP_V4"};
  // The earthquake inputs last used (magnitude, CSR file, amax, as typed),
  // kept when the setup file holds them or a run has set them.
  bool lastEarthquakeKept = false;
  std::string lastEqMagnitude, lastEqCsrFile, lastEqAmax;

  // Status context and log.
  StatusContext status;
  bool errorReported = false;
  std::int16_t issueCounter = 0;
  std::string logPath;
  TextWriter log;
  // Issue lines written while the log was not open yet (the setup file is read
  // at start-up before the log is created), at most 100; TasksAndIssues_open
  // writes them.
  std::vector<std::string> issuesBeforeLog;

  // Run counters and shared handles.
  std::int16_t soundingsProcessed = 0;
  TextReader soundingDatabase;
  TextWriter q1oFile;
  TextWriter chartDirectionFile;
  TextWriter zeroLoadReport;

  // True from the start of a run to its end, so that a second run never starts
  // inside a running one.
  bool runInProgress = false;
};

// The record itself.
extern RunState gRun;

// Back to the state of a program that has not started (closes every file).
void RunState_reset();

// Closes every file the record holds (the log last, so it keeps everything).
void RunState_closeFiles();
