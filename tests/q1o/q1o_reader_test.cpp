// Reading Q1o tables back: values, missing cells, factors, and a clear message
// for every kind of file that cannot be read; the water table lookup.
#include "q1o/q1o_reader.h"

#include <cmath>

#include "support/vurn_test.h"

namespace {

using Q1oReaderTest = VurnTest;

constexpr const char* kIds = "Depth_m,  Qc1_tsf, Fr_%,  Ic_tvk\r\n";
constexpr const char* kHead =
    "        ,        ,    ,\r\n"
    "Column=2    R1_ID_full=Qc1_tsf   RN_format=>###.###<   Converter_to_noneStandard=1.058   \r\n"
    "Note:_m, Qc1_tsf, Fr_%, Ic_tvk\r\n"
    " EOH \r\n";

TEST_F(Q1oReaderTest, ReadsColumnsValuesMissingCellsAndFactors) {
  writeHostFile("Vurn/a_Q1o.txt", std::string(kIds) + kHead +
                                      "    0.50, 105.800, 0.500, -5435 \r\n"
                                      "\r\n"
                                      "    0.75, -5435  , 1.25 ,  2.310\r\n");
  Q1oTable table;
  std::string message;
  ASSERT_TRUE(Q1oFile_read("C:\\Vurn\\a_Q1o.txt", table, message)) << message;
  ASSERT_EQ(table.columns.size(), 4u);
  EXPECT_EQ(table.rows, 2u);
  // Values and missing cells are also read back by the golden tables.
  const Q1oColumn& qc1 = table.columns[1];
  EXPECT_EQ(qc1.id + " " + qc1.property + " " + qc1.unit + " " + table.columns[3].unit, "Qc1_tsf Qc1 tsf ");  // tvk: a method
  EXPECT_EQ(std::vector<float>({qc1.factor, table.columns[3].factor, table.columns[0].values[1], qc1.values[0]}),
            std::vector<float>({1.058f, 1.0f, 0.75f, 105.8f}));
  EXPECT_TRUE(std::isnan(qc1.values[1]) && std::isnan(table.columns[3].values[0]));
  EXPECT_EQ(Q1oTable_find(table, "FR"), 2);
  EXPECT_EQ(Q1oTable_find(table, "Qc"), -1);
}

TEST_F(Q1oReaderTest, AFileItCannotReadGivesAMessageAndAnEmptyTable) {
  const struct { const char* bytes; const char* message; } cases[] = {  // bytes nullptr: no file
      {nullptr, "C:\\Vurn\\b_Q1o.txt: cannot be opened"},
      {"", "has no row of column identifiers"},
      {"Qc_atm, Depth_ft\r\nEOH\r\n1, 2\r\n", "its first column is Qc_atm, not a depth"},
      {"Depth_ft,, Qc_atm\r\nEOH\r\n", "empty column identifier"},
      {"Depth_ft, Qc_atm\r\n1, 2\r\n", "has no end of head (EOH)"},
      {"Depth_ft, Qc_atm\r\nEOH\r\n\r\n", "has no rows after its head"},
      {"Depth_ft, Qc_atm\r\nEOH\r\n1, 2\r\n1.1, 2, 3\r\n", "line 4 has 3 cells, the head names 2 columns"},
      {"Depth_ft, Qc_atm\r\nEOH\r\n1, 2x\r\n", "line 3, column Qc_atm: \"2x\" is not a number"},
      {"Depth_ft, Qc_atm\r\nEOH\r\n1, nan\r\n", "\"nan\" is not a number"},
  };
  for (const auto& c : cases) {
    if (c.bytes) writeHostFile("Vurn/b_Q1o.txt", c.bytes);
    Q1oTable table;
    table.rows = 7;
    std::string message;
    EXPECT_FALSE(Q1oFile_read("C:\\Vurn\\b_Q1o.txt", table, message)) << c.message;
    EXPECT_NE(message.find(c.message), std::string::npos) << message;
    EXPECT_EQ(message.rfind("Q1o file C:\\Vurn\\b_Q1o.txt: ", 0), 0u) << message;
    EXPECT_TRUE(table.columns.empty());
    EXPECT_EQ(table.rows, 0u);
  }
}

TEST_F(Q1oReaderTest, WaterTableComesFromTheSoundingsRow) {
  writeHostFile("Vurn/db.csv",
                "CPT name {SOUNDING_NAME},Site {SITE_NAME},Water table depth ft {WATERTABLE_DEPTH_FEET}\r\n"
                "CPT-01,\"Dike, north\",3.3\r\n"
                " cpt-02 ,south,\r\n"
                "CPT-03,east,deep\r\n");
  EXPECT_FLOAT_EQ(SoundingDatabase_waterTableFeet("C:\\Vurn\\db.csv", "CPT-01"), 3.3f);
  const struct { const char* path; const char* sounding; } none[] = {  // none: NaN
      {"C:\\Vurn\\db.csv", "CPT-02"}, {"C:\\Vurn\\db.csv", "CPT-03"}, {"C:\\Vurn\\db.csv", "CPT-09"},
      {"C:\\Vurn\\none.csv", "CPT-01"}};
  for (const auto& c : none) EXPECT_TRUE(std::isnan(SoundingDatabase_waterTableFeet(c.path, c.sounding))) << c.sounding;
}

}  // namespace
