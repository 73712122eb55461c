// The GEF field data reader.
#pragma once

#include <string>

// Reads the GEF file at the engine path `path` into gFieldData and gHogHeader.
void ReadGefFile(const std::string& path);
