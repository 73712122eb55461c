// Fuzz harness: the column definition reader. The input is the project's column
// definition file; the columns read are then prepared (identifiers parsed,
// pictures and unit factors given, widths padded).
#include "core/run_state.h"
#include "fuzz_support.h"
#include "q1o/columns.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\Vurn_Q1o_Output_Columns---P1.csv", FuzzText(data, size));
  Fuzz_guard([] {
    gRun.outputColumnSource = "FILE";
    Columns_read();
    Columns_prepare();
  });
  return 0;
}
