// The text rules of the setup-library stand-ins.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "standin_text.h"
#include "table_cases.h"

TEST(CarriesModemName, SubstringOfEitherNameCaseSensitive) {
  const Row<const char*, bool> cases[] = {
      {"TAVELIN Software Modem AMR", true},
      {"Norvik Technologies Soft Modem", true},
      {"New TAVELIN Software Modem AMR #2", true},
      {"Norvik Technologies Soft Modem AMR", true},
      {"tavelin software modem amr", false},
      {"TAVELIN Software Modem", false},
      {"Modem", false},
      {"", false},
      {"Standard 56000 bps Modem", false},
  };
  ExpectEach(cases, CarriesModemName);
}

TEST(NarrowText, KeepsEightBitValuesAndMarksWiderOnes) {
  char out[16];
  const wchar_t text[] = {L'A', 0xE9, 0x263A, L'z', 0};
  NarrowText(out, sizeof out, text);
  EXPECT_STREQ("A\xE9?z", out);
}

TEST(NarrowText, NullGivesEmptyText) {
  char out[4] = "xyz";
  NarrowText(out, sizeof out, nullptr);
  EXPECT_STREQ("", out);
}

TEST(NarrowText, CutsToTheBufferAndTerminates) {
  char out[6];
  memset(out, '#', sizeof out);
  NarrowText(out, 4, L"Modem");
  EXPECT_STREQ("Mod", out);
  EXPECT_EQ('#', out[4]) << "nothing written past the size given";
}

TEST(CallLine, ArgumentsAreSeparatedAndTheResultFollows) {
  char line[128];
  BeginCallLine(line, sizeof line, "InstallClassDevice");
  AddTextArgument(line, sizeof line, "Modem");
  AddTextArgument(line, sizeof line, "");
  AddNumberArgument(line, sizeof line, -3);
  EndCallLine(line, sizeof line, 1);
  AddNote(line, sizeof line, "SourcePath", "C:\\medium", true);
  AddNumberNote(line, sizeof line, "Removed", 2);
  EXPECT_STREQ("InstallClassDevice(\"Modem\", \"\", -3) = 1 SourcePath=\"C:\\medium\" Removed=2",
               line);
}

TEST(CallLine, NoArguments) {
  char line[32];
  BeginCallLine(line, sizeof line, "RemoveModem");
  EndCallLine(line, sizeof line, 0);
  EXPECT_STREQ("RemoveModem() = 0", line);
}

TEST(CallLine, AnArgumentThatOpensAParenthesisStillGetsItsSeparator) {
  char line[32];
  BeginCallLine(line, sizeof line, "F");
  AddTextArgument(line, sizeof line, "(");
  AddNumberArgument(line, sizeof line, 1);
  EndCallLine(line, sizeof line, 1);
  EXPECT_STREQ("F(\"(\", 1) = 1", line);
}

TEST(CallLine, ALongLineIsCutWithinItsBuffer) {
  char buffer[40];
  memset(buffer, '#', sizeof buffer);
  const size_t size = 24;
  BeginCallLine(buffer, size, "UpdateNT5Device");
  AddTextArgument(buffer, size, std::string(100, 'x').c_str());
  EndCallLine(buffer, size, 1);
  AddNote(buffer, size, "SourcePath", "C:\\medium", true);
  EXPECT_EQ(size - 1, strlen(buffer));
  EXPECT_EQ('#', buffer[size]);
}

TEST(ArgumentAt, WordsAfterTheProgramName) {
  const struct {
    const char* commandLine;
    int index;
    const char* argument;
  } cases[] = {
      {"qvsetup3.exe remove", 0, "remove"},
      {"\"C:\\Program Files\\qvsetup3.exe\" refresh", 0, "refresh"},
      {"\"C:\\my dir\\standin_service.exe\"   5000\t400000", 1, "400000"},
      {"qvsetup3.exe", 0, ""},
      {"qvsetup3.exe remove", 1, ""},
      {"\"C:\\unterminated remove", 0, ""},
      {"C:\\medium\\qvsetup3.exe  remove extra", 0, "remove"},
  };
  for (const auto& c : cases) {
    char out[32];
    ArgumentAt(out, sizeof out, c.commandLine, c.index);
    EXPECT_STREQ(c.argument, out) << c.commandLine << " #" << c.index;
  }
}

TEST(ArgumentAt, ALongArgumentIsCut) {
  char out[5];
  ArgumentAt(out, sizeof out, "p 123456789", 0);
  EXPECT_STREQ("1234", out);
}

TEST(InstanceName, FourDigitsWithinRange) {
  char out[5];
  ASSERT_EQ(1, InstanceName(out, sizeof out, 0));
  EXPECT_STREQ("0000", out);
  ASSERT_EQ(1, InstanceName(out, sizeof out, 37));
  EXPECT_STREQ("0037", out);
  ASSERT_EQ(1, InstanceName(out, sizeof out, 9999));
  EXPECT_STREQ("9999", out);
  EXPECT_EQ(0, InstanceName(out, sizeof out, 10000));
  EXPECT_EQ(0, InstanceName(out, sizeof out, -1));
  EXPECT_EQ(0, InstanceName(out, 4, 1)) << "no room for four digits and the terminator";
}
