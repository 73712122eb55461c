// Line-oriented text files on the host.
#include "platform/text_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/host_paths.h"

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

void TextReader::close() {
  content_.clear();
  content_.shrink_to_fit();
  position_ = 0;
  open_ = false;
}

bool TextWriter::open(std::string_view enginePath, Mode mode) {
  close();
  path_ = std::string(enginePath);
  error_ = 0;
  const auto host = Host_resolve(enginePath);
  if (host.empty()) {
    error_ = ENOENT;
    return false;
  }
  errno = 0;
  file_ = std::fopen(host.c_str(), mode == Mode::Append ? "ab" : "wb");
  if (file_ == nullptr) {
    error_ = errno != 0 ? errno : EACCES;
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void TextWriter::writeLine(std::string_view text) {
  write(text);
  write("\r\n");
}

void TextWriter::write(std::string_view text) {
  if (file_ != nullptr && !text.empty()) std::fwrite(text.data(), 1, text.size(), file_);
}

void TextWriter::flush() {
  if (file_ != nullptr) std::fflush(file_);
}

void TextWriter::close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
}
