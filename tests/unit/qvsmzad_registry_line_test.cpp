// ReadField and the lines of the Registry section.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "buffer_sizes.h"
#include "read_field.h"
#include "registry_line.h"

namespace {

TEST(ReadField, SplitsQuotesAndDropsWhiteSpace) {
  const struct {
    const char* text;
    const char* field;
    int returned;
  } cases[] = {
      {"  \"A B\" ,x", "A B", 9},
      {"a b c", "abc", 0},
      {"a b c\n", "abc", 0},
      {"HKLM,SOFTWARE", "HKLM", 5},
      {",x", "", 1},
      {"", "", 0},
      {"\n", "", 0},
      {"\"two words\"\n", "two words", 0},
      {"\"a,b\"", "a", 3},          // a comma ends the field inside quotes too
      {"\"abc\n", "abc\n", 0},      // never closed: the line feed stays
      {"ab\"c d\"e,", "abcde", 9},  // a later quote never opens a quoted part
      {"\"a b\"c d\"e f\"", "a bcdef", 0},
      {"\"\"", "", 0},
      {" \t\"  x  \"\t,", "  x  ", 11},
      {"x\ry,", "xy", 4},
  };
  for (const auto& c : cases) {
    char field[kFieldSize] = "stale";
    EXPECT_EQ(ReadField(c.text, field, sizeof field), c.returned) << "text \"" << c.text << "\"";
    EXPECT_STREQ(field, c.field) << "text \"" << c.text << "\"";
  }
}

TEST(ReadField, StoresNoMoreThanItsBufferHolds) {
  char field[6];
  EXPECT_EQ(ReadField("abcdefgh,z", field, sizeof field), 9);
  EXPECT_STREQ(field, "abcde");
}

std::vector<unsigned char> Bytes(std::initializer_list<int> values) {
  std::vector<unsigned char> bytes;
  for (int v : values) bytes.push_back(static_cast<unsigned char>(v));
  return bytes;
}

std::string LongText(size_t length) { return std::string(length, 'k'); }

struct RegistryCase {
  std::string line;
  bool valid;
  bool deletion;
  int typeCode;
  const char* keyPath;
  const char* valueName;
  std::vector<unsigned char> data;  // as stored, a string with its terminator
};

std::vector<unsigned char> Text(const char* text) {
  std::vector<unsigned char> bytes(text, text + strlen(text));
  bytes.push_back(0);
  return bytes;
}

TEST(ParseRegistryLine, ReadsEveryKindOfLine) {
  const RegistryCase cases[] = {
      {"HKLM,SOFTWARE\\X,Name,0,abc\n", true, false, 0, "SOFTWARE\\X", "Name", Text("abc")},
      {"HKLM, \"SOFTWARE\\X\" ,Name,0,\"two words\"\n", true, false, 0, "SOFTWARE\\X", "Name",
       Text("two words")},
      {"HKLM,SOFTWARE\\X,Name,0,two words\n", true, false, 0, "SOFTWARE\\X", "Name",
       Text("twowords")},
      {"HKLM,SOFTWARE\\X,Name,1,01,ff,1FF\n", true, false, 1, "SOFTWARE\\X", "Name",
       Bytes({0x01, 0xFF, 0xFF})},
      {"HKLM,SOFTWARE\\X,Name,1,\n", true, false, 1, "SOFTWARE\\X", "Name", Bytes({0x00})},
      {"HKLM,SOFTWARE\\X,Name,1,", true, false, 1, "SOFTWARE\\X", "Name", Bytes({0x00})},
      {"HKLM,SOFTWARE\\X,Name,0,\n", true, false, 0, "SOFTWARE\\X", "Name", Text("")},
      {"HKLM,SOFTWARE\\X,Name,2,keep,ignored\n", true, false, 2, "SOFTWARE\\X", "Name",
       Text("keep")},
      {"HKLM,SOFTWARE\\X,Name,3,0x1F,g,12\n", true, false, 3, "SOFTWARE\\X", "Name",
       Bytes({0x00, 0x00, 0x12})},
      {"HKLM,SOFTWARE\\X,Name,1,,7,\n", true, false, 1, "SOFTWARE\\X", "Name",
       Bytes({0x00, 0x07, 0x00})},
      {"HKLM,SOFTWARE\\X,Name,\"0\",\"a b\n", true, false, 0, "SOFTWARE\\X", "Name", Text("a b\n")},
      {"HKLM,SOFTWARE\\X,Name,0x1,s\n", true, false, 0, "SOFTWARE\\X", "Name", Text("s")},
      // Deletion lines: field 4 is the last field; its code is not looked at.
      {"HKLM,SOFTWARE\\X,Name\n", true, true, 0, "SOFTWARE\\X", "Name", {}},
      {"HKLM,SOFTWARE\\X,Name,1\n", true, true, 0, "SOFTWARE\\X", "Name", {}},
      {"HKLM,SOFTWARE\\X,Name,9\n", true, true, 0, "SOFTWARE\\X", "Name", {}},
      {"HKLM,SOFTWARE\\X\n", true, true, 0, "SOFTWARE\\X", "SOFTWARE\\X", {}},
      {"HKLM", true, true, 0, "HKLM", "HKLM", {}},
      // Void lines.
      {"hklm,SOFTWARE\\X,Name,0,a\n", false, false, 0, "", "", {}},
      {"HKCU,SOFTWARE\\X,Name,0,a\n", false, false, 0, "", "", {}},
      {"\n", false, false, 0, "", "", {}},
      {"HKLM,,Name,0,a\n", false, false, 0, "", "", {}},
      {"HKLM,SOFTWARE\\X,,0,a\n", false, false, 0, "", "", {}},
      {"HKLM,SOFTWARE\\X,\"\",0,a\n", false, false, 0, "", "", {}},
      {"HKLM,SOFTWARE\\X,Name,4,a\n", false, false, 0, "", "", {}},
      {"HKLM,SOFTWARE\\X,Name,-1,a\n", false, false, 0, "", "", {}},
      {"HKLM,SOFTWARE\\X,Name,10,a\n", false, false, 0, "", "", {}},
  };
  for (const RegistryCase& c : cases) {
    RegistryLine line;
    ASSERT_EQ(ParseRegistryLine(c.line.c_str(), &line), c.valid) << c.line;
    if (!c.valid) continue;
    EXPECT_EQ(line.deletion, c.deletion) << c.line;
    EXPECT_STREQ(line.keyPath, c.keyPath) << c.line;
    EXPECT_STREQ(line.valueName, c.valueName) << c.line;
    if (c.deletion) continue;
    EXPECT_EQ(line.typeCode, c.typeCode) << c.line;
    EXPECT_EQ(std::vector<unsigned char>(line.data, line.data + line.dataSize), c.data) << c.line;
  }
}

TEST(ParseRegistryLine, TakesAtMost64Bytes) {
  std::string line = "HKLM,SOFTWARE\\X,Name,1";
  for (int i = 0; i < 70; ++i) line += "," + std::to_string(i % 10);
  RegistryLine parsed;
  ASSERT_TRUE(ParseRegistryLine(line.c_str(), &parsed));
  ASSERT_EQ(parsed.dataSize, 64u);
  EXPECT_EQ(parsed.data[0], 0);
  EXPECT_EQ(parsed.data[63], 3);
}

// Fields longer than their buffers refuse the whole line rather than cut it:
// a cut key path or value name would write somewhere else than meant.
TEST(ParseRegistryLine, RefusesFieldsThatDoNotFit) {
  const struct {
    std::string line;
    bool valid;
  } cases[] = {
      {"HKLM," + LongText(49) + ",Name,0,a\n", true},
      {"HKLM," + LongText(50) + ",Name,0,a\n", false},
      {"HKLM," + LongText(50) + ",Name\n", false},
      {"HKLM,SOFTWARE\\X," + LongText(49) + ",0,a\n", true},
      {"HKLM,SOFTWARE\\X," + LongText(50) + ",0,a\n", false},
      {"HKLM,SOFTWARE\\X," + LongText(50) + "\n", false},
      {"HKLM,SOFTWARE\\X,Name,0," + LongText(63) + "\n", true},
      {"HKLM,SOFTWARE\\X,Name,2,\"" + LongText(30) + " " + LongText(32) + "\"\n", true},
      {"HKLM,SOFTWARE\\X,Name,0," + LongText(64) + "\n", false},
      {"HKLM,SOFTWARE\\X,Name,2," + LongText(400) + "\n", false},
      // Blanks outside quotes are dropped before the length counts.
      {"HKLM,SOFTWARE\\X,Name,0," + LongText(60) + "     \n", true},
  };
  for (const auto& c : cases) {
    RegistryLine parsed;
    EXPECT_EQ(ParseRegistryLine(c.line.c_str(), &parsed), c.valid)
        << "line of " << c.line.size() << " characters: " << c.line;
  }
}

}  // namespace
