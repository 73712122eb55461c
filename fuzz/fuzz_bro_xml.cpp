// Fuzz harness: the BRO CPT XML reader. The input is the document of the
// sounding "X", read as the field data dispatch reads a .XML file.
#include "fielddata/bro_xml_reader.h"
#include "fielddata/hog_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput_begin();
  FuzzFile_write("Vurn\\Projects\\P1\\Soundings\\X.XML", FuzzText(data, size));
  Fuzz_guard([] {
    ResetHogHeader();
    gHogHeader.soundingName = "X";
    ReadBroXmlFile("C:\\Vurn\\Projects\\P1\\Soundings\\X.XML");
  });
  return 0;
}
