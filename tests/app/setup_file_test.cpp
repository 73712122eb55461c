// The setup file: round trip, every error, the backup.
#include "app/setup_file.h"

#include "core/run_state.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class SetupFileTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    fs::create_directories(dataArea() / "software");
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "ExampleOne";
  }
  void writeSetup(const std::string& text) { writeHostFile("Vurn/software/Vurn-Setup.txt", text); }
  std::string setupText() const { return readHostFile(dataArea() / "software" / "Vurn-Setup.txt"); }
};

const char* kComplete =
    "Vurn software setup file\r\nROW2_VURN_SETUP_V4\r\nLast_Units=ENGLISH\r\nLast_user=ann\r\n"
    "Last_Project=Harbour\r\nLast_Equipment=rig 7\r\nLast_Error=\r\nEnd\r\n";

TEST_F(SetupFileTest, WrittenFileReadsBackWithAllValues) {
  writeSetup(kComplete);
  Setup_read();
  EXPECT_EQ(gRun.projectName, "Harbour");
  EXPECT_EQ(gRun.lastUser, "ann");
  EXPECT_EQ(gRun.lastEquipment, "rig 7");
  EXPECT_EQ(gRun.lastError, "");
  gRun.lastProject = "Dike";
  Setup_write();
  EXPECT_EQ(setupText(),
            "Vurn software setup file\r\nROW2_VURN_SETUP_V4\r\nLast_Units=ENGLISH\r\nLast_user=ann\r\n"
            "Last_Project=Dike\r\nLast_Equipment=rig 7\r\nLast_Error=\r\nEnd\r\n");
  EXPECT_FALSE(Host_exists(SetupBackup_path()));
  Setup_read();
  EXPECT_EQ(gRun.projectName, "Dike");
}

TEST_F(SetupFileTest, KeysInAnyCaseMarkerAndEndTrimmedAfterEndItemsStillCount) {
  writeSetup(
      "title\nrow2_vurn_setup_v4  \nLAST_UNITS=m\nlast_user=x\nLAST_PROJECT = P1\nLast_Equipment=\n eoh \n"
      "Last_Error=e\nUnknown_Key=ignored\n");
  Setup_read();
  EXPECT_EQ(gRun.projectName, "P1");
  EXPECT_EQ(gRun.lastError, "e");
}

TEST_F(SetupFileTest, EveryReadError) {
  const struct {
    const char* name;
    std::string text;
    const char* id;
    std::string description;
  } cases[] = {
      {"blank line after the title", "title\r\nROW2_VURN_SETUP_V4\r\n\r\nEnd\r\n", "SF931",
       "bad setup File ---> contains a bad line= "},
      {"line without =", "title\r\nROW2_VURN_SETUP_V4\r\nLast_Units ENGLISH\r\n", "SF931",
       "bad setup File ---> contains a bad line= Last_Units ENGLISH"},
      {"marker on line 3", "title\r\nLast_Units=x\r\nROW2_VURN_SETUP_V4\r\n", "YV803",
       "bad setup File ---> second line must be= ROW2_VURN_SETUP_V4"},
      {"no marker", "title\r\nLast_Units=x\r\n", "YV803", "bad setup File ---> second line must be= ROW2_VURN_SETUP_V4"},
      {"no LAST_ERROR", "t\r\nROW2_VURN_SETUP_V4\r\nLast_Units=\r\nLast_user=\r\nLast_Project=p\r\nLast_Equipment=\r\nEnd\r\n",
       "YV777", "bad setup File ---> not all required items are in the file; ---> ID=95/127"},
      {"no END", "t\r\nROW2_VURN_SETUP_V4\r\nLast_Units=\r\nLast_user=\r\nLast_Project=p\r\nLast_Equipment=\r\nLast_Error=\r\n",
       "YV777", "bad setup File ---> not all required items are in the file; ---> ID=63/0"},
      {"key twice",
       "t\r\nROW2_VURN_SETUP_V4\r\nLast_Units=\r\nLast_Units=\r\nLast_user=\r\nLast_Project=p\r\nLast_Equipment=\r\n"
       "Last_Error=\r\nEnd\r\n",
       "YV777", "bad setup File ---> not all required items are in the file; ---> ID=129/127"},
      {"project leading outside", std::string(kComplete).replace(std::string(kComplete).find("Harbour"), 7, "..\\x"),
       "PN901", "Last_Project = ..\\x would lead outside its folder (no drive, leading backslash or .. allowed in names)"},
  };
  for (const auto& c : cases) {
    writeSetup(c.text);
    gRun.errorReported = false;
    try {
      Setup_read();
      ADD_FAILURE() << c.name << ": nothing reported";
    } catch (const ErrorHalt& halt) {
      EXPECT_EQ(halt.identifier, c.id) << c.name;
      EXPECT_EQ(halt.description, c.description) << c.name;
    }
  }
}

TEST_F(SetupFileTest, MissingFileIsESF812) {
  try {
    Setup_read();
    FAIL();
  } catch (const ErrorHalt& halt) {
    EXPECT_EQ(halt.identifier, "ESF812");
    EXPECT_EQ(halt.description,
              "Vurn can't read setup file: C:\\Vurn\\software\\Vurn-Setup.txt, either already open or does not exist");
  }
}

TEST_F(SetupFileTest, OnlyTheFirst9999LinesAreRead) {
  std::string text = kComplete;
  text.replace(text.find("End\r\n"), 5, "");
  for (int i = 0; i < 9992; ++i) text += "x=1\r\n";
  text += "End\r\n";  // line 10000: never read, so the sum stays short
  writeSetup(text);
  EXPECT_ERROR_REPORT(Setup_read(), "YV777");
}

TEST_F(SetupFileTest, MissingFileWhenWritingCannotBeBackedUp) {
  gRun.lastProject = "x";
  EXPECT_ERROR_REPORT(Setup_write(), "ESF342");
}

TEST_F(SetupFileTest, FailedWriteLeavesTheBackup) {
  writeSetup(kComplete);
  TextWriter_failOpensOf("\\Vurn-Setup.txt");  // locked by another program
  try {
    Setup_write();
    ADD_FAILURE() << "the write went through";
  } catch (const ErrorHalt& halt) {
    EXPECT_EQ(halt.identifier, "ESF112");
    EXPECT_NE(halt.description.find(", maybe open by another program? e="), std::string::npos);
  }
  EXPECT_EQ(readHostFile(dataArea() / "software" / "Vurn-Setup-BACKUP.txt"), kComplete);
  EXPECT_EQ(setupText(), kComplete);
}

}  // namespace
