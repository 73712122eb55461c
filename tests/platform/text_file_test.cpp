// Reading lines with any line end, writing CRLF lines.
#include "platform/text_file.h"

#include "support/vurn_test.h"

namespace {

using TextFileTest = VurnTest;

TEST_F(TextFileTest, LineEndsOfEveryKindAreRead) {
  using Lines = std::vector<std::string>;
  const struct { const char* name; std::string bytes; Lines lines; } cases[] = {
      {"CRLF", "a\r\nb\r\n", {"a", "b"}}, {"LF", "a\nb\n", {"a", "b"}}, {"CR", "a\rb\r", {"a", "b"}},
      {"no final end", "a\r\nb", {"a", "b"}}, {"blank last line", "a\r\nb\r\n\r\n", {"a", "b", ""}},
      {"blank last line LF", "a\n\n", {"a", ""}}, {"mixed", "a\r\nb\nc\r\rd", {"a", "b", "c", "", "d"}},
      {"empty file", "", {}}, {"only a line end", "\r\n", {""}},
      {"bytes pass through", "caf\xC3\xA9\t\"x\"\x01", {"caf\xC3\xA9\t\"x\"\x01"}},
  };
  for (const auto& c : cases) {
    writeHostFile("in.txt", c.bytes);
    TextReader reader;
    ASSERT_TRUE(reader.open("C:\\IN.txt"));
    Lines lines;
    for (std::string line; reader.readLine(line);) lines.push_back(line);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(lines, c.lines) << c.name;
  }
  TextReader reader;
  EXPECT_FALSE(reader.open("C:\\nothing.txt"));
  EXPECT_NE(reader.error(), 0);
  std::string line;
  EXPECT_FALSE(reader.readLine(line));
  writeHostFile("folder/x", "");
  EXPECT_FALSE(reader.open("C:\\folder"));  // a folder is not a text file
}

TEST_F(TextFileTest, WrittenLinesEndInCrlfAndAppendAddsToTheEnd) {
  const auto write = [](const char* path, TextWriter::Mode mode, const std::vector<std::string>& lines) {
    TextWriter writer;
    ASSERT_TRUE(writer.open(path, mode));
    for (const std::string& line : lines) writer.writeLine(line);
  };
  write("C:\\out.txt", TextWriter::Mode::Replace, {"first", ""});  // (text without a line end: the Q1o cells)
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "first\r\n\r\n");
  write("C:\\OUT.TXT", TextWriter::Mode::Append, {"third"});
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "first\r\n\r\nthird\r\n");
  write("C:\\out.txt", TextWriter::Mode::Replace, {"new"});
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "new\r\n");

  TextWriter writer;
  EXPECT_FALSE(writer.open("C:\\no such folder\\out.txt"));
  EXPECT_NE(writer.error(), 0);
  writer.writeLine("ignored");  // writing to a closed handle does nothing
}

}  // namespace
