// Path keys of the data area's tree, file finding by pattern, copying.
#include "files/paths.h"

#include <cctype>

#include "core/null_value.h"
#include "core/report.h"
#include "core/run_state.h"
#include "files/text.h"
#include "platform/host_paths.h"

namespace {

std::string withBackslash(std::string_view folder) {
  std::string f(folder);
  if (f.empty() || f.back() != '\\') f += '\\';
  return f;
}

// The path up to and including its last separator.
std::string_view folderPart(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1);
}

}  // namespace

std::string PathOf(std::string_view key) {
  if (gRun.projectName == NullText) Error_report("project name is UNKNOWN", "RS004");
  const std::string k = TrimmedUpper(key);
  const std::string& area = gRun.dataArea;
  const std::string project = area + "\\Projects\\" + gRun.projectName + "\\";
  if (k == "SLD VB6") return area + "-VB6\\";
  if (k == "SLD INPUT" || k == "SLD") return area + "\\SLD input\\";
  if (k == "SLD-VURN-*.CSV") return area + "\\SLD input\\SLD-Vurn-*.csv";
  if (k == "SLD FOR PLOTTING") return project + "SLD for plotting\\";
  if (k == "SLD OUTPUT") return project + "SLD output\\";
  if (k == "SOFTWARE" || k == "TEMP" || k == "TEMPORARY") return area + "\\software\\";
  if (k == "EXTRA") return area + "\\Tavik extras\\";
  if (k == "VURN") return area + "\\";
  if (k == "PROJECTS") return area + "\\Projects\\";
  if (k == "PROJECTS---*.CSV") return area + "\\Projects\\ProjectS---*.csv";
  if (k == "PROJECT") return project;
  if (k == "SOUNDINGS") return project + "SOUNDINGS\\";
  if (k == "VURN_SOUNDINGS---*.CSV") return project + "Vurn_SoundingS---*.csv";
  if (k == "*.CPT") return project + "soundings\\*.CPT";
  Error_report("bad CPT DIR naming", "PATH422");
}

std::int16_t File_count_matches(std::string_view pattern) {
  const size_t count = Host_list(pattern, false).size();
  return count >= 9999 ? std::int16_t{0} : static_cast<std::int16_t>(count);
}

void File_find_and_open(std::string_view pathKey, std::string_view pattern, std::string_view description,
                        TextReader& file) {
  const std::string folder = PathOf(pathKey);
  const std::string fullPattern = folder + std::string(pattern);
  const auto names = Host_list(fullPattern, false);
  const size_t n = names.size() >= 9999 ? 0 : names.size();
  if (n == 0) Error_report(std::string(description) + ", no " + std::string(pattern) + " file", "FP829");
  if (n >= 2) Error_report(std::string(description) + ", too many " + std::string(pattern) + " files", "FP822");
  const std::string fullName = std::string(folderPart(fullPattern)) + names.front();
  Status_show("", "Reading " + std::string(pathKey), "", "", fullName, "", "", "RP901");
  if (!file.open(fullName)) {
    Error_report(std::string(description) + ", can't open " + fullName + " (is it open in another program?)",
                 "FP831");
  }
}

void File_copy(std::string_view source, std::string_view target, int mode, bool& copied) {
  copied = false;
  if (mode == -1 || (mode == 0 && !Host_exists(target))) copied = Host_copyFile(source, target);
}

void Directory_copy_files(std::string_view sourceDir, std::string_view targetDir, int mode, int& count) {
  const std::string from = withBackslash(sourceDir);
  const std::string to = withBackslash(targetDir);
  for (const std::string& name : Host_list(from + "*.*", false)) {
    bool copied = false;
    File_copy(from + name, to + name, mode, copied);
    if (copied) ++count;
  }
}

void PathName_checkSafe(std::string_view field, std::string_view name) {
  bool escapes = !name.empty() && (name.front() == '\\' || name.front() == '/');
  escapes = escapes || name.find(':') != std::string_view::npos;
  size_t start = 0;
  while (!escapes && start <= name.size()) {
    const size_t end = name.find_first_of("\\/", start);
    const std::string_view part = name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    const size_t first = part.find_first_not_of(' ');
    if (first != std::string_view::npos && part.substr(first, part.find_last_not_of(' ') - first + 1) == "..") {
      escapes = true;
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (escapes) {
    Error_report(std::string(field) + " = " + std::string(name) +
                     " would lead outside its folder (no drive, leading backslash or .. allowed in names)",
                 "PN901");
  }
}
