// The field data dispatch: which file of the soundings folder is a sounding's,
// and the errors for none or several.
#include "fielddata/field_data_file.h"

#include "core/run_state.h"
#include "support/vurn_test.h"

namespace {

class FieldDataFileTest : public VurnTest {};

// The name found (with its format), or the error identifier and the names the error gives.
TEST_F(FieldDataFileTest, FindsTheOneFileByExtensionInAnyCase) {
  gRun.dataArea = "C:\\Vurn";
  gRun.projectName = "P1";
  const struct {
    std::vector<const char*> files;
    const char* found;
    FieldDataFormat format;
  } cases[] = {
      {{"S1.CPT"}, "S1.CPT", FieldDataFormat::Hog},
      {{"s1.gef", "S1.source.txt", "S10.CPT"}, "s1.gef", FieldDataFormat::Gef},
      {{"S1.Xml", "S1.CPT.bak"}, "S1.Xml", FieldDataFormat::BroXml},
      {{"S1.csv", "OTHER.CPT"}, "S1.csv", FieldDataFormat::Csv},
      {{"S1.txt", "S1X.CPT"}, "FDF401", FieldDataFormat::Hog},
      {{"S1.CPT", "S1.GEF"}, "FDF402 S1.CPT, S1.GEF", FieldDataFormat::Hog},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(dataArea() / "Projects" / "P1" / "SOUNDINGS");
    for (const char* file : c.files) writeHostFile(std::string("Vurn/Projects/P1/SOUNDINGS/") + file, "x");
    try {
      const FieldDataFile found = FieldDataFile_find("S1");
      EXPECT_EQ(found.name, c.found);
      EXPECT_EQ(found.format, c.format) << c.found;
      EXPECT_EQ(found.path, "C:\\Vurn\\Projects\\P1\\SOUNDINGS\\" + found.name);
    } catch (const ErrorHalt& halt) {
      const std::string expected = c.found;
      EXPECT_EQ(halt.identifier, expected.substr(0, 6));
      EXPECT_NE(halt.description.find(expected.size() > 6 ? expected.substr(7) : "S1"), std::string::npos)
          << halt.description;
    }
  }
}

}  // namespace
