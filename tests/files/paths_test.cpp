// Path keys, file finding by pattern, copying, and refusing names that escape.
#include "files/paths.h"

#include "core/run_state.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class PathsTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "ExampleONE";
  }
};

TEST_F(PathsTest, EveryPathKey) {
  const struct {
    const char* key;
    const char* path;
  } cases[] = {
      {"SLD VB6", "C:\\Vurn-VB6\\"},
      {"SLD INPUT", "C:\\Vurn\\SLD input\\"},
      {"sld", "C:\\Vurn\\SLD input\\"},
      {"SLD-Vurn-*.csv", "C:\\Vurn\\SLD input\\SLD-Vurn-*.csv"},
      {"SLD FOR PLOTTING", "C:\\Vurn\\Projects\\ExampleONE\\SLD for plotting\\"},
      {"SLD OUTPUT", "C:\\Vurn\\Projects\\ExampleONE\\SLD output\\"},
      {"SOFTWARE", "C:\\Vurn\\software\\"},
      {"TEMP", "C:\\Vurn\\software\\"},
      {"temporary", "C:\\Vurn\\software\\"},
      {"EXTRA", "C:\\Vurn\\Tavik extras\\"},
      {"VURN", "C:\\Vurn\\"},
      {"PROJECTS", "C:\\Vurn\\Projects\\"},
      {"PROJECTS---*.CSV", "C:\\Vurn\\Projects\\ProjectS---*.csv"},
      {"project", "C:\\Vurn\\Projects\\ExampleONE\\"},
      {" PROJECT ", "C:\\Vurn\\Projects\\ExampleONE\\"},
      {"SOUNDINGS", "C:\\Vurn\\Projects\\ExampleONE\\SOUNDINGS\\"},
      {"VURN_SOUNDINGS---*.CSV", "C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---*.csv"},
      {"*.CPT", "C:\\Vurn\\Projects\\ExampleONE\\soundings\\*.CPT"},
  };
  for (const auto& c : cases) EXPECT_EQ(PathOf(c.key), c.path) << c.key;
}

TEST_F(PathsTest, UnknownProjectAndUnknownKeyAreErrors) {
  EXPECT_ERROR_REPORT(PathOf("SOUNDING"), "PATH422");
  gRun.errorReported = false;
  gRun.projectName = "-5435";
  EXPECT_ERROR_REPORT(PathOf("SOFTWARE"), "RS004");
}

TEST_F(PathsTest, FindAndOpenNeedsExactlyOneMatch) {
  openLog();
  TextReader file;
  EXPECT_ERROR_REPORT(File_find_and_open("PROJECT", "Vurn_SoundingS---*.csv", "Reading SoundingS", file), "FP829");
  EXPECT_EQ(logLines()[logLines().size() - 9], "Error description =Reading SoundingS, no Vurn_SoundingS---*.csv file");

  gRun.errorReported = false;
  writeHostFile("Vurn/Projects/ExampleONE/Vurn_SoundingS---A.csv", "header\r\nrow\r\n");
  File_find_and_open("project", "Vurn_SoundingS---*.csv", "Reading SoundingS", file);
  ASSERT_TRUE(file.isOpen());
  std::string line;
  ASSERT_TRUE(file.readLine(line));
  EXPECT_EQ(line, "header");
  EXPECT_EQ(gRun.status.operations, "Reading project");
  EXPECT_EQ(gRun.status.outputFile, "C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---A.csv");

  writeHostFile("Vurn/Projects/ExampleONE/VURN_SOUNDINGS---b.CSV", "");
  EXPECT_ERROR_REPORT(File_find_and_open("PROJECT", "Vurn_SoundingS---*.csv", "Reading SoundingS", file), "FP822");
}

TEST_F(PathsTest, CountMatchesFilesOnly) {
  writeHostFile("Vurn/Projects/ProjectS---one.csv", "");
  fs::create_directories(driveC() / "Vurn/Projects/ProjectS---folder.csv");
  EXPECT_EQ(File_count_matches("C:\\Vurn\\Projects\\ProjectS---*.csv"), 1);
  EXPECT_EQ(File_count_matches("C:\\Vurn\\Projects\\Nothing*.csv"), 0);
  EXPECT_EQ(File_count_matches("C:\\Vurn\\Missing\\*.*"), 0);
}

TEST_F(PathsTest, CopyModes) {
  writeHostFile("a.txt", "new");
  writeHostFile("b.txt", "old");
  fs::create_directories(driveC() / "folder.txt");
  bool copied = true;
  File_copy("C:\\a.txt", "C:\\b.txt", 0, copied);  // target exists: kept
  EXPECT_FALSE(copied);
  EXPECT_EQ(readHostFile(driveC() / "b.txt"), "old");
  File_copy("C:\\a.txt", "C:\\folder.txt", 0, copied);  // a folder of that name also counts
  EXPECT_FALSE(copied);
  File_copy("C:\\a.txt", "C:\\b.txt", 5, copied);
  EXPECT_FALSE(copied);
  File_copy("C:\\a.txt", "C:\\b.txt", -1, copied);
  EXPECT_TRUE(copied);
  EXPECT_EQ(readHostFile(driveC() / "b.txt"), "new");
  File_copy("C:\\a.txt", "C:\\c.txt", 0, copied);
  EXPECT_TRUE(copied);
  File_copy("C:\\missing.txt", "C:\\d.txt", -1, copied);
  EXPECT_FALSE(copied);
}

TEST_F(PathsTest, DirectoryCopyTakesFilesNotFolders) {
  writeHostFile("src/one.csv", "1");
  writeHostFile("src/two", "2");
  writeHostFile("src/sub/three.csv", "3");
  fs::create_directories(driveC() / "dst");
  int count = 0;
  Directory_copy_files("C:\\src", "C:\\DST\\", -1, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(readHostFile(driveC() / "dst" / "one.csv"), "1");
  EXPECT_EQ(readHostFile(driveC() / "dst" / "two"), "2");
  EXPECT_FALSE(fs::exists(driveC() / "dst" / "sub"));
}

TEST_F(PathsTest, NamesThatLeaveTheirFolderAreRefused) {
  for (const char* safe : {"CPT-01", "cpt 01.x", "a..b", "sub\\CPT-02", "...", ""}) {
    PathName_checkSafe("SOUNDING_NAME", safe);
  }
  for (const char* bad : {"..\\..\\software\\Vurn-Setup", "..", "a\\..\\..\\b", "C:\\x", "\\root", "/etc/x", " .. "}) {
    gRun.errorReported = false;
    try {
      PathName_checkSafe("SOUNDING_NAME", bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const ErrorHalt& halt) {
      EXPECT_EQ(halt.identifier, "PN901");
      EXPECT_NE(halt.description.find(std::string("SOUNDING_NAME = ") + bad), std::string::npos);
    }
  }
}

}  // namespace
