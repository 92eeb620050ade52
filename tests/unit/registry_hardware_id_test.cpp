#include "registry/controller_detection_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NamesPciController, SubstringOfTheKeyNameWithCaseSignificant) {
  struct Case {
    const char* name;
    bool expected;
  } cases[] = {
      {"VEN_8086&DEV_2416&SUBSYS_12345678&REV_02", true},
      {"VEN_8086&DEV_24160000", true},  // longer device id still contains the text
      {"ven_8086&dev_2416&SUBSYS_12345678", false},
      {"VEN_10B9&DEV_5453", true},
      {"VEN_1039&DEV_7013", true},
      {"VEN_8086&DEV_2426", true},
      {"VEN_8086&DEV_2446", true},
      {"VEN_8086&DEV_7196", true},
      {"VEN_1106&DEV_3068", true},
      {"VEN_E159&DEV_0001", true},
      {"VEN_e159&DEV_0001", false},
      {"VEN_8086&DEV_2415", false},  // another Intel function
      {"VEN_8086&SUBSYS_2416", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, NamesPciController(c.name)) << c.name;
}

TEST(FormPciHardwareId, PrefixesTheKeyNameOrRefusesWhatDoesNotFit) {
  char id[kHardwareIdSize] = "unchanged";
  ASSERT_EQ(1, FormPciHardwareId(id, "VEN_8086&DEV_2416&SUBSYS_12345678&REV_02"));
  EXPECT_STREQ("PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02", id);

  const std::string longest(kHardwareIdSize - 5, 'n');  // 4 + 523 = 527 characters
  ASSERT_EQ(1, FormPciHardwareId(id, longest.c_str()));
  EXPECT_EQ("PCI\\" + longest, id);

  strcpy(id, "unchanged");
  EXPECT_EQ(0, FormPciHardwareId(id, (longest + "n").c_str()));
  EXPECT_STREQ("unchanged", id);
}

TEST(FormRealHardwareId, ClassifiesInOrder) {
  struct Case {
    const char* id;
    int result;
    const char* real;
  } cases[] = {
      {"PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02", 1,
       "PCI\\VEN_8086&DEV_2416&SUBSYS_12345678"},
      {"PCI\\VEN_8086&DEV_2416", 1, "PCI\\VEN_8086&DEV_2416"},  // shorter than 37: whole id
      {"ISAPNP\\ABC1234", 1, "*ABC1234"},
      {"ACPI\\ABC1234\\5", 1, "*ABC1234\\5"},  // "ACPI" holds "PCI": tested first
      {"BIOS\\*PNP0500", 1, "**PNP0500"},
      {"ROOT\\ACPI", 1, "*ACPI"},  // text after the first backslash, wherever the name is
      {"BRX\\MODEM_1", 1, "BRX\\MODEM_1"},
      {"BRX_PCI\\VEN_8086&DEV_2416&SUBSYS_12345678&REV_02", 1,
       "BRX_PCI\\VEN_8086&DEV_2416&SUBSYS_1234"},  // "PCI" wins over "BRX"
      {"pci\\ven_8086&dev_2416", 0, ""},
      {"USB\\VID_0001", 0, ""},
      {"", 0, ""},
      {"ACPI", 0, ""},  // no backslash: refused rather than guessed
      {"ISAPNPABC", 0, ""},
  };
  for (const Case& c : cases) {
    char real[kRealHardwareIdSize] = "";
    EXPECT_EQ(c.result, FormRealHardwareId(real, c.id)) << c.id;
    if (c.result) {
      EXPECT_STREQ(c.real, real) << c.id;
    }
  }
}

TEST(FormRealHardwareId, LongestIdsFitTheRealIdBuffer) {
  char real[kRealHardwareIdSize];
  const std::string brx = "BRX" + std::string(kHardwareIdSize - 4, 'x');  // 527 characters
  ASSERT_EQ(1, FormRealHardwareId(real, brx.c_str()));
  EXPECT_EQ(brx, real);
  const std::string acpi = "\\ACPI" + std::string(kHardwareIdSize - 6, 'x');
  ASSERT_EQ(1, FormRealHardwareId(real, acpi.c_str()));
  EXPECT_EQ("*" + acpi.substr(1), real);
}

TEST(FormRealHardwareId, AnIdWithoutTerminatorInItsBufferIsRefused) {
  char id[kHardwareIdSize + 8];
  memset(id, 'x', sizeof id);
  memcpy(id, "BRX", 3);
  id[sizeof id - 1] = '\0';  // the terminator lies beyond the id buffer
  char real[kRealHardwareIdSize];
  EXPECT_EQ(0, FormRealHardwareId(real, id));
}

TEST(WidenText, KeepsEachCharacterValueAndRefusesWhatDoesNotFit) {
  wchar_t wide[4];
  ASSERT_EQ(1, WidenText(wide, 4, "A\xE9\\"));
  EXPECT_EQ(L'A', wide[0]);
  EXPECT_EQ(static_cast<wchar_t>(0xE9), wide[1]);  // not sign-extended
  EXPECT_EQ(L'\\', wide[2]);
  EXPECT_EQ(L'\0', wide[3]);
  EXPECT_EQ(0, WidenText(wide, 4, "ABCD"));
  EXPECT_EQ(L'\0', wide[0]);
}

}  // namespace
