// Line classification, section names, CountryValue and DisabledCountry lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "buffer_sizes.h"
#include "country_line.h"
#include "line_kind.h"
#include "table_cases.h"

namespace {

TEST(ClassifyLine, DecidesByColumnOneOnly) {
  const Row<const char*, LineKind> cases[] = {
      {"; comment\n", kCommentLine}, {";", kCommentLine},      {"  ;x=5\n", kContentLine},
      {"[B5]\n", kSectionHeader},    {"[]\n", kSectionHeader}, {"[B5\n", kBrokenHeader},
      {" [B5]\n", kContentLine},     {"\n", kContentLine},     {"", kContentLine},
      {"x]\n", kContentLine},
  };
  ExpectEach(cases, ClassifyLine);
}

TEST(CopySectionName, TakesTheTextUpToTheFirstBracketVerbatim) {
  const Row<const char*, std::string> cases[] = {
      {"[B5]\n", "B5"}, {"[ B5 ]\n", " B5 "}, {"[B5] trailing\n", "B5"},
      {"[a]b]\n", "a"}, {"[]\n", ""},         {"[Sub\\Key]\n", "Sub\\Key"},
  };
  ExpectEach(cases, [](const char* header) {
    char name[kSectionSize] = "stale";
    EXPECT_TRUE(CopySectionName(header, name, sizeof name));
    return std::string(name);
  });
}

TEST(KindOfSection, ComparesNamesWithLetterCase) {
  const Row<const char*, SectionKind> cases[] = {
      {"", kNoSection},
      {"Disable_Country", kDisabledSection},
      {"disable_country", kCountrySection},
      {"Disable_Country ", kCountrySection},
      {"Registry", kRegistrySection},
      {"REGISTRY", kCountrySection},
      {"B5", kCountrySection},
  };
  ExpectEach(cases, KindOfSection);
}

struct CountryCase {
  const char* line;
  const char* name;
  int32_t value;
  bool hasBounds;
  int32_t minimum;
  int32_t maximum;
};

TEST(ParseCountryValue, ReadsNameValueAndBounds) {
  const CountryCase cases[] = {
      {"Gain=5,0,9\n", "Gain", 5, true, 0, 9},
      {"Gain = 0x10 , 1, 20\n", "Gain ", 16, true, 1, 20},
      {"  ;x=5\n", "  ;x", 5, false, 0, 0},
      {"name=\n", "name", 0, false, 0, 0},
      {"name=08\n", "name", 0, false, 0, 0},
      {"name=0xFFFFFFFF\n", "name", 2147483647, false, 0, 0},
      {"name=-1\n", "name", -1, false, 0, 0},
      {"=7", "", 7, false, 0, 0},
      {"a=b=3\n", "a", 0, false, 0, 0},
      {"Level=-10,-15,-6,99\n", "Level", -10, true, -15, -6},
      {"Level=1,,\n", "Level", 1, true, 0, 0},
      {"Level=,2,3", "Level", 0, true, 2, 3},
      {"Wait=010,0x0A,12 ; old\n", "Wait", 8, true, 10, 12},
      // One comma supplies no complete range: the value alone is kept.
      {"Gain=5,0\n", "Gain", 5, false, 0, 0},
      {"Gain=5,\n", "Gain", 5, false, 0, 0},
  };
  for (const CountryCase& c : cases) {
    CountryValue value;
    ASSERT_TRUE(ParseCountryValue(c.line, &value)) << c.line;
    EXPECT_STREQ(value.name, c.name) << c.line;
    EXPECT_EQ(value.value, c.value) << c.line;
    EXPECT_EQ(value.hasBounds, c.hasBounds) << c.line;
    if (c.hasBounds) {
      EXPECT_EQ(value.minimum, c.minimum) << c.line;
      EXPECT_EQ(value.maximum, c.maximum) << c.line;
    }
  }
}

TEST(ParseCountryValue, LineWithoutEqualsCarriesNoValue) {
  const char* lines[] = {"\n", "", "Gain\n", "Gain 5,0,9\n"};
  for (const char* line : lines) {
    CountryValue value;
    EXPECT_FALSE(ParseCountryValue(line, &value)) << "line \"" << line << "\"";
  }
}

TEST(ParseDisabledCountry, TakesOneOrTwoHexDigits) {
  const struct {
    const char* line;
    const char* code;  // nullptr: the line is void
  } cases[] = {
      {"b5\n", "B5"}, {"  5 ; old\n", "5"}, {"05\n", "05"},     {"\t3d", "3D"}, {"ff;x\n", "FF"},
      {"aG\n", "A"},  {"US\n", nullptr},    {"1B5\n", nullptr}, {"0x1\n", "0"}, {"\n", nullptr},
      {"", nullptr},  {"; x\n", nullptr},   {"-5\n", nullptr},
  };
  for (const auto& c : cases) {
    char code[3] = "";
    const bool valid = ParseDisabledCountry(c.line, code);
    if (c.code == nullptr) {
      EXPECT_FALSE(valid) << "line \"" << c.line << "\" gave \"" << code << "\"";
    } else {
      EXPECT_TRUE(valid) << "line \"" << c.line << "\"";
      EXPECT_STREQ(code, c.code) << "line \"" << c.line << "\"";
    }
  }
}

}  // namespace
