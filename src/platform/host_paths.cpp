// Drive mapping and case-insensitive resolution of engine paths on the host.
#include "platform/host_paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct DriveTable {
  std::map<char, fs::path> roots;  // set by HostDrive_set, upper-case letters
  fs::path programFile;            // set by HostProgram_set
};

DriveTable& drives() {
  static DriveTable table;
  return table;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Splits "X:\a\b" into its drive letter (0 when none) and its components.
void splitEnginePath(std::string_view path, char& drive, std::vector<std::string>& parts) {
  drive = 0;
  parts.clear();
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    drive = upper(path[0]);
    path.remove_prefix(2);
  }
  std::string current;
  auto flush = [&] {
    if (current.empty() || current == ".") {
      // nothing
    } else if (current == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(current);
    }
    current.clear();
  };
  for (char c : path) {
    if (isSeparator(c)) flush();
    else current.push_back(c);
  }
  flush();
}

// Orders names without regard to case, ties in byte order.
bool lessNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char x = lower(a[i]);
    const char y = lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// The existing entry of `folder` whose name equals `name` without regard to
// case; the exact name when it exists; empty when there is none.
std::string findEntry(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return name;
  std::string best;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (Text_equalsNoCase(entry, name) && (best.empty() || entry < best)) best = entry;
  }
  return best;
}

// Splits an engine pattern into its folder part and its last component.
void splitFolderAndName(std::string_view path, std::string_view& folder, std::string_view& name) {
  size_t cut = std::string_view::npos;
  for (size_t i = path.size(); i > 0; --i) {
    if (isSeparator(path[i - 1]) || (i == 2 && path[1] == ':')) {
      cut = i;
      break;
    }
  }
  if (cut == std::string_view::npos) {
    folder = std::string_view();
    name = path;
  } else {
    folder = path.substr(0, cut);
    name = path.substr(cut);
  }
}

}  // namespace

void HostDrives_reset() {
  drives().roots.clear();
  drives().programFile.clear();
}

void HostDrive_set(char letter, const fs::path& root) { drives().roots[upper(letter)] = root; }

fs::path HostDrive_root(char letter) {
  const char d = upper(letter);
  const auto found = drives().roots.find(d);
  if (found != drives().roots.end()) return found->second;
  const std::string variable = std::string("VURN_DRIVE_") + d;
  if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
    return fs::path(value);
  }
  if (d == 'C') {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return fs::path(home);
    return fs::path("/");
  }
  if (d == kProgramDriveLetter && !drives().programFile.empty()) {
    return drives().programFile.parent_path();
  }
  return fs::path();
}

void HostProgram_set(const fs::path& programFile) {
  std::error_code ec;
  fs::path absolute = fs::absolute(programFile, ec);
  drives().programFile = ec ? programFile : absolute;
}

std::string HostProgram_folder() { return std::string(1, kProgramDriveLetter) + ":\\"; }

fs::path Host_resolve(std::string_view enginePath) {
  char drive = 0;
  std::vector<std::string> parts;
  splitEnginePath(enginePath, drive, parts);
  if (drive == 0) return fs::path();
  fs::path current = HostDrive_root(drive);
  if (current.empty()) return current;

  if (drive == kProgramDriveLetter && parts.size() == 1 && Text_equalsNoCase(parts[0], kProgramFileName) &&
      !drives().programFile.empty()) {
    return drives().programFile;
  }
  bool existing = true;
  for (const std::string& part : parts) {
    if (existing) {
      const std::string entry = findEntry(current, part);
      if (!entry.empty()) {
        current /= entry;
        continue;
      }
      existing = false;
    }
    current /= part;
  }
  return current;
}

bool Host_wildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Iterative match with backtracking to the last "*".
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> Host_list(std::string_view enginePattern, bool includeFolders) {
  std::string_view folderPart, namePattern;
  splitFolderAndName(enginePattern, folderPart, namePattern);
  std::vector<std::string> names;
  const fs::path folder = Host_resolve(folderPart);
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return names;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    const bool isFile = it->is_regular_file(typeError);
    const bool isFolder = it->is_directory(typeError);
    if (!isFile && !(includeFolders && isFolder)) continue;
    std::string name = it->path().filename().string();
    if (Host_wildcardMatch(namePattern, name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), lessNoCase);
  if (includeFolders) {
    if (Host_wildcardMatch(namePattern, "..")) names.insert(names.begin(), "..");
    if (Host_wildcardMatch(namePattern, ".")) names.insert(names.begin(), ".");
  }
  return names;
}

bool Host_fileExists(std::string_view enginePath) {
  const fs::path host = Host_resolve(enginePath);
  std::error_code ec;
  return !host.empty() && fs::is_regular_file(host, ec);
}

bool Host_folderExists(std::string_view enginePath) {
  const fs::path host = Host_resolve(enginePath);
  std::error_code ec;
  return !host.empty() && fs::is_directory(host, ec);
}

bool Host_exists(std::string_view enginePath) {
  const fs::path host = Host_resolve(enginePath);
  std::error_code ec;
  return !host.empty() && fs::exists(host, ec);
}

bool Host_makeFolder(std::string_view enginePath) {
  const fs::path host = Host_resolve(enginePath);
  if (host.empty()) return false;
  std::error_code ec;
  if (fs::is_directory(host, ec)) return true;
  return fs::create_directory(host, ec) && !ec;
}

bool Host_copyFile(std::string_view source, std::string_view target, int* error) {
  const fs::path from = Host_resolve(source);
  const fs::path to = Host_resolve(target);
  std::error_code ec;
  if (from.empty() || to.empty()) {
    ec = std::make_error_code(std::errc::no_such_file_or_directory);
  } else {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  }
  if (error != nullptr) *error = ec ? ec.value() : 0;
  return !ec;
}

bool Host_deleteFile(std::string_view enginePath) {
  const fs::path host = Host_resolve(enginePath);
  std::error_code ec;
  return !host.empty() && fs::is_regular_file(host, ec) && fs::remove(host, ec);
}

bool Text_equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}
