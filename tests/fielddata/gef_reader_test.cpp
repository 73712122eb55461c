// The GEF reader: the real soundings against their HOG conversions through a
// whole run (Q1o tables and zero-load rows), the variants of the format, and
// the resulting record.
#include "fielddata/gef_reader.h"

#include <cmath>
#include <map>
#include <sstream>

#include "app/run.h"
#include "core/run_state.h"
#include "fielddata/field_data_file.h"
#include "fielddata/hog_reader.h"
#include "numeric/numeric_tools.h"
#include "project/sounding_db.h"
#include "support/vurn_test.h"

namespace fs = std::filesystem;

namespace {

class GefReaderTest : public VurnTest {
 protected:
  fs::path soundings() const { return dataArea() / "Projects" / "ExampleONE" / "Soundings"; }

  // The data rows of each Q1o table of the last run, by sounding and depth
  // cell, and the zero-load report's row of each sounding.
  struct RunOutputs {
    std::map<std::string, std::map<std::string, std::vector<std::string>>> tables;
    std::map<std::string, std::string> zeroLoadRows;
  };

  RunOutputs runExample() {
    Main_run();
    EXPECT_EQ(gRun.status.main, "           Done");
    RunOutputs out;
    for (const char* name : {"VOORNE-17_8", "BRO-217393"}) {
      std::istringstream table(readHostFile(soundings() / (std::string(name) + "_Q1o.txt")));
      std::string line;
      bool data = false;
      while (std::getline(table, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (data) {
          std::vector<std::string> cells;
          std::istringstream split(line);
          std::string cell;
          while (std::getline(split, cell, ',')) cells.push_back(cell);
          out.tables[name][cells.at(0)] = cells;
        }
        data = data || line == "EOH";
      }
      std::istringstream report(
          readHostFile(dataArea() / "Projects" / "ExampleONE" / "Vurn---Output---Zero_Load_Data---ExampleONE.txt"));
      while (std::getline(report, line)) {
        if (line.find(std::string(" ") + name + " ") != std::string::npos) out.zeroLoadRows[name] = line;
      }
    }
    return out;
  }
};

// Whether two written cells differ by one unit of their last written digit
// (both numbers with the same decimals).
bool lastDigitApart(const std::string& a, const std::string& b) {
  const auto decimals = [](const std::string& text) {
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.find_last_of("0123456789") - point);
  };
  double x = 0.0;
  double y = 0.0;
  try {
    x = std::stod(a);
    y = std::stod(b);
  } catch (...) {
    return false;
  }
  return decimals(a) == decimals(b) && std::fabs(std::fabs(x - y) - std::pow(10.0, -decimals(a))) < 1e-9;
}

// The original GEF files give the same Q1o rows as their HOG conversions at
// every depth both have, and the same zero-load rows. The HOG conversion's
// readings are counts whose converted value may sit one 32-bit step from the
// nearest float to the file's decimal value, and the tables cut to their
// decimals, so a cell may differ by one unit of its last digit; such cells
// must stay rare (at most one in a thousand).
TEST_F(GefReaderTest, OriginalGefGivesTheQ1oRowsAndZeroLoadOfItsHogConversion) {
  startUp();
  const RunOutputs hog = runExample();
  for (const char* name : {"VOORNE-17_8", "BRO-217393"}) {
    fs::remove(soundings() / (std::string(name) + ".CPT"));
    fs::copy_file(fs::path(VURN_SOURCE_DIR) / "tests/fielddata/data" / (std::string(name) + ".GEF"),
                  soundings() / (std::string(name) + ".GEF"));
  }
  const RunOutputs gef = runExample();
  for (const char* name : {"VOORNE-17_8", "BRO-217393"}) {
    SCOPED_TRACE(name);
    const auto& h = hog.tables.at(name);
    const auto& g = gef.tables.at(name);
    ASSERT_GT(h.size(), 1000u);
    int cells = 0;
    int apart = 0;
    for (const auto& [depth, row] : h) {
      ASSERT_TRUE(g.count(depth)) << "no GEF row at depth " << depth;
      const auto& other = g.at(depth);
      ASSERT_EQ(row.size(), other.size()) << depth;
      for (std::size_t c = 0; c < row.size(); ++c, ++cells) {
        if (row[c] == other[c]) continue;
        ++apart;
        EXPECT_TRUE(lastDigitApart(row[c], other[c])) << depth << " column " << c << ": " << row[c] << " / " << other[c];
      }
    }
    EXPECT_LE(apart * 1000, cells) << apart << " of " << cells << " cells one digit apart";
    // The GEF rows beyond the HOG rows are the deepest rows without a sleeve reading.
    EXPECT_LE(g.size() - h.size(), 4u);
    EXPECT_FALSE(hog.zeroLoadRows.at(name).empty());
    EXPECT_EQ(gef.zeroLoadRows.at(name), hog.zeroLoadRows.at(name));
  }
}

}  // namespace
