// The bad-input corpus: every file below tests/corpus/<reader>/ has a row in
// tests/corpus/expected.tsv and is put where its reader looks, then read as a
// run reads it. Each must halt with its error identifier through the error
// report, whose ten-line record in the log shows the description and names the
// offending file or data, and leave every other file of the data area exactly
// as it was (a reader never writes, so nothing can be left half-written).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "app/setup_file.h"
#include "compute/stress.h"
#include "compute/zero_load.h"
#include "core/depth_values.h"
#include "core/run_state.h"
#include "fielddata/field_data_file.h"
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

// Sounding X's field data as a run reads it: found by the dispatch, read by
// the reader of its extension.
void readSoundingX() {
  ResetSoundingRecord();
  AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "X");
  FieldDataFile_read(FieldDataFile_find("X"));
}

// Where a reader finds its file (below drive C:) and how a run reads it.
struct Reader {
  const char* target;
  std::function<void()> read;
};

const std::map<std::string, Reader> kReaders = {
    {"split", {"Vurn/line.txt", [] {
                 TextReader file;
                 std::string line;
                 if (file.open("C:\\Vurn\\line.txt")) file.readLine(line);
                 FieldList fields(13);
                 SplitDelimitedLine(line, false, false, false, fields);
               }}},
    {"setup_file", {"Vurn/software/Vurn-Setup.txt", [] { Setup_read(); }}},
    {"project_list", {"Vurn/Projects/Vurn_ProjectS---Test.csv", [] { ProjectSelector_fill(); }}},
    {"sounding_db", {"Vurn/Projects/P1/Vurn_SoundingS---P1.csv", [] {
                       TextReader file;
                       OpenSoundingDatabase(file);
                       ReadSoundingHeader(file);
                       bool endOfFile = false;
                       do ReadNextSounding(file, endOfFile);
                       while (!endOfFile);
                     }}},
    {"hog", {"Vurn/Projects/P1/Soundings/X.CPT", [] {
               ResetSoundingRecord();
               AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "X");
               ReadHogSounding();
             }}},
    {"gef", {"Vurn/Projects/P1/Soundings/X.GEF", [] { readSoundingX(); }}},
    {"csv", {"Vurn/Projects/P1/Soundings/X.CSV", [] { readSoundingX(); }}},
    {"bro_xml", {"Vurn/Projects/P1/Soundings/X.XML", [] { readSoundingX(); }}},
    {"sld_chart", {"Vurn/SLD input/SLD-Vurn-X.csv", [] {
                     gRun.chartDataSource = "FILE";
                     Charts_load();
                     RequiredCharts_check();
                   }}},
    {"columns", {"Vurn/Projects/P1/Vurn_Q1o_Output_Columns---P1.csv", [] {
                   gRun.outputColumnSource = "FILE";
                   Columns_read();
                   Columns_prepare();
                 }}},
    {"drift_limits", {"Vurn/software/Vurn-Drift-Limits.txt", [] { DriftLimits_read(); }}},
    {"uwt_file", {"Vurn/Projects/P1/UWT-X.csv", [] {
                    ResetSoundingRecord();
                    AccessSoundingField("ASSIGN_DB", "UWT_METHOD", "FILE");
                    AccessSoundingField("ASSIGN_DB", "UWT_FILE_NAME", "UWT-X.csv");
                    gDepth.depth = 5.0f;
                    UnitWeight_compute();
                  }}},
};

// One row of expected.tsv: reader/file, identifier ("-": any), copies of the
// file (0: the reader finds none; 2: a second copy beside the first; -1: one
// that cannot be opened, as when another program locks it), and a text the
// error record must hold.
struct Case {
  std::string reader, file, id, names;
  int copies = 1;
};

std::vector<Case> cases(const fs::path& corpus) {
  std::vector<Case> result;
  std::ifstream in(corpus / "expected.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream row(line);
    Case c;
    std::string path, copies;
    std::getline(row, path, '\t');
    std::getline(row, c.id, '\t');
    std::getline(row, copies, '\t');
    std::getline(row, c.names);
    c.reader = path.substr(0, path.find('/'));
    c.file = path.substr(path.find('/') + 1);
    c.copies = std::stoi(copies);
    result.push_back(c);
  }
  return result;
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
  std::set<std::string> listed;
  for (const Case& c : cases(corpus)) {
    SCOPED_TRACE(c.reader + "/" + c.file);
    listed.insert(c.reader + "/" + c.file);
    TearDown();
    SetUp();
    openLog();
    gRun.projectName = "P1";
    for (const char* folder : {"software", "SLD input", "Projects/P1/Soundings"}) fs::create_directories(dataArea() / folder);
    const Reader& reader = kReaders.at(c.reader);
    const std::string bytes = readHostFile(corpus / c.reader / c.file);
    std::string target = reader.target;
    for (int copy = 1; copy <= std::abs(c.copies); ++copy, target.insert(target.rfind('.'), "2")) {
      writeHostFile(target, bytes);
    }
    if (c.copies < 0) TextReader_failOpensOf(fs::path(reader.target).filename().string());
    const auto before = snapshot();

    std::string description = "nothing was reported";
    try {
      reader.read();
      ADD_FAILURE() << "no error";
    } catch (const ErrorHalt& halt) {
      if (c.id != "-") {
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
  // Every file of the corpus has its row (files ending in .seed only seed the fuzz harnesses).
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    const std::string name = fs::relative(entry.path(), corpus).generic_string();
    if (entry.is_regular_file() && name.find('/') != std::string::npos && entry.path().extension() != ".seed") {
      EXPECT_TRUE(listed.count(name)) << name << " has no row in expected.tsv";
    }
  }
}

}  // namespace
