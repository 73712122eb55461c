// Fuzz harness: the setup file reader. The input is the setup file.
#include "app/setup_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\software\\Vurn-Setup.txt", FuzzText(data, size));
  Fuzz_guard([] { Setup_read(); });
  return 0;
}
