// The GEF, BRO XML and plain CSV readers through a whole run against the HOG
// conversions of the same soundings (Q1o tables and zero-load rows), and the
// variants of GEF and CSV against values worked out by hand.
#include "fielddata/gef_reader.h"

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "app/run.h"
#include "core/run_state.h"
#include "fielddata/field_data_file.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
#include "platform/host_env.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

// The Q1o rows of a sounding's table by their depth cell, and its row of the
// zero-load report, as the last run wrote them.
struct RunOutputs {
  std::map<std::string, std::string> rowsByDepth;
  std::string zeroLoadRow;
};

class GefReaderTest : public VurnTest {
 protected:
  static RunOutputs outputsOf(const fs::path& project, const std::string& name);
};

RunOutputs GefReaderTest::outputsOf(const fs::path& project, const std::string& name) {
  RunOutputs out;
  std::istringstream table(readHostFile(project / "Soundings" / (name + "_Q1o.txt")));
  bool data = false;
  for (std::string line; std::getline(table, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (data) out.rowsByDepth[line.substr(0, line.find(','))] = line;
    data = data || line == "EOH";
  }
  std::istringstream report(readHostFile(project / "Vurn---Output---Zero_Load_Data---ExampleONE.txt"));
  for (std::string line; std::getline(report, line);) {
    if (line.find(" " + name + " ") != std::string::npos) out.zeroLoadRow = line;
  }
  return out;
}

// Whether two written cells are one unit of their last digit apart.
bool lastDigitApart(const std::string& a, const std::string& b) {
  const std::size_t point = a.find('.');
  if (point == std::string::npos || a.size() != b.size() || b.find('.') != point) return false;
  const double unit = std::pow(10.0, -static_cast<double>(a.find_last_of("0123456789") - point));
  return std::fabs(std::fabs(std::stod(a) - std::stod(b)) - unit) < unit / 100;
}

// The original GEF files and the registry's XML document of a sounding give
// the Q1o rows of its HOG conversion at every depth the conversion has (the
// other file may have up to four more: the deepest records without a sleeve
// reading, the leading ones before the first complete reading), and the same
// zero-load row. A HOG reading is a count whose converted value may sit one
// 32-bit step from the nearest float to the file's decimal value, and the
// tables cut to their decimals: a cell may be one unit of its last digit
// apart, in at most one cell of a thousand.
TEST_F(GefReaderTest, OtherFormatsGiveTheQ1oRowsAndZeroLoadOfTheHogConversion) {
  HostClock_setFixed(2026, 12, 6, 36000.0);
  startUp();
  const fs::path project = dataArea() / "Projects" / "ExampleONE";
  const fs::path database = project / "Vurn_SoundingS---ExampleONE.csv";
  const std::string rows = readHostFile(database);  // the header and the two soundings' rows alone
  std::string kept = rows.substr(0, rows.find('\n') + 1);
  for (const char* name : {"\nVOORNE-17_8,", "\nBRO-217393,"}) {
    const std::size_t at = rows.find(name) + 1;
    kept += rows.substr(at, rows.find('\n', at) - at + 1);
  }
  std::ofstream(database, std::ios::binary) << kept;
  Main_run();
  const RunOutputs hog[] = {outputsOf(project, "VOORNE-17_8"), outputsOf(project, "BRO-217393")};
  const fs::path source = VURN_SOURCE_DIR;
  const struct { const char* name; fs::path file; int hogIndex; } passes[][2] = {
      {{"VOORNE-17_8", source / "tests/fielddata/data/VOORNE-17_8.GEF", 0},
       {"BRO-217393", source / "fuzz/corpus/bro_xml/BRO-217393.XML", 1}},
      {{"BRO-217393", source / "tests/fielddata/data/BRO-217393.GEF", 1}, {}},
  };
  for (const auto& pass : passes) {
    for (const auto& p : pass) {
      if (!p.name) continue;
      for (const char* extension : {".CPT", ".GEF", ".XML"}) fs::remove(project / "Soundings" / (p.name + std::string(extension)));
      fs::copy_file(p.file, project / "Soundings" / p.file.filename());
    }
    gRun.errorReported = false;
    Main_run();
    ASSERT_EQ(gRun.status.main, "           Done");
    for (const auto& p : pass) {
      if (!p.name) continue;
      SCOPED_TRACE(p.file.filename().string());
      const RunOutputs& h = hog[p.hogIndex];
      const RunOutputs other = outputsOf(project, p.name);
      ASSERT_GT(h.rowsByDepth.size(), 1000u);
      EXPECT_LE(other.rowsByDepth.size() - h.rowsByDepth.size(), 4u);
      int cells = 0;
      int apart = 0;
      for (const auto& [depth, line] : h.rowsByDepth) {
        const auto found = other.rowsByDepth.find(depth);
        ASSERT_NE(found, other.rowsByDepth.end()) << "no row at depth " << depth;
        std::istringstream a(line), b(found->second);
        for (std::string x, y; std::getline(a, x, ','); ++cells) {
          ASSERT_TRUE(std::getline(b, y, ',')) << line;
          if (x == y) continue;
          ++apart;
          EXPECT_TRUE(lastDigitApart(x, y)) << "HOG " << line << "\nother " << found->second;
        }
      }
      EXPECT_LE(apart * 1000, cells) << apart << " of " << cells << " cells one digit apart";
      ASSERT_FALSE(h.zeroLoadRow.empty());
      EXPECT_EQ(other.zeroLoadRow, h.zeroLoadRow);
    }
  }
}

// Crafted files of both formats; expected values by hand: 1 ft = 0.3048 m,
// 1 MPa = 9.86923 atm, 1 tsf = 0.95 atm; the first row is the shallowest.
TEST_F(GefReaderTest, VariantsOfBothFormatsFillTheRecord) {
  const double missing = NullValue;
  const struct {
    const char* file;
    std::string text;
    int rows;
    double depth1, qc1, fs1, u2_1, inclX1, depthLast;
    const char* device;
    const char* dateTime;
    double latitude, qcCleanZero, qcDirtyZero;
  } cases[] = {
      // blanks between values, no voids declared, negative lengths, exponents,
      // columns by quantity number in any order, fs in kPa, a BOM, CRLF, rows
      // out of order; a date without time, a withheld company; no position or zeros
      {"A.GEF",
       "\xEF\xBB\xBF#GEFID= 1, 1, 0\r\n#COLUMNINFO= 1, MPa, qc, 2\r\n#COLUMNINFO= 2, m, length, 1\r\n"
       "#STARTDATE= 2000, 03, 06\r\n#STARTTIME= -, -, -\r\n#COMPANYID= contractor, wordt niet uitgeleverd, -\r\n"
       "#COLUMNINFO = 3, kPa (kiloPascal), fs, 3\r\n#EOH=\r\n"
       " 2.0E+00  -2.0000e+000  40\r\n1.5 -1.0 20.0\r\n\r\n",
       2, 1.0 / 0.3048, 1.5 * 9.86923, 0.02 * 9.86923, missing, missing, 2.0 / 0.3048, "NULL", "20000306~000000",
       missing, missing, missing},
      // ";" and "!" with a separator before the record end, voids written
      // otherwise, an empty value and "-", escapes, RD position, date, zeros;
      // the first record lacks fs and is left out
      {"B.gef",
       "#GEFID= 1, 1, 0\n#REPORTCODE= GEF-CPT-Report, 1, 1, 2\n#COLUMN= 6\n#COLUMNINFO= 1, m, l, 1\n"
       "#COLUMNINFO= 2, MPa, qc, 2\n#COLUMNINFO= 3, MPa, fs, 3\n#COLUMNINFO= 4, MPa, u2, 6\n"
       "#COLUMNINFO= 5, graden, x, 21\n#COLUMNINFO= 6, deg, ns, 9\n#COLUMNVOID= 3, -9999\n"
       "#COLUMNVOID= 4, -9.999e3\n#COLUMNSEPARATOR= ;\n#RECORDSEPARATOR= !\n"
       "#MEASUREMENTTEXT= 4, CONE\\, A1, type\n#STARTDATE= 2019, 1, 29\n#STARTTIME= 14, 3, 5.5\n"
       "#MEASUREMENTVAR= 20, -0.257, MPa, zero\n#MEASUREMENTVAR= 21, -245, kPa, zero\n"
       "#XYID= 31000, 155000, 463000\n#EOH=\n"
       "0.1;1;-9999.0;0;0;0;!\n0.2 ; 2.5 ; 0.05 ; 0.01 ; 1 ; ;!0.3;3;0.06;-;-1;-2;!\n",
       2, 0.2 / 0.3048, 2.5 * 9.86923, 0.05 * 9.86923, 0.01 * 9.86923, 1.0, 0.3 / 0.3048, "CONE, A1",
       "20190129~140305-local", 52.1551744, -0.257, -0.245},
      // plain CSV: key lines, comma, metres and MPa/kPa, zeros in kPa
      {"C.CSV",
       "#device=CONE 7\n#date=2023-03-15 09:10\n#latitude=40.5\n#longitude=-74.5\n"
       "#qc_zero_clean_kPa=-257\n#qc_zero_dirty_MPa=-0.245\n#rig=ignored\n"
       "depth_m,qc_MPa,fs_kPa,u2_kPa,Rf_pct\n0.5,1.5,20,-10,1.3\n1.0,2,,30,x\n",
       2, 0.5 / 0.3048, 1.5 * 9.86923, 0.02 * 9.86923, -0.01 * 9.86923, missing, 1.0 / 0.3048, "CONE 7",
       "20230315~091000-local", 40.5, -0.257, -0.245},
      // semicolons, feet, tsf and atm, any column order, a quoted name, inclinations
      {"D.csv", "\"INCL_X_DEG\";fs_atm;Depth_ft;qc_tsf\n0.5;0.2;3.0;10\n0.7;;4;12\n", 2, 3.0, 9.5, 0.2, missing,
       0.5, 4.0, "NULL", "NULL", missing, missing, missing},
  };
  gRun.dataArea = "C:\\Vurn";
  gRun.projectName = "P1";
  openLog();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    fs::remove_all(dataArea() / "Projects" / "P1" / "SOUNDINGS");
    writeHostFile(std::string("Vurn/Projects/P1/SOUNDINGS/") + c.file, c.text);
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", FieldDataFile_stem(c.file));
    FieldDataFile_read(FieldDataFile_find(FieldDataFile_stem(c.file)));
    const FieldData& d = gFieldData;
    ASSERT_EQ(d.rowCount, c.rows);
    const auto near = [](float got, double want) {
      return IsNull(static_cast<float>(want)) ? IsNull(got) : std::fabs(got - want) <= 2e-6 * std::fabs(want) + 1e-7;
    };
    const std::pair<float, double> values[] = {{d.depth[1], c.depth1}, {d.qc[1], c.qc1}, {d.fs[1], c.fs1},
        {d.u2[1], c.u2_1}, {d.inclX[1], c.inclX1}, {d.depth[static_cast<std::size_t>(c.rows)], c.depthLast},
        {gHogHeader.tip.cleanZero, c.qcCleanZero}, {gHogHeader.tip.dirtyZero, c.qcDirtyZero}};
    for (const auto& [got, want] : values) EXPECT_TRUE(near(got, want)) << got << " where " << want << " is expected";
    EXPECT_EQ(gHogHeader.device + " " + gHogHeader.dateTime, std::string(c.device) + " " + c.dateTime);
    EXPECT_TRUE(IsNull(static_cast<float>(c.latitude)) ? IsNull(static_cast<float>(gHogHeader.gpsLatitude))
                                                        : std::fabs(gHogHeader.gpsLatitude - c.latitude) < 3e-5)
        << gHogHeader.gpsLatitude;
  }
  std::string log;
  for (const std::string& line : logLines()) log += line + "\n";
  EXPECT_NE(log.find("A.GEF: the rows were not in depth order"), std::string::npos) << log;
  EXPECT_NE(log.find("B.gef: the first 1 row(s) lack qc, fs or u2"), std::string::npos) << log;
}

}  // namespace
