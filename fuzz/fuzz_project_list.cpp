// Fuzz harness: the project list reader, as the run reads it (looking for a
// project) and as the main window's project list box is filled from it.
#include "fuzz_support.h"
#include "project/project_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\Vurn_ProjectS---Vurn.csv", FuzzText(data, size));
  Fuzz_guard([] {
    bool found = false;
    ProjectList_read("ExampleONE", found);
  });
  Fuzz_guard([] { ProjectSelector_fill(); });
  return 0;
}
