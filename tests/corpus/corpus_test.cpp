// The bad-input corpus: every file below tests/corpus/<reader>/ is put where
// its reader looks and read as a run reads it. Each must halt with its error
// identifier through the error report, whose ten-line record in the log shows
// the description and names the offending file or data, and leave every other
// file of the data area exactly as it was (a reader never writes, so nothing
// can be left half-written). Files without an identifier (binary junk) must
// halt with some error record rather than crash.
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/setup_file.h"
#include "compute/stress.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "fielddata/hog_reader.h"
#include "files/split.h"
#include "platform/host_paths.h"
#include "platform/text_file.h"
#include "project/project_list.h"
#include "project/sounding_db.h"
#include "q1o/columns.h"
#include "sld/chart_table.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

// Where a reader finds its file (below drive C:) and how it is read.
struct Reader {
  const char* target;
  std::function<void()> read;
};

const std::map<std::string, Reader>& readers() {
  static const std::map<std::string, Reader> table = {
      {"split",
       {"Vurn/line.txt",
        [] {
          TextReader file;
          std::string line;
          if (file.open("C:\\Vurn\\line.txt")) file.readLine(line);
          FieldList fields(13);
          SplitDelimitedLine(line, false, false, false, fields);
        }}},
      {"setup_file", {"Vurn/software/Vurn-Setup.txt", [] { Setup_read(); }}},
      {"project_list", {"Vurn/Projects/Vurn_ProjectS---Test.csv", [] { ProjectSelector_fill(); }}},
      {"sounding_db",
       {"Vurn/Projects/P1/Vurn_SoundingS---P1.csv",
        [] {
          TextReader file;
          OpenSoundingDatabase(file);
          ReadSoundingHeader(file);
          bool endOfFile = false;
          do ReadNextSounding(file, endOfFile);
          while (!endOfFile);
        }}},
      {"hog",
       {"Vurn/Projects/P1/Soundings/X.CPT",
        [] {
          ResetSoundingRecord();
          AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "X");
          ReadHogSounding();
        }}},
      {"sld_chart",
       {"Vurn/SLD input/SLD-Vurn-X.csv",
        [] {
          gRun.chartDataSource = "FILE";
          Charts_load();
          RequiredCharts_check();
        }}},
      {"columns",
       {"Vurn/Projects/P1/Vurn_Q1o_Output_Columns---P1.csv",
        [] {
          gRun.outputColumnSource = "FILE";
          Columns_read();
          Columns_prepare();
        }}},
      {"uwt_file",
       {"Vurn/Projects/P1/UWT-X.csv",
        [] {
          ResetSoundingRecord();
          AccessSoundingField("ASSIGN_DB", "UWT_METHOD", "FILE");
          AccessSoundingField("ASSIGN_DB", "UWT_FILE_NAME", "UWT-X.csv");
          gDepth.depth = 5.0f;
          UnitWeight_compute();
        }}},
  };
  return table;
}

struct Case {
  const char* reader;
  const char* file;    // below tests/corpus/<reader>/
  const char* id;      // "" for junk: any error record will do
  const char* names;   // a text the error record must hold: the file, or the offending data
  int copies = 1;      // 0: the reader finds no file; 2: a second copy beside the first
};

const Case kCases[] = {
    {"split", "ER932-odd-quote.txt", "ER932", "a,\"b,c,d"},
    {"split", "FL631-fourteen-fields.txt", "FL631", "13"},

    {"setup_file", "SF931-blank-line.txt", "SF931", "contains a bad line= "},
    {"setup_file", "SF931-cut-inside-a-line.txt", "SF931", "bad line= Last_Pro"},
    {"setup_file", "YV803-marker-on-line-3.txt", "YV803", "ROW2_VURN_SETUP_V4"},
    {"setup_file", "YV803-empty.txt", "YV803", "second line must be"},
    {"setup_file", "YV777-no-last-error.txt", "YV777", "ID=95/127"},
    {"setup_file", "YV777-key-twice.txt", "YV777", "ID=129/127"},
    {"setup_file", "PN901-project-outside.txt", "PN901", "Last_Project = ..\\x"},
    {"setup_file", "binary-junk.txt", "", "bad setup File"},
    {"setup_file", "YV803-empty.txt", "ESF812", "C:\\Vurn\\software\\Vurn-Setup.txt", 0},

    {"project_list", "YU112-blank-last-line.csv", "YU112", "blank line not allowed"},
    {"project_list", "IDP834-cell-without-braces.csv", "IDP834", "column=2 ---> ID=ENDOFLIST"},
    {"project_list", "RE932-unknown-identifier.csv", "RE932", "Column ID =OWNER"},
    {"project_list", "PL913-fourteen-columns.csv", "PL913", "13"},
    {"project_list", "PL989-ninety-rows.csv", "PL989", "89"},
    {"project_list", "PL979-eighty-rows.csv", "PL979", "80 projects"},
    {"project_list", "PN901-folder-outside.csv", "PN901", "..\\software"},
    {"project_list", "ER932-odd-quote.csv", "ER932", "\"Alpha,A"},
    {"project_list", "FP822-second-list.csv", "FP822", "Vurn_ProjectS---*.csv", 2},
    {"project_list", "FP822-second-list.csv", "FP829", "Vurn_ProjectS---*.csv", 0},

    {"sounding_db", "SD889-ninety-header-cells.csv", "SD889", "89"},
    {"sounding_db", "SD805-106-cells.csv", "SD805", "105"},
    {"sounding_db", "CCN824-unknown-identifier.csv", "CCN824", "ID=OWNER"},
    {"sounding_db", "SSFR222-water-table-not-a-number.csv", "SSFR222", "IS NOT =abc"},
    {"sounding_db", "SED231-cone-area-cut-exponent.csv", "SED231", "Cone Anet IS NOT =1e"},
    {"sounding_db", "LL121-blank-latitude.csv", "LL121", "Lat (Deg fraction) IS NOT ="},
    {"sounding_db", "ER932-odd-quote.csv", "ER932", "x,\"North"},
    {"sounding_db", "DX322-second-database.csv", "DX322", "SoundingS---*.csv", 2},
    {"sounding_db", "DX322-second-database.csv", "DX392", "SoundingS---*.csv", 0},

    {"hog", "H4334-no-vendor-word.CPT", "H4334", "field data file C:\\Vurn\\Projects\\P1\\SOUNDINGS\\X.CPT"},
    {"hog", "HRC728-unknown-channel.CPT", "HRC728", "TEMPERATURE"},
    {"hog", "GPS323-line-12-not-gga.CPT", "GPS323", "GPS GAA"},
    {"hog", "GPS334-gga-without-hemisphere.CPT", "GPS334", "no N or S"},
    {"hog", "HGC621-no-tip-channel.CPT", "HGC621", "X.CPT has no TIP channel"},
    {"hog", "HGC621-no-friction-channel.CPT", "HGC621", "no FRICTION channel"},
    {"hog", "HGC621-no-u2-channel.CPT", "HGC621", "no U2 channel"},
    {"hog", "HGC622-zero-reference.CPT", "HGC622", "X.CPT, channel FRICTION (column 3)"},
    {"hog", "HGC622-blank-reference.CPT", "HGC622", "channel U2"},
    {"hog", "HGC622-reference-too-small.CPT", "HGC622", "full scale 1e30 TSF over reference number 1e-38"},
    {"hog", "HGC622-x-inclination-zero-reference.CPT", "HGC622", "channel X INCL (column 5)"},
    {"hog", "HGC623-full-scale-without-blank.CPT", "HGC623", "\"100TSF\""},
    {"hog", "HGC623-full-scale-without-number.CPT", "HGC623", "channel TIP"},
    {"hog", "HGC623-full-scale-empty.CPT", "HGC623", "channel FRICTION"},
    {"hog", "HGC624-blank-clean-zero.CPT", "HGC624", "X.CPT, channel TIP"},
    {"hog", "HGF611-ten-lines.CPT", "HGF611", "X.CPT ends at line 10"},
    {"hog", "HGF611-empty.CPT", "HGF611", "X.CPT ends at line 0"},
    {"hog", "HGF612-header-only.CPT", "HGF612", "X.CPT has no data rows"},
    {"hog", "HGF612-header-without-last-line-end.CPT", "HGF612", "X.CPT has no data rows"},
    {"hog", "HG8234-markers-without-zero-row.CPT", "HG8234", "X, line =   1.100"},
    {"hog", "binary-junk.CPT", "", "X.CPT"},
    {"hog", "HGF611-empty.CPT", "HGF601", "X.CPT", 0},

    {"sld_chart", "OU993-x-not-fr.csv", "OU993", "QC1_atmin row 1 at column 1"},
    {"sld_chart", "OU114-fr-not-percent.csv", "OU114", "Fr_atm"},
    {"sld_chart", "OU223-y-not-qc1.csv", "OU223", "QT_atm"},
    {"sld_chart", "OU223-basic-property.csv", "OU223", "SLD can't be basic property:: QT_atm in row 1 at column 3"},
    {"sld_chart", "OU103-unknown-property.csv", "OU103", "Zzz"},
    {"sld_chart", "EZ441-four-part-identifier.csv", "EZ441", "Ic_tvk_atm_x"},
    {"sld_chart", "QZ120-bad-row-2.csv", "QZ120", "file = SLD-Vurn-X.csv"},
    {"sld_chart", "QZ120-row-2-without-version.csv", "QZ120", "ROW 2 = Row 2  file = SLD-Vurn-X.csv  Col3=Ic_tvk"},
    {"sld_chart", "PQ883-ends-at-header-end.csv", "PQ883", "SLD-Vurn-X.csv"},
    {"sld_chart", "PQ883-ends-inside-header.csv", "PQ883", "SLD-Vurn-X.csv"},
    {"sld_chart", "TBC992-unknown-chart-id.csv", "TBC992", "OTHERCHART"},
    {"sld_chart", "TF321-bad-true-false.csv", "TF321", "maybe"},
    {"sld_chart", "SLD412-no-header-end.csv", " SLD412", "SLD-Vurn-X.csv"},
    {"sld_chart", "SEF454-empty-authorship.csv", "SEF454", "SLD-Vurn-X.csv"},
    {"sld_chart", "SEF454-empty-c-identifier.csv", "SEF454", "SLD-Vurn-X.csv"},
    {"sld_chart", "SLD722-empty-last-line.csv", "SLD722", "SLD-Vurn-X.csv"},
    {"sld_chart", "SLD722-only-an-empty-line.csv", "SLD722", "SLD-Vurn-X.csv"},
    {"sld_chart", "Sld009-first-point-without-value.csv", "Sld009", "SLD-Vurn-X.csv"},
    {"sld_chart", "Sld009-empty-line-value.csv", "Sld009", "no or bad contour value="},
    {"sld_chart", "Sld009-line-value-null.csv", "Sld009", "-5435"},
    {"sld_chart", "Sld009-line-value-not-a-number.csv", "Sld009", "abc"},
    {"sld_chart", "CHL204-point-not-a-number.csv", "CHL204", "4O"},
    {"sld_chart", "CHL021-22-comments.csv", "CHL021", "SLD-Vurn-X.csv"},
    {"sld_chart", "CHL015-16-contour-lines.csv", "CHL015", "SLD-Vurn-X.csv"},
    {"sld_chart", "CHL025-26-points.csv", "CHL025", "SLD-Vurn-X.csv has more than 25 points on contour line 1"},
    {"sld_chart", "SLD200-required-charts-missing.csv", "SLD200", "missing: CQC1 UWT1 CRRE P200S1 VS1 N1 S1"},
    {"sld_chart", "SRF734-second-file-same-identity.csv", "SRF734", "property=Ic_tvkauthorship=Tester", 2},
    {"sld_chart", "binary-junk.csv", "", "method"},
    {"sld_chart", "SLD200-required-charts-missing.csv", "SLD214", "SLD-Vurn-*.csv", 0},

    {"columns", "CL924-25-columns.csv", "CL924", "24"},
    {"columns", "EZ441-four-part-identifier.csv", "EZ441", "Ic_tvk_atm_x"},
    {"columns", "FP873-second-file.csv", "FP873", "Vurn_Q1o_Output_Columns---*.csv", 2},
    {"columns", "FP873-second-file.csv", "MEW553", "was NOT found", 0},

    {"uwt_file", "WI323-lower-case-eoh.csv", "WI323", "UWT-X.csv"},
    {"uwt_file", "WI323-three-lines.csv", "WI323", "UWT-X.csv"},
    {"uwt_file", "DX333-no-pairs.csv", "DX333", "UWT-X.csv"},
    {"uwt_file", "DX733-depth-without-weight.csv", "DX733", "UWT-X.csv"},
    {"uwt_file", "DX739-weight-not-a-number.csv", "DX739", "unit weight heavy of pair 1 in UWT file=UWT-X.csv"},
    {"uwt_file", "UWF303-depth-not-a-number.csv", "UWF303", "(top) in UWT file=UWT-X.csv"},
    {"uwt_file", "UWF304-one-pair.csv", "UWF304", "UWT-X.csv"},
    {"uwt_file", "UWF302-31-pairs.csv", "UWF302", "UWT-X.csv"},
    {"uwt_file", "GP342-depth-outside-range.csv", "GP342", "UWT"},
    {"uwt_file", "binary-junk.csv", "", "UWT-X.csv"},
    {"uwt_file", "UWF304-one-pair.csv", "UWF301", "UWT-X.csv", 0},
};

// The name of the second copy: "2" before the extension.
std::string secondCopy(const std::string& target) {
  const std::size_t dot = target.rfind('.');
  return target.substr(0, dot) + "2" + target.substr(dot);
}

class CorpusTest : public VurnTest {
 protected:
  // Every file below the data area but the log, with its bytes.
  std::map<fs::path, std::string> snapshot() const {
    const fs::path log = Host_resolve(gRun.logPath);
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dataArea())) {
      if (entry.is_regular_file() && entry.path() != log) files[entry.path()] = readHostFile(entry.path());
    }
    return files;
  }
};

TEST_F(CorpusTest, EveryBadInputEndsInItsErrorRecordAndLeavesTheDataAreaAsItWas) {
  const fs::path corpus = fs::path(VURN_SOURCE_DIR) / "tests" / "corpus";
  std::map<std::string, std::set<std::string>> filesCovered;
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.reader) + "/" + c.file);
    TearDown();
    SetUp();
    openLog();
    gRun.projectName = "P1";
    fs::create_directories(dataArea() / "software");
    fs::create_directories(dataArea() / "SLD input");
    fs::create_directories(dataArea() / "Projects" / "P1" / "Soundings");
    const Reader& reader = readers().at(c.reader);
    const std::string bytes = readHostFile(corpus / c.reader / c.file);
    if (c.copies >= 1) writeHostFile(reader.target, bytes);
    if (c.copies >= 2) writeHostFile(secondCopy(reader.target), bytes);
    filesCovered[c.reader].insert(c.file);
    const auto before = snapshot();

    std::string description = "nothing was reported";
    try {
      reader.read();
      ADD_FAILURE() << "no error";
    } catch (const ErrorHalt& halt) {
      if (*c.id != '\0') {
        EXPECT_EQ(halt.identifier, c.id) << halt.description;
      }
      description = halt.description;
    }

    const auto lines = logLines();
    ASSERT_GE(lines.size(), 10u);
    const std::vector<std::string> record(lines.end() - 10, lines.end());
    EXPECT_EQ(record[0], "Error--------------------------start");
    EXPECT_EQ(record[1], "Error description =" + description);
    EXPECT_EQ(record[9], "Error---------------------------------end");
    std::string joined;
    for (const std::string& line : record) joined += line + "\n";
    EXPECT_NE(joined.find(c.names), std::string::npos) << joined;
    EXPECT_EQ(snapshot(), before) << "a reader changed a file of the data area";
  }
  // Every corpus file is in the table.
  for (const auto& folder : fs::directory_iterator(corpus)) {
    if (!folder.is_directory()) continue;
    std::size_t files = 0;
    for (const auto& file : fs::directory_iterator(folder)) files += file.path().extension() != ".seed";
    EXPECT_EQ(filesCovered[folder.path().filename().string()].size(), files) << folder.path();
  }
}

}  // namespace
