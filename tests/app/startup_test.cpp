// Start-up: identity fields, drive and data area, labels, log.
#include "app/startup.h"

#include "core/run_state.h"
#include "core/window_model.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class StartupTest : public VurnTest {};

TEST_F(StartupTest, FillsIdentityShowsLabelsAndOpensTheLog) {
  installDataArea();
  ::setenv("COMPUTERNAME", "RIG-3", 1);
  General_setup();
  ::unsetenv("COMPUTERNAME");
  EXPECT_EQ(gRun.computerName, "RIG-3");
  EXPECT_EQ(gRun.projectName + " " + gRun.lastUnits, "ExampleONE ENGLISH");  // the setup file's last values
  EXPECT_FALSE(gRun.errorReported);
  EXPECT_EQ(MainControl("VurnVersion8lbl").caption + " | " + MainControl("VurnVersionDate8lbl").caption + " | " +
                MainControl("VurnSystemArea8lbl").caption,
            "Vurn Version = 8.0.6 | 2016 Oct 12 | EXE drive=P:\\   and   Vurn data area= C:\\Vurn");
  EXPECT_EQ(gRun.status.main, "Setup file reading");
  const auto lines = logLines();  // the log of this start, in the data area
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("version=8.0.6"), std::string::npos);
}

TEST_F(StartupTest, WithoutTheForceBoxTheDataAreaIsOnTheProgramDrive) {
  MainControl("ForceVurnToUseCdrive8cmd").value = 0;
  fs::create_directories(driveP() / "Vurn" / "software");
  fs::copy_file(fs::path(VURN_SOURCE_DIR) / "dist/Vurn/software/Vurn-Setup.txt",
                driveP() / "Vurn" / "software" / "Vurn-Setup.txt");
  General_setup();
  EXPECT_EQ(gRun.dataArea, "P:\\Vurn");
  EXPECT_EQ(MainControl("VurnSystemArea8lbl").caption, "EXE drive=P:\\   and   Vurn data area= P:\\Vurn");
  EXPECT_TRUE(fs::exists(driveP() / "Vurn" / "Vurn---Output---Tasks_and_Issues_From_most_recent_Vurn_Run.txt"));
}

TEST_F(StartupTest, OptionLockAppliesAtStartUp) {
  installDataArea();
  MainControl("Check_Before_Compling8chk").value = 1;
  General_setup();
  EXPECT_EQ(MainControl("SLD_data_location_Internal_8opb").value, 1);
  EXPECT_FALSE(MainControl("SLD_data_location_File_8opb").enabled);
  EXPECT_FALSE(MainControl("Check_Before_Compling8chk").visible);
}

}  // namespace
