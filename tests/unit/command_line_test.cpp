#include "base/options_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CommandLineCase {
  const char* commandLine;
  bool silent, remove, refresh;
};

const CommandLineCase kCommandLines[] = {
    {"", false, false, false},
    {"S", true, false, false},
    {"s", true, false, false},
    {"-s -d", true, true, false},
    {"-S -D", true, true, false},
    {"S R", true, false, true},
    {"D R", false, true, true},
    {"s-d-r", true, true, true},
    {"S\nD", true, true, false},
    {"SD", false, false, false},
    {"/S", false, false, false},
    {"S\tD", false, false, false},  // a tab separates nothing
    {"--s--", true, false, false},
    {"S S S", true, false, false},
    {"x y s", true, false, false},
    {"DR", false, false, false},
    {"  r  ", false, false, true},
};

TEST(ParseCommandLine, SetsExactlyTheSwitchesOfSingleLetterTokens) {
  for (const CommandLineCase& c : kCommandLines) {
    std::string text = c.commandLine;
    CommandSwitches switches = {false, false, false};
    ParseCommandLine(&text[0], &switches);
    EXPECT_EQ(c.silent, switches.SilentMode) << '"' << c.commandLine << '"';
    EXPECT_EQ(c.remove, switches.RemoveMode) << '"' << c.commandLine << '"';
    EXPECT_EQ(c.refresh, switches.RefreshMode) << '"' << c.commandLine << '"';
  }
}

TEST(ParseCommandLine, UpperCasesInPlaceAndNeverClearsASwitch) {
  std::string text = "ab-cd s";
  CommandSwitches switches = {false, true, true};
  ParseCommandLine(&text[0], &switches);
  EXPECT_EQ("AB-CD S", text);
  EXPECT_TRUE(switches.SilentMode && switches.RemoveMode && switches.RefreshMode);
}

TEST(ParseCommandLine, ToleratesANullCommandLine) {
  CommandSwitches switches = {false, false, false};
  ParseCommandLine(nullptr, &switches);
  EXPECT_FALSE(switches.SilentMode || switches.RemoveMode || switches.RefreshMode);
}

}  // namespace
