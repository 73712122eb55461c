// Shared fuzz harness support.
#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/program.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
#include "project/project_list.h"
#include "project/sounding_db.h"
#include "q1o/column_id.h"
#include "q1o/columns.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"

namespace fs = std::filesystem;

namespace {

fs::path& driveRoot() {
  static fs::path root;
  return root;
}

void removeDrive() {
  std::error_code ec;
  fs::remove_all(driveRoot(), ec);
}

void prepareDrive() {
  if (!driveRoot().empty()) return;
  std::random_device device;
  // A memory-backed folder where the host has one: every input writes files.
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  driveRoot() = base / ("vurn-fuzz-" + std::to_string(device()) + "-" + std::to_string(device()));
  fs::create_directories(driveRoot() / "c" / "Vurn" / "software");
  fs::create_directories(driveRoot() / "c" / "Vurn" / "Projects" / "P1" / "Soundings");
  fs::create_directories(driveRoot() / "p");
  std::atexit(removeDrive);
}

}  // namespace

namespace {

// Every record a reader of this folder's harnesses reads or writes back to
// its starting state. The first input resets the whole engine (Engine_reset);
// later ones leave out the zero-load records, the chart table and the chart
// predictions, which no harness's reader touches except the chart reader's
// slot 1, which that reader resets itself. Those three are most of the time
// Engine_reset takes.
void resetReadersRecords() {
  static bool wholeEngineReset = false;
  if (!wholeEngineReset) {
    Engine_reset();
    wholeEngineReset = true;
    return;
  }
  Engine_resetReaderRecords();
}

}  // namespace

void FuzzInput_begin() {
  prepareDrive();
  HostDrives_reset();
  HostDrive_set('C', driveRoot() / "c");
  HostDrive_set('P', driveRoot() / "p");
  HostClock_reset();
  WindowHooks_reset();
  TextWriter_failOpensOf("");
  TextWriter_failWritesOf("", 0);
  resetReadersRecords();
  gRun.dataArea = "C:\\Vurn";
  gRun.versionText = "8.0.6";
  gRun.projectName = "P1";
  TasksAndIssues_open();
}

void FuzzInput_beginWithoutFiles() {
  static bool started = false;
  if (!started) {
    FuzzInput_begin();
    gRun.log.close();
    // No data area: an error report would otherwise open the log to write its
    // record there.
    gRun.dataArea.clear();
    started = true;
  }
  gRun.errorReported = false;
}

void FuzzFile_write(std::string_view relative, std::string_view bytes) {
  fs::path path = driveRoot() / "c";
  std::string part;
  for (char c : relative) {
    if (c == '\\') {
      path /= part;
      part.clear();
    } else {
      part += c;
    }
  }
  path /= part;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Fuzz_guard(const std::function<void()>& work) {
  Program_guard(work);
  gRun.log.close();
}
