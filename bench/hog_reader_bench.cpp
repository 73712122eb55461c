// Field data reading speed: a sounding of 8000 stored rows with five channels,
// read from its file as the processing run reads it (header, every row with
// its status updates, the closing zero row).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "fielddata/hog_reader.h"
#include "read_bench.h"

namespace {

// Cell k of a row: right-aligned, ending at character 20k + 19.
void putCell(std::string& line, int k, const std::string& text) {
  const std::size_t end = static_cast<std::size_t>(20 * k + 19);
  if (line.size() < end) line.resize(end, ' ');
  line.replace(end - text.size(), text.size(), text);
}

std::string headerCells(std::size_t prefix, const std::string (&texts)[5]) {
  std::string line(prefix, ' ');
  for (int k = 1; k <= 5; ++k) putCell(line, k, texts[k - 1]);
  return line.substr(prefix);
}

std::string fieldDataText(int storedRows) {
  std::string text = "HOGENTOGLER CPT FIELD DATA\r\n\r\n\r\nCONE 7\r\n\r\n\r\n\r\n3/15/2023 9:10:00 AM\r\n";
  text += "\r\n\r\n\r\n$GPGGA,181500.00,4030.00000,N,07430.00000,W,1,08,1.2,25.0,M,,M,,*56\r\n\r\n\r\n\r\n\r\n";
  text += headerCells(32, {"X INCL", "TIP", "FRICTION", "U2", "Y INCL"}) + "\r\n";
  text += headerCells(35, {"1000", "100494.164", "1004.94165", "143.96266", "1000"}) + "\r\n";
  text += headerCells(35, {"0", "-90", "8", "-3", "0"}) + "\r\n";
  text += headerCells(35, {"1 DG", "100000 KPA", "1000 KPA", "2000 KPA", "1 DG"}) + "\r\n";
  text += "LINE 18 REFERENCE, LINE 19 CLEAN ZERO, LINE 20 FULL SCALE\r\nDEPTH(m)\r\n----\r\n";
  std::mt19937 random(5435);
  std::uniform_int_distribution<int> count(0, 30000);
  char depth[16];
  for (int i = 1; i <= storedRows + 1; ++i) {
    const bool closingZero = i == storedRows + 1;
    const bool marker = i > storedRows - 2 && !closingZero;
    std::snprintf(depth, sizeof depth, "%8.3f", closingZero ? 0.0 : i * 0.02);
    std::string row = depth;
    putCell(row, 1, std::to_string(count(random) % 2000 - 1000));
    putCell(row, 2, std::to_string(count(random)));
    putCell(row, 3, marker ? "-32768" : std::to_string(count(random) % 500));
    putCell(row, 4, std::to_string(count(random) % 3000 - 100));
    putCell(row, 5, std::to_string(count(random) % 2000 - 1000));
    text += row + "\r\n";
  }
  return text;
}

void BM_ReadHogSounding8000Rows(benchmark::State& state) {
  ReadBench_run(state, "BENCH.CPT", fieldDataText(FieldDataCapacity), [](const std::string&) { ReadHogSounding(); });
}
BENCHMARK(BM_ReadHogSounding8000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
