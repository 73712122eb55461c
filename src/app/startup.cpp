// General set-up at program start.
#include "app/startup.h"

#include "app/setup_file.h"
#include "core/halt.h"
#include "core/report.h"
#include "core/run_state.h"
#include "core/screen_mode.h"
#include "core/window_model.h"
#include "files/text.h"
#include "platform/host_env.h"
#include "platform/host_paths.h"

std::string ProgramDrive_of(const std::string& programFolder) {
  return (TrimBlanks(programFolder) + "  ").substr(0, 2);
}

void StartUp_identify() {
  gRun.errorReported = false;
  Status_show("Starting Vurn", "Doing General setups", " ", "checking for drive", " ", " ", " ", "MM912");
  Screen_mode("CHECK BEFORE COMPILING");

  const VersionInfo version = Host_versionInfo();
  gRun.versionText =
      std::to_string(version.major) + "." + std::to_string(version.minor) + "." + std::to_string(version.revision);
  gRun.releaseDate = version.comments;
  gRun.companyName = version.companyName;
  MainControl("VurnVersion8lbl").caption = "Vurn Version = " + gRun.versionText;
  MainControl("VurnVersionDate8lbl").caption = gRun.releaseDate;

  gRun.computerName = Host_computerName();
  gRun.programDrive = ProgramDrive_of(HostProgram_folder());
  gRun.dataArea =
      MainControl("ForceVurnToUseCdrive8cmd").value == 1 ? std::string("C:\\Vurn") : gRun.programDrive + "\\Vurn";
  MainControl("VurnSystemArea8lbl").caption =
      "EXE drive=" + gRun.programDrive + "\\   and   Vurn data area= " + gRun.dataArea;
  gRun.projectName = "ExampleOne";
}

void General_setup() {
  StartUp_identify();
  if (!Host_folderExists(gRun.dataArea)) {
    Status_show("Vurn data area is missing", "Prepare Vurn for the first use", " ", " ", " ", " ", " ", "MM913");
    throw HostFailure(HostFailure::Kind::DataAreaMissing,
                      "the Vurn data area " + gRun.dataArea + " does not exist (host folder " +
                          Host_resolve(gRun.dataArea).string() + "); prepare Vurn for the first use");
  }

  Setup_read();
  SetupEarthquake_toWindow();
  TasksAndIssues_open();
}
