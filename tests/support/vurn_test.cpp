// Shared test fixture.
#include "support/vurn_test.h"

#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "app/commands.h"
#include "app/program.h"
#include "app/startup.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "sld/chart_table.h"

namespace fs = std::filesystem;

namespace {
// The host, hooks and failure hooks as at program start.
void resetHost() {
  HostDrives_reset();
  HostClock_reset();
  WindowHooks_reset();
  TextWriter_failOpensOf("");
  TextWriter_failWritesOf("", 0);
  TextReader_failOpensOf("");
}
}  // namespace

void VurnTest::SetUp() {
  std::random_device device;
  root_ = fs::temp_directory_path() / ("vurn-test-" + std::to_string(device()) + "-" + std::to_string(device()));
  driveC_ = root_ / "c";
  driveP_ = root_ / "p";
  fs::create_directories(driveC_);
  fs::create_directories(driveP_);
  resetHost();
  HostDrive_set('C', driveC_);
  HostDrive_set('P', driveP_);
  Engine_reset();
}

void VurnTest::TearDown() {
  RunState_reset();
  resetHost();
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void VurnTest::openLog() {
  fs::create_directories(driveC_ / "Vurn");
  gRun.dataArea = "C:\\Vurn";
  gRun.versionText = "8.0.6";
  TasksAndIssues_open();
}

void VurnTest::useProject(const std::string& name) {
  gRun.dataArea = "C:\\Vurn";
  gRun.projectName = name;
  fs::create_directories(dataArea() / "Projects" / name);
}

void VurnTest::installDataArea() {
#ifdef VURN_BATCH_PATH
  HostProgram_set(VURN_BATCH_PATH);  // the program file first use copies
#endif
#ifdef VURN_SOURCE_DIR
  HostDrive_set('P', fs::path(VURN_SOURCE_DIR) / "dist");
#endif
  Command_firstUse();
  gRun.errorReported = false;
}

void VurnTest::loadBuiltInCharts() {
  gRun.chartDataSource = "INTERNAL";
  Charts_load();
  RequiredCharts_check();
}

void VurnTest::startUp() {
  if (!fs::exists(dataArea())) installDataArea();
  General_setup();
}

std::vector<std::string> VurnTest::logLines() const {
  gRun.log.flush();
  const fs::path path = Host_resolve(gRun.logPath);
  std::istringstream in(readHostFile(path));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void VurnTest::writeHostFile(const std::string& relative, const std::string& bytes) const {
  const fs::path path = driveC_ / relative;
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::uint64_t VurnTest::exampleOutputsChecksum(std::size_t& files) const {
  if (gRun.log.isOpen()) gRun.log.flush();
  std::map<std::string, std::string> outputs;
  for (const auto& entry : fs::recursive_directory_iterator(dataArea())) {
    const std::string name = entry.path().filename().string();
    const bool output = name.find("_Q1o.txt") != std::string::npos ||
                        name.find("SLD direction info") != std::string::npos ||
                        name.find("Zero_Load_Data") != std::string::npos ||
                        name.find("Tasks_and_Issues") != std::string::npos;
    if (entry.is_regular_file() && output) outputs[fs::relative(entry.path(), driveC_).string()] = readHostFile(entry.path());
  }
  std::uint64_t h = 1469598103934665603ULL;
  const auto add = [&h](const std::string& bytes) {
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
  };
  for (const auto& [name, bytes] : outputs) add(name), add(bytes);
  files = outputs.size();
  return h;
}

ErrorHalt HaltOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const ErrorHalt& halt) {
    return halt;
  }
  ADD_FAILURE() << "nothing was reported";
  return ErrorHalt("", "");
}

std::string VurnTest::readHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}
