// Reading lines with any line end, writing CRLF lines.
#include "platform/text_file.h"

#include "support/vurn_test.h"

namespace {

class TextFileTest : public VurnTest {
 protected:
  std::vector<std::string> readAll(const std::string& bytes) {
    writeHostFile("in.txt", bytes);
    TextReader reader;
    EXPECT_TRUE(reader.open("C:\\IN.txt"));
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line)) lines.push_back(line);
    EXPECT_TRUE(reader.atEnd());
    return lines;
  }
};

TEST_F(TextFileTest, LineEndsOfEveryKind) {
  using Lines = std::vector<std::string>;
  const struct { const char* name; std::string bytes; Lines lines; } cases[] = {
      {"CRLF", "a\r\nb\r\n", {"a", "b"}}, {"LF", "a\nb\n", {"a", "b"}}, {"CR", "a\rb\r", {"a", "b"}},
      {"no final end", "a\r\nb", {"a", "b"}}, {"blank last line", "a\r\nb\r\n\r\n", {"a", "b", ""}},
      {"blank last line LF", "a\n\n", {"a", ""}}, {"blank line inside", "a\n\nb", {"a", "", "b"}},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}}, {"empty file", "", {}}, {"only a line end", "\r\n", {""}},
      {"bytes pass through", "caf\xC3\xA9\t\"x\"\x01", {"caf\xC3\xA9\t\"x\"\x01"}},
  };
  for (const auto& c : cases) EXPECT_EQ(readAll(c.bytes), c.lines) << c.name;
}

TEST_F(TextFileTest, MissingFileDoesNotOpen) {
  TextReader reader;
  EXPECT_FALSE(reader.open("C:\\nothing.txt"));
  EXPECT_FALSE(reader.isOpen());
  EXPECT_NE(reader.error(), 0);
  std::string line = "kept?";
  EXPECT_FALSE(reader.readLine(line));
  EXPECT_TRUE(reader.atEnd());
  writeHostFile("folder/x", "");
  EXPECT_FALSE(reader.open("C:\\folder"));  // a folder is not a text file
}

TEST_F(TextFileTest, WrittenLinesEndInCrlfAndAppendAddsToTheEnd) {
  {
    TextWriter writer;
    ASSERT_TRUE(writer.open("C:\\out.txt"));
    writer.writeLine("first");
    writer.write("sec");
    writer.writeLine("ond");
    writer.writeLine("");
  }
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "first\r\nsecond\r\n\r\n");
  {
    TextWriter writer;
    ASSERT_TRUE(writer.open("C:\\OUT.TXT", TextWriter::Mode::Append));
    writer.writeLine("third");
  }
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "first\r\nsecond\r\n\r\nthird\r\n");
  {
    TextWriter writer;
    ASSERT_TRUE(writer.open("C:\\out.txt"));  // replace
    writer.writeLine("new");
  }
  EXPECT_EQ(readHostFile(driveC() / "out.txt"), "new\r\n");
}

TEST_F(TextFileTest, WriterInAMissingFolderFails) {
  TextWriter writer;
  EXPECT_FALSE(writer.open("C:\\no such folder\\out.txt"));
  EXPECT_FALSE(writer.isOpen());
  EXPECT_NE(writer.error(), 0);
  writer.writeLine("ignored");  // writing to a closed handle does nothing
}

}  // namespace
