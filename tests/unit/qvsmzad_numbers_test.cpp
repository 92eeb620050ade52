// Number conversions of the country settings file and the 4-byte values.
#include <gtest/gtest.h>

#include <cstdint>

#include "numbers.h"
#include "time_stamp.h"

namespace {

struct ConversionCase {
  const char* text;
  int base;
  int32_t expected;
};

TEST(ConvertLong, FollowsTheAutomaticBaseAndClamps) {
  const ConversionCase cases[] = {
      {"", 0, 0},
      {"\n", 0, 0},
      {"abc", 0, 0},
      {"5", 0, 5},
      {"  \t+42,1", 0, 42},
      {"-1", 0, -1},
      {" 0x10 , 1", 0, 16},
      {"0X1f", 0, 31},
      {"-0x10", 0, -16},
      {"0x", 0, 0},
      {"0xg", 0, 0},
      {"010", 0, 8},
      {"08", 0, 0},
      {"0", 0, 0},
      {"12;old", 0, 12},
      {"2147483647", 0, 2147483647},
      {"2147483648", 0, 2147483647},
      {"0xFFFFFFFF", 0, 2147483647},
      {"99999999999999999999999", 0, 2147483647},
      {"-2147483648", 0, INT32_MIN},
      {"-2147483649", 0, INT32_MIN},
      {"-0xFFFFFFFF", 0, INT32_MIN},
      {"- 5", 0, 0},
      {"+-5", 0, 0},
      {"\r\v\f7", 0, 7},
      // Type codes of Registry lines are decimal: leading digits count.
      {"3", 10, 3},
      {"010", 10, 10},
      {"0x2", 10, 0},
      {"2abc", 10, 2},
      {"-1", 10, -1},
      {"4294967296", 10, 2147483647},
  };
  for (const ConversionCase& c : cases) {
    EXPECT_EQ(ConvertLong(c.text, c.base), c.expected)
        << "text \"" << c.text << "\" base " << c.base;
  }
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
