// The BRO CPT XML reader: a sounding's field data from a BRO CPT document
// (the Dutch national registry's exchange document).
#pragma once

#include <string>

// Reads the BRO CPT document at `path` (the engine path of the file, as the
// field data dispatch found it in the soundings folder, and as messages name
// it) into gFieldData and gHogHeader, filling them exactly as the HOG reader
// does (see fielddata/field_data_store.h for the shared filling). The dispatch
// has already called ResetHogHeader and set gHogHeader.soundingName. A file
// that is not a BRO CPT document, or whose data cannot be read, ends in an
// error report (does not return).
void ReadBroXmlFile(const std::string& path);
