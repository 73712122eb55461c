// The headless batch command.
#include "cli/batch.h"

#include "app/commands.h"
#include "app/program.h"
#include "app/run.h"
#include "app/startup.h"
#include "cli/batch_options.h"
#include "core/phase_times.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"

namespace {

void printSummary(std::ostream& out) {
  out << MainControl("HighLevel8lbl").caption << "\n";
  for (const char* name : {"Operations8lbl", "Probe8lbl", "OutputFile8lbl", "Processing8lbl"}) {
    out << "  " << MainControl(name).caption << "\n";
  }
  out << "  Tasks and issues: " << gRun.logPath << "\n";
  if (gRun.issueCounter > 0) out << "  Issues counter=" << gRun.issueCounter << "\n";
}

// One line the throughput benchmark reads: seconds per phase.
void printPhaseTimes(std::ostream& out) {
  const auto& t = gPhaseTimes.seconds;
  out << "phase times (s): read " << t[static_cast<size_t>(RunPhase::Read)] << " compute "
      << t[static_cast<size_t>(RunPhase::Compute)] << " write " << t[static_cast<size_t>(RunPhase::Write)]
      << " chart-lookup " << t[static_cast<size_t>(RunPhase::ChartLookup)] << "\n";
}

}  // namespace

int Batch_main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               BatchPictureWriter pictures) {
  const BatchOptions options = BatchOptions_parse(args);
  if (options.error.empty() && options.pictures && !pictures) {
    err << "vurn-batch: --pictures needs the picture library, which this build of vurn-batch has not "
           "(it comes with the window program: build with VURN_BUILD_GUI=ON)\n";
    return kExitUsage;
  }
  if (!options.error.empty()) {
    err << "vurn-batch: " << options.error << "\n" << "Try vurn-batch --help\n";
    return kExitUsage;
  }
  if (options.showHelp) {
    out << BatchOptions_usage();
    return kExitCompleted;
  }
  if (options.showVersion) {
    const VersionInfo v = Host_versionInfo();
    out << "Vurn " << v.major << "." << v.minor << "." << v.revision << " (" << v.comments << ")\n";
    return kExitCompleted;
  }
  for (const auto& [letter, folder] : options.drives) HostDrive_set(letter, folder);

  out << "Drive C: is " << HostDrive_root('C').string() << "\n";
  gWindowHooks.soundingStarted = [&out](int sequence, const std::string& fileName) {
    out << "Sounding " << sequence << ": " << fileName << "\n" << std::flush;
  };

  if (options.phaseTimes) gPhaseTimes.enabled = true;
  const ProgramOutcome outcome = Program_guard([&options, &out] {
    if (options.firstUse) Command_firstUse();
    General_setup();
    BatchOptions_applyTexts(options);
    if (!options.newProject.empty()) Command_newProject(options.newProject);
    if (!options.project.empty()) Command_pickProject(options.project);
    if (options.addSoundings) {
      for (const std::string& line : Command_addSoundings()) out << "Add soundings: " << line << "\n";
      return;
    }
    Main_run();
    if (options.plotCharts) Command_writeChartFilesForPlotting();
  });
  switch (outcome.end) {
    case ProgramEnd::Completed: {
      printSummary(out);
      if (options.phaseTimes) printPhaseTimes(out);
      std::string message;
      if (options.pictures && !pictures(out, message)) {
        err << "vurn-batch: pictures: " << message << "\n";
        return kExitHostError;
      }
      return kExitCompleted;
    }
    case ProgramEnd::ErrorReported:
      err << "Vurn error " << outcome.identifier << ": " << outcome.description << "\n";
      if (!gRun.logPath.empty()) err << "The error record is in " << gRun.logPath << "\n";
      return kExitErrorReported;
    case ProgramEnd::FatalStop:
      err << "Vurn stopped: " << outcome.description << "\n";
      return kExitFatalStop;
    case ProgramEnd::DataAreaMissing:
      err << "vurn-batch: " << outcome.description << ": run vurn-batch --first-use.\n";
      return kExitDataAreaMissing;
    case ProgramEnd::HostError:
      err << "vurn-batch: " << outcome.description << "\n";
      return kExitHostError;
  }
  return kExitHostError;
}
