// Fuzz harness: the sounding database reader. The input is the project's
// database; its header and every row are read, and each row's fields are read
// back as the Q1o head does.
#include "fuzz_support.h"
#include "project/sounding_db.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\Vurn_SoundingS---P1.csv", FuzzText(data, size));
  Fuzz_guard([] {
    TextReader file;
    OpenSoundingDatabase(file);
    ReadSoundingHeader(file);
    bool endOfFile = false;
    for (ReadNextSounding(file, endOfFile); !endOfFile; ReadNextSounding(file, endOfFile)) {
      for (std::int16_t k = 1; k <= gSoundingColumns.count; ++k) {
        AccessSoundingField("GET_DB", gSoundingColumns.ids[static_cast<std::size_t>(k)], "");
      }
    }
  });
  return 0;
}
