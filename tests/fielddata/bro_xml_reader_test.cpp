// The BRO CPT XML reader: the real registry documents with their headers, the
// one sounding that also exists as a HOG conversion, and the document variants
// (prefixes, separators, missing values, order, zero loads, positions).
#include "fielddata/bro_xml_reader.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "app/run.h"
#include "app/startup.h"
#include "compute/zero_load.h"
#include "core/run_state.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
#include "platform/host_env.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPath = "C:\\Vurn\\Projects\\P1\\SOUNDINGS\\X.XML";
constexpr double kAtmPerMpa = 9.86923;
constexpr double kFtPerM = 3.28084;

// A record of 25 values: the given ones at their places, -999999 elsewhere.
std::string record(const std::map<int, std::string>& values, char separator = ',') {
  std::string text;
  for (int field = 0; field < 25; ++field) {
    if (field > 0) text += separator;
    const auto value = values.find(field);
    text += value == values.end() ? "-999999" : value->second;
  }
  return text;
}
std::string record(const std::string& length, const std::string& qc, const std::string& fs,
                   const std::string& u2 = "-999999") {
  return record({{0, length}, {3, qc}, {18, fs}, {22, u2}});
}

// A small dispatch document. d, b, c are the prefixes (with their colon, or
// empty for the default namespace) of the CPT dispatch, common and CPT common
// namespaces, bound by `declarations` on the root.
struct Doc {
  std::string declarations =
      "xmlns=\"http://www.broservices.nl/xsd/dscpt/1.1\" xmlns:brocom=\"http://www.broservices.nl/xsd/brocommon/3.0\" "
      "xmlns:cptcommon=\"http://www.broservices.nl/xsd/cptcommon/1.1\" xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
      "xmlns:om=\"http://www.opengis.net/om/2.0\" xmlns:swe=\"http://www.opengis.net/swe/2.0\"";
  std::string d, b = "brocom:", c = "cptcommon:";
  std::string location = "<{b}location srsName=\"urn:ogc:def:crs:EPSG::4258\"><gml:pos>52.1 5.2</gml:pos></{b}location>";
  std::string delivered;  // the delivered location's element, when there is one
  std::string zeroLoad = "<{c}coneResistanceBefore uom=\"MPa\">-0.090</{c}coneResistanceBefore>";
  std::string encoding = "decimalSeparator=\".\" tokenSeparator=\",\" blockSeparator=\";\"";
  std::string values;

  std::string text() const {
    std::string t =
        "<{d}dispatchDataResponse " + declarations + "><{b}responseType>dispatch</{b}responseType><{d}dispatchDocument>"
        "<{d}CPT_O><{d}standardizedLocation>" + location + "</{d}standardizedLocation>" +
        (delivered.empty() ? "" : "<{d}deliveredLocation>" + delivered + "</{d}deliveredLocation>") +
        "<{d}conePenetrometerSurvey>"
        "<{c}conePenetrometer><{c}conePenetrometerType>CONE-1/77</{c}conePenetrometerType><{c}zeroLoadMeasurement>" +
        zeroLoad + "</{c}zeroLoadMeasurement></{c}conePenetrometer><{c}conePenetrationTest><om:phenomenonTime>"
        "<gml:TimeInstant><gml:timePosition>2021-03-04T05:06:07Z</gml:timePosition></gml:TimeInstant>"
        "</om:phenomenonTime><{c}cptResult><swe:encoding><swe:TextEncoding " + encoding + "/></swe:encoding>"
        "<{c}values>" + values + "</{c}values></{c}cptResult></{c}conePenetrationTest></{d}conePenetrometerSurvey>"
        "</{d}CPT_O></{d}dispatchDocument></{d}dispatchDataResponse>";
    for (const auto& [mark, prefix] : {std::pair{"{d}", d}, std::pair{"{b}", b}, std::pair{"{c}", c}}) {
      for (std::size_t at = t.find(mark); at != std::string::npos; at = t.find(mark, at)) t.replace(at, 3, prefix);
    }
    return t;
  }
};

class BroXmlReaderTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    gRun.dataArea = "C:\\Vurn";
    gRun.projectName = "P1";
  }

  void read(const std::string& bytes) {
    writeHostFile("Vurn/Projects/P1/SOUNDINGS/X.XML", bytes);
    ResetHogHeader();
    gHogHeader.soundingName = "X";
    ReadBroXmlFile(kPath);
  }

  static std::string realDocument(const std::string& name) {
    return readHostFile(fs::path(VURN_SOURCE_DIR) / "fuzz" / "corpus" / "bro_xml" / (name + ".XML"));
  }

  int issueLinesAboutOrder() const {
    int count = 0;
    for (const std::string& line : logLines()) count += line.find("not in depth order") != std::string::npos;
    return count;
  }
};

// The zero readings as the zero-load analysis takes them, in atm.
ZeroLoadRecord zeroLoadRecord() {
  ZeroLoad_reset();
  ZeroLoad_beginSounding(1);
  return gZeroLoad.records[1];
}

void expectAtm(float atm, double mpa) { EXPECT_NEAR(atm, mpa * kAtmPerMpa, 1e-5) << mpa << " MPa"; }

TEST_F(BroXmlReaderTest, RealDocumentsAreReadWithTheirHeader) {
  const struct {
    const char* name;
    int rows;
    double firstMetres, lastMetres;
    const char* device;
    const char* dateTime;
    double latitude, longitude;
    double tipClean, tipDirty, fsClean, fsDirty;  // MPa
    bool u2, inclinations;
    int orderIssues;
  } cases[] = {
      // IMBRO/A, ns12/ns13/ns14 prefixes beside unused look-alike bindings, a date without time, no u2.
      {"BRO-003688", 1223, 0.12, 24.56, "F7.5CKE/V-1214", "20000306~-----local", 51.929537460, 4.470217380, -0.908,
       -0.904, 0.076, 0.069, false, false, 1},
      // Predrilled to 0.50 m; the first record with a sleeve and a pore pressure reading is at 0.58 m.
      {"BRO-155283", 301, 0.58, 6.57, "CP10-CF10PB1TE30SN2/1706-2169", "20200415~084935-local", 52.020180200,
       5.063525960, -0.023, -0.020, -0.001, 0.000, true, true, 1},
      {"BRO-217393", 1255, 0.12, 25.19, "CP15-CF75PB1SN2-P1E1M4-V12-S1/1701-3420", "20221211~105542-local",
       51.961881008, 4.380341476, -0.090, -0.114, 0.008, 0.009, true, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int issuesBefore = issueLinesAboutOrder();
    read(realDocument(c.name));
    const HogHeader& h = gHogHeader;
    const FieldData& f = gFieldData;
    ASSERT_EQ(f.rowCount, c.rows);
    EXPECT_FLOAT_EQ(f.depth[1], static_cast<float>(c.firstMetres * kFtPerM));
    EXPECT_FLOAT_EQ(f.depth[c.rows], static_cast<float>(c.lastMetres * kFtPerM));
    for (int i = 2; i <= c.rows; ++i) ASSERT_LE(f.depth[i - 1], f.depth[i]) << "row " << i;
    EXPECT_EQ(issueLinesAboutOrder() - issuesBefore, c.orderIssues);
    EXPECT_EQ(h.device, c.device);
    EXPECT_EQ(h.dateTime, c.dateTime);
    EXPECT_DOUBLE_EQ(h.gpsLatitude, c.latitude);
    EXPECT_DOUBLE_EQ(h.gpsLongitude, c.longitude);
    const ZeroLoadRecord z = zeroLoadRecord();
    EXPECT_EQ(z.device, c.device);
    expectAtm(z.qcZeroClean, c.tipClean);
    expectAtm(z.qcZeroDirty, c.tipDirty);
    expectAtm(z.fsZeroClean, c.fsClean);
    expectAtm(z.fsZeroDirty, c.fsDirty);
    EXPECT_EQ(IsNull(f.u2[c.rows / 2]), !c.u2);
    EXPECT_EQ(IsNull(f.inclX[c.rows / 2]) && IsNull(f.inclY[c.rows / 2]), !c.inclinations);
  }
}

// BRO-217393 read from its XML agrees with the values its HOG conversion
// stores at every depth the conversion has (the conversion's expected values,
// worked out from the source with 1 ft = 0.3048 m and 1 MPa = 9.86923 atm).
TEST_F(BroXmlReaderTest, SameSoundingAsItsHogConversionAtEveryDepthItHas) {
  read(realDocument("BRO-217393"));
  std::map<long, int> rowAtMillimetre;
  for (int i = 1; i <= gFieldData.rowCount; ++i) rowAtMillimetre[std::lround(gFieldData.depth[i] / kFtPerM * 1000)] = i;
  std::ifstream in(fs::path(VURN_SOURCE_DIR) / "tests" / "fielddata" / "data" / "BRO-217393.expected.csv");
  std::string line;
  std::getline(in, line);  // row,origin,depth_m_source,depth_ft,qc_atm,fs_atm,u2_atm,incl_x_deg,incl_y_deg
  int compared = 0;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream split(line);
    for (std::string cell; std::getline(split, cell, ',');) cells.push_back(cell);
    ASSERT_EQ(cells.size(), 9u) << line;
    const auto at = rowAtMillimetre.find(std::lround(std::stod(cells[2]) * 1000));
    ASSERT_NE(at, rowAtMillimetre.end()) << "no row at " << cells[2] << " m";
    const int i = at->second;
    const float got[] = {gFieldData.depth[i], gFieldData.qc[i], gFieldData.fs[i],
                         gFieldData.u2[i],    gFieldData.inclX[i], gFieldData.inclY[i]};
    for (int k = 0; k < 6; ++k) {
      const std::string& expected = cells[static_cast<std::size_t>(k) + 3];
      if (expected == "NULL") {
        EXPECT_TRUE(IsNull(got[k])) << line << " column " << k;
      } else {
        EXPECT_NEAR(got[k], std::stod(expected), 1e-6 + 1e-6 * std::fabs(std::stod(expected))) << line;
      }
    }
    ++compared;
  }
  EXPECT_EQ(compared, 1251);  // 1249 rows and the two end-of-push rows, whose fs is missing in both
}

TEST_F(BroXmlReaderTest, DocumentVariantsGiveTheSameRows) {
  const float m = NullValue;
  struct Row {
    float metres, qc, fs, u2, x, y;
  };
  Doc plain;
  plain.values = record("1.00", "2.5", "0.02", "0.1") + ";" + record({{0, "1.02"}, {3, "2.6"}, {18, ""}, {13, "3"}}) +
                 ";" + record("1.04", "2.7", "0.03", "") + ";";
  const std::vector<Row> plainRows = {{1.00f, 2.5f, 0.02f, 0.1f, m, m}, {1.02f, 2.6f, m, m, 3, m},
                                      {1.04f, 2.7f, 0.03f, m, m, m}};

  Doc prefixed = plain;  // other prefixes, no default namespace, and no trailing block separator
  prefixed.declarations =
      "xmlns:ns0=\"http://www.broservices.nl/xsd/dscpt/1.1\" xmlns:ns1=\"http://www.broservices.nl/xsd/brocommon/3.0\" "
      "xmlns:ns2=\"http://www.broservices.nl/xsd/cptcommon/1.1\" xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
      "xmlns:om=\"http://www.opengis.net/om/2.0\" xmlns:swe=\"http://www.opengis.net/swe/2.0\" "
      "xmlns:dscpt=\"urn:not-the-registry\"";
  prefixed.d = "ns0:";
  prefixed.b = "ns1:";
  prefixed.c = "ns2:";
  prefixed.values.pop_back();

  Doc separators = plain;  // a decimal comma, blanks between values, "|" between records
  separators.encoding = "decimalSeparator=\",\" tokenSeparator=\" \" blockSeparator=\"|\"";
  separators.values = record({{0, "1,00"}, {3, "2,5"}, {18, "0,02"}, {22, "0,1"}}, ' ') + "|" +
                      record({{0, "1,02"}, {3, "2,6"}, {13, "3"}}, ' ') + "|" +
                      record({{0, "1,04"}, {3, "2,7"}, {18, "0,03"}}, ' ') + "|";

  Doc unordered = plain;  // records out of order; the two at 1.00 m keep their order
  unordered.values = record("1.04", "2.7", "0.03") + ";" + record("1.00", "2.5", "0.02") + ";" +
                     record("1.02", "2.6", "-999999") + ";" + record("1.00", "2.4", "0.01") + ";";
  const std::vector<Row> unorderedRows = {{1.00f, 2.5f, 0.02f, m, m, m}, {1.00f, 2.4f, 0.01f, m, m, m},
                                          {1.02f, 2.6f, m, m, m, m}, {1.04f, 2.7f, 0.03f, m, m, m}};

  const struct {
    const char* name;
    Doc doc;
    std::vector<Row> rows;
    int orderIssues;
  } cases[] = {{"default namespace", plain, plainRows, 0},
               {"prefixed", prefixed, plainRows, 0},
               {"separators", separators, plainRows, 0},
               {"unordered", unordered, unorderedRows, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int issuesBefore = issueLinesAboutOrder();
    read(c.doc.text());
    EXPECT_EQ(issueLinesAboutOrder() - issuesBefore, c.orderIssues);
    ASSERT_EQ(gFieldData.rowCount, static_cast<std::int16_t>(c.rows.size()));
    for (std::size_t i = 1; i <= c.rows.size(); ++i) {
      const Row& e = c.rows[i - 1];
      const FieldData& f = gFieldData;
      EXPECT_FLOAT_EQ(f.depth[i], static_cast<float>(static_cast<double>(e.metres) * kFtPerM)) << i;
      const std::pair<float, float> pressures[] = {{f.qc[i], e.qc}, {f.fs[i], e.fs}, {f.u2[i], e.u2}};
      for (const auto& [got, mpa] : pressures) {
        if (IsNull(mpa)) {
          EXPECT_TRUE(IsNull(got)) << "row " << i << ": " << got;
        } else {
          EXPECT_NEAR(got, mpa * kAtmPerMpa, 1e-5) << "row " << i;
        }
      }
      EXPECT_EQ(f.inclX[i], e.x) << i;
      EXPECT_EQ(f.inclY[i], e.y) << i;
    }
  }
}

TEST_F(BroXmlReaderTest, ZeroLoadsAndPositionsFromTheirElements) {
  const char* rd = "<{c}location srsName=\"urn:ogc:def:crs:EPSG::28992\"><gml:pos>85799.579 441974.047</gml:pos></{c}location>";
  const char* etrs = "<{c}location srsName=\"urn:ogc:def:crs:EPSG::4258\"><gml:pos>51.961881008 4.380341476</gml:pos></{c}location>";
  const char* unknown = "<{c}location srsName=\"urn:ogc:def:crs:EPSG::999999\"><gml:pos>1 2</gml:pos></{c}location>";
  const struct {
    const char* name;
    std::string zeroLoad;
    std::string delivered;  // the delivered location, in place of the standardized one
    double tipClean, tipDirty, fsClean;  // MPa; NaN: missing
    bool positioned;
  } cases[] = {
      {"kPa, the clean zero alone",
       "<{c}coneResistanceBefore uom=\"kPa\">-90</{c}coneResistanceBefore>"
       "<{c}localFrictionBefore uom=\"MPa\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\"/>",
       "", -0.090, -0.090, std::nan(""), true},
      {"RD grid", "<{c}localFrictionAfter uom=\"MPa\">0.009</{c}localFrictionAfter>"
                  "<{c}localFrictionBefore uom=\"MPa\">0.008</{c}localFrictionBefore>",
       rd, std::nan(""), std::nan(""), 0.008, true},
      {"ETRS89 latitude first", "", etrs, std::nan(""), std::nan(""), std::nan(""), true},
      {"unknown grid", "", unknown, std::nan(""), std::nan(""), std::nan(""), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Doc doc;
    doc.zeroLoad = c.zeroLoad;
    doc.values = record("1.00", "2.5", "0.02") + ";";
    doc.delivered = c.delivered;
    if (!c.delivered.empty()) doc.location = "";
    const int issuesBefore = static_cast<int>(logLines().size());
    read(doc.text());
    const ZeroLoadRecord z = zeroLoadRecord();
    const std::pair<float, double> zeros[] = {{z.qcZeroClean, c.tipClean}, {z.qcZeroDirty, c.tipDirty},
                                             {z.fsZeroClean, c.fsClean}};
    for (const auto& [atm, mpa] : zeros) {
      if (std::isnan(mpa)) {
        EXPECT_TRUE(IsNull(atm)) << atm;
      } else {
        expectAtm(atm, mpa);
      }
    }
    if (c.positioned) {
      // The delivered positions are the standardized one of the same document, to within a metre.
      const double latitude = c.delivered.empty() ? 52.1 : 51.961881008;
      const double longitude = c.delivered.empty() ? 5.2 : 4.380341476;
      EXPECT_NEAR(gHogHeader.gpsLatitude, latitude, 1e-5);
      EXPECT_NEAR(gHogHeader.gpsLongitude, longitude, 1e-5);
    } else {
      EXPECT_TRUE(IsNull(static_cast<float>(gHogHeader.gpsLatitude)));
      EXPECT_EQ(static_cast<int>(logLines().size()) - issuesBefore, 1) << "one issue line names the grid";
    }
  }
}

TEST_F(BroXmlReaderTest, EightThousandRecordsAreHeldAndOneMoreIsRefused) {
  for (const int records : {8000, 8001}) {
    Doc doc;
    for (int i = 0; i < records; ++i) doc.values += record({{0, std::to_string(i) + "e-3"}, {3, "1"}, {18, "0"}}) + ";";
    gRun.errorReported = false;
    try {
      read(doc.text());
      EXPECT_EQ(records, 8000);
      EXPECT_EQ(gFieldData.rowCount, 8000);
      EXPECT_FLOAT_EQ(gFieldData.depth[8000], static_cast<float>(7.999 * kFtPerM));
    } catch (const ErrorHalt& halt) {
      EXPECT_EQ(records, 8001);
      EXPECT_EQ(halt.identifier, "BXR651") << halt.description;
    }
  }
}

// The Q1o rows of a table by their depth cell, and the zero-load report's row
// of a sounding, as a run over the example project wrote them.
struct RunOutputs {
  std::map<std::string, std::string> rowsByDepth;
  std::string zeroLoadRow;
};

class BroXmlRunTest : public VurnTest {
 protected:
  // Runs the example project on the sounding BRO-217393 alone, its field data
  // file being `fieldDataFile` (the HOG conversion or the XML document).
  RunOutputs runOn(const std::string& fieldDataFile) {
    const fs::path soundings = dataArea() / "Projects" / "ExampleONE" / "Soundings";
    fs::remove(soundings / "BRO-217393.CPT");
    fs::remove(soundings / "BRO-217393.XML");
    fs::copy_file(fieldDataFile, soundings / fs::path(fieldDataFile).filename());
    gRun.errorReported = false;
    Main_run();
    EXPECT_EQ(gRun.soundingsProcessed, 1);

    RunOutputs out;
    std::istringstream table(readHostFile(soundings / "BRO-217393_Q1o.txt"));
    bool data = false;
    for (std::string line; std::getline(table, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (data) out.rowsByDepth[line.substr(0, line.find(','))] = line;
      data = data || line.find("EOH") != std::string::npos;
    }
    std::istringstream report(
        readHostFile(dataArea() / "Projects" / "ExampleONE" / "Vurn---Output---Zero_Load_Data---ExampleONE.txt"));
    for (std::string line; std::getline(report, line);) {
      if (line.find("BRO-217393") != std::string::npos) out.zeroLoadRow = line;
    }
    return out;
  }
};

// Whether two written cells are one unit of their last digit apart.
bool lastDigitApart(const std::string& a, const std::string& b) {
  const std::size_t point = a.find('.');
  if (point == std::string::npos || a.size() != b.size() || b.find('.') != point) return false;
  const double unit = std::pow(10.0, -static_cast<double>(a.find_last_of("0123456789") - point));
  return std::fabs(std::fabs(std::stod(a) - std::stod(b)) - unit) < unit / 100;
}

// The Q1o table made from the XML document agrees cell for cell with the one
// made from the HOG conversion at every depth the conversion has (the
// document's records but the leading ones before the first complete reading
// and the last ones without a sleeve reading), and so does the zero-load
// report's row. A HOG reading is a count whose converted value may sit one
// 32-bit step from the nearest float to the document's decimal value, and the
// tables cut to their decimals: a cell may be one unit of its last digit
// apart, in at most one cell of a thousand.
TEST_F(BroXmlRunTest, QOneOTableAndZeroLoadRowAgreeWithTheHogConversion) {
  HostClock_setFixed(2026, 12, 6, 36000.0);
  startUp();
  const fs::path database = dataArea() / "Projects" / "ExampleONE" / "Vurn_SoundingS---ExampleONE.csv";
  std::istringstream rows(readHostFile(database));
  std::string header, row, kept;
  std::getline(rows, header);
  while (std::getline(rows, row)) {
    if (row.rfind("BRO-217393,", 0) == 0) kept = row;
  }
  ASSERT_FALSE(kept.empty());
  std::ofstream(database, std::ios::binary) << header << "\n" << kept << "\n";

  const RunOutputs hog = runOn(std::string(VURN_SOURCE_DIR) + "/dist/Vurn/Projects/ExampleONE/Soundings/BRO-217393.CPT");
  const RunOutputs xml = runOn(std::string(VURN_SOURCE_DIR) + "/fuzz/corpus/bro_xml/BRO-217393.XML");
  ASSERT_EQ(hog.rowsByDepth.size(), 1251u);
  EXPECT_EQ(xml.rowsByDepth.size(), 1255u);
  int cells = 0;
  int apart = 0;
  for (const auto& [depth, line] : hog.rowsByDepth) {
    const auto other = xml.rowsByDepth.find(depth);
    ASSERT_NE(other, xml.rowsByDepth.end()) << "no XML row at depth " << depth;
    std::istringstream h(line), x(other->second);
    for (std::string a, b; std::getline(h, a, ','); ++cells) {
      ASSERT_TRUE(std::getline(x, b, ',')) << line;
      if (a == b) continue;
      ++apart;
      EXPECT_TRUE(lastDigitApart(a, b)) << "HOG " << line << "\nXML " << other->second;
    }
  }
  EXPECT_LE(apart * 1000, cells) << apart << " of " << cells << " cells one digit apart";
  ASSERT_FALSE(hog.zeroLoadRow.empty());
  EXPECT_EQ(xml.zeroLoadRow, hog.zeroLoadRow);
}

}  // namespace
