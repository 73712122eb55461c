// The GEF field data reader (being built).
#include "fielddata/gef_reader.h"

#include "core/report.h"

void ReadGefFile(const std::string& path) { Error_report("can't read " + path + ": no GEF reader yet", "GEFF900"); }
