// The BRO CPT XML reader. This build has no XML reader yet: a sounding given
// as a .XML file stops the run with a clear message instead of being skipped.
#include "fielddata/bro_xml_reader.h"

#include "core/report.h"

void ReadBroXmlFile(const std::string& path) {
  Error_report("can't read " + path + ": this build of the program has no BRO CPT XML reader", "BXF900");
}
