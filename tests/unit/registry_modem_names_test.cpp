#include "registry/modem_names.h"

#include <gtest/gtest.h>

namespace {

const char* const RuleName[] = {"contains", "equals ignoring case", "equals ours"};

TEST(MatchesNameRule, EachRuleAgainstTheSameValues) {
  struct Case {
    const char* value;
    bool contains, equalsIgnoringCase, equalsOurs;
  } cases[] = {
      {"TAVELIN Software Modem AMR", true, true, true},
      {"Norvik Technologies Soft Modem", true, true, false},
      {"tavelin software modem amr", false, true, false},
      {"NORVIK TECHNOLOGIES SOFT MODEM", false, true, false},
      {"TAVELIN Software Modem AMR #2", true, false, false},
      {"Old TAVELIN Software Modem AMR", true, false, false},
      {"Norvik Technologies Soft Modem AMR", true, false, false},
      {"Modem", false, false, false},  // a part of our name is another vendor's modem
      {"Modem AMR", false, false, false},
      {"", false, false, false},
      {"TAVELIN Software Modem", false, false, false},
      {"Norvik Technologies Soft Modem AMR::Norvik::Norvik", true, false, false},
  };
  for (const Case& c : cases) {
    const bool expected[] = {c.contains, c.equalsIgnoringCase, c.equalsOurs};
    const NameRule rules[] = {kContainsEitherName, kEqualsEitherNameIgnoringCase, kEqualsOurName};
    for (int r = 0; r < 3; ++r)
      EXPECT_EQ(expected[r], MatchesNameRule(rules[r], c.value))
          << RuleName[r] << ": \"" << c.value << "\"";
  }
}

}  // namespace
