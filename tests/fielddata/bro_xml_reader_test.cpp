// The BRO CPT XML reader: the real registry documents with their headers, and
// the document variants (prefixes, separators, missing values, order, zero
// loads, positions). The one sounding that also exists as a HOG conversion is
// compared through a run in gef_reader_test.cpp.
#include "fielddata/bro_xml_reader.h"

#include <array>
#include <cmath>
#include <functional>
#include <map>

#include "compute/zero_load.h"
#include "core/run_state.h"
#include "fielddata/field_data_store.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
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
    const auto value = values.find(field);
    text += (field > 0 ? std::string(1, separator) : "") + (value == values.end() ? "-999999" : value->second);
  }
  return text;
}

// A small dispatch document; {d}, {b}, {c} stand for the prefixes of the CPT
// dispatch, common and CPT common namespaces (empty: the default namespace).
struct Doc {
  std::string d, b = "brocom", c = "cptcommon", lookAlike;  // lookAlike: more bindings on the root
  std::string location = "<{d}standardizedLocation><{b}location srsName=\"urn:ogc:def:crs:EPSG::4258\"><gml:pos>52.1 5.2"
                         "</gml:pos></{b}location></{d}standardizedLocation>";
  std::string zeroLoad = "<{c}coneResistanceBefore uom=\"MPa\">-0.090</{c}coneResistanceBefore>";
  std::string encoding = "decimalSeparator=\".\" tokenSeparator=\",\" blockSeparator=\";\"";
  std::string values = record({{0, "1.00"}, {3, "2.5"}, {18, "0.02"}, {22, "0.1"}}) + ";" +
                       record({{0, "1.02"}, {3, "2.6"}, {18, ""}, {13, "3"}}) + ";" +
                       record({{0, "1.04"}, {3, "2.7"}, {18, "0.03"}, {22, ""}}) + ";";

  std::string text() const {
    const auto binding = [](const std::string& prefix, const char* schema) {
      return " xmlns" + (prefix.empty() ? "" : ":" + prefix) + "=\"http://www.broservices.nl/xsd/" + schema + "\"";
    };
    std::string t = "<{d}dispatchDataResponse" + binding(d, "dscpt/1.1") + binding(b, "brocommon/3.0") +
                    binding(c, "cptcommon/1.1") + lookAlike + " xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
                    "xmlns:om=\"http://www.opengis.net/om/2.0\" xmlns:swe=\"http://www.opengis.net/swe/2.0\">"
                    "<{d}dispatchDocument><{d}CPT_O>" + location +
                    "<{d}conePenetrometerSurvey><{c}conePenetrometer><{c}conePenetrometerType>CONE-1/77"
                    "</{c}conePenetrometerType><{c}zeroLoadMeasurement>" + zeroLoad +
                    "</{c}zeroLoadMeasurement></{c}conePenetrometer><{c}conePenetrationTest><om:phenomenonTime>"
                    "<gml:TimeInstant><gml:timePosition>2021-03-04T05:06:07Z</gml:timePosition></gml:TimeInstant>"
                    "</om:phenomenonTime><{c}cptResult><swe:encoding><swe:TextEncoding " + encoding +
                    "/></swe:encoding><{c}values>" + values + "</{c}values></{c}cptResult></{c}conePenetrationTest>"
                    "</{d}conePenetrometerSurvey></{d}CPT_O></{d}dispatchDocument></{d}dispatchDataResponse>";
    for (const auto& [mark, prefix] : {std::pair{"{d}", d}, std::pair{"{b}", b}, std::pair{"{c}", c}}) {
      const std::string tag = prefix.empty() ? "" : prefix + ":";
      for (std::size_t at = t.find(mark); at != std::string::npos; at = t.find(mark, at)) t.replace(at, 3, tag);
    }
    return t;
  }
};

class BroXmlReaderTest : public VurnTest {
 protected:
  void SetUp() override {
    VurnTest::SetUp();
    openLog();
    useProject("P1");
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

// A stored value against its expected one; NaN expects it missing.
void expectValue(float got, double expected) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(IsNull(got)) << got;
  } else {
    EXPECT_NEAR(got, expected, 1e-6 + 1e-6 * std::fabs(expected));
  }
}

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
    const ZeroLoadRecord z = zeroLoadRecord();
    EXPECT_EQ(h.device + " " + h.dateTime + " " + z.device, std::string(c.device) + " " + c.dateTime + " " + c.device);
    EXPECT_DOUBLE_EQ(h.gpsLatitude, c.latitude);
    EXPECT_DOUBLE_EQ(h.gpsLongitude, c.longitude);
    EXPECT_EQ(gFieldFileFacts.positionSource, "ETRS89 position of the file (standardized location)");
    for (const auto& [atm, mpa] : {std::pair{z.qcZeroClean, c.tipClean}, std::pair{z.qcZeroDirty, c.tipDirty},
                                   std::pair{z.fsZeroClean, c.fsClean}, std::pair{z.fsZeroDirty, c.fsDirty}}) {
      expectValue(atm, mpa * kAtmPerMpa);
    }
    EXPECT_EQ(IsNull(f.u2[c.rows / 2]), !c.u2);
    EXPECT_EQ(IsNull(f.inclX[c.rows / 2]) && IsNull(f.inclY[c.rows / 2]), !c.inclinations);
  }
}

// Variants of a small document. Rows: metres, qc, fs, u2 (MPa), inclination X;
// NaN is missing. Zeros in MPa; a position that is NaN is missing.
TEST_F(BroXmlReaderTest, DocumentVariantsFillTheRecord) {
  const double m = std::nan("");
  using Rows = std::vector<std::array<double, 5>>;
  const Rows plain = {{1.00, 2.5, 0.02, 0.1, m}, {1.02, 2.6, m, m, 3}, {1.04, 2.7, 0.03, m, m}};
  const auto delivered = [](const char* epsg, const char* pos) {
    return std::string("<{d}deliveredLocation><{c}location srsName=\"urn:ogc:def:crs:EPSG::") + epsg + "\"><gml:pos>" +
           pos + "</gml:pos></{c}location></{d}deliveredLocation>";
  };
  const struct {
    const char* name;
    std::function<void(Doc&)> change;
    Rows rows;
    int orderIssues;
    double tipClean, tipDirty, fsClean, latitude, longitude;
  } cases[] = {
      {"default namespace", [](Doc&) {}, plain, 0, -0.090, -0.090, m, 52.1, 5.2},
      {"other prefixes, a look-alike binding, no last separator",
       [](Doc& doc) {
         doc.d = "ns0", doc.b = "ns1", doc.c = "ns2", doc.lookAlike = " xmlns:dscpt=\"urn:not-the-registry\"";
         doc.values.pop_back();
       },
       plain, 0, -0.090, -0.090, m, 52.1, 5.2},
      {"decimal comma, blanks between values, | between records, a void with decimals",
       [](Doc& doc) {
         doc.encoding = "decimalSeparator=\",\" tokenSeparator=\" \" blockSeparator=\"|\"";
         doc.values = record({{0, "1,00"}, {3, "2,5"}, {18, "0,02"}, {22, "0,1"}}, ' ') + "|" +
                      record({{0, "1,02"}, {3, "2,6"}, {13, "3"}, {18, "-999999,00"}}, ' ') + "|" +
                      record({{0, "1,04"}, {3, "2,7"}, {18, "0,03"}}, ' ') + "|";
       },
       plain, 0, -0.090, -0.090, m, 52.1, 5.2},
      {"out of order; equal lengths keep their order",
       [](Doc& doc) {
         doc.values = record({{0, "1.04"}, {3, "2.7"}, {18, "0.03"}}) + ";" + record({{0, "1.00"}, {3, "2.5"}, {18, "0.02"}}) +
                      ";" + record({{0, "1.02"}, {3, "2.6"}, {18, "0.05"}}) + ";" +
                      record({{0, "1.00"}, {3, "2.4"}, {18, "0.01"}}) + ";";
       },
       {{1.00, 2.5, 0.02, m, m}, {1.00, 2.4, 0.01, m, m}, {1.02, 2.6, 0.05, m, m}, {1.04, 2.7, 0.03, m, m}}, 1, -0.090,
       -0.090, m, 52.1, 5.2},
      {"zeros in kPa and nil; RD position",
       [&](Doc& doc) {
         doc.zeroLoad = "<{c}coneResistanceBefore uom=\"kPa\">-90</{c}coneResistanceBefore><{c}coneResistanceAfter "
                        "uom=\"kPa\">-114</{c}coneResistanceAfter><{c}localFrictionBefore uom=\"MPa\" xmlns:xsi=\"http://"
                        "www.w3.org/2001/XMLSchema-instance\" xsi:nil=\"true\"/>";
         doc.location = delivered("28992", "85799.579 441974.047");  // BRO-217393, standardized 51.961881008 4.380341476
       },
       plain, 0, -0.090, -0.114, m, 51.961881008, 4.380341476},
      {"sleeve zeros; geographic position latitude first",
       [&](Doc& doc) {
         doc.zeroLoad = "<{c}localFrictionAfter uom=\"MPa\">0.009</{c}localFrictionAfter><{c}localFrictionBefore "
                        "uom=\"MPa\">0.008</{c}localFrictionBefore>";
         doc.location = delivered("4258", "51.961881008 4.380341476");
       },
       plain, 0, m, m, 0.008, 51.961881008, 4.380341476},
      {"a grid that cannot be converted", [&](Doc& doc) { doc.location = delivered("999999", "1 2"); }, plain, 0,
       -0.090, -0.090, m, m, m},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Doc doc;
    c.change(doc);
    const int issuesBefore = issueLinesAboutOrder();
    const std::size_t linesBefore = logLines().size();
    read(doc.text());
    EXPECT_EQ(issueLinesAboutOrder() - issuesBefore, c.orderIssues);
    const FieldData& f = gFieldData;
    ASSERT_EQ(f.rowCount, static_cast<std::int16_t>(c.rows.size()));
    for (std::size_t i = 1; i <= c.rows.size(); ++i) {
      const auto& e = c.rows[i - 1];
      EXPECT_FLOAT_EQ(f.depth[i], static_cast<float>(e[0] * kFtPerM)) << i;
      SCOPED_TRACE("row " + std::to_string(i));
      for (const auto& [got, expected] : {std::pair{f.qc[i], e[1] * kAtmPerMpa}, std::pair{f.fs[i], e[2] * kAtmPerMpa},
                                          std::pair{f.u2[i], e[3] * kAtmPerMpa}, std::pair{f.inclX[i], e[4]},
                                          std::pair{f.inclY[i], m}}) {
        expectValue(got, expected);
      }
    }
    const ZeroLoadRecord z = zeroLoadRecord();
    for (const auto& [atm, mpa] : {std::pair{z.qcZeroClean, c.tipClean}, std::pair{z.qcZeroDirty, c.tipDirty},
                                   std::pair{z.fsZeroClean, c.fsClean}}) {
      expectValue(atm, mpa * kAtmPerMpa);
    }
    if (std::isnan(c.latitude)) {
      EXPECT_TRUE(IsNull(static_cast<float>(gHogHeader.gpsLatitude)));
      EXPECT_EQ(logLines().size() - linesBefore, 1u) << "one issue line names the grid";
    } else {  // a grid position within a metre of the registry's own conversion
      EXPECT_NEAR(gHogHeader.gpsLatitude, c.latitude, 1e-5);
      EXPECT_NEAR(gHogHeader.gpsLongitude, c.longitude, 1e-5);
    }
  }
}

TEST_F(BroXmlReaderTest, EightThousandRecordsAreHeldAndOneMoreIsRefused) {
  for (const int records : {8000, 8001}) {
    Doc doc;
    doc.values.clear();
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

}  // namespace
