// Preparing a data area for the first use.
#include "app/first_use.h"

#include <filesystem>
#include <system_error>

#include "compute/zero_load.h"
#include "core/halt.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/paths.h"
#include "platform/host_paths.h"
#include "project/project_list.h"

namespace {

constexpr const char* kExample = "ExampleONE";

// Before the log exists no error record can be written: a folder that cannot
// be made is the host's refusal, told as such, not a later error of a missing
// file.
void makeFolderIfMissing(const std::string& folder) {
  if (!Host_folderExists(folder) && !Host_makeFolder(folder)) {
    throw HostFailure(HostFailure::Kind::FileError,
                      "First use: can't make the folder " + folder + " (host folder " +
                          Host_resolve(folder).string() + ")");
  }
}

// The data area's drive must be an existing host folder: first use makes the
// data area in it, not the drive itself.
void driveFolder_check(const std::string& area) {
  const char letter = area.empty() ? 'C' : area.front();
  const std::filesystem::path root = HostDrive_root(letter);
  std::error_code ec;
  if (root.empty() || !std::filesystem::is_directory(root, ec)) {
    throw HostFailure(HostFailure::Kind::FileError,
                      std::string("First use: the folder for drive ") + letter + ": does not exist (" +
                          (root.empty() ? std::string("the drive is not set") : root.string()) +
                          "); make it, or put the drive at an existing folder");
  }
}

}  // namespace

void FirstUse_prepare() {
  const std::string& area = gRun.dataArea;
  const std::string bundle = gRun.programDrive + "\\Vurn\\";
  Status_show("First use setup", "Start Making New Vurn Directories", "", "", "", "", "", "ICP932");
  driveFolder_check(area);
  makeFolderIfMissing(area);
  makeFolderIfMissing(area + "\\Projects");
  makeFolderIfMissing(area + "\\Software");
  makeFolderIfMissing(area + "\\SLD data files for plotting");
  makeFolderIfMissing(area + "\\SLD input");

  Status_show("", "", "Start Copying Vurn stuff", "", "", "", "", "SC113");
  bool copied = false;
  File_copy(bundle + "software\\Vurn-Setup.txt", area + "\\software\\Vurn-Setup.txt", 0, copied);
  // The drift limits the user may have edited are never replaced.
  File_copy(bundle + "software\\" + kDriftLimitsFileName, area + "\\software\\" + kDriftLimitsFileName, 0, copied);
  File_copy(gRun.programDrive + "\\Vurn.exe", area + "\\software\\Vurn.exe", -1, copied);
  int count = 0;
  // A user's own charts are never overwritten.
  Directory_copy_files(bundle + "SLD input\\", area + "\\SLD input\\", 0, count);
  // The bundled project list is installed only where there is none yet: a
  // second list would make every run stop, and a user's list is never replaced.
  if (File_count_matches(area + "\\Projects\\Vurn_ProjectS---*.csv") == 0) {
    Directory_copy_files(bundle + "Projects\\", area + "\\Projects\\", 0, count);
  }

  Status_show("", "", "Start making directory", kExample, "", "", "", "SC119");
  if (!Host_folderExists(area + "\\Projects\\" + kExample)) {
    bool alreadyExists = false;
    Project_make_new(kExample, alreadyExists);
  }

  Status_show("", "copy exampleOne data", "", "", "", "", "", "SC334");
  Directory_copy_files(bundle + "Projects\\" + kExample + "\\", area + "\\Projects\\" + kExample + "\\", -1, count);
  makeFolderIfMissing(area + "\\Projects\\" + kExample + "\\Soundings");
  Directory_copy_files(bundle + "Projects\\" + kExample + "\\Soundings\\",
                       area + "\\Projects\\" + kExample + "\\Soundings\\", -1, count);
  Status_show("", "DONE with making directories and ExampleOne data", "", "", "", "", "", "SC999");
}
