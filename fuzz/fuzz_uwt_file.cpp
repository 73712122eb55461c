// Fuzz harness: the unit weight file reader. The input is the sounding's unit
// weight file; unit weights are then looked up at a few depths.
#include "compute/stress.h"
#include "core/depth_values.h"
#include "fuzz_support.h"
#include "project/sounding_db.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\UWT-X.csv", FuzzText(data, size));
  Fuzz_guard([] {
    ResetSoundingRecord();
    AccessSoundingField("ASSIGN_DB", "UWT_FILE_NAME", "UWT-X.csv");
    for (const float depth : {0.0f, 3.3f, 50.0f, -1.0f}) {
      gDepth.depth = depth;
      UwtFile_lookup();
    }
  });
  return 0;
}
