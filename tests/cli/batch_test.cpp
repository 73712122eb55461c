// The batch command: options, exit codes, printed progress and summary.
#include "cli/batch.h"

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "cli/batch_options.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "platform/host_paths.h"
#include "support/test_charts.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class BatchTest : public VurnTest {
 protected:
  int run(const std::vector<std::string>& args) {
    out.str("");
    err.str("");
    return Batch_main(args, out, err);
  }
  bool printed(const std::string& text) const { return out.str().find(text) != std::string::npos; }
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(BatchTest, OptionsSetTheWindowControls) {
  const BatchOptions o = BatchOptions_parse({"--norm", "prob", "--ic=robertson", "--columns", "INTERNAL", "--sld",
                                             "internal", "--input", "simple", "--no-write-sld", "--no-breakdown",
                                             "--eq-mb", "6.5", "--nk=15", "--lowest-qc-depth", "3",
                                             "--eq-csr", "C:\\x.csv", "--eq-amax", "0.3", "--no-force-c",
                                             "--check-before-compiling"});
  ASSERT_EQ(o.error, "");
  const std::pair<const char*, int> values[] = {
      {"Norm_PRob_8opb", 1}, {"Norm_Tavik_8opb", 0}, {"Ic_calculation_method_PRob_8opb", 1},
      {"Ic_calculation_method_tavik_8opb", 0}, {"Columns_Q1o_Internal_8opb", 1}, {"Columns_Q1o_File_8opb", 0},
      {"SLD_data_location_Internal_8opb", 1}, {"CPT_input_FileType_Simple_8opb", 1}, {"CPT_input_FileType_HOG_8opb", 0},
      {"SLD_data_Write_to_File_8ckb", 0}, {"Show_BreakdownOf_LineInput_8chk", 0}, {"ForceVurnToUseCdrive8cmd", 0},
      {"Check_Before_Compling8chk", 1}};
  for (const auto& [name, value] : values) EXPECT_EQ(MainControl(name).value, value) << name;
  // Start-up puts the setup file's last earthquake inputs in the window; the options given go over them.
  for (const bool again : {false, true}) {
    if (again) MainControl("EQ_amax_8txt").text = "0.1";
    if (again) BatchOptions_applyTexts(o);
    for (const auto& [name, text] : {std::pair{"EQ_Mb_8txt", "6.5"}, {"Nk_8txt", "15"},
                                     {"Depth_lowest_WhenLookingForLowestQc_feet8txt", "3"},
                                     {"EQ_CSR_file_8txt", "C:\\x.csv"}, {"EQ_amax_8txt", "0.3"}}) {
      EXPECT_EQ(MainControl(name).text, text) << name;
    }
  }
}

TEST_F(BatchTest, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--norm", "fancy"}, {"--norm"}, {"--bogus"}, {"--drive", "C"}, {"--drive", "1=/x"}, {"--write-sld=1"},
           {"--pictures=1"}, {"--pictures"}}) {  // this program has no picture writer: refused before any run
    EXPECT_EQ(run(args), kExitUsage) << args[0];
    EXPECT_NE(err.str().find("vurn-batch:"), std::string::npos);
  }
  EXPECT_NE(err.str().find("VURN_BUILD_GUI=ON"), std::string::npos) << err.str();
  EXPECT_EQ(run({"--help"}), kExitCompleted);
}

TEST_F(BatchTest, FirstUseThenRunPrintsProgressAndTheSummary) {
  EXPECT_EQ(run({}), kExitDataAreaMissing);  // before the first use: told to prepare it, and nothing is written
  EXPECT_NE(err.str().find("the Vurn data area C:\\Vurn does not exist"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find("first use"), std::string::npos);
  EXPECT_FALSE(fs::exists(driveC() / "Vurn"));
  EXPECT_TRUE(printed("Drive C: is " + driveC().string()));
  const fs::path other = driveC() / "elsewhere";
  fs::create_directories(other);
  HostDrive_set('P', fs::path(VURN_SOURCE_DIR) / "dist");
  // With "read AEG file" chosen, the run says once that there is no such reader and reads each file by its extension.
  EXPECT_EQ(run({"--first-use", "--drive", "C=" + other.string(), "--input", "aeg"}), kExitCompleted) << err.str();
  EXPECT_EQ(CountContaining(logLines(), "there is no AEG reader"), 1);
  EXPECT_TRUE(printed("Drive C: is " + other.string()));
  EXPECT_TRUE(printed("Sounding 1: VOORNE-17_8.CPT\nSounding 2: OYSAND-OYSC19.CPT\nSounding 3: BRO-217393.CPT\n"
                      "Sounding 4: CRAFT-FUGRO.CPT\nSounding 5: CRAFT-INCL-GGA.CPT\nSounding 6: CRAFT-BLANK-DEPTH.CPT\n"
                      "Sounding 7: BRO-157983.GEF\nSounding 8: WATERNET-P1011.CSV\nSounding 9: BRO-155283.XML\n"));
  EXPECT_TRUE(printed("           Done"));
  EXPECT_TRUE(printed("9 total Soundings"));
  EXPECT_TRUE(printed("Tasks and issues: C:\\Vurn\\Vurn---Output---Tasks_and_Issues"));
  EXPECT_TRUE(fs::exists(other / "Vurn" / "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt"));

  // Adding soundings adds rows instead of a run (what it adds: tests/app/add_soundings_test.cpp).
  ASSERT_EQ(run({"--add-soundings", "--drive", "C=" + other.string()}), kExitCompleted) << err.str();
  EXPECT_TRUE(printed("Add soundings: every field data file of project ExampleONE has its row already")) << out.str();
  EXPECT_FALSE(printed("total Soundings"));  // no run
}

TEST_F(BatchTest, ProjectOptionPicksTheProjectThroughTheSetupFile) {
  HostDrive_set('P', fs::path(VURN_SOURCE_DIR) / "dist");
  ASSERT_EQ(run({"--first-use", "--new-project", "Harbour"}), kExitCompleted) << err.str();
  EXPECT_TRUE(fs::is_directory(driveC() / "Vurn" / "Projects" / "Harbour" / "Soundings"));
  // The new project has no column definitions nor sounding database yet, so a run on it stops.
  EXPECT_EQ(run({"--project", "harbour"}), kExitErrorReported);
  EXPECT_NE(err.str().find("Vurn error MEW553"), std::string::npos);
  EXPECT_NE(readHostFile(Host_resolve("C:\\Vurn\\software\\Vurn-Setup.txt")).find("Last_Project=Harbour\r\n"),
            std::string::npos);
  EXPECT_EQ(run({"--project", "Nowhere"}), kExitErrorReported);
  EXPECT_NE(err.str().find("Vurn error PK101"), std::string::npos);
}

// The program file itself, with drive C: from the environment: its exit status is the command's exit code.
TEST_F(BatchTest, ProgramFileRunsWithDriveFromTheEnvironment) {
  fs::create_directories(driveC() / "env-c");
  const fs::path printedFile = driveC() / "out.txt";
  for (const auto& [area, options, code] : {std::tuple{"env-c", " --first-use", kExitCompleted},
                                            {"none", "", kExitDataAreaMissing}}) {
    const int status = std::system(("VURN_DRIVE_C='" + (driveC() / area).string() + "' '" VURN_BATCH_PATH "'" +
                                    options + " > '" + printedFile.string() + "' 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), code) << readHostFile(printedFile);
  }
  EXPECT_NE(readHostFile(driveC() / "env-c" / "Vurn" / "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt")
                .find("Done"), std::string::npos);
}

}  // namespace
