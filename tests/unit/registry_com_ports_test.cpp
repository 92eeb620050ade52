#include "registry/port_records_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

// The port that a serial port map with these entries leaves for the modem.
int ChooseFrom(std::initializer_list<const char*> entries) {
  PortNumberTable table;
  ClearPortNumbers(&table);
  for (const char* entry : entries) MarkPortFromMapEntry(&table, entry);
  return LowestFreePort(&table);
}

TEST(PortChoice, LowestNumberThatNoEntryClaims) {
  struct Case {
    std::initializer_list<const char*> entries;
    int expected;
  } cases[] = {
      {{}, 1},
      {{"COM1", "COM2"}, 3},
      {{"COM1", "COM3"}, 2},
      {{"COM3", "COM1"}, 2},
      {{"COM10"}, 1},  // 10 is marked, not 1
      {{"COM1", "COM10", "COM2"}, 3},
      {{"COM0"}, 1},            // 0 is never chosen anyway
      {{"COM 2", "COM+1"}, 3},  // blanks and a sign before the digits
      {{"COM1x", "COM2:"}, 3},  // reading stops at the first non-digit
      {{"COMX", "COM"}, 1},     // no digits give 0; too short marks nothing
      {{"COM-1"}, 1},           // outside 0 to 99: ignored
      {{"COM-0"}, 1},
      {{"XYZ1"}, 2},                             // the name part is not checked
      {{"COM1", "COM100", "COM4294967297"}, 2},  // above 99, also past 32 bits: ignored
      {{"COM99", "COM1"}, 2},
  };
  for (const Case& c : cases) {
    std::string label;
    for (const char* entry : c.entries) label += std::string(entry) + " ";
    EXPECT_EQ(c.expected, ChooseFrom(c.entries)) << label;
  }
}

TEST(PortChoice, NoFreeNumberWhenAllOfOneToNinetyNineAreTaken) {
  PortNumberTable table;
  ClearPortNumbers(&table);
  for (int n = 1; n <= 99; ++n) MarkPortFromMapEntry(&table, ("COM" + std::to_string(n)).c_str());
  EXPECT_EQ(0, LowestFreePort(&table));
}

TEST(PortChoice, ClearingForgetsEarlierEntries) {
  PortNumberTable table;
  for (bool& taken : table.Taken) taken = true;
  ClearPortNumbers(&table);
  EXPECT_EQ(1, LowestFreePort(&table));
}

TEST(FormPortName, DecimalWithoutLeadingZeros) {
  char name[kPortNameSize];
  FormPortName(name, 3);
  EXPECT_STREQ("COM3", name);
  FormPortName(name, 10);
  EXPECT_STREQ("COM10", name);
  FormPortName(name, 99);
  EXPECT_STREQ("COM99", name);
}

TEST(FormPortName, SameTextAsTheRuntimeFormatter) {
  for (int number : {0, 1, 9, 100, 12345, INT_MAX, -1, -40, INT_MIN}) {
    char name[kPortNameSize], expected[kPortNameSize];
    FormPortName(name, number);
    snprintf(expected, sizeof expected, "COM%d", number);
    EXPECT_STREQ(expected, name) << number;
  }
}

}  // namespace
