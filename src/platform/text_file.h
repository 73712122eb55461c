// Text files on the host, read and written line by line.
//
// Reading accepts CRLF, LF and CR line ends. A final line end does not make an
// extra empty line, but an empty line before it is a line, so a file "ending in a
// blank line" can be told apart. Bytes pass through unchanged. Written lines end
// in CRLF, since the files are shared with Windows tools.
//
// Both handles close their file when they go out of scope, so a halt that
// unwinds the stack leaves no file open and every line written is on disk.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// Test hook: every later TextReader::open of an engine path that contains
// `pathPart` (compared without regard to case) fails with EACCES, as a file
// locked by another program would. An empty text clears the fault.
void TextReader_failOpensOf(std::string_view pathPart);

class TextReader {
 public:
  TextReader() = default;
  ~TextReader() { close(); }
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Opens an engine path for reading; false when it cannot be opened (the
  // reason is then in error()).
  bool open(std::string_view enginePath);
  bool isOpen() const { return open_; }

  // Reads the next line into `line` without its line end; false at end of file.
  bool readLine(std::string& line);

  // The number of lines read since the file was opened: the line number of
  // the line last read.
  int lineNumber() const { return lineNumber_; }

  // True when no line is left to read (also when the file is not open).
  bool atEnd() const { return !open_ || position_ >= content_.size(); }

  // The number of lines readLine would still give.
  std::size_t linesLeft() const;

  void close();

  // The engine path last opened.
  const std::string& path() const { return path_; }
  // errno-style code of the last failed open (0 when none).
  int error() const { return error_; }

 private:
  std::string content_;
  size_t position_ = 0;
  int lineNumber_ = 0;
  bool open_ = false;
  std::string path_;
  int error_ = 0;
};

// Test hook: every later TextWriter::open of an engine path that contains
// `pathPart` (compared without regard to case) fails with EACCES, as a file
// locked by another program would. An empty text clears the fault.
void TextWriter_failOpensOf(std::string_view pathPart);

// Test hook: every later TextWriter opened on an engine path that contains
// `pathPart` (compared without regard to case) takes only its first
// `keptBytes` bytes; the write that goes past them fails with ENOSPC, as on a
// full disk, and so do all after it (failed() becomes true). An empty text
// clears the fault.
void TextWriter_failWritesOf(std::string_view pathPart, std::size_t keptBytes);

class TextWriter {
 public:
  // Replace: a new file (an existing file that may be written is removed and
  // made anew rather than truncated; one that may not is refused). Append: add
  // to the end. AppendOnNewLine: add to the
  // end, first ending the last line when the file does not end in a line end,
  // so appended lines never join the last one.
  enum class Mode { Replace, Append, AppendOnNewLine };

  TextWriter() = default;
  ~TextWriter() { close(); }
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Opens an engine path for writing, replacing or appending; false when it
  // cannot be opened (the reason is then in error()).
  bool open(std::string_view enginePath, Mode mode = Mode::Replace);
  bool isOpen() const { return file_ != nullptr; }

  // Writes text and a CRLF line end.
  void writeLine(std::string_view text);
  // Writes text without a line end.
  void write(std::string_view text);
  // Pushes buffered text to the file.
  void flush();

  // Closes the file; false when any write, flush or the close itself failed
  // since the file was opened (the reason is then in error()), so the caller
  // knows the file on disk is not what it wrote.
  bool close();

  // True when a write, flush or close failed since the last open.
  bool failed() const { return failed_; }

  const std::string& path() const { return path_; }
  int error() const { return error_; }

 private:
  void fail(int code);

  std::FILE* file_ = nullptr;
  std::string path_;
  int error_ = 0;
  bool failed_ = false;
  std::size_t written_ = 0;
  std::size_t writeLimit_ = 0;  // bytes the write fault lets through (SIZE_MAX: no fault)
};
