// Finding a sounding's field data file and handing it to its reader.
#include "fielddata/field_data_file.h"

#include "core/report.h"
#include "fielddata/bro_xml_reader.h"
#include "fielddata/field_data_store.h"
#include "fielddata/csv_reader.h"
#include "fielddata/gef_reader.h"
#include "fielddata/hog_reader.h"
#include "files/paths.h"
#include "files/text.h"
#include "numeric/numeric_tools.h"
#include "platform/host_paths.h"
#include "project/sounding_db.h"

namespace {

struct Extension {
  const char* text;
  FieldDataFormat format;
};
constexpr Extension kExtensions[] = {
    {".CPT", FieldDataFormat::Hog},
    {".GEF", FieldDataFormat::Gef},
    {".XML", FieldDataFormat::BroXml},
    {".CSV", FieldDataFormat::Csv},
};

}  // namespace

bool FieldDataFile_formatOf(std::string_view fileName, FieldDataFormat& format) {
  if (fileName.size() <= 4) return false;
  const std::string extension = UpperCased(fileName.substr(fileName.size() - 4));
  for (const Extension& e : kExtensions) {
    if (extension == e.text) {
      format = e.format;
      return true;
    }
  }
  return false;
}

std::string FieldDataFile_stem(std::string_view fileName) {
  return std::string(fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0));
}

std::vector<FieldDataFile> FieldDataFile_listAll() {
  const std::string folder = PathOf("SOUNDINGS");
  std::vector<FieldDataFile> files;
  for (const std::string& name : Host_list(folder + "*", false)) {
    FieldDataFormat format;
    if (FieldDataFile_formatOf(name, format)) files.push_back(FieldDataFile{name, folder + name, format});
  }
  return files;
}

FieldDataFile FieldDataFile_find(const std::string& soundingName) {
  PathName_checkSafe("SOUNDING_NAME", soundingName);
  const std::string wanted = UpperCased(soundingName);
  std::vector<FieldDataFile> found;
  for (FieldDataFile& file : FieldDataFile_listAll()) {
    if (UpperCased(FieldDataFile_stem(file.name)) == wanted) found.push_back(std::move(file));
  }
  const std::string folder = PathOf("SOUNDINGS");
  if (found.empty()) {
    Error_report("sounding " + soundingName + " has no field data file in " + folder + " (looked for " +
                     soundingName + " with .CPT, .GEF, .XML or .CSV)",
                 "FDF401");
  }
  if (found.size() > 1) {
    std::string names;
    for (const FieldDataFile& file : found) names += (names.empty() ? "" : ", ") + file.name;
    Error_report("sounding " + soundingName + " has " + std::to_string(found.size()) + " field data files in " +
                     folder + ": " + names + "; keep exactly one",
                 "FDF402");
  }
  return found.front();
}

void FieldDataFile_read(const FieldDataFile& file) {
  FieldDataStore_reset();
  if (file.format == FieldDataFormat::Hog) {
    ReadHogSounding();
    if (!IsNull(static_cast<float>(gHogHeader.gpsLatitude))) gFieldFileFacts.positionSource = "GGA sentence of the file";
    return;
  }
  ResetHogHeader();
  gHogHeader.soundingName = SoundingField_text("SOUNDING_NAME");
  Status_show("", "", "", file.path, file.name, " ", " ", "FD100");
  switch (file.format) {
    case FieldDataFormat::Gef: ReadGefFile(file.path); break;
    case FieldDataFormat::BroXml: ReadBroXmlFile(file.path); break;
    case FieldDataFormat::Csv: ReadCsvFile(file.path); break;
    case FieldDataFormat::Hog: break;
  }
}
