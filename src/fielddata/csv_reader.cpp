// The CSV field data reader (being built).
#include "fielddata/csv_reader.h"

#include "core/report.h"

void ReadCsvFile(const std::string& path) { Error_report("can't read " + path + ": no CSV reader yet", "CSVF900"); }
