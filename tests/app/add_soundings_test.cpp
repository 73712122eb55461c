// "Add soundings": rows appended for field data files without one, filled from
// their headers; rows already there never change; a bad file adds nothing.
#include "app/commands.h"
#include "app/startup.h"
#include "core/run_state.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class AddSoundingsTest : public VurnTest {
 protected:
  fs::path project() const { return dataArea() / "Projects" / "ExampleONE"; }
  fs::path database() const { return project() / "Vurn_SoundingS---ExampleONE.csv"; }
};

TEST_F(AddSoundingsTest, AppendsOneFilledRowPerNewFileAndNeverChangesARow) {
  startUp();
  const std::string before = readHostFile(database());
  fs::copy_file(fs::path(VURN_SOURCE_DIR) / "tests/fielddata/data/VOORNE-17_8.GEF", project() / "Soundings" / "NEW-A.gef");
  writeHostFile("Vurn/Projects/ExampleONE/Soundings/NEW-B.CSV",
                "#device=CONE 9\n#agency=Field, Ltd\n#date=2024-02-03T04:05\ndepth_m,qc_MPa,fs_kPa\n1,2,30\n");

  const std::vector<std::string> told = Command_addSoundings();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0].find("added NEW-A (NEW-A.gef"), std::string::npos) << told[0];
  EXPECT_NE(told[1].find("added NEW-B (NEW-B.CSV, 1 rows)"), std::string::npos) << told[1];

  const std::string after = readHostFile(database());
  ASSERT_EQ(after.substr(0, before.size()), before);
  // Columns: name, probe, date, agency, lat, long, source, then the engineer's
  // fields empty. The position is the file's RD point through PROJ, within a
  // metre of the converter's own RD formula (51.807081, 4.293591).
  std::string added = after.substr(before.size());
  const std::size_t lat = added.find(",51.8070"), source = added.find(",\"EPSG");
  ASSERT_TRUE(lat != std::string::npos && source != std::string::npos) << added;
  const std::string position = added.substr(lat + 1, source - lat - 1);
  EXPECT_NEAR(std::stod(position), 51.807081, 1e-5) << position;
  EXPECT_NEAR(std::stod(position.substr(position.find(',') + 1)), 4.293591, 1e-5) << position;
  EXPECT_EQ(added.replace(lat, source - lat, ",LAT,LONG"),
            "NEW-A,S10-CFIIP.1721,190129-10:43,\"Mos Grondmechanica B.V\",LAT,LONG,"
            "\"EPSG:28992 position of the file\",,,,,,,,\r\n"
            "NEW-B,\"CONE 9\",240203-04:05,\"Field, Ltd\",-5435,-5435,,,,,,,,,\r\n");

  // Nothing new: nothing added, nothing changed; a file whose name differs from its row's only in case is known.
  fs::rename(project() / "Soundings" / "NEW-B.CSV", project() / "Soundings" / "New-b.csv");
  EXPECT_NE(Command_addSoundings().at(0).find("has its row already"), std::string::npos);
  EXPECT_EQ(readHostFile(database()), after);
}

TEST_F(AddSoundingsTest, AFileThatCannotBeReadAddsNoRow) {
  startUp();
  const std::string before = readHostFile(database());
  writeHostFile("Vurn/Projects/ExampleONE/Soundings/AAA.CSV", "depth_m,qc_MPa,fs_kPa\n1,2,30\n");
  writeHostFile("Vurn/Projects/ExampleONE/Soundings/BAD.GEF", "#GEFID= 1, 1, 0\n#EOH=\n1 2 3\n");
  EXPECT_ERROR_REPORT(Command_addSoundings(), "GEF620");
  EXPECT_EQ(readHostFile(database()), before);
}

}  // namespace
