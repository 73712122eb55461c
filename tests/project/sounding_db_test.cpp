// The sounding database: header identifiers, rows into the record, field
// errors. (The editable file is in the new project's tests.)
#include "project/sounding_db.h"

#include "core/run_state.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class SoundingDbTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    useProject("P1");
  }
  // Writes the database and reads its header; rows are then read one by one.
  void open(const std::string& text) {
    writeHostFile("Vurn/Projects/P1/Vurn_SoundingS---P1.csv", text);
    OpenSoundingDatabase(file);
    ReadSoundingHeader(file);
  }
  bool next() {
    bool endOfFile = false;
    ReadNextSounding(file, endOfFile);
    return !endOfFile;
  }
  std::string errorOfNext() {
    try {
      next();
    } catch (const ErrorHalt& halt) {
      return halt.identifier + " " + halt.description;
    }
    return "no error";
  }
  TextReader file;
};

TEST_F(SoundingDbTest, RowsFillTheRecordByHeaderIdentifiers) {
  open("Name {sounding_name},{2},Water {140},Site {SITE_NAME},{LAT_BEST_DEGF},{300}\r\n"
       "CPT-1,0.8,12.5,\"North field\",51.5,anything\r\n"
       "CPT-2,,3e1,South,-0.25\r\n");
  ASSERT_TRUE(next());
  EXPECT_EQ(SoundingField_text("SOUNDING_NAME") + "|" + SoundingField_text("SITE_NAME"), "CPT-1|North field");
  EXPECT_EQ(std::vector<float>({SoundingField_single("CONE_ANET"), SoundingField_single("WATERTABLE_DEPTH_FEET")}),
            std::vector<float>({0.8f, 12.5f}));
  EXPECT_EQ(SoundingField_double("LAT_BEST_DEGF"), static_cast<double>(51.5f));
  ASSERT_TRUE(next());
  // An empty cell is missing; fields by number.
  EXPECT_EQ(std::vector<float>({SoundingField_single("CONE_ANET"), SoundingField_single("140")}),
            std::vector<float>({-5435.0f, 30.0f}));
  EXPECT_EQ(SoundingField_double("104"), -0.25);
  EXPECT_FALSE(next());
}

TEST_F(SoundingDbTest, ShortRowsKeepThePreviousValuesAndResetMarksEverything) {
  open("{SOUNDING_NAME},{SITE_NAME},{SITE_ZONE_NAME}\r\nA,North field\r\nB\r\n");
  next();
  EXPECT_EQ(SoundingField_text("SITE_ZONE_NAME"), "field");  // an unquoted blank spreads over two columns
  next();
  EXPECT_EQ(SoundingField_text("SOUNDING_NAME"), "B");
  EXPECT_EQ(SoundingField_text("SITE_NAME"), "North");
  ResetSoundingRecord();
  EXPECT_EQ(SoundingField_text("SITE_NAME"), "-5435");
  EXPECT_EQ(SoundingField_single("CONE_ANET"), -5435.0f);
  EXPECT_EQ(SoundingField_double("STATE_EAST"), -5435.0);
}

TEST_F(SoundingDbTest, HeaderCellWithoutBracesEndsTheIdentifiers) {
  open("{SOUNDING_NAME},{CONE_ANET},Comments,Extra words,42,\r\nA,1,free\r\nB,2,free,oops\r\n");
  EXPECT_EQ(gSoundingColumns.ids[3], "");
  EXPECT_EQ(gSoundingColumns.ids[4], "Extra words");
  EXPECT_EQ(gSoundingColumns.ids[5], "42");
  EXPECT_TRUE(next());  // the empty identifier addresses nothing; no cell in column 4 yet
  EXPECT_EQ(SoundingField_text("SOUNDING_NAME"), "A");
  EXPECT_EQ(errorOfNext(), "CCN824 searching soundingSfile list, Can't find ID=Extra words --- in "
                          "C:\\Vurn\\Projects\\P1\\Vurn_SoundingS---P1.csv, row 3, sounding B");
}

TEST_F(SoundingDbTest, EmptyRowsArePassedOverWithAnIssueLineEach) {
  openLog();
  open("{SOUNDING_NAME},{2}\r\nA,1\r\n\r\n , ,\r\nB,2\r\n   \r\n");
  ASSERT_TRUE(next());
  ASSERT_TRUE(next());
  EXPECT_EQ(SoundingField_text("SOUNDING_NAME"), "B");
  EXPECT_EQ(gSounding.fileLine, 5);
  EXPECT_FALSE(next());
  std::string issues;
  for (const std::string& line : logLines()) {
    if (line.find(" is empty and was passed over") != std::string::npos) issues += line.substr(line.find("row"), 6);
  }
  EXPECT_EQ(issues, "row 3 row 4 row 6 ");
  EXPECT_NE(logLines().back().find("row 6 of C:\\Vurn\\Projects\\P1\\Vurn_SoundingS---P1.csv is empty"),
            std::string::npos);
  EXPECT_EQ(gRun.issueCounter, 3);
}

}  // namespace
