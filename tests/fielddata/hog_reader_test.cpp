// The HOG field data reader: the real example soundings against their expected
// values, the end-of-push modes, row conversion, header reading, the rejected
// files, and the resets.
#include "fielddata/hog_reader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>

#include "core/run_state.h"
#include "core/window_model.h"
#include "fielddata/field_data_file.h"
#include "numeric/numeric_tools.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

using Cells = std::map<int, std::string>;

// Cells laid out as the header and the data rows hold them: cell k is the 20
// characters starting at position 20k of the line after `prefix` blanks are put
// in front of it; texts are right-aligned in their cell.
std::string laidOut(std::size_t prefix, const Cells& cells) {
  std::string line(prefix + 140, ' ');
  for (const auto& [k, text] : cells) {
    const std::size_t end = static_cast<std::size_t>(20 * k + 19);
    line.replace(end - text.size(), text.size(), text);
  }
  line.erase(0, prefix);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

// A data row: depth in characters 1 to 8, channel k in its cell.
std::string dataRow(const std::string& depth, const Cells& readings) {
  std::string row = laidOut(0, readings);
  if (row.size() < 8) row.resize(8, ' ');
  row.replace(0, 8, std::string(8 - depth.size(), ' ') + depth);
  return row;
}

// A field data file, by default with TIP, FRICTION and U2 in columns 2 to 4,
// each with factor 1 and clean zero 0.
struct HogText {
  std::string line1 = "HOGENTOGLER CPT FIELD DATA";
  std::string line4 = "CONE 7";
  std::string line8 = "3/15/2023 9:10:00 AM";
  std::string line12;
  Cells names = {{2, "TIP"}, {3, "FRICTION"}, {4, "U2"}};
  Cells reference = {{2, "100"}, {3, "100"}, {4, "100"}};
  Cells cleanZero = {{2, "0"}, {3, "0"}, {4, "0"}};
  Cells fullScale = {{2, "100 TSF"}, {3, "100 TSF"}, {4, "100 PSI"}};
  std::vector<std::string> rows;

  std::vector<std::string> headerLines() const {
    std::vector<std::string> lines(23);
    lines[0] = line1;
    lines[3] = line4;
    lines[7] = line8;
    lines[11] = line12;
    lines[16] = laidOut(32, names);
    lines[17] = laidOut(35, reference);
    lines[18] = laidOut(35, cleanZero);
    lines[19] = laidOut(35, fullScale);
    lines[20] = "LINE 18 REFERENCE, LINE 19 CLEAN ZERO, LINE 20 FULL SCALE";
    lines[21] = "DEPTH(m)";
    lines[22] = std::string(60, '-');
    return lines;
  }

  std::string text() const {
    std::string out;
    for (const std::string& line : headerLines()) out += line + "\r\n";
    for (const std::string& row : rows) out += row + "\r\n";
    return out;
  }
};

// Three ordinary rows of the default channels.
std::vector<std::string> ordinaryRows() {
  return {dataRow("1.000", {{2, "1000"}, {3, "100"}, {4, "10"}}),
          dataRow("2.000", {{2, "2000"}, {3, "200"}, {4, "20"}}),
          dataRow("3.000", {{2, "3000"}, {3, "300"}, {4, "30"}})};
}

std::string marker(const std::string& depth) { return dataRow(depth, {{2, "900"}, {3, "-32768"}, {4, "40"}}); }

constexpr float kTsf = 0.95f * 0.01044f;  // atm per count at factor 1

class HogReaderTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
    nameSounding("X");
  }

  static void nameSounding(const std::string& name) {
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", name);
  }

  // Writes the sounding X's file in other letter cases than the names the run uses (project P1, folder SOUNDINGS,
  // file X.CPT), and reads it as the run does.
  void read(const HogText& hog) {
    writeHostFile("Vurn/Projects/p1/Soundings/x.cpt", hog.text());
    ReadHogSounding();
  }

  // The identifier and description of the halt of reading X.CPT holding `bytes`.
  ErrorHalt haltOf(const std::string& bytes) {
    gRun.errorReported = false;
    try {
      writeHostFile("Vurn/Projects/p1/Soundings/x.cpt", bytes);
      ReadHogSounding();
    } catch (const ErrorHalt& halt) {
      return halt;
    }
    return ErrorHalt("none", "no error");
  }
  ErrorHalt haltOf(const HogText& hog) { return haltOf(hog.text()); }
};

// ---------------------------------------------------------------------------
// The real soundings of the example project against their expected values.

// The expected rows: every cell of a data line, by column name.
std::vector<std::map<std::string, std::string>> expectedRows(const std::string& name) {
  std::ifstream in(std::string(VURN_SOURCE_DIR) + "/tests/fielddata/data/" + name + ".expected.csv");
  std::vector<std::map<std::string, std::string>> rows;
  std::vector<std::string> columns;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::stringstream split(line);
    std::string cell;
    while (std::getline(split, cell, ',')) cells.push_back(cell);
    if (columns.empty()) {
      columns = cells;
      continue;
    }
    std::map<std::string, std::string> row;
    for (std::size_t c = 0; c < cells.size() && c < columns.size(); ++c) row[columns[c]] = cells[c];
    rows.push_back(row);
  }
  return rows;
}

// Whether `got` is the expected cell: NULL for missing, otherwise within half a
// unit of the cell's last decimal plus two 32-bit rounding steps.
::testing::AssertionResult matches(float got, const std::string& text) {
  if (text == "NULL") {
    if (IsNull(got)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " where missing is expected";
  }
  const double expected = std::stod(text);
  const std::size_t point = text.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(expected) * std::ldexp(1.0, -22);
  if (std::fabs(static_cast<double>(got) - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << got << " is not " << text;
}

class RealSoundingTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    installDataArea();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "ExampleONE";
  }
};

TEST_F(RealSoundingTest, EveryStoredRowReproducesTheSourceValuesAndTheHeaderIsRead) {
  // The header as one line: name, device, date, position (5 decimals: a metre) and its third field, end-of-push mode and
  // markers, the tip's column and unit, the X inclination's column, and the dirty zeros of tip, friction, u2, X.
  const std::pair<const char*, const char*> cases[] = {
      {"VOORNE-17_8", "VOORNE-17_8|S10-CFIIP.1721|20190129~104350-local|51.80708 4.29359 1|NORMAL 2|2 KPA 1|-245 -16 -13 50"},
      {"OYSAND-OYSC19", "OYSAND-OYSC19|CONE 4364|20221012~133800-local|63.33054 10.24789 1|NORMAL 2|2 KPA -9|100 10 -20 -5435"},
      {"BRO-217393", "BRO-217393|CP15-CF75PB1SN2-P1E1M4-V12-S1/1701-3420|20221211~105542-local|51.96188 4.38034 1|"
                     "NORMAL 2|2 KPA 1|-114 9 -4 0"},
  };
  for (const auto& [name, header] : cases) {
    SCOPED_TRACE(name);
    const auto expected = expectedRows(name);
    ASSERT_GT(expected.size(), 500u);
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", name);
    ReadHogSounding();
    const HogHeader& h = gHogHeader;
    std::ostringstream got;
    got << h.soundingName << '|' << h.device << '|' << h.dateTime << '|' << std::fixed << std::setprecision(5)
        << h.gpsLatitude << ' ' << h.gpsLongitude << std::defaultfloat << ' ' << h.gpsThird << '|' << h.dataMode << ' '
        << h.markerCount << '|' << h.tip.column << ' ' << h.tip.unit << ' ' << h.inclX.column << '|' << h.tip.dirtyZero
        << ' ' << h.friction.dirtyZero << ' ' << h.u2.dirtyZero << ' ' << h.inclX.dirtyZero;
    EXPECT_EQ(got.str(), header);
    ASSERT_EQ(gFieldData.rowCount, static_cast<std::int16_t>(expected.size()));
    int wrong = 0;
    for (std::size_t i = 1; i <= expected.size() && wrong < 5; ++i) {
      const auto& e = expected[i - 1];
      const struct {
        const char* column;
        float got;
      } cells[] = {{"depth_ft", gFieldData.depth[i]},  {"qc_atm", gFieldData.qc[i]},
                   {"fs_atm", gFieldData.fs[i]},       {"u2_atm", gFieldData.u2[i]},
                   {"incl_x_deg", gFieldData.inclX[i]}, {"incl_y_deg", gFieldData.inclY[i]}};
      for (const auto& cell : cells) {
        const auto result = matches(cell.got, e.at(cell.column));
        if (!result) ++wrong;
        EXPECT_TRUE(result) << "row " << i << " " << cell.column;
      }
    }
  }
}

// Every sounding the example database names has a readable field data file,
// and the crafted ones show what they were made for.
TEST_F(RealSoundingTest, ExampleDatabaseNamesReadableSoundings) {
  TextReader database;
  OpenSoundingDatabase(database);
  ReadSoundingHeader(database);
  int soundings = 0;
  bool endOfFile = false;
  for (ReadNextSounding(database, endOfFile); !endOfFile; ReadNextSounding(database, endOfFile), ++soundings) {
    const std::string name = SoundingField_text("SOUNDING_NAME");
    FieldDataFile_read(FieldDataFile_find(name));
    EXPECT_GT(gFieldData.rowCount, 50) << name;
    if (name == "CRAFT-FUGRO") {
      EXPECT_EQ(gHogHeader.dataMode, "FUGRO");
      EXPECT_EQ(gHogHeader.conductivity.column, 5);
      EXPECT_TRUE(IsNull(static_cast<float>(gHogHeader.gpsLatitude)));
    } else if (name == "CRAFT-INCL-GGA") {
      EXPECT_NEAR(gHogHeader.gpsLatitude, 40.5, 1e-9);
      EXPECT_NEAR(gHogHeader.gpsLongitude, -74.5, 1e-9);
      EXPECT_NEAR(gFieldData.inclX[1], 0.010f, 1e-6f);
      EXPECT_NEAR(gFieldData.inclY[1], -0.199f, 1e-6f);
      EXPECT_FLOAT_EQ(gHogHeader.inclX.dirtyZero, 120.0f);
    } else if (name == "CRAFT-BLANK-DEPTH") {
      EXPECT_TRUE(IsNull(gFieldData.depth[25]));
      EXPECT_TRUE(IsNull(gFieldData.qc[25]));
      EXPECT_FALSE(IsNull(gFieldData.fs[25]));
      EXPECT_TRUE(IsNull(gFieldData.u2[40]));
      EXPECT_EQ(gHogHeader.markerCount, 3);
    }
  }
  EXPECT_EQ(soundings, 9);
}

// ---------------------------------------------------------------------------
// End of push: "FUGRO" and "NORMAL" modes.

// Without markers ("FUGRO") the last row ends the data and the dirty zeros are
// the clean ones; markers then a zero row ("NORMAL") store the marker rows (fs
// missing), end at the zero row and take its readings as the dirty zeros
// (missing where it has none). (Files with two markers are the real soundings,
// read row by row above.)
TEST_F(HogReaderTest, EndOfPushGivesTheModeTheRowsAndTheDirtyZeros) {
  struct Case { int markers; Cells zeroRow; const char* mode; std::int16_t rowCount; float tip, friction; };
  for (const Case& c : {Case{0, {}, "FUGRO", 2, 10.0f, 2.0f},
                        Case{3, {{2, "7"}, {3, "3"}, {4, "-1"}}, "NORMAL", 6, 7.0f, 3.0f},
                        Case{2, {{2, "--"}, {4, "-1"}}, "NORMAL", 5, NullValue, NullValue}}) {  // tip not a number
    SCOPED_TRACE(c.markers);
    HogText hog;
    hog.names[5] = "CONDUCTIVITY";  // recognised; its calibration cells stay empty
    hog.cleanZero = {{2, "10"}, {3, "2"}, {4, "-1"}};
    hog.rows = ordinaryRows();
    hog.rows[1] = dataRow("2.000", {{1, "77"}, {2, "2000"}, {3, "200"}, {4, "20"}, {6, "77"}});  // stray cells
    for (int m = 0; m < c.markers; ++m) hog.rows.push_back(marker("3.1" + std::to_string(m)));
    if (c.markers > 0) hog.rows.push_back(dataRow("0.000", c.zeroRow));
    if (c.markers > 0) hog.rows.push_back(dataRow("9.000", {{2, "9999"}, {3, "999"}, {4, "99"}}));  // not read
    read(hog);
    EXPECT_EQ(gHogHeader.dataMode, c.mode);
    EXPECT_EQ(gHogHeader.markerCount, c.markers);
    ASSERT_EQ(gFieldData.rowCount, c.rowCount);
    EXPECT_FLOAT_EQ(gFieldData.depth[2], 2.0f * 3.28084f);
    EXPECT_FLOAT_EQ(gFieldData.fs[2], 198 * kTsf);
    for (std::size_t i = 4; i <= static_cast<std::size_t>(c.rowCount); ++i) {
      EXPECT_TRUE(IsNull(gFieldData.fs[i])) << i;
      EXPECT_FLOAT_EQ(gFieldData.qc[i], 890 * kTsf);
    }
    EXPECT_FLOAT_EQ(gHogHeader.tip.dirtyZero, c.tip);
    EXPECT_FLOAT_EQ(gHogHeader.friction.dirtyZero, c.friction);
    EXPECT_FLOAT_EQ(gHogHeader.u2.dirtyZero, -1.0f);
    EXPECT_EQ(gHogHeader.conductivity.column, 5);
    if (c.markers == 0) {
      EXPECT_EQ(MainControl("StatusCODE8lbl").caption, "HOG987");
    }
  }
  HogText hog;
  hog.rows = {dataRow("1", {{2, "1"}, {3, "1"}, {4, "1"}})};  // one data row is the last row
  read(hog);
  EXPECT_EQ(gFieldData.rowCount, 0);
  EXPECT_EQ(gHogHeader.dataMode, "FUGRO");
}

TEST_F(HogReaderTest, MarkersWithoutClosingZeroRowReportHG8234) {
  struct Case { const char* what; std::vector<std::string> tail; };
  const Case cases[] = {
      {"one marker then ordinary rows", {marker("3.1"), dataRow("3.2", {{2, "1"}, {3, "1"}, {4, "1"}})}},
      {"one marker at the end", {marker("3.1")}},  // (two: in the bad-input corpus)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HogText hog;
    hog.rows = ordinaryRows();
    hog.rows.insert(hog.rows.end(), c.tail.begin(), c.tail.end());
    const ErrorHalt halt = haltOf(hog);
    EXPECT_EQ(halt.identifier, "HG8234");
    EXPECT_EQ(halt.description.rfind("X, line =" + c.tail.back() + std::string(100, ' ') + " --- EOF found", 0), 0u)
        << halt.description;
  }
}

// ---------------------------------------------------------------------------
// Row conversion.

TEST_F(HogReaderTest, ChannelsMatchByContainmentInAnyColumnAndConvertWithTheirCalibration) {
  HogText hog;
  hog.line1 = "converted by hogentogler field software";  // lower case accepted
  hog.names = {{1, "Y INCL"}, {2, "X INCL DEG"}, {3, "PORE PRESSURE U2"}, {4, "SLEEVE FRICTION"}, {5, "CONE TIP"}};
  hog.reference = {{1, "2"}, {2, "1000"}, {3, "100"}, {4, "100"}, {5, "50"}};
  hog.cleanZero = {{1, "0"}, {2, "50"}, {3, "-10"}, {4, "2"}, {5, "100"}};
  hog.fullScale = {{1, "1 DG"}, {2, "1 DEG"}, {3, "100 PSI"}, {4, "100 TSF"}, {5, "100 TSF"}};
  hog.rows = {dataRow("2.5", {{1, "-7"}, {2, "1550"}, {3, "90"}, {4, "52"}, {5, "600"}}),
              dataRow("0", {{1, "0"}, {2, "0"}, {3, "0"}, {4, "0"}, {5, "0"}})};
  read(hog);
  ASSERT_EQ(gFieldData.rowCount, 1);
  const HogHeader& h = gHogHeader;  // each channel's column (Y, X, u2, fs, tip) and the units of u2 and X
  EXPECT_EQ(std::to_string(h.inclY.column) + std::to_string(h.inclX.column) + std::to_string(h.u2.column) +
                std::to_string(h.friction.column) + std::to_string(h.tip.column) + " " + h.u2.unit + " " + h.inclX.unit,
            "12345 PSI DEG");
  EXPECT_FLOAT_EQ(gHogHeader.tip.factor, 2.0f);
  EXPECT_FLOAT_EQ(gHogHeader.inclX.factor, 0.001f);
  EXPECT_FLOAT_EQ(gFieldData.depth[1], 8.2021f);           // 2.5 m
  EXPECT_FLOAT_EQ(gFieldData.qc[1], 9.918f);               // 0.95 x 500 x 0.01044 x 2
  EXPECT_FLOAT_EQ(gFieldData.fs[1], 0.4959f);              // 0.95 x 50 x 0.01044
  EXPECT_FLOAT_EQ(gFieldData.u2[1], 0.0710400240f);        // 0.068046 x 100 x 0.01044
  EXPECT_FLOAT_EQ(gFieldData.inclX[1], 1.5f);              // 0.001 x 1500, no 0.01044
  EXPECT_FLOAT_EQ(gFieldData.inclY[1], -3.5f);             // 0.5 x -7

  // Reading 3900 above a clean zero of -90 with factor 100000 / 100494.164: worked in double precision and then
  // stored, qc is 39.3782272; worked step by step in 32-bit floats it would be 39.378231.
  hog = HogText();
  hog.reference = {{2, "100494.164"}, {3, "100"}, {4, "100"}};
  hog.cleanZero = {{2, "-90"}, {3, "0"}, {4, "0"}};
  hog.fullScale = {{2, "100000 KPA"}, {3, "100 TSF"}, {4, "100 PSI"}};
  hog.rows = {dataRow("0.12", {{2, "3900"}, {3, "1"}, {4, "1"}}), dataRow("0", {{2, "0"}, {3, "0"}, {4, "0"}})};
  read(hog);
  EXPECT_EQ(gFieldData.qc[1], 39.3782272f);
  EXPECT_EQ(gHogHeader.tip.unit, "KPA");
}

// Row cells that give missing values, the other values of the row converted:
// a blank depth leaves depth and qc missing, a depth that is not a number only
// the depth; each channel in turn blank, not a number or written with a comma;
// a value beyond the float range is missing, not infinite.
TEST_F(HogReaderTest, RowCellsThatCannotBeReadGiveMissingValues) {
  HogText base;
  base.names = {{1, "X INCL"}, {2, "TIP"}, {3, "FRICTION"}, {4, "U2"}, {5, "Y INCL"}};
  base.reference = {{1, "1"}, {2, "100"}, {3, "100"}, {4, "100"}, {5, "1"}};
  base.cleanZero = {{1, "3"}, {2, "5"}, {3, "5"}, {4, "5"}, {5, "3"}};
  base.fullScale = {{1, "1 DG"}, {2, "100 TSF"}, {3, "100 TSF"}, {4, "100 PSI"}, {5, "1 DG"}};
  const FieldData::Column* const columns[] = {&gFieldData.depth, &gFieldData.inclX, &gFieldData.qc,
                                              &gFieldData.fs,    &gFieldData.u2,    &gFieldData.inclY};
  const Cells readings = {{1, "4"}, {2, "6"}, {3, "6"}, {4, "6"}, {5, "4"}};
  struct Case { std::string depth; int column; const char* text; std::vector<int> missing; };
  std::vector<Case> cases = {{"", 0, "", {0, 2}}, {"        ", 0, "", {0, 2}}, {"1.2.3", 0, "", {0}},
                             {"1.1e38", 0, "", {0}},  // 3.6e38 ft
                             {"1.0", 2, "1e41", {2}}};  // 1e41 x 0.95 x 0.01044 atm
  for (int column = 1; column <= 5; ++column) {
    for (const char* text : {"", "n/a", "1,5"}) cases.push_back({"1.0", column, text, {column}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.depth + "' " + std::to_string(c.column) + " '" + c.text + "'");
    Cells row = readings;
    if (c.column > 0) row[c.column] = c.text;
    HogText hog = base;
    hog.rows = {dataRow("0.5", readings), dataRow(c.depth, row), dataRow("0", {{1, "0"}, {2, "0"}, {3, "0"}, {4, "0"}, {5, "0"}})};
    read(hog);
    ASSERT_EQ(gFieldData.rowCount, 2);
    for (int k = 0; k <= 5; ++k) {
      const bool missing = std::find(c.missing.begin(), c.missing.end(), k) != c.missing.end();
      EXPECT_EQ(IsNull((*columns[k])[2]), missing) << "column " << k << " value " << (*columns[k])[2];
    }
  }
  EXPECT_FLOAT_EQ(gFieldData.qc[1], 1 * kTsf);  // (6 - 5) counts
}

TEST_F(HogReaderTest, RowCountsUpToTheCapacityAndNoFurther) {
  for (const int stored : {8000, 8001}) {
    SCOPED_TRACE(stored);
    HogText hog;
    for (int i = 1; i <= stored + 1; ++i) {
      hog.rows.push_back(dataRow(std::to_string(i), {{2, "1"}, {3, "1"}, {4, "1"}}));
    }
    if (stored <= FieldDataCapacity) {
      read(hog);
      EXPECT_EQ(gFieldData.rowCount, stored);
      EXPECT_FLOAT_EQ(gFieldData.depth[8000], 8000 * 3.28084f);
    } else {
      const ErrorHalt halt = haltOf(hog);
      EXPECT_EQ(halt.identifier, "HGR631");
      EXPECT_NE(halt.description.find("X.CPT has more than 8000 data rows"), std::string::npos) << halt.description;
    }
  }
}

TEST_F(HogReaderTest, UnsafeSoundingNameIsRefused) {
  // (Every error of a file's content is in the bad-input corpus.)
  nameSounding("..\\P2\\X");
  EXPECT_ERROR_REPORT(ReadHogSounding(), "PN901");
}

// The device line as written, the date, and the third field of the GGA sentence of line 12 (its position is
// checked on the crafted real-format sounding CRAFT-INCL-GGA above).
TEST_F(HogReaderTest, HeaderKeepsDeviceDateAndTheThirdGgaField) {
  HogText hog;
  hog.line4 = "  CONE 7 / SN 12  ";
  hog.line8 = "05-JAN-2007 11:40";
  hog.line12 = "$GPGGA,181500.00,4030.00000,N,07430.00000,W,1,08,1.2,25.0,M,,M,,*56";
  hog.rows = ordinaryRows();
  read(hog);
  const HogHeader& h = gHogHeader;
  EXPECT_EQ(h.soundingName + "|" + h.device + "|" + h.dateTime, "X|  CONE 7 / SN 12  |20070105~000000");
  EXPECT_FLOAT_EQ(h.gpsThird, 1.2f);
}

}  // namespace
