#include "files/programs_rules.h"

#include <gtest/gtest.h>

#include "table_cases.h"

#include <algorithm>
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

// What NT's interpreter runs of "cmd /c <rest>": with more than two
// quotation marks in rest, rest without its first and its last one.
std::string InterpreterCommand(const std::string& line) {
  std::string rest = line.substr(std::string("cmd /c ").size());
  if (std::count(rest.begin(), rest.end(), '"') > 2) {
    rest.erase(rest.find('"'), 1);
    rest.erase(rest.rfind('"'), 1);
  }
  return rest;
}

TEST(FormInterpreterLine, TheInterpreterRunsTheFoundFileWithTheSameWords) {
  const std::vector<std::vector<const char*>> vectors = {
      {"C:\\WINNT\\tool.bat"},
      {"C:\\Medium Dir\\tool.bat", "one", "two words"},
      {"C:\\M\\t.cmd", "", "a\"b", "end\\"},
  };
  for (const auto& words : vectors) {
    char line[1024];
    ASSERT_TRUE(FormInterpreterLine(words[0], words.data() + 1, static_cast<int>(words.size() - 1),
                                    line, sizeof line));
    EXPECT_EQ(0u, std::string(line).find("cmd /c \"\"")) << line;
    EXPECT_EQ(std::vector<std::string>(words.begin(), words.end()),
              SplitLikeTheRuntime(InterpreterCommand(line)))
        << line;
  }
  char small[12];
  const char* none[] = {nullptr};
  EXPECT_FALSE(FormInterpreterLine("C:\\tool.bat", none, 0, small, sizeof small));
  EXPECT_STREQ("", small);
}

TEST(ProgramName, AnExtensionIsADotInTheLastPartOfThePath) {
  const Row<const char*, bool> rows[] = {
      {"E:\\DRIVERS\\qvsmzad", false},
      {"E:\\DRIVERS\\qvsmzad.exe", true},
      {"E:\\DRIVERS.1\\qvsmzad", false},
      {"E:\\DRIVERS\\tools/run", false},
      {"E:\\DRIVERS\\run.", true},
      {"C:qvsmzad", false},
      {"C:q.bat", true},
  };
  ExpectEach(rows, [](const char* path) { return HasExtension(path); });
  ASSERT_EQ(4, kProgramExtensionCount);
  EXPECT_EQ((std::vector<std::string>{".com", ".exe", ".bat", ".cmd"}),
            std::vector<std::string>(kProgramExtensions, kProgramExtensions + 4));
}

TEST(ProgramName, BatchFilesEndInBatOrCmdInAnyCase) {
  const Row<const char*, bool> rows[] = {
      {"E:\\run.bat", true},
      {"E:\\run.CMD", true},
      {"E:\\run.Bat", true},
      {"E:\\run.exe", false},
      {"E:\\run.bat.exe", false},
      {"E:\\batch", false},
      {"bat", false},
      {".cmd", true},
  };
  ExpectEach(rows, [](const char* path) { return IsBatchProgram(path); });
}

TEST(ProgramName, TheFirstWordWithAnInterpreterOperator) {
  const Row<std::vector<const char*>, int> rows[] = {
      {{"run.bat", "a", "b c", "\"q\""}, -1},
      {{"run.bat", "a&b"}, 1},
      {{"run.bat", "x", "a|b", "%PATH%"}, 2},
      {{"run.bat", "<in"}, 1},
      {{"run.bat", "out>"}, 1},
      {{"run.bat", "^"}, 1},
      {{"run.bat", "100%"}, 1},
      {{"r&n.bat"}, 0},
  };
  ExpectEach(rows, [](const std::vector<const char*>& words) {
    return FindInterpreterOperatorWord(words.data(), static_cast<int>(words.size()));
  });
}

}  // namespace
