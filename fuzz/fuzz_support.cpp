// Shared fuzz harness support.
#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/program.h"
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
  driveRoot() = fs::temp_directory_path() / ("vurn-fuzz-" + std::to_string(device()) + "-" + std::to_string(device()));
  fs::create_directories(driveRoot() / "c" / "Vurn" / "software");
  fs::create_directories(driveRoot() / "c" / "Vurn" / "Projects" / "P1" / "Soundings");
  fs::create_directories(driveRoot() / "p");
  std::atexit(removeDrive);
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
  Engine_reset();
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
