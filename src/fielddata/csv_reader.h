// The CSV field data reader.
#pragma once

#include <string>

// Reads the CSV file at the engine path `path` into gFieldData and gHogHeader.
void ReadCsvFile(const std::string& path);
