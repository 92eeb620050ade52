// Number conversions of the country settings file and the 4-byte values.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <tuple>

#include "numbers.h"
#include "table_cases.h"
#include "time_stamp.h"

namespace {

// What ConvertLong gives, and what ReadNumber tells of how it read the text.
struct NumberCase {
  const char* text;
  int base;
  int32_t value;
  size_t length;
  int baseUsed;
  bool clamped;
};

TEST(ConvertLong, FollowsTheAutomaticBaseAndClamps) {
  const NumberCase cases[] = {
      {"", 0, 0, 0, 10, false},
      {"\n", 0, 0, 0, 10, false},
      {"abc", 0, 0, 0, 10, false},
      {"5", 0, 5, 1, 10, false},
      {"  \t+42,1", 0, 42, 6, 10, false},
      {"-1", 0, -1, 2, 10, false},
      {"  -7 ", 0, -7, 4, 10, false},
      {" 0x10 , 1", 0, 16, 5, 16, false},
      {"0X1f", 0, 31, 4, 16, false},
      {"0x1F,", 0, 31, 4, 16, false},
      {"-0x10", 0, -16, 5, 16, false},
      {"0x", 0, 0, 1, 8, false},
      {"0xg", 0, 0, 1, 8, false},
      {"010", 0, 8, 3, 8, false},
      {"08", 0, 0, 1, 8, false},
      {"0", 0, 0, 1, 8, false},
      {"12;old", 0, 12, 2, 10, false},
      {"12;x", 0, 12, 2, 10, false},
      {"2147483647", 0, 2147483647, 10, 10, false},
      {"2147483648", 0, 2147483647, 10, 10, true},
      {"0xFFFFFFFF", 0, 2147483647, 10, 16, true},
      {"99999999999999999999999", 0, 2147483647, 23, 10, true},
      {"-2147483648", 0, INT32_MIN, 11, 10, false},
      {"-2147483649", 0, INT32_MIN, 11, 10, true},
      {"-0xFFFFFFFF", 0, INT32_MIN, 11, 16, true},
      {"- 5", 0, 0, 0, 10, false},
      {"+-5", 0, 0, 0, 10, false},
      {" +", 0, 0, 0, 10, false},
      {"\r\v\f7", 0, 7, 4, 10, false},
      // Type codes of Registry lines are decimal: leading digits count.
      {"3", 10, 3, 1, 10, false},
      {"010", 10, 10, 3, 10, false},
      {"0x2", 10, 0, 1, 10, false},
      {"2abc", 10, 2, 1, 10, false},
      {"-1", 10, -1, 2, 10, false},
      {"1x", 10, 1, 1, 10, false},
      {"4294967296", 10, 2147483647, 10, 10, true},
  };
  ForEachCase(cases, &NumberCase::text, [](const NumberCase& c) {
    NumberReading reading;
    const int32_t value = ReadNumber(c.text, c.base, &reading);
    EXPECT_EQ(std::make_tuple(value, ConvertLong(c.text, c.base), reading.length, reading.base,
                              reading.clamped),
              std::make_tuple(c.value, c.value, c.length, c.baseUsed, c.clamped))
        << "base " << c.base;
  });
}

TEST(ParseHex, ReadsDigitsWithoutPrefixAndWraps) {
  const struct {
    const char* text;
    uint32_t expected;
  } cases[] = {
      {"", 0},
      {"0", 0},
      {"01", 1},
      {"ff", 0xFF},
      {"1FF", 0x1FF},
      {"aBc", 0xABC},
      {"0x1F", 0},  // no prefix: the X stops the conversion
      {"12G4", 0x12},
      {"7 8", 7},
      {"-1", 0},
      {"\n", 0},
      {"FFFFFFFF", 0xFFFFFFFF},
      {"123456789", 0x23456789},  // 32-bit arithmetic wraps
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseHex(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(TimeStampBytes, StoresSecondsOrAllOnesWhenNotExpressible) {
  const struct {
    int64_t seconds;
    unsigned char expected[4];
  } cases[] = {
      {0, {0x00, 0x00, 0x00, 0x00}},
      {1700000000, {0x00, 0xF1, 0x53, 0x65}},
      {INT32_MAX, {0xFF, 0xFF, 0xFF, 0x7F}},
      {static_cast<int64_t>(INT32_MAX) + 1, {0xFF, 0xFF, 0xFF, 0xFF}},
      {4102444800, {0xFF, 0xFF, 0xFF, 0xFF}},  // 2100-01-01
      {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
      {-86400, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    unsigned char bytes[4];
    TimeStampBytes(c.seconds, bytes);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(bytes[i], c.expected[i]) << "seconds " << c.seconds << " byte " << i;
    }
  }
}

}  // namespace
