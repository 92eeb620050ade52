// qvlint's two outputs: the line for people and the JSON array for tools.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "output.h"
#include "shown_text.h"

namespace {

std::string Printed(bool json, const Finding* findings, int count) {
  FILE* stream = tmpfile();
  Output output = {stream, json, 0};
  StartOutput(&output);
  for (int i = 0; i < count; ++i) PrintFinding(&output, findings[i]);
  FinishOutput(&output);
  std::string text(static_cast<size_t>(ftell(stream)), '\0');
  rewind(stream);
  text.resize(fread(&text[0], 1, text.size(), stream));
  fclose(stream);
  return text;
}

TEST(PrintFinding, WritesOneLineOrOneJsonObjectPerFinding) {
  const Finding findings[] = {
      {"m\\QVSMzad.ini", 7, "qvsmzad", kNumberOctal, Say("value \"08\" of A"), Say("stores 0")},
      {"q.ini", 2, "setup", kRepeatedKey, Say("caf\xE9\x01"), Say("x")},
  };
  EXPECT_EQ(Printed(false, findings, 2),
            "m\\QVSMzad.ini:7: value \"08\" of A; stores 0 [number-octal]\n"
            "q.ini:2: caf\xE9\x01; x [repeated-key]\n");
  EXPECT_EQ(
      Printed(true, findings, 2),
      "[\n"
      "  {\"file\": \"m\\\\QVSMzad.ini\", \"line\": 7, \"program\": \"qvsmzad\", \"code\": "
      "\"number-octal\", "
      "\"reason\": \"value \\\"08\\\" of A\", \"effect\": \"stores 0\"},\n"
      "  {\"file\": \"q.ini\", \"line\": 2, \"program\": \"setup\", \"code\": \"repeated-key\", "
      "\"reason\": \"caf\\u00e9\\u0001\", \"effect\": \"x\"}\n"
      "]\n");
  EXPECT_EQ(Printed(true, findings, 0), "[]\n");
  EXPECT_EQ(Printed(false, findings, 0), "");
}

TEST(Show, QuotesEscapesAndShortensText) {
  EXPECT_STREQ(Show("S\\X \"a\"\n").text, "\"S\\X \\\"a\\\"\\n\"");
  EXPECT_STREQ(Show("\x01\t\xE9").text, "\"\\x01\\t\\xE9\"");
  const std::string longText = std::string(30, 'a') + std::string(30, 'b');
  EXPECT_STREQ(Show(longText.c_str()).text,
               ("\"" + std::string(20, 'a') + "..." + std::string(20, 'b') + "\"").c_str());
}

TEST(FindingCodeName, GivesEveryCodeADistinctName) {
  for (int a = 0; a < kFindingCodeCount; ++a) {
    EXPECT_GT(strlen(FindingCodeSummary(static_cast<FindingCode>(a))), 0u);
    for (int b = a + 1; b < kFindingCodeCount; ++b) {
      EXPECT_STRNE(FindingCodeName(static_cast<FindingCode>(a)),
                   FindingCodeName(static_cast<FindingCode>(b)));
    }
  }
}

}  // namespace
