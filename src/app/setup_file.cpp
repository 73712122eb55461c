// Reading and writing the setup file.
#include "app/setup_file.h"

#include <cctype>

#include "core/report.h"
#include "core/run_state.h"
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

void Setup_read() {
  Status_show("Setup file reading", "", "", "", "", "", "", "WS182");
  const std::string path = SetupFile_path();
  TextReader file;
  if (!file.open(path)) {
    Error_report("Vurn can't read setup file: " + path + ", either already open or does not exist", "ESF812");
  }

  int sum = 0;
  int expected = 0;
  bool secondLine = false;
  bool badLine = false;
  std::string badText;
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
        badLine = true;
        badText = line;
        break;
      }
      key = TrimmedUpper(key);
    }

    if (key == kMarker) {
      if (i != 2) {
        secondLine = false;
        break;
      }
      secondLine = true;
      sum += 1;
    } else if (key == "LAST_UNITS") {
      gRun.lastUnits = value;
      sum += 2;
    } else if (key == "LAST_USER") {
      gRun.lastUser = value;
      sum += 4;
    } else if (key == "LAST_PROJECT") {
      gRun.lastProject = value;
      sum += 8;
    } else if (key == "LAST_EQUIPMENT") {
      gRun.lastEquipment = value;
      sum += 16;
    } else if (key == "LAST_ERROR") {
      gRun.lastError = value;
      sum += 32;
    } else if (key == "END") {
      sum += 64;
      expected = 127;
    }
  }

  if (badLine) Error_report("bad setup File ---> contains a bad line= " + badText, "SF931");
  if (!secondLine) Error_report(std::string("bad setup File ---> second line must be= ") + kMarker, "YV803");
  if (sum != expected) {
    Error_report("bad setup File ---> not all required items are in the file; ---> ID=" + std::to_string(sum) + "/" +
                     std::to_string(expected),
                 "YV777");
  }
  file.close();
  PathName_checkSafe("Last_Project", gRun.lastProject);
  gRun.projectName = gRun.lastProject;
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
  file.writeLine("End");
  file.close();
  Host_deleteFile(backup);
}
