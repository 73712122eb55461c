// Fuzz harness: the SLD chart reader. The input is one SLD file, read into
// slot 1 as a run with chart data from files reads it.
#include "fuzz_support.h"
#include "sld/chart_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\SLD input\\SLD-Vurn-X.csv", FuzzText(data, size));
  Fuzz_guard([] {
    TextReader file;
    if (file.open("C:\\Vurn\\SLD input\\SLD-Vurn-X.csv")) ChartFile_read(file, "SLD-Vurn-X.csv", 1);
  });
  return 0;
}
