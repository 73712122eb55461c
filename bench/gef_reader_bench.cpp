// GEF and plain CSV reading speed beside the HOG reader's (hog_reader_bench):
// a sounding of 8000 rows in the layout of a real GEF file (ten columns,
// ";" and "!" separators, voids) and as plain CSV, read as the processing run
// reads them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "fielddata/csv_reader.h"
#include "fielddata/gef_reader.h"
#include "fielddata/hog_reader.h"
#include "read_bench.h"

namespace {

std::string gefText(int rows) {
  std::string text =
      "#GEFID= 1, 1, 0\r\n#COLUMN= 10\r\n#COLUMNINFO= 1, m, Sondeerlengte, 1\r\n#COLUMNINFO= 2, MPa, qc, 2\r\n"
      "#COLUMNINFO= 3, MPa, qt, 13\r\n#COLUMNINFO= 4, MPa, fs, 3\r\n#COLUMNINFO= 5, %, Rf, 4\r\n"
      "#COLUMNINFO= 6, MPa, u2, 6\r\n#COLUMNINFO= 7, Graden, Helling, 8\r\n#COLUMNINFO= 8, Graden, O-W, 10\r\n"
      "#COLUMNINFO= 9, Graden, N-Z, 9\r\n#COLUMNINFO= 10, m, diepte, 11\r\n";
  for (int c = 2; c <= 10; ++c) text += "#COLUMNVOID= " + std::to_string(c) + ", -999999\r\n";
  text += "#COLUMNSEPARATOR= ;\r\n#RECORDSEPARATOR= !\r\n#XYID= 31000, 79578.38, 424838.97, 0.02, 0.02\r\n"
          "#MEASUREMENTTEXT= 4, S10-CFIIP.1721, conus type\r\n#STARTDATE= 2019, 01, 29\r\n#STARTTIME= 10, 43, 50\r\n"
          "#MEASUREMENTVAR= 20, -0.257, MPa, zero\r\n#MEASUREMENTVAR= 21, -0.245, MPa, zero\r\n#EOH=\r\n";
  std::mt19937 random(5435);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  char row[256];
  for (int i = 1; i <= rows; ++i) {
    const double depth = i * 0.02;
    std::snprintf(row, sizeof row, "%05.2f;%7.3f;%7.3f;%7.3f;%6.3f;%7.3f;%6.3f;%6.3f;%6.3f;%06.3f;!\r\n", depth,
                  30 * u(random), 30 * u(random), 0.3 * u(random), 5 * u(random), u(random) - 0.2, 5 * u(random),
                  4 * u(random) - 2, 4 * u(random) - 2, depth);
    text += row;
  }
  return text;
}

std::string csvText(int rows) {
  std::string text = "#device=S10-CFIIP.1721\r\n#date=2019-01-29 10:43:50\r\n#qc_zero_clean_MPa=-0.257\r\n"
                     "depth_m,qc_MPa,fs_kPa,u2_kPa,incl_x_deg,incl_y_deg\r\n";
  std::mt19937 random(5435);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  char row[256];
  for (int i = 1; i <= rows; ++i) {
    std::snprintf(row, sizeof row, "%.2f,%.3f,%.1f,%.1f,%.3f,%.3f\r\n", i * 0.02, 30 * u(random), 300 * u(random),
                  1000 * u(random) - 200, 4 * u(random) - 2, 4 * u(random) - 2);
    text += row;
  }
  return text;
}

void BM_ReadGefSounding8000Rows(benchmark::State& state) {
  ReadBench_run(state, "BENCH.GEF", gefText(FieldDataCapacity), ReadGefFile);
}
BENCHMARK(BM_ReadGefSounding8000Rows)->Unit(benchmark::kMillisecond);

void BM_ReadCsvSounding8000Rows(benchmark::State& state) {
  ReadBench_run(state, "BENCH.CSV", csvText(FieldDataCapacity), ReadCsvFile);
}
BENCHMARK(BM_ReadCsvSounding8000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
