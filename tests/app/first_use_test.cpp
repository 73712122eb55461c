// First-use preparation on a fresh and on an existing data area.
#include "app/first_use.h"

#include "app/commands.h"
#include "app/program.h"
#include "core/run_state.h"
#include "platform/host_paths.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class FirstUseTest : public VurnTest {};

TEST_F(FirstUseTest, FreshDataAreaGetsTheTreeSetupListAndExample) {
  installDataArea();
  for (const char* folder : {"Projects", "software", "SLD data files for plotting", "SLD input"}) {
    EXPECT_TRUE(Host_folderExists(std::string("C:\\Vurn\\") + folder)) << folder;
  }
  for (const char* file : {"software\\Vurn-Setup.txt", "software\\Vurn.exe",
                           "Projects\\ExampleONE\\Vurn_SoundingS---ExampleONE.csv",
                           "Projects\\ExampleONE\\Soundings\\VOORNE-17_8.CPT",
                           "Projects\\ExampleONE\\Soundings\\VOORNE-17_8.source.txt"}) {
    EXPECT_TRUE(Host_fileExists(std::string("C:\\Vurn\\") + file)) << file;
  }
  EXPECT_EQ(Host_list("C:\\Vurn\\Projects\\Vurn_ProjectS---*.csv", false).size(), 1u);
  EXPECT_EQ(gRun.status.operations, "DONE with making directories and ExampleOne data");
  // The bundled list already names the example project: no second row.
  const std::string list = readHostFile(Host_resolve("C:\\Vurn\\Projects\\Vurn_ProjectS---Vurn.csv"));
  EXPECT_EQ(list.find("ExampleONE,"), list.rfind("ExampleONE,"));
}

TEST_F(FirstUseTest, SecondFirstUseKeepsTheUsersFilesAndRefreshesTheExample) {
  installDataArea();
  const fs::path setup = Host_resolve("C:\\Vurn\\software\\Vurn-Setup.txt");
  const fs::path list = Host_resolve("C:\\Vurn\\Projects\\Vurn_ProjectS---Vurn.csv");
  const fs::path example = Host_resolve("C:\\Vurn\\Projects\\ExampleONE\\Soundings\\VOORNE-17_8.CPT");
  writeHostFile(fs::relative(setup, driveC()).string(), "user setup");
  writeHostFile(fs::relative(list, driveC()).string(), "user list");
  writeHostFile("Vurn/SLD input/SLD-Vurn-Mine.csv", "user chart");
  writeHostFile("Vurn/SLD input/SLD-Vurn-Ic.csv", "user's own Ic chart");
  writeHostFile(fs::relative(example, driveC()).string(), "damaged");
  installDataArea();
  EXPECT_EQ(readHostFile(setup), "user setup");
  EXPECT_EQ(readHostFile(list), "user list");
  EXPECT_EQ(readHostFile(driveC() / "Vurn" / "SLD input" / "SLD-Vurn-Mine.csv"), "user chart");
  EXPECT_EQ(readHostFile(driveC() / "Vurn" / "SLD input" / "SLD-Vurn-Ic.csv"), "user's own Ic chart");
  EXPECT_NE(readHostFile(example), "damaged");
}

TEST_F(FirstUseTest, UsersOwnProjectListIsNotJoinedByASecondOne) {
  writeHostFile("Vurn/Projects/Vurn_ProjectS---Mine.csv",
                "{PROJECT_FILE_DIRECTORY},{PROJECT_NAME}\r\nMine,Mine\r\n");
  installDataArea();
  EXPECT_EQ(Host_list("C:\\Vurn\\Projects\\Vurn_ProjectS---*.csv", false),
            (std::vector<std::string>{"Vurn_ProjectS---Mine.csv"}));
  // The example project was made through the user's list.
  EXPECT_NE(readHostFile(driveC() / "Vurn/Projects/Vurn_ProjectS---Mine.csv").find("\"ExampleONE\",,,,"),
            std::string::npos);
}

}  // namespace

TEST_F(FirstUseTest, ADriveFolderThatDoesNotExistIsAHostErrorNamingIt) {
  const fs::path missing = driveC() / "no such folder";
  HostDrive_set('C', missing);
  const ProgramOutcome outcome = Program_guard([this] { installDataArea(); });
  EXPECT_EQ(outcome.end, ProgramEnd::HostError);  // vurn-batch exit code 5, not an error without its record
  EXPECT_EQ(outcome.description, "First use: the folder for drive C: does not exist (" + missing.string() +
                                     "); make it, or put the drive at an existing folder");
  EXPECT_FALSE(fs::exists(missing));
}
