// What the parsers of setup and qvsmzad tell qvlint: why a line or an entry
// is refused.
#include <gtest/gtest.h>

#include <string>

#include "base/options.h"
#include "country_line.h"
#include "files/lists_rules.h"
#include "registry_line.h"
#include "table_cases.h"

namespace {

TEST(CheckRegistryLine, NamesTheFirstFaultInFieldOrder) {
  const std::string k50(50, 'k'), s64(64, 's');
  const Row<std::string, RegistryLineFault> cases[] = {
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
  ExpectEach(cases, [](const std::string& line) {
    RegistryLine parsed;
    const RegistryLineFault fault = CheckRegistryLine(line.c_str(), &parsed);
    EXPECT_EQ(ParseRegistryLine(line.c_str(), &parsed), fault == kRegistryLineUsable);
    return fault;
  });
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
  const Row<std::string, CopyEntryFault> cases[] = {
      {"f.dll $windows", kCopyEntryUsable},
      {" ,\\", kCopyEntryNoFileName},
      {long128, kCopyEntryFileNameTooLong},
      {deep, kCopyEntryDestinationTooLong},
      {"f.dll " + std::string(300, 'w') + " $windows", kCopyEntryDestinationTooLong},
  };
  ExpectEach(cases, [](const std::string& value) {
    CopyEntry entry;
    return CheckCopyEntry(value.c_str(), "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS", &entry);
  });
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
    EXPECT_EQ(CheckLaunchEntry(c.value.c_str(), "D:", "C:\\WINDOWS\\SYSTEM", c.windowsDir, &entry),
              c.fault)
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
