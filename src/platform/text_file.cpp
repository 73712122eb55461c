// Line-oriented text files on the host.
#include "platform/text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/host_paths.h"

namespace {

// The test faults: reads of paths containing readPart and writes of paths
// containing openPart fail to open; writes to paths containing writePart stop
// after keptBytes bytes.
struct HostFaults {
  std::string readPart;
  std::string openPart;
  std::string writePart;
  std::size_t keptBytes = 0;
};

HostFaults& hostFaults() {
  static HostFaults faults;
  return faults;
}

bool pathContains(std::string_view path, const std::string& part) {
  if (part.empty() || part.size() > path.size()) return false;
  for (size_t i = 0; i + part.size() <= path.size(); ++i) {
    if (Text_equalsNoCase(path.substr(i, part.size()), part)) return true;
  }
  return false;
}

}  // namespace

void TextReader_failOpensOf(std::string_view pathPart) { hostFaults().readPart = std::string(pathPart); }

void TextWriter_failOpensOf(std::string_view pathPart) { hostFaults().openPart = std::string(pathPart); }

void TextWriter_failWritesOf(std::string_view pathPart, std::size_t keptBytes) {
  hostFaults().writePart = std::string(pathPart);
  hostFaults().keptBytes = keptBytes;
}

bool TextReader::open(std::string_view enginePath) {
  close();
  path_ = std::string(enginePath);
  error_ = 0;
  const auto host = Host_resolve(enginePath);
  std::error_code ec;
  if (host.empty() || std::filesystem::is_directory(host, ec)) {
    error_ = ENOENT;
    return false;
  }
  if (pathContains(enginePath, hostFaults().readPart)) {
    error_ = EACCES;
    return false;
  }
  std::ifstream in(host, std::ios::binary);
  if (!in) {
    error_ = errno != 0 ? errno : ENOENT;
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content_ = std::move(buffer).str();
  position_ = 0;
  open_ = true;
  return true;
}

bool TextReader::readLine(std::string& line) {
  line.clear();
  if (atEnd()) return false;
  const size_t start = position_;
  size_t end = start;
  while (end < content_.size() && content_[end] != '\n' && content_[end] != '\r') ++end;
  line.assign(content_, start, end - start);
  ++lineNumber_;
  position_ = end;
  if (position_ < content_.size()) {
    if (content_[position_] == '\r' && position_ + 1 < content_.size() && content_[position_ + 1] == '\n') {
      position_ += 2;
    } else {
      position_ += 1;
    }
  }
  return true;
}

std::size_t TextReader::linesLeft() const {
  if (atEnd()) return 0;
  std::size_t lines = 1;
  for (std::size_t k = position_; k < content_.size(); ++k) {
    const char c = content_[k];
    if (c != '\n' && c != '\r') continue;
    if (c == '\r' && k + 1 < content_.size() && content_[k + 1] == '\n') ++k;
    if (k + 1 < content_.size()) ++lines;  // a line end before more text starts another line
  }
  return lines;
}

void TextReader::close() {
  content_.clear();
  content_.shrink_to_fit();
  position_ = 0;
  lineNumber_ = 0;
  open_ = false;
}

namespace {

// Removes an existing regular file that is about to be replaced, so the new
// content goes into a new file. Truncating the old file in place instead makes
// ext4 push the new content to disk when the file is closed, and a run that
// replaces its tables spent more time waiting on the disk than computing. A
// file that may not be written is left alone and the replacement refused,
// as opening it for writing would be. False (errno set) when refused.
bool removeForReplace(const std::string& host) {
  struct stat status {};
  if (lstat(host.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return true;
  if (access(host.c_str(), W_OK) != 0) return false;
  // When the folder does not let the file go, opening it truncates it as before.
  unlink(host.c_str());
  return true;
}

}  // namespace

bool TextWriter::open(std::string_view enginePath, Mode mode) {
  close();
  path_ = std::string(enginePath);
  error_ = 0;
  const auto host = Host_resolve(enginePath);
  if (host.empty()) {
    error_ = ENOENT;
    return false;
  }
  failed_ = false;
  written_ = 0;
  writeLimit_ = pathContains(enginePath, hostFaults().writePart) ? hostFaults().keptBytes : SIZE_MAX;
  if (pathContains(enginePath, hostFaults().openPart)) {
    error_ = EACCES;
    return false;
  }
  bool needsLineEnd = false;
  if (mode == Mode::AppendOnNewLine) {
    std::ifstream existing(host, std::ios::binary | std::ios::ate);
    if (existing && existing.tellg() > 0) {
      existing.seekg(-1, std::ios::end);
      const int last = existing.get();
      needsLineEnd = last != '\n' && last != '\r';
    }
  }
  if (mode == Mode::Replace && !removeForReplace(host)) {
    error_ = errno != 0 ? errno : EACCES;
    return false;
  }
  errno = 0;
  file_ = std::fopen(host.c_str(), mode == Mode::Replace ? "wb" : "ab");
  if (file_ == nullptr) {
    error_ = errno != 0 ? errno : EACCES;
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  if (needsLineEnd) write("\r\n");
  return true;
}

void TextWriter::writeLine(std::string_view text) {
  write(text);
  write("\r\n");
}

void TextWriter::fail(int code) {
  if (!failed_) error_ = code;
  failed_ = true;
}

void TextWriter::write(std::string_view text) {
  if (file_ == nullptr || text.empty() || failed_) return;
  std::size_t size = text.size();
  if (size > writeLimit_ - written_) size = writeLimit_ - written_;
  errno = 0;
  if (size > 0 && std::fwrite(text.data(), 1, size, file_) != size) fail(errno != 0 ? errno : EIO);
  written_ += size;
  if (size < text.size()) fail(ENOSPC);
}

void TextWriter::flush() {
  if (file_ != nullptr && std::fflush(file_) != 0) fail(errno != 0 ? errno : EIO);
}

bool TextWriter::close() {
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) fail(errno != 0 ? errno : EIO);
    file_ = nullptr;
  }
  return !failed_;
}
