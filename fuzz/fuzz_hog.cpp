// Fuzz harness: the HOG field data reader. The input is the field data file of
// the sounding "X".
#include "fielddata/hog_reader.h"
#include "fuzz_support.h"
#include "project/sounding_db.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\Soundings\\X.CPT", FuzzText(data, size));
  Fuzz_guard([] {
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "X");
    ReadHogSounding();
  });
  return 0;
}
