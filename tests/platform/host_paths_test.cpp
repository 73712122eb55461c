// Drive mapping, case-insensitive resolution and pattern listing on the host.
#include "platform/host_paths.h"

#include <cstdlib>
#include <fstream>

#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class HostPathsTest : public VurnTest {};

TEST_F(HostPathsTest, EveryComponentResolvesWithoutRegardToCase) {
  writeHostFile("Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT", "x");
  const fs::path expected = driveC() / "Vurn/Projects/ExampleONE/SOUNDINGS/CPT-01.CPT";
  for (const char* path : {"C:\\Vurn\\Projects\\ExampleONE\\SOUNDINGS\\CPT-01.CPT",
                           "c:\\vurn\\projects\\exampleone\\soundings\\cpt-01.cpt",
                           "C:\\VURN\\PROJECTS\\EXAMPLEONE\\Soundings\\Cpt-01.Cpt",
                           "C:/Vurn/Projects/ExampleONE/soundings/CPT-01.CPT"}) {
    EXPECT_EQ(Host_resolve(path), expected) << path;
    EXPECT_TRUE(Host_fileExists(path)) << path;
  }
}

TEST_F(HostPathsTest, NewComponentsAreKeptAsWrittenBelowTheExistingOnes) {
  fs::create_directories(driveC() / "Vurn");
  EXPECT_EQ(Host_resolve("C:\\VURN\\New Folder\\File.TXT"), driveC() / "Vurn" / "New Folder" / "File.TXT");
  EXPECT_TRUE(Host_makeFolder("C:\\vurn\\Projects"));
  EXPECT_TRUE(fs::is_directory(driveC() / "Vurn" / "Projects"));
  EXPECT_TRUE(Host_makeFolder("C:\\VURN\\PROJECTS"));  // exists already: still true
  EXPECT_FALSE(fs::exists(driveC() / "Vurn" / "PROJECTS"));
  EXPECT_FALSE(Host_makeFolder("C:\\Vurn\\missing\\child"));  // parent does not exist
}

TEST_F(HostPathsTest, DotDotNeverClimbsAboveTheDriveRoot) {
  EXPECT_EQ(Host_resolve("C:\\..\\..\\etc"), driveC() / "etc");
  EXPECT_EQ(Host_resolve("C:\\a\\.\\b\\..\\c"), driveC() / "a" / "c");
}

TEST_F(HostPathsTest, DrivesMapByEnvironmentAndUnmappedDrivesResolveToNothing) {
  EXPECT_TRUE(Host_resolve("Q:\\x").empty());
  EXPECT_TRUE(Host_resolve("no drive\\x").empty());
  EXPECT_FALSE(Host_fileExists("Q:\\x"));

  const fs::path q = driveC() / "q-drive";
  fs::create_directories(q);
  ::setenv("VURN_DRIVE_Q", q.c_str(), 1);
  EXPECT_EQ(Host_resolve("q:\\Data"), q / "Data");
  ::unsetenv("VURN_DRIVE_Q");

  // A drive set explicitly wins over the environment.
  ::setenv("VURN_DRIVE_C", "/nonexistent-vurn", 1);
  EXPECT_EQ(HostDrive_root('c'), driveC());
  HostDrives_reset();
  EXPECT_EQ(HostDrive_root('C'), fs::path("/nonexistent-vurn"));
  ::unsetenv("VURN_DRIVE_C");
  ASSERT_NE(std::getenv("HOME"), nullptr);
  EXPECT_EQ(HostDrive_root('C'), fs::path(std::getenv("HOME")));
}

TEST_F(HostPathsTest, ProgramDriveHoldsTheInstallTreeAndTheProgramFile) {
  HostDrives_reset();
  const fs::path programFolder = driveC() / "bin";
  fs::create_directories(programFolder / "Vurn" / "software");
  { std::ofstream(programFolder / "vurn-batch") << "program"; }
  { std::ofstream(programFolder / "Vurn" / "software" / "Vurn-Setup.txt") << "setup"; }
  HostProgram_set(programFolder / "vurn-batch");
  EXPECT_EQ(HostProgram_folder(), "P:\\");
  EXPECT_EQ(Host_resolve("P:\\Vurn.exe"), programFolder / "vurn-batch");
  EXPECT_EQ(Host_resolve("p:\\VURN.EXE"), programFolder / "vurn-batch");
  EXPECT_EQ(Host_resolve("P:\\Vurn\\SOFTWARE\\vurn-setup.txt"), programFolder / "Vurn" / "software" / "Vurn-Setup.txt");
}

TEST_F(HostPathsTest, WildcardsMatchWithoutRegardToCase) {
  const struct { const char* pattern; const char* name; bool matches; } cases[] = {
      {"Vurn_ProjectS---*.csv", "Vurn_ProjectS---Main.csv", true},
      {"Vurn_ProjectS---*.csv", "VURN_PROJECTS---.CSV", true},
      {"Vurn_ProjectS---*.csv", "Vurn_ProjectS---Main.csv.bak", false}, {"*.CPT", "cpt-01.cpt", true},
      {"*.CPT", "cpt-01.cpt1", false}, {"CPT-0?.CPT", "CPT-01.CPT", true}, {"CPT-0?.CPT", "CPT-1.CPT", false},
      {"CPT-0?.CPT", "CPT-012.CPT", false}, {"*.*", "README", true}, {"*", "anything.at.all", true},
      {"a*b*c", "aXXbYYc", true}, {"a*b*c", "aXXbYY", false}, {"SLD-Vurn-*.csv", "SLD-Vurn-Ic.csv", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Host_wildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
  }
}

TEST_F(HostPathsTest, ListingIsFilteredByPatternInCaseInsensitiveOrder) {
  writeHostFile("d/b.csv", "");
  writeHostFile("d/A.csv", "");
  writeHostFile("d/c.CSV", "");
  writeHostFile("d/a.txt", "");
  fs::create_directories(driveC() / "d" / "Folder.csv");
  EXPECT_EQ(Host_list("C:\\D\\*.csv", false), (std::vector<std::string>{"A.csv", "b.csv", "c.CSV"}));
  EXPECT_EQ(Host_list("C:\\d\\*.csv", true), (std::vector<std::string>{"A.csv", "b.csv", "c.CSV", "Folder.csv"}));
  EXPECT_EQ(Host_list("C:\\d\\*.*", true),
            (std::vector<std::string>{".", "..", "A.csv", "a.txt", "b.csv", "c.CSV", "Folder.csv"}));
  EXPECT_EQ(Host_list("C:\\d\\?.txt", false), (std::vector<std::string>{"a.txt"}));
  EXPECT_TRUE(Host_list("C:\\missing\\*.csv", false).empty());
}

TEST_F(HostPathsTest, CopyAndDeleteFiles) {
  writeHostFile("src.txt", "content");
  int error = -1;
  EXPECT_TRUE(Host_copyFile("C:\\SRC.TXT", "C:\\copy.txt", &error));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(readHostFile(driveC() / "copy.txt"), "content");
  writeHostFile("src.txt", "changed");
  EXPECT_TRUE(Host_copyFile("C:\\src.txt", "C:\\Copy.txt"));  // replaces the existing target
  EXPECT_EQ(readHostFile(driveC() / "copy.txt"), "changed");
  EXPECT_FALSE(Host_copyFile("C:\\nothing.txt", "C:\\other.txt", &error));
  EXPECT_NE(error, 0);
  EXPECT_TRUE(Host_deleteFile("C:\\COPY.TXT"));
  EXPECT_FALSE(fs::exists(driveC() / "copy.txt"));
  EXPECT_FALSE(Host_deleteFile("C:\\copy.txt"));
}

TEST_F(HostPathsTest, TextComparisonIgnoresAsciiCaseOnly) {
  EXPECT_TRUE(Text_equalsNoCase("Soundings", "SOUNDINGS"));
  EXPECT_FALSE(Text_equalsNoCase("Sounding", "Soundings"));
  EXPECT_FALSE(Text_equalsNoCase("a_b", "a-b"));
}

}  // namespace
