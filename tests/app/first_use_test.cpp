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

// A fresh data area gets the folders, setup file, program file, one project list and the example with its
// sources; a second first use refreshes the example but keeps every file the user has.
TEST_F(FirstUseTest, FreshDataAreaGetsTheTreeAndASecondFirstUseKeepsTheUsersFiles) {
  installDataArea();
  for (const char* path : {"Projects", "software", "SLD data files for plotting", "SLD input", "software\\Vurn-Setup.txt",
                           "software\\Vurn.exe", "Projects\\ExampleONE\\Vurn_SoundingS---ExampleONE.csv",
                           "Projects\\ExampleONE\\Soundings\\VOORNE-17_8.CPT",
                           "Projects\\ExampleONE\\Soundings\\VOORNE-17_8.source.txt"}) {
    EXPECT_TRUE(Host_exists(std::string("C:\\Vurn\\") + path)) << path;
  }
  EXPECT_EQ(Host_list("C:\\Vurn\\Projects\\Vurn_ProjectS---*.csv", false).size(), 1u);
  EXPECT_EQ(gRun.status.operations, "DONE with making directories and ExampleOne data");
  // The bundled list already names the example project: no second row.
  const std::string list = readHostFile(Host_resolve("C:\\Vurn\\Projects\\Vurn_ProjectS---Vurn.csv"));
  EXPECT_EQ(list.find("ExampleONE,"), list.rfind("ExampleONE,"));

  const char* const users[] = {"Vurn/software/Vurn-Setup.txt", "Vurn/Projects/Vurn_ProjectS---Vurn.csv",
                               "Vurn/SLD input/SLD-Vurn-Mine.csv", "Vurn/SLD input/SLD-Vurn-Ic.csv"};
  for (const char* file : users) writeHostFile(file, std::string("user's ") + file);
  writeHostFile("Vurn/Projects/ExampleONE/Soundings/VOORNE-17_8.CPT", "damaged");
  installDataArea();
  for (const char* file : users) EXPECT_EQ(readHostFile(driveC() / file), std::string("user's ") + file);
  EXPECT_NE(readHostFile(driveC() / "Vurn/Projects/ExampleONE/Soundings/VOORNE-17_8.CPT"), "damaged");
}

TEST_F(FirstUseTest, UsersOwnProjectListIsNotJoinedByASecondOne) {
  writeHostFile("Vurn/Projects/Vurn_ProjectS---Mine.csv", "{PROJECT_FILE_DIRECTORY},{PROJECT_NAME}\r\nMine,Mine\r\n");
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
