// What the parsers of setup and qvsmzad tell qvlint: why a line or an entry
// is refused, and how a number was read.
#include <gtest/gtest.h>

#include <string>

#include "base/options_rules.h"
#include "country_line.h"
#include "files/lists_rules.h"
#include "numbers.h"
#include "registry_line.h"

namespace {

TEST(ReadNumber, TellsHowMuchItReadInWhichBase) {
  const struct {
    const char* text;
    int base;
    int32_t value;
    size_t length;
    int baseUsed;
    bool clamped;
  } cases[] = {
      {"12;x", 0, 12, 2, 10, false},
      {"  -7 ", 0, -7, 4, 10, false},
      {"010", 0, 8, 3, 8, false},
      {"08", 0, 0, 1, 8, false},
      {"0x1F,", 0, 31, 4, 16, false},
      {"0x", 0, 0, 1, 8, false},
      {"", 0, 0, 0, 10, false},
      {" +", 0, 0, 0, 10, false},
      {"0xFFFFFFFF", 0, 2147483647, 10, 16, true},
      {"-2147483648", 0, INT32_MIN, 11, 10, false},
      {"-2147483649", 0, INT32_MIN, 11, 10, true},
      {"010", 10, 10, 3, 10, false},
      {"1x", 10, 1, 1, 10, false},
  };
  for (const auto& c : cases) {
    NumberReading reading;
    EXPECT_EQ(ReadNumber(c.text, c.base, &reading), c.value) << c.text;
    EXPECT_EQ(reading.length, c.length) << c.text;
    EXPECT_EQ(reading.base, c.baseUsed) << c.text;
    EXPECT_EQ(reading.clamped, c.clamped) << c.text;
    EXPECT_EQ(ConvertLong(c.text, c.base), c.value) << c.text;
  }
}

TEST(CheckRegistryLine, NamesTheFirstFaultInFieldOrder) {
  const std::string k50(50, 'k'), s64(64, 's');
  const struct {
    std::string line;
    RegistryLineFault fault;
  } cases[] = {
      {"HKLM,S\\X,N,0,a", kRegistryLineUsable},
      {"HKLM,S\\X,N", kRegistryLineUsable},
      {"Hklm,,,9,a", kRootNotHklm},
      {"HKLM,,N,0,a", kKeyPathEmpty},
      {"HKLM," + k50 + ",,9", kKeyPathTooLong},
      {"HKLM,S\\X,,9,a", kValueNameEmpty},
      {"HKLM,S\\X," + k50 + ",9", kValueNameTooLong},
      {"HKLM,S\\X,N,9,a", kTypeCodeOutOfRange},
      {"HKLM,S\\X,N,0," + s64, kStringTooLong},
      {"HKLM,S\\X,N,1," + s64, kRegistryLineUsable},
  };
  for (const auto& c : cases) {
    RegistryLine parsed;
    EXPECT_EQ(CheckRegistryLine(c.line.c_str(), &parsed), c.fault) << c.line;
    EXPECT_EQ(ParseRegistryLine(c.line.c_str(), &parsed), c.fault == kRegistryLineUsable) << c.line;
  }
}

TEST(CheckDisabledCountry, TellsAnEmptyRunFromALongOne) {
  char code[3];
  EXPECT_EQ(CheckDisabledCountry(" b5 x\n", code), kDisabledCodeUsable);
  EXPECT_STREQ(code, "B5");
  EXPECT_EQ(CheckDisabledCountry("US\n", code), kNoHexDigit);
  EXPECT_EQ(CheckDisabledCountry("\n", code), kNoHexDigit);
  EXPECT_EQ(CheckDisabledCountry("1B5\n", code), kTooManyHexDigits);
}

TEST(SplitCountryValue, FindsTheEqualsSignAndTheTwoCommas) {
  const char line[] = "A=1 ; x,2,3,4";
  CountryValueParts parts;
  ASSERT_TRUE(SplitCountryValue(line, &parts));
  EXPECT_EQ(parts.equals - line, 1);
  EXPECT_EQ(parts.firstComma - line, 7);  // inside the note: a comma is a comma
  EXPECT_EQ(parts.secondComma - line, 9);
  ASSERT_TRUE(SplitCountryValue("A=1,2", &parts));
  EXPECT_EQ(parts.secondComma, nullptr);
  EXPECT_FALSE(SplitCountryValue("A 1", &parts));
}

TEST(CheckCopyEntry, NamesWhyAnEntryIsRefused) {
  const std::string long128(128, 'f'), deep = "a " + std::string(253, 'd');
  const struct {
    std::string value;
    CopyEntryFault fault;
  } cases[] = {
      {"f.dll $windows", kCopyEntryUsable},
      {" ,\\", kCopyEntryNoFileName},
      {long128, kCopyEntryFileNameTooLong},
      {deep, kCopyEntryDestinationTooLong},
      {"f.dll " + std::string(300, 'w') + " $windows", kCopyEntryDestinationTooLong},
  };
  for (const auto& c : cases) {
    CopyEntry entry;
    EXPECT_EQ(CheckCopyEntry(c.value.c_str(), "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS", &entry), c.fault)
        << c.value;
  }
}

TEST(CheckLaunchEntry, NamesWhyAnEntryIsRefused) {
  const std::string windows250 = "C:\\" + std::string(247, 'w');
  const struct {
    std::string value;
    const char* windowsDir;
    LaunchEntryFault fault;
  } cases[] = {
      {"p.exe a,$windows", "C:\\WINDOWS", kLaunchEntryUsable},
      {",, ,", "C:\\WINDOWS", kLaunchEntryNoProgram},
      {std::string(128, 'p'), "C:\\WINDOWS", kLaunchEntryProgramNameTooLong},
      {"p 1 2 3 4 5 6 7 8 9", "C:\\WINDOWS", kLaunchEntryTooManyWords},
      {"prog.exe,$windows tools", windows250.c_str(), kLaunchEntryPathTooLong},
      {"p," + std::string(300, 'd'), "C:\\WINDOWS", kLaunchEntryPathTooLong},
  };
  for (const auto& c : cases) {
    LaunchEntry entry;
    EXPECT_EQ(CheckLaunchEntry(c.value.c_str(), "D:", "C:\\WINDOWS\\SYSTEM", c.windowsDir, &entry), c.fault)
        << c.value;
  }
}

TEST(YesNoOptionKey, NamesTheSixOptionsInReadingOrder) {
  const char* expected[] = {"HardwareDetectNT", "Debug",           "WDMDriver",
                            "ReBoot",           "CleanUpRegistry", "CopyFilesOnly"};
  for (int option = 0; option < kYesNoOptionCount; ++option) {
    EXPECT_STREQ(YesNoOptionKey(static_cast<YesNoOption>(option)), expected[option]);
  }
  EXPECT_TRUE(OptionValueIsSet("yN"));
  EXPECT_FALSE(OptionValueIsSet("1"));
  EXPECT_FALSE(OptionValueIsSet(""));
}

}  // namespace
