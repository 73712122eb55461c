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

// The key rules (trimmed, any case, the current project's folder); unknown
// keys and an unknown project are errors.
TEST_F(PathsTest, KeysAndTheirErrors) {
  EXPECT_EQ(PathOf(" project "), "C:\\Vurn\\Projects\\ExampleONE\\");
  EXPECT_EQ(PathOf("vurn_soundings---*.csv"), "C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---*.csv");
  EXPECT_EQ(PathOf("Sld Vb6"), "C:\\Vurn-VB6\\");
  EXPECT_ERROR_REPORT(PathOf("SOUNDING"), "PATH422");
  gRun.errorReported = false;
  gRun.projectName = "-5435";
  EXPECT_ERROR_REPORT(PathOf("SOFTWARE"), "RS004");
}

TEST_F(PathsTest, FindAndOpenNeedsExactlyOneFileAndCountSkipsFolders) {
  openLog();
  TextReader file;
  writeHostFile("Vurn/Projects/ExampleONE/Vurn_SoundingS---A.csv", "header\r\nrow\r\n");
  fs::create_directories(driveC() / "Vurn/Projects/ExampleONE/Vurn_SoundingS---folder.csv");
  File_find_and_open("project", "Vurn_SoundingS---*.csv", "Reading SoundingS", file);
  std::string line;
  ASSERT_TRUE(file.readLine(line));
  EXPECT_EQ(line, "header");
  EXPECT_EQ(gRun.status.outputFile, "C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---A.csv");
  EXPECT_EQ(File_count_matches("C:\\Vurn\\Projects\\ExampleONE\\Vurn_SoundingS---*.csv"), 1);
  EXPECT_EQ(File_count_matches("C:\\Vurn\\Missing\\*.*"), 0);
  writeHostFile("Vurn/Projects/ExampleONE/VURN_SOUNDINGS---b.CSV", "");
  EXPECT_ERROR_REPORT(File_find_and_open("PROJECT", "Vurn_SoundingS---*.csv", "Reading SoundingS", file), "FP822");
}

// Mode 0 never replaces a file (or a folder of the name), -1 always does, others never copy.
TEST_F(PathsTest, CopyModesNeverReplaceByAccident) {
  writeHostFile("a.txt", "new");
  writeHostFile("b.txt", "old");
  fs::create_directories(driveC() / "folder.txt");
  const struct { const char* source; const char* target; int mode; bool copied; } cases[] = {
      {"C:\\a.txt", "C:\\b.txt", 0, false}, {"C:\\a.txt", "C:\\folder.txt", 0, false},
      {"C:\\a.txt", "C:\\b.txt", 5, false}, {"C:\\a.txt", "C:\\c.txt", 0, true},
      {"C:\\missing.txt", "C:\\d.txt", -1, false},
  };
  for (const auto& c : cases) {
    bool copied = !c.copied;
    File_copy(c.source, c.target, c.mode, copied);
    EXPECT_EQ(copied, c.copied) << c.target << " " << c.mode;
  }
  EXPECT_EQ(readHostFile(driveC() / "b.txt"), "old");
  bool copied = false;
  File_copy("C:\\a.txt", "C:\\b.txt", -1, copied);
  EXPECT_EQ(readHostFile(driveC() / "b.txt"), "new");

  writeHostFile("src/one.csv", "1");
  writeHostFile("src/sub/three.csv", "3");
  fs::create_directories(driveC() / "dst");
  int count = 0;
  Directory_copy_files("C:\\src", "C:\\DST\\", -1, count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(readHostFile(driveC() / "dst" / "one.csv"), "1");
  EXPECT_FALSE(fs::exists(driveC() / "dst" / "sub"));
}

TEST_F(PathsTest, NamesThatLeaveTheirFolderAreRefused) {
  for (const char* safe : {"CPT-01", "a..b", "sub\\CPT-02", "...", ""}) PathName_checkSafe("SOUNDING_NAME", safe);
  for (const char* bad : {"..\\..\\software\\Vurn-Setup", "..", "a\\..\\..\\b", "C:\\x", "\\root", "/etc/x", " .. "}) {
    gRun.errorReported = false;
    const ErrorHalt halt = HaltOf([&] { PathName_checkSafe("SOUNDING_NAME", bad); });
    EXPECT_EQ(halt.identifier, "PN901") << bad;
    EXPECT_NE(halt.description.find(std::string("SOUNDING_NAME = ") + bad), std::string::npos) << halt.description;
  }
}

}  // namespace
