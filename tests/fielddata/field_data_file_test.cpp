// The field data dispatch: which file of the soundings folder is a sounding's,
// and the errors for none or several.
#include "fielddata/field_data_file.h"

#include "app/run.h"
#include "core/run_state.h"
#include "core/window_model.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace {

class FieldDataFileTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    std::filesystem::create_directories(dataArea() / "Projects" / "P1" / "SOUNDINGS");
  }
};

TEST_F(FieldDataFileTest, FindsTheOneFileByExtensionInAnyCase) {
  const struct {
    std::vector<const char*> files;
    const char* found;  // name found, or the error identifier
    FieldDataFormat format;
  } cases[] = {
      {{"S1.CPT"}, "S1.CPT", FieldDataFormat::Hog},
      {{"s1.gef", "S1.source.txt", "S10.CPT"}, "s1.gef", FieldDataFormat::Gef},
      {{"S1.Xml", "S1.CPT.bak"}, "S1.Xml", FieldDataFormat::BroXml},
      {{"S1.csv", "OTHER.CPT"}, "S1.csv", FieldDataFormat::Csv},
      {{"S1.txt", "S1X.CPT"}, "FDF401", FieldDataFormat::Hog},
      {{"S1.CPT", "S1.GEF"}, "FDF402", FieldDataFormat::Hog},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(dataArea() / "Projects" / "P1" / "SOUNDINGS");
    for (const char* file : c.files) writeHostFile(std::string("Vurn/Projects/P1/SOUNDINGS/") + file, "x");
    gRun.errorReported = false;
    try {
      const FieldDataFile found = FieldDataFile_find("S1");
      EXPECT_EQ(found.name, c.found);
      EXPECT_EQ(found.format, c.format) << c.found;
      EXPECT_EQ(found.path, "C:\\Vurn\\Projects\\P1\\SOUNDINGS\\" + found.name);
    } catch (const ErrorHalt& halt) {
      EXPECT_EQ(halt.identifier, c.found);
      EXPECT_NE(halt.description.find("S1"), std::string::npos) << halt.description;
      if (halt.identifier == "FDF402") {
        EXPECT_NE(halt.description.find("S1.CPT, S1.GEF"), std::string::npos) << halt.description;
      }
    }
  }
}

// "read AEG file" chosen: the run says once that files are read by their
// extension, and reads them so.
TEST_F(FieldDataFileTest, AegChoiceIsToldOnceAndFilesAreReadByExtension) {
  installDataArea();
  startUp();
  MainControl("CPT_input_FileType_HOG_8opb").value = 0;
  MainControl("CPT_input_FileType_AEG_8opb").value = 1;
  Main_run();
  EXPECT_EQ(gRun.status.main, "           Done");
  int told = 0;
  for (const std::string& line : logLines()) told += line.find("there is no AEG reader") != std::string::npos;
  EXPECT_EQ(told, 1);
}

}  // namespace
