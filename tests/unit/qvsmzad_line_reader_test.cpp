// Line reading with the text-mode rules and the 499-character pieces.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "buffer_sizes.h"
#include "line_reader.h"

namespace {

// Every line that the reader delivers for a file holding `content`.
std::vector<std::string> ReadAll(const std::string& content) {
  FILE* stream = tmpfile();
  fwrite(content.data(), 1, content.size(), stream);
  rewind(stream);
  LineReader reader;
  StartLineReader(&reader, stream);
  std::vector<std::string> lines;
  char line[kLineSize];
  while (ReadLine(&reader, line, sizeof line)) lines.push_back(line);
  fclose(stream);
  return lines;
}

std::string Repeat(char c, size_t count) { return std::string(count, c); }

struct ReaderCase {
  const char* name;
  std::string content;
  std::vector<std::string> expected;
};

TEST(ReadLine, AppliesTextModeRules) {
  const ReaderCase cases[] = {
      {"empty file", "", {}},
      {"last line without line feed", "a\nb", {"a\n", "b"}},
      {"empty lines", "\n\n", {"\n", "\n"}},
      {"CR LF reads as LF", "a\r\nb\r\n", {"a\n", "b\n"}},
      {"lone CR stays", "a\rb\n", {"a\rb\n"}},
      {"CR at the end of the file", "a\r", {"a\r"}},
      {"CR CR LF", "a\r\r\n", {"a\r\n"}},
      {"LF CR", "a\n\rb", {"a\n", "\rb"}},
      {"Ctrl-Z ends the file",
       std::string("a\nb\x1A"
                   "c\nd\n"),
       {"a\n", "b"}},
      {"Ctrl-Z first",
       std::string("\x1A"
                   "a\n"),
       {}},
      {"Ctrl-Z after CR", std::string("a\r\x1A\n"), {"a\r"}},
      {"Ctrl-Z between CR and LF", std::string("a\r\x1A"), {"a\r"}},
      {"high bytes kept", "\xE4\xF6\xFC\n", {"\xE4\xF6\xFC\n"}},
  };
  for (const ReaderCase& c : cases) {
    EXPECT_EQ(ReadAll(c.content), c.expected) << c.name;
  }
}

TEST(ReadLine, DeliversLongLinesInPiecesOf499) {
  const ReaderCase cases[] = {
      {"700 characters", Repeat('x', 700) + "\n", {Repeat('x', 499), Repeat('x', 201) + "\n"}},
      {"499 characters", Repeat('y', 499) + "\n", {Repeat('y', 499), "\n"}},
      {"498 characters and CR LF", Repeat('z', 498) + "\r\n", {Repeat('z', 498) + "\n"}},
      {"998 characters without line feed", Repeat('w', 998), {Repeat('w', 499), Repeat('w', 499)}},
  };
  for (const ReaderCase& c : cases) {
    EXPECT_EQ(ReadAll(c.content), c.expected) << c.name;
  }
}

TEST(ReadLine, TranslatesCrLfAcrossItsReadBuffer) {
  // CR as the last byte of one 4096-byte read, LF as the first of the next.
  LineReader probe;
  const size_t crPosition = sizeof probe.buffer - 1;
  std::string content;
  while (content.size() + 100 <= crPosition) content += Repeat('a', 99) + "\n";
  content += Repeat('b', crPosition - content.size());
  content += "\r\nlast\r\n";
  const std::vector<std::string> lines = ReadAll(content);
  ASSERT_EQ(lines.size(), 42u);
  EXPECT_EQ(lines[40], Repeat('b', 95) + "\n");
  EXPECT_EQ(lines[41], "last\n");
}

}  // namespace
