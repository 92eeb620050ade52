// qvlint's two outputs: the line for people and the JSON array for tools;
// severities, their count, ignored codes, and the escapes that keep control
// bytes out of both.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "output.h"
#include "shown_text.h"
#include "table_cases.h"

namespace {

// What the findings print with the codes of `ignore` ignored (none when it
// is empty); `counted` receives the Output with its counts.
std::string Printed(bool json, const std::vector<Finding>& findings, const char* ignore = "",
                    Output* counted = nullptr, bool errorsOnly = false) {
  FILE* stream = tmpfile();
  Output output = {stream, json, errorsOnly, {}, 0, 0, 0};
  std::string unknown;
  if (ignore[0] != '\0') {
    EXPECT_TRUE(IgnoreCodes(ignore, &output, &unknown)) << unknown;
  }
  StartOutput(&output);
  for (const Finding& finding : findings) PrintFinding(&output, finding);
  FinishOutput(&output);
  std::string text(static_cast<size_t>(ftell(stream)), '\0');
  rewind(stream);
  text.resize(fread(&text[0], 1, text.size(), stream));
  fclose(stream);
  if (counted != nullptr) *counted = output;
  return text;
}

std::string Escape(unsigned char c) {
  char escape[5];
  snprintf(escape, sizeof escape, "\\x%02X", c);
  return escape;
}

// The bytes that must never reach the output as they are.
std::vector<unsigned char> ControlBytes() {
  std::vector<unsigned char> bytes;
  for (unsigned char c = 1; c < 0x20; ++c) bytes.push_back(c);
  bytes.push_back(0x7F);
  return bytes;
}

// Whether `text` holds a control byte other than the line feeds that end
// its lines.
bool HoldsRawControl(const std::string& text) {
  for (unsigned char c : text) {
    if ((c < 0x20 && c != '\n') || c == 0x7F) return true;
  }
  return false;
}

TEST(PrintFinding, WritesOneLineOrOneJsonObjectPerFinding) {
  const std::vector<Finding> findings = {
      {"m\\QVSMzad.ini", 7, 12, "qvsmzad", kNumberOctal, kOnEvery, Say("value \"08\" of A"),
       Say("stores 0")},
      {"q.ini", 2, 1, "setup", kRepeatedKey, kOnNineX | kOnWineNt, Say("caf\xE9\x01"), Say("x")},
      {"c.ini", 9, 500, "qvsmzad", kRepeatedSection, kOnWineNineX, Say("[B5] again"),
       Say("read on")},
      {"n.ini", 3, 2, "setup", kCopyFileMissing, kOnNt, Say("r"), Say("e")},
  };
  EXPECT_EQ(Printed(false, findings),
            "m\\QVSMzad.ini:7:12: warning: value \"08\" of A; stores 0 [number-octal]\n"
            "q.ini:2:1: warning: caf\xE9\\x01; x [repeated-key]\n"
            "c.ini:9:500: note: [B5] again; read on [section-continued]\n"
            "n.ini:3:2: error: r; e [copy-file-missing]\n");
  EXPECT_EQ(
      Printed(true, findings),
      "[\n"
      "  {\"file\": \"m\\\\QVSMzad.ini\", \"line\": 7, \"column\": 12, \"program\": \"qvsmzad\", "
      "\"code\": \"number-octal\", \"severity\": \"warning\", "
      "\"platforms\": [\"9x\", \"nt\", \"wine9x\", \"winent\"], "
      "\"reason\": \"value \\\"08\\\" of A\", \"effect\": \"stores 0\"},\n"
      "  {\"file\": \"q.ini\", \"line\": 2, \"column\": 1, \"program\": \"setup\", "
      "\"code\": \"repeated-key\", \"severity\": \"warning\", \"platforms\": [\"9x\", \"winent\"], "
      "\"reason\": \"caf\\u00e9\\\\x01\", \"effect\": \"x\"},\n"
      "  {\"file\": \"c.ini\", \"line\": 9, \"column\": 500, \"program\": \"qvsmzad\", "
      "\"code\": \"section-continued\", \"severity\": \"note\", \"platforms\": [\"wine9x\"], "
      "\"reason\": \"[B5] again\", \"effect\": \"read on\"},\n"
      "  {\"file\": \"n.ini\", \"line\": 3, \"column\": 2, \"program\": \"setup\", "
      "\"code\": \"copy-file-missing\", \"severity\": \"error\", \"platforms\": [\"nt\"], "
      "\"reason\": \"r\", \"effect\": \"e\"}\n"
      "]\n");
  EXPECT_EQ(Printed(true, {}), "[]\n");
  EXPECT_EQ(Printed(false, {}), "");
}

TEST(PrintFinding, CountsErrorsAndWarningsButNotNotesNorIgnoredCodes) {
  const Finding octal = {"a.ini", 1, 1, "qvsmzad", kNumberOctal, kOnEvery, Say("r"), Say("e")};
  const Finding repeat = {"a.ini", 2, 1, "qvsmzad", kRepeatedSection, kOnEvery, Say("r"), Say("e")};
  const Finding setupRepeat = {"q.ini",  3,        1,       "setup", kRepeatedSetupSection,
                               kOnEvery, Say("r"), Say("e")};
  const Finding missing = {"q.ini", 4, 6, "setup", kCopyFileMissing, kOnEvery, Say("r"), Say("e")};
  const struct {
    const char* ignore;
    bool errorsOnly;  // --quiet
    std::vector<Finding> findings;
    unsigned written;
    unsigned errors;
    unsigned warnings;
    int exitCode;
  } cases[] = {
      {"", false, {octal, repeat, setupRepeat}, 3, 0, 2, kWarnings},
      {"", false, {repeat, repeat}, 2, 0, 0, kClean},
      {"", false, {missing, octal, repeat, missing}, 4, 2, 1, kErrors},
      {"section-continued", false, {octal, repeat}, 1, 0, 1, kWarnings},
      {"number-octal", false, {octal, repeat}, 1, 0, 0, kClean},
      {"repeated-section", false, {repeat, setupRepeat}, 1, 0, 0, kClean},
      {"number-octal,section-continued", false, {octal, repeat, octal}, 0, 0, 0, kClean},
      {"number-octal,number-octal", false, {octal, setupRepeat}, 1, 0, 1, kWarnings},
      {"copy-file-missing", false, {missing, octal}, 1, 0, 1, kWarnings},
      {"", true, {missing, octal, repeat}, 1, 1, 0, kErrors},
      {"", true, {octal, repeat, setupRepeat}, 0, 0, 0, kClean},
      {"copy-file-missing", true, {missing, octal}, 0, 0, 0, kClean},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ignore) + (c.errorsOnly ? " quiet" : ""));
    for (bool json : {false, true}) {
      Output counted;
      const std::string text = Printed(json, c.findings, c.ignore, &counted, c.errorsOnly);
      EXPECT_EQ(counted.written, c.written);
      EXPECT_EQ(counted.errors, c.errors);
      EXPECT_EQ(counted.warnings, c.warnings);
      EXPECT_EQ(ExitCodeOf(counted), c.exitCode);
      if (!json) {
        EXPECT_EQ(static_cast<unsigned>(std::count(text.begin(), text.end(), '\n')), c.written);
      }
    }
  }
}

TEST(ClosingLine, CountsAsCompilersDo) {
  const Row<std::pair<unsigned, unsigned>, std::string> cases[] = {
      {{0, 0}, ""},
      {{1, 0}, "qvlint: 1 error"},
      {{0, 1}, "qvlint: 1 warning"},
      {{2, 3}, "qvlint: 2 errors, 3 warnings"},
      {{1, 1}, "qvlint: 1 error, 1 warning"},
      {{0, 12}, "qvlint: 12 warnings"},
  };
  ExpectEach(cases, [](const std::pair<unsigned, unsigned>& counts) {
    return ClosingLine(counts.first, counts.second);
  });
}

TEST(IgnoreCodes, TakesACommaSeparatedListOfExactCodeNames) {
  const struct {
    const char* names;
    const char* unknown;  // nullptr when every name is known
  } cases[] = {
      {"number-octal", nullptr},
      {"number-octal,repeated-section,section-continued", nullptr},
      {"", ""},
      {"number-octal,", ""},
      {",number-octal", ""},
      {"number-octal,,key-list-full", ""},
      {"NUMBER-OCTAL", "NUMBER-OCTAL"},
      {"number-octal, key-list-full", " key-list-full"},
      {"key-list-full,octal", "octal"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.names);
    Output output = {nullptr, false, false, {}, 0, 0, 0};
    std::string unknown;
    EXPECT_EQ(IgnoreCodes(c.names, &output, &unknown), c.unknown == nullptr);
    if (c.unknown != nullptr) {
      EXPECT_EQ(unknown, c.unknown);
    }
  }
  Output output = {nullptr, false, false, {}, 0, 0, 0};
  std::string unknown;
  ASSERT_TRUE(IgnoreCodes("key-list-full,encoding-mark", &output, &unknown));
  for (int code = 0; code < kFindingCodeCount; ++code) {
    EXPECT_EQ(output.ignored[code], code == kKeyListFull || code == kEncodingMark) << code;
  }
}

// Every control byte, in a file name, in a name that a reason shows as it
// stands, in a text shown by Show and in an effect: none reaches either
// output as it is.
TEST(PrintFinding, WritesNoControlByteAsItIs) {
  for (unsigned char c : ControlBytes()) {
    SCOPED_TRACE(static_cast<int>(c));
    const std::string raw(1, static_cast<char>(c));
    const std::string file = "m/a" + raw + ".ini";
    const Finding finding = {file.c_str(),
                             3,
                             1,
                             "setup",
                             kUnknownOption,
                             kOnEvery,
                             Say("%s is not an option; %s", ("K" + raw).c_str(),
                                 Show(("v" + raw).c_str()).text),
                             Say("setup ignores %s[0m", raw.c_str())};
    const std::string text = Printed(false, {finding});
    EXPECT_FALSE(HoldsRawControl(text));
    EXPECT_EQ(text, "m/a" + Escape(c) + ".ini:3:1: warning: K" + Escape(c) +
                        " is not an option; \"v" + Escape(c) + "\"; setup ignores " + Escape(c) +
                        "[0m [unknown-option]\n");
    const std::string json = Printed(true, {finding});
    EXPECT_FALSE(HoldsRawControl(json));
    char jsonEscape[7];
    snprintf(jsonEscape, sizeof jsonEscape, "\\u%04x", c);
    EXPECT_NE(json.find("\"file\": \"m/a" + std::string(jsonEscape) + ".ini\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"reason\": \"K\\" + Escape(c)), std::string::npos) << json;
  }
}

TEST(Say, WritesControlBytesAsEscapesAndKeepsTheWholeText) {
  std::string escapes400;
  for (int i = 0; i < 400; ++i) escapes400 += "\\x1B";
  const Row<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"\x1B[2J\x1B]0;title\x07", "\\x1B[2J\\x1B]0;title\\x07"},
      {"tab\tCR\rLF\nDEL\x7F", "tab\\x09CR\\x0DLF\\x0ADEL\\x7F"},
      {"caf\xE9 \\x41", "caf\xE9 \\x41"},  // bytes beyond ASCII and backslashes stay
      {std::string(400, '\x1B'), escapes400},
      {std::string(5000, 'a') + "\x1B", std::string(5000, 'a') + "\\x1B"},
  };
  ExpectEach(cases, [](const std::string& text) { return Say("%s", text.c_str()).text; });
}

TEST(Show, QuotesEscapesAndShortensText) {
  const std::string longText = std::string(30, 'a') + std::string(30, 'b');
  const Row<std::string, std::string> cases[] = {
      {"S\\X \"a\"\n", "\"S\\X \\\"a\\\"\\x0A\""},
      {"\x01\t\r\x1B\x7F\xE9", "\"\\x01\\x09\\x0D\\x1B\\x7F\\xE9\""},
      {longText, "\"" + std::string(20, 'a') + "..." + std::string(20, 'b') + "\""},
  };
  ExpectEach(cases, [](const std::string& text) { return std::string(Show(text.c_str()).text); });
  for (unsigned char c : ControlBytes()) {
    const std::string forty(40, static_cast<char>(c));
    EXPECT_FALSE(HoldsRawControl(Show(forty.c_str()).text)) << static_cast<int>(c);
  }
}

TEST(FindingCodeName, GivesEveryCodeADistinctNameThatFindsIt) {
  for (int a = 0; a < kFindingCodeCount; ++a) {
    const FindingCode code = static_cast<FindingCode>(a);
    EXPECT_GT(strlen(FindingCodeSummary(code)), 0u);
    FindingCode found;
    ASSERT_TRUE(FindFindingCode(FindingCodeName(code), &found)) << FindingCodeName(code);
    EXPECT_EQ(found, code);
    for (int b = a + 1; b < kFindingCodeCount; ++b) {
      EXPECT_STRNE(FindingCodeName(code), FindingCodeName(static_cast<FindingCode>(b)));
    }
  }
}

}  // namespace
