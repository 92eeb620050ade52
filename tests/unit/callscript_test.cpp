#include <stdio.h>
#include <string.h>

#include <string>

#include "call_output.h"
#include "machine_setup.h"
#include "scenario.h"
#include "script_parser.h"
#include "script_runner.h"
#include "simulated_windows.h"
#include "table_cases.h"

namespace {

// A line's tokens as text: w:WORD s:BYTES n:NUMBER #N N/M null, or the error.
std::string Tokens(const char* line) {
  ScriptLine parsed;
  char error[kErrorSize];
  if (!ParseScriptLine(line, &parsed, error, sizeof error)) return std::string("error: ") + error;
  if (!parsed.isStep) return "none";
  std::string text;
  for (size_t i = 0; i < parsed.count; ++i) {
    const Token& t = parsed.tokens[i];
    text += i > 0 ? " " : "";
    switch (t.kind) {
      case kTokenWord:
        text += "w:" + std::string(t.text, t.length);
        break;
      case kTokenString:
        text += "s:" + std::string(t.text, t.length);
        break;
      case kTokenNull:
        text += "null";
        break;
      case kTokenNumber:
        text += "n:" + std::to_string(t.number);
        break;
      case kTokenHandle:
        text += "#" + std::to_string(t.number);
        break;
      case kTokenSizes:
        text += std::to_string(t.number) + "/" + std::to_string(t.second);
        break;
    }
  }
  return text;
}

const Row<const char*, const char*> kLines[] = {
    {"", "none"},
    {"   # a comment", "none"},
    {"\t", "none"},
    {"QueryValue #2 \"v\" out 8/5", "w:QueryValue #2 s:v w:out 8/5"},
    {"SetValue #12 null 0x10 \"a b\\t\\\"\\\\\" 4294967295",
     "w:SetValue #12 null n:16 s:a b\t\"\\ n:4294967295"},
    {"X \"\\x41\\x7a\"", "w:X s:Az"},
    {"X 4294967296", "error: bad or too large number at column 3"},
    {"X \"abc", "error: unterminated string at column 3"},
    {"X \"\\q\"", "error: unknown escape at column 4"},
    {"X \"\\x4\"", "error: unknown escape at column 4"},
    {"X #0", "error: a step number expected after # at column 3"},
    {"X 4/", "error: a size expected after / at column 3"},
    {"X \"a\"\"b\"", "error: a blank expected between arguments at column 6"},
    {"X out,", "error: a blank expected between arguments at column 6"},
    {"\"v\" 1", "error: a step starts with a method name at column 1"},
    {"X ~", "error: unexpected character at column 3"},
};

TEST(ScriptParser, SplitsAndDecodesLines) {
  ExpectEach(kLines, [](const char* line) { return Tokens(line); });
}

TEST(ScriptParser, RefusesLinesPastTheirLength) {
  const std::string longest = "X \"" + std::string(kMaxLineLength - 4, 'a') + "\"";
  EXPECT_EQ("w:X s:" + std::string(kMaxLineLength - 4, 'a'), Tokens(longest.c_str()));
  EXPECT_EQ("error: line too long at column 4097", Tokens((longest + " ").c_str()));
}

std::string Quoted(const std::string& bytes) {
  std::string line;
  AppendQuoted(&line, bytes.data(), bytes.size());
  return line;
}

const Row<std::string, const char*> kQuoted[] = {
    {"abc", "\"abc\""},
    {std::string("a\0b", 3), "\"a\\x00b\""},
    {"\r\n\t\"\\", "\"\\r\\n\\t\\\"\\\\\""},
    {"\x1f\x7f\xff ~", "\"\\x1f\\x7f\\xff ~\""},
};

TEST(CallOutput, QuotesEveryByteThatIsNoPlainCharacter) { ExpectEach(kQuoted, Quoted); }

TEST(CallOutput, CutsBuffersToWhatTheCallReports) {
  EXPECT_EQ(3ul, CutToLength(3, 8));
  EXPECT_EQ(8ul, CutToLength(11, 8));
  EXPECT_EQ(2ul, CutAtTerminator("ab\0cd", 5));
  EXPECT_EQ(4ul, CutAtTerminator("abcd", 4));
}

// A script run on a fresh simulated Windows 2000: (exit code, output, errors).
struct ScriptResult {
  int exitCode;
  std::string out, err;
};

std::string ReadBack(FILE* file) {
  std::string text;
  rewind(file);
  for (int c; (c = fgetc(file)) != EOF;) text += static_cast<char>(c);
  fclose(file);
  return text;
}

ScriptResult RunText(const char* script) {
  char name[] = "/tmp/callscript_testXXXXXX";
  const int descriptor = mkstemp(name);
  FILE* file = fdopen(descriptor, "w");
  fputs(script, file);
  fclose(file);
  Machine machine;
  StartMachine(&machine, kOsClassWin2000, false);
  AddStandardDirectories(&machine);
  SimulatedWindows windows(&machine);
  MachineSetup setup(&machine);
  FILE* out = tmpfile();
  FILE* err = tmpfile();
  const char* names[] = {name};
  ScriptResult result;
  result.exitCode = RunScripts(windows, setup, names, 1, out, err);
  result.out = ReadBack(out);
  result.err = ReadBack(err);
  remove(name);
  // The error names the file; the tests compare what follows it.
  const size_t after = result.err.find(name);
  if (after != std::string::npos) result.err.erase(0, after + strlen(name));
  return result;
}

struct ErrorCase {
  const char* what;
  const char* script;
  const char* error;
};

const ErrorCase kErrors[] = {
    {"unknown method", "Nothing 1\n", ":1: unknown method Nothing\n"},
    {"refused method", "# c\n\nEndProcess\n", ":3: EndProcess is not callable from a script\n"},
    {"argument count", "OpenKey \"a\" 0\n", ":1: OpenKey takes 3 arguments, 2 given\n"},
    {"argument kind", "OpenKey \"a\" \"b\" out\n", ":1: OpenKey argument 2: a number expected\n"},
    {"handle of a later step", "CloseKey #1\n", ":1: CloseKey argument 1: #1 is no earlier step\n"},
    {"handle of another kind", "OpenFileToRead \"C:\\\\x\" out\nCloseKey #1\n",
     ":2: CloseKey argument 1: step 1 gave no key handle\n"},
    {"buffer too large", "CurrentDirectory 65537\n",
     ":1: CurrentDirectory argument 1: a buffer of at most 65536 bytes\n"},
    {"size past the buffer", "CreateKey \"k\" out\nEnumKey #1 0 4/5\n",
     ":2: EnumKey argument 3: the size 5 is larger than the buffer\n"},
    {"bytes shorter than their size", "CreateKey \"k\" out\nSetValue #1 \"v\" 1 \"ab\" 3\n",
     ":2: SetValue argument 4: a size larger than the bytes given\n"},
    {"a file step that fails", "file \"D:\\\\a\" \"x\"\n", ":1: file: status 3\n"},
    {"readonly of no file", "readonly \"C:\\\\none\"\n", ":1: readonly: no such file\n"},
    {"hold of no file", "hold \"C:\\\\none\"\n", ":1: hold: status 2\n"},
    {"value of no type", "value \"k\" \"v\" REG_NONE \"\"\n",
     ":1: value takes KEY NAME TYPE \"BYTES\"\n"},
    {"a bad line", "X \"\n", ":1: unterminated string at column 3\n"},
};

TEST(ScriptRunner, TellsTheLineAndTheFaultOfAScript) {
  ForEachCase(kErrors, &ErrorCase::what, [](const ErrorCase& c) {
    const ScriptResult result = RunText(c.script);
    EXPECT_EQ(kScriptError, result.exitCode);
    EXPECT_EQ(c.error, result.err);
  });
}

TEST(ScriptRunner, HandsHandlesOnAndShowsWhatEachCallLeft) {
  const ScriptResult result = RunText(
      "value \"Software\\\\Calls\\\\t\" \"v\" REG_BINARY \"a\\x00b\"\n"
      "OpenKey \"Software\\\\Calls\\\\t\" 1 out\n"
      "OpenKey \"Software\\\\Calls\\\\none\" 0 null\n"
      "EnumValue #2 0 1 null\n"
      "QueryValue #2 \"v\" out 8\n"
      "file \"C:\\\\t\\\\held.txt\" \"\"\n"
      "hold \"C:\\\\t\\\\held.txt\"\n"
      "RemoveFile \"C:\\\\t\\\\held.txt\"\n");
  EXPECT_EQ(0, result.exitCode) << result.err;
  EXPECT_EQ(
      "OpenKey -> 0 handle\n"
      "OpenKey -> 2 null\n"
      "EnumValue -> 234 \"\\x00\" 1 \"\" 3\n"
      "QueryValue -> 0 3 \"a\\x00b\" 3\n"
      "RemoveFile -> 32\n",
      result.out);
}

}  // namespace
