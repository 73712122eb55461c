// The setup file: round trip, the backup and its use after a failed write.
// (Every read error is in the bad-input corpus.)
#include "app/setup_file.h"

#include "core/run_state.h"
#include "core/window_model.h"
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

// A file from before the earthquake inputs is complete without them; once a run has them, they are written and
// read back with every other value.
TEST_F(SetupFileTest, EarthquakeInputsAreKeptOnceARunHasThem) {
  writeSetup(kComplete);
  Setup_read();
  EXPECT_EQ(gRun.projectName + "|" + gRun.lastUser + "|" + gRun.lastEquipment + "|" + gRun.lastError, "Harbour|ann|rig 7|");
  SetupEarthquake_toWindow();
  EXPECT_EQ(MainControl("EQ_Mb_8txt").text, "7.5") << "the window keeps its default";
  gRun.lastProject = "Dike";
  gRun.earthquakeMagnitudeText = " 6.8 ";
  gRun.earthquakeCsrFile = "C:\\site\\csr.csv";
  gRun.earthquakeAmaxText = "0.3";
  SetupEarthquake_fromRun();
  Setup_write();
  EXPECT_EQ(setupText(),
            "Vurn software setup file\r\nROW2_VURN_SETUP_V4\r\nLast_Units=ENGLISH\r\nLast_user=ann\r\n"
            "Last_Project=Dike\r\nLast_Equipment=rig 7\r\nLast_Error=\r\nLast_EQ_Mb=6.8\r\n"
            "Last_EQ_CSR_file=C:\\site\\csr.csv\r\nLast_EQ_amax=0.3\r\nEnd\r\n");
  EXPECT_FALSE(Host_exists(SetupBackup_path()));
  WindowModel_reset();
  gRun.lastEqMagnitude = gRun.lastEqCsrFile = gRun.lastEqAmax = "";
  Setup_read();
  EXPECT_EQ(gRun.projectName, "Dike");
  SetupEarthquake_toWindow();
  for (auto [name, text] : {std::pair{"EQ_Mb_8txt", "6.8"}, {"EQ_CSR_file_8txt", "C:\\site\\csr.csv"}, {"EQ_amax_8txt", "0.3"}}) {
    EXPECT_EQ(MainControl(name).text, text) << name;
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

// A write that cannot start: no file to back up, or a file another program holds; the file and its backup stay.
TEST_F(SetupFileTest, AWriteThatCannotStartLeavesTheFileAndItsBackup) {
  gRun.lastProject = "x";
  EXPECT_ERROR_REPORT(Setup_write(), "ESF342");
  writeSetup(kComplete);
  TextWriter_failOpensOf("\\Vurn-Setup.txt");
  gRun.errorReported = false;
  const ErrorHalt halt = HaltOf([] { Setup_write(); });
  EXPECT_EQ(halt.identifier, "ESF112");
  EXPECT_NE(halt.description.find(", maybe open by another program? e="), std::string::npos);
  EXPECT_EQ(readHostFile(dataArea() / "software" / "Vurn-Setup-BACKUP.txt"), kComplete);
  EXPECT_EQ(setupText(), kComplete);
}

TEST_F(SetupFileTest, AWriteStoppedAtAnyByteLeavesTheBackupThatTheNextReadTakes) {
  openLog();
  const std::string written = std::string(kComplete).replace(std::string(kComplete).find("Harbour"), 7, "Dike");
  for (std::size_t kept = 0; kept <= written.size(); ++kept) {
    SCOPED_TRACE(kept);
    writeSetup(kComplete);
    gRun.errorReported = false;
    Setup_read();
    gRun.lastProject = "Dike";
    TextWriter_failWritesOf("\\Vurn-Setup.txt", kept);  // the disk fills after `kept` bytes
    if (kept < written.size()) {
      EXPECT_ERROR_REPORT(Setup_write(), "ESF112");
    } else {
      Setup_write();
    }
    TextWriter_failWritesOf("", 0);
    gRun.errorReported = false;
    const int issues = gRun.issueCounter;
    Setup_read();
    const bool whole = kept + 2 >= written.size();  // "End" is there; its line end need not be
    EXPECT_EQ(gRun.projectName, whole ? "Dike" : "Harbour");
    if (!whole) {
      EXPECT_EQ(gRun.issueCounter, issues + 1);
      EXPECT_EQ(setupText(), kComplete) << "the backup is put back";
      EXPECT_FALSE(Host_exists(SetupBackup_path()));
    }
  }
  // A setup file that is gone while its backup is there, found at start-up
  // before the log is open: the issue line reaches the log once it opens.
  gRun.log.close();
  fs::rename(dataArea() / "software" / "Vurn-Setup.txt", dataArea() / "software" / "Vurn-Setup-BACKUP.txt");
  Setup_read();
  EXPECT_EQ(gRun.projectName, "Dike");
  EXPECT_EQ(setupText(), written);
  openLog();
  EXPECT_EQ(gRun.issueCounter, 1);
  const auto lines = logLines();
  EXPECT_NE(lines.back().find("was missing or incomplete (ESF812), its backup C:\\Vurn\\software\\Vurn-Setup-BACKUP.txt"),
            std::string::npos)
      << lines.back();
  // Without a usable backup the setup file's own error stands.
  writeSetup("title\r\n");
  writeHostFile("Vurn/software/Vurn-Setup-BACKUP.txt", "title\r\nROW2_VURN_SETUP_V4\r\n");
  gRun.errorReported = false;
  EXPECT_ERROR_REPORT(Setup_read(), "YV803");
}

}  // namespace
