#include "files/programs_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The C runtime's rules for splitting a command line into arguments (after
// the program name): blanks separate outside quotation marks; 2n
// backslashes before a quotation mark give n and the mark toggles quoting;
// 2n+1 give n and a literal mark; other backslashes are literal.
std::vector<std::string> SplitLikeTheRuntime(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return words;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2) {
          word += '"';
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) word += line[i++];
      }
    }
    words.push_back(word);
  }
}

std::string Form(const std::vector<const char*>& words, size_t size = 1024) {
  std::vector<char> out(size, 'x');
  if (!FormArgumentLine(words.data(), static_cast<int>(words.size()), out.data(), size))
    return "<refused>";
  return out.data();
}

TEST(FormArgumentLine, PlainWordsAreJoinedWithSpaces) {
  EXPECT_EQ("qvsmzad.exe us.ini", Form({"qvsmzad.exe", "us.ini"}));
  EXPECT_EQ("tool.exe C:\\x\\ \\\\server\\share\\",
            Form({"tool.exe", "C:\\x\\", "\\\\server\\share\\"}));
}

TEST(FormArgumentLine, TheRuntimeSplitsTheLineBackIntoTheSameWords) {
  const std::vector<std::vector<const char*>> vectors = {
      {"p.exe", "\"a", "b\""},
      {"p.exe", "a\"b", "\\\"", "x\\\\\"y"},
      {"p.exe", "tab\there", "end\\", "\"quoted\\\""},
      {"p.exe", "", "a b"},
  };
  for (const auto& words : vectors) {
    const std::string line = Form(words);
    const std::vector<std::string> expected(words.begin(), words.end());
    EXPECT_EQ(expected, SplitLikeTheRuntime(line)) << line;
  }
}

TEST(FormArgumentLine, RefusesALineThatDoesNotFit) {
  EXPECT_EQ("ab cd", Form({"ab", "cd"}, 6));
  EXPECT_EQ("<refused>", Form({"ab", "cd"}, 5));
  EXPECT_EQ("<refused>", Form({"a\"b"}, 6));  // "a\"b" needs 6 characters
}

}  // namespace
