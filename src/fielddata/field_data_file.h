// The field data dispatch: which file holds a sounding's field data, and which
// reader reads it.
//
// A sounding's field data file is SOUNDING_NAME plus one of the extensions
// .CPT (HOG), .GEF (GEF-CPT-Report), .XML (BRO CPT document) or .CSV (plain
// delimited text), found in the project's soundings folder without regard to
// case. Exactly one must exist; the reader is chosen by the extension and then
// checks the content itself.
//
// Errors (Error_report, which does not return):
//   "FDF401" the soundings folder holds no field data file of the sounding;
//   "FDF402" it holds more than one (each named in the message).
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class FieldDataFormat { Hog, Gef, BroXml, Csv };

struct FieldDataFile {
  std::string name;  // the file name as it is on disk, e.g. "VOORNE-17_8.gef"
  std::string path;  // engine path: PathOf("SOUNDINGS") + name
  FieldDataFormat format = FieldDataFormat::Hog;
};

// The format of a file name by its extension (any case); false for a name
// without one of the four extensions.
bool FieldDataFile_formatOf(std::string_view fileName, FieldDataFormat& format);

// The stem of a field data file name (the name without its extension).
std::string FieldDataFile_stem(std::string_view fileName);

// The field data files in the soundings folder, in the folder listing's order.
std::vector<FieldDataFile> FieldDataFile_listAll();

// The one field data file of `soundingName` (reports FDF401 or FDF402).
FieldDataFile FieldDataFile_find(const std::string& soundingName);

// Reads `file` for the current sounding record: gFieldFileFacts emptied, then
// the HOG reader for .CPT; otherwise ResetHogHeader, the sounding name into
// gHogHeader, and the reader of the format. The file is closed when it returns, and also when it halts.
void FieldDataFile_read(const FieldDataFile& file);
