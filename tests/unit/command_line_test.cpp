#include "base/options.h"

#include <gtest/gtest.h>

#include <string>

#include "table_cases.h"

namespace {

// The switches that are set, as the letters that set them.
std::string Letters(const CommandSwitches& switches) {
  return std::string(switches.SilentMode ? "S" : "") + (switches.RemoveMode ? "D" : "") +
         (switches.RefreshMode ? "R" : "");
}

std::string SwitchesOf(const char* commandLine) {
  std::string text = commandLine;
  CommandSwitches switches = {false, false, false};
  ParseCommandLine(&text[0], &switches);
  return Letters(switches);
}

TEST(ParseCommandLine, SetsExactlyTheSwitchesOfSingleLetterTokens) {
  const Row<const char*, std::string> cases[] = {
      {"", ""},       {"S", "S"},     {"s", "S"},       {"-s -d", "SD"}, {"-S -D", "SD"},
      {"S R", "SR"},  {"D R", "DR"},  {"s-d-r", "SDR"}, {"S\nD", "SD"},  {"SD", ""},
      {"/S", ""},     {"S\tD", ""},  // a tab separates nothing
      {"--s--", "S"}, {"S S S", "S"}, {"x y s", "S"},   {"DR", ""},      {"  r  ", "R"},
  };
  ExpectEach(cases, SwitchesOf);
}

TEST(ParseCommandLine, UpperCasesInPlaceAndNeverClearsASwitch) {
  std::string text = "ab-cd s";
  CommandSwitches switches = {false, true, true};
  ParseCommandLine(&text[0], &switches);
  EXPECT_EQ("AB-CD S", text);
  EXPECT_EQ("SDR", Letters(switches));
}

TEST(ParseCommandLine, ToleratesANullCommandLine) {
  CommandSwitches switches = {false, false, false};
  ParseCommandLine(nullptr, &switches);
  EXPECT_EQ("", Letters(switches));
}

}  // namespace
