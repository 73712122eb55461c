// Fuzz harness: the CSV field data reader through the field data dispatch. The
// input is the field data file X.CSV of the sounding "X".
#include "fielddata/field_data_file.h"
#include "fuzz_support.h"
#include "project/sounding_db.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\Soundings\\X.CSV", FuzzText(data, size));
  Fuzz_guard([] {
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "SOUNDING_NAME", "X");
    FieldDataFile_read(FieldDataFile_find("X"));
  });
  return 0;
}
