// Reading and writing the setup file.
#include "app/setup_file.h"

#include <cctype>

#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "files/paths.h"
#include "files/split.h"
#include "files/text.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"

namespace {

constexpr const char* kMarker = "ROW2_VURN_SETUP_V4";

}  // namespace

std::string SetupFile_path() { return PathOf("SOFTWARE") + "Vurn-Setup.txt"; }
std::string SetupBackup_path() { return PathOf("SOFTWARE") + "Vurn-Setup-BACKUP.txt"; }

namespace {

// The five values of one setup file and the first fault found in it (an empty
// identifier when there is none).
struct SetupContent {
  std::string units, user, project, equipment, error;
  bool earthquakeKept = false;
  std::string eqMagnitude, eqCsrFile, eqAmax;
  std::string faultId;
  std::string faultText;
};

void setFault(SetupContent& content, std::string id, std::string text) {
  content.faultId = std::move(id);
  content.faultText = std::move(text);
}

// Reads one setup file (the setup file itself or its backup) without reporting.
SetupContent SetupFile_parse(const std::string& path) {
  SetupContent content;
  TextReader file;
  if (!file.open(path)) {
    setFault(content, "ESF812", "Vurn can't read setup file: " + path + ", either already open or does not exist");
    return content;
  }
  int sum = 0;
  int expected = 0;
  bool secondLine = false;
  std::string line;
  for (int i = 1; i <= 9999 && file.readLine(line); ++i) {
    const std::string upper = TrimmedUpper(line);
    std::string key;
    std::string value;
    if (upper == kMarker) {
      key = kMarker;
    } else if (upper == "END" || upper == "EOH") {
      key = "END";
    } else {
      bool found = false;
      SplitKeyValue(line, key, value, found);
      if (!found && i != 1) {
        setFault(content, "SF931", "bad setup File ---> contains a bad line= " + line);
        return content;
      }
      key = TrimmedUpper(key);
    }

    if (key == kMarker) {
      // The marker belongs on line 2 only; found anywhere else it ends the
      // reading as a file whose second line is wrong.
      if (i != 2) {
        secondLine = false;
        break;
      }
      secondLine = true;
      sum += 1;
    } else if (key == "LAST_UNITS") {
      content.units = value;
      sum += 2;
    } else if (key == "LAST_USER") {
      content.user = value;
      sum += 4;
    } else if (key == "LAST_PROJECT") {
      content.project = value;
      sum += 8;
    } else if (key == "LAST_EQUIPMENT") {
      content.equipment = value;
      sum += 16;
    } else if (key == "LAST_ERROR") {
      content.error = value;
      sum += 32;
    } else if (key == "LAST_EQ_MB" || key == "LAST_EQ_CSR_FILE" || key == "LAST_EQ_AMAX") {
      content.earthquakeKept = true;
      (key == "LAST_EQ_MB" ? content.eqMagnitude : key == "LAST_EQ_AMAX" ? content.eqAmax : content.eqCsrFile) =
          TrimBlanks(value);
    } else if (key == "END") {
      sum += 64;
      expected = 127;
    }
  }

  if (!secondLine) {
    setFault(content, "YV803", std::string("bad setup File ---> second line must be= ") + kMarker);
  } else if (sum != expected) {
    setFault(content, "YV777",
             "bad setup File ---> not all required items are in the file; ---> ID=" + std::to_string(sum) + "/" +
                 std::to_string(expected));
  }
  return content;
}

}  // namespace

void Setup_read() {
  Status_show("Setup file reading", "", "", "", "", "", "", "WS182");
  const std::string path = SetupFile_path();
  const std::string backup = SetupBackup_path();
  SetupContent content = SetupFile_parse(path);
  // A setup file that is missing or incomplete while its backup is there was
  // lost while being written: the backup holds the values from before that
  // write, so it is taken and put back in place of the setup file.
  if (!content.faultId.empty() && Host_fileExists(backup)) {
    SetupContent saved = SetupFile_parse(backup);
    if (saved.faultId.empty()) {
      TaskLine_write(1, "setup file " + path + " was missing or incomplete (" + content.faultId + "), its backup " +
                            backup + " was used instead",
                     "ISSUE");
      if (Host_copyFile(backup, path)) Host_deleteFile(backup);
      content = std::move(saved);
    }
  }
  if (!content.faultId.empty()) Error_report(content.faultText, content.faultId);
  gRun.lastUnits = content.units;
  gRun.lastUser = content.user;
  gRun.lastProject = content.project;
  gRun.lastEquipment = content.equipment;
  gRun.lastError = content.error;
  gRun.lastEarthquakeKept = content.earthquakeKept;
  gRun.lastEqMagnitude = content.eqMagnitude;
  gRun.lastEqCsrFile = content.eqCsrFile;
  gRun.lastEqAmax = content.eqAmax;
  PathName_checkSafe("Last_Project", gRun.lastProject);
  gRun.projectName = gRun.lastProject;
}

void SetupEarthquake_toWindow() {
  if (!gRun.lastEarthquakeKept) return;
  MainControl("EQ_Mb_8txt").text = gRun.lastEqMagnitude;
  MainControl("EQ_CSR_file_8txt").text = gRun.lastEqCsrFile;
  MainControl("EQ_amax_8txt").text = gRun.lastEqAmax;
}

void SetupEarthquake_fromRun() {
  gRun.lastEarthquakeKept = true;
  gRun.lastEqMagnitude = TrimBlanks(gRun.earthquakeMagnitudeText);
  gRun.lastEqCsrFile = TrimBlanks(gRun.earthquakeCsrFile);
  gRun.lastEqAmax = TrimBlanks(gRun.earthquakeAmaxText);
}

void Setup_write() {
  Status_show("Setup File writing", " ", " ", " ", " ", " ", " ", "SFW112");
  const std::string path = SetupFile_path();
  const std::string backup = SetupBackup_path();
  if (!Host_copyFile(path, backup)) {
    Error_report("can't make backup copy of setup file ---> from " + path + " to --->" + backup, "ESF342");
  }
  TextWriter file;
  if (!file.open(path, TextWriter::Mode::Replace)) {
    Error_report("can't write setup file to " + path + ", maybe open by another program? e=" +
                     std::to_string(file.error()),
                 "ESF112");
  }
  file.writeLine("Vurn software setup file");
  file.writeLine(kMarker);
  file.writeLine("Last_Units=" + gRun.lastUnits);
  file.writeLine("Last_user=" + gRun.lastUser);
  file.writeLine("Last_Project=" + gRun.lastProject);
  file.writeLine("Last_Equipment=" + gRun.lastEquipment);
  file.writeLine("Last_Error=" + gRun.lastError);
  if (gRun.lastEarthquakeKept) {
    file.writeLine("Last_EQ_Mb=" + gRun.lastEqMagnitude);
    file.writeLine("Last_EQ_CSR_file=" + gRun.lastEqCsrFile);
    file.writeLine("Last_EQ_amax=" + gRun.lastEqAmax);
  }
  file.writeLine("End");
  // The backup goes only once the whole file is on disk; a write that failed
  // part way (a full disk) leaves it for the next Setup_read.
  if (!file.close()) {
    Error_report("can't write setup file to " + path + ", maybe open by another program? e=" +
                     std::to_string(file.error()),
                 "ESF112");
  }
  Host_deleteFile(backup);
}
