#include "files/lists_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const SystemDir = "C:\\WINDOWS\\SYSTEM";
const char* const WindowsDir = "C:\\WINDOWS";

TEST(FormCopyEntry, FormsTheDestinationFromTheWordsAfterTheFileName) {
  struct Case {
    const char* value;
    const char* file;
    const char* destination;
  } cases[] = {
      {"qvsm.hlp", "qvsm.hlp", "C:\\WINDOWS\\SYSTEM"},
      {"qvsm.hlp,$windows", "qvsm.hlp", "C:\\WINDOWS"},
      {"qvsm.hlp $windows help", "qvsm.hlp", "C:\\WINDOWS\\help"},
      {"qvsm.hlp tools old $windows", "qvsm.hlp", "C:\\WINDOWS"},
      {"qvsm.hlp tools $windows inf other", "qvsm.hlp", "C:\\WINDOWS\\inf\\other"},
      {"qvsm.hlp $Windows", "qvsm.hlp", "C:\\$Windows"},
      {"qvsm.hlp $WINDOWS inf", "qvsm.hlp", "C:\\$WINDOWS\\inf"},
      {"qvsm.hlp tools bin", "qvsm.hlp", "C:\\tools\\bin"},
      {"$windows tools", "$windows", "C:\\tools"},
      {" ,\\qvsm.hlp", "qvsm.hlp", "C:\\WINDOWS\\SYSTEM"},
      {"qvsm.hlp ,, \\", "qvsm.hlp", "C:\\WINDOWS\\SYSTEM"},
  };
  for (const Case& c : cases) {
    CopyEntry entry;
    ASSERT_EQ(1, FormCopyEntry(c.value, SystemDir, WindowsDir, &entry)) << c.value;
    EXPECT_STREQ(c.file, entry.FileName) << c.value;
    EXPECT_STREQ(c.destination, entry.Destination) << c.value;
  }
}

TEST(FormCopyEntry, AnyRunOfSpaceCommaAndBackslashSeparatesAlike) {
  const char* values[] = {"f.dll a b",         "f.dll,a,b",         "f.dll\\a\\b",
                          "f.dll ,\\a\\\\ ,b", "\\\\f.dll,,a  b\\", "f.dll, a ,b"};
  for (const char* value : values) {
    CopyEntry entry;
    ASSERT_EQ(1, FormCopyEntry(value, SystemDir, WindowsDir, &entry)) << value;
    EXPECT_STREQ("f.dll", entry.FileName) << value;
    EXPECT_STREQ("C:\\a\\b", entry.Destination) << value;
  }
}

TEST(FormCopyEntry, StartsOnTheDriveOfTheSystemDirectory) {
  CopyEntry entry;
  ASSERT_EQ(1, FormCopyEntry("f.dll tools", "D:\\WINNT\\system32", "D:\\WINNT", &entry));
  EXPECT_STREQ("D:\\tools", entry.Destination);
}

TEST(FormCopyEntry, RefusesEntriesWithoutAFileName) {
  const char* values[] = {"", " ", ",,\\ ,"};
  for (const char* value : values) {
    CopyEntry entry;
    EXPECT_EQ(0, FormCopyEntry(value, SystemDir, WindowsDir, &entry)) << '"' << value << '"';
  }
}

TEST(FormCopyEntry, RefusesAFileNameOverItsLimit) {
  CopyEntry entry;
  const std::string name127(127, 'n');
  ASSERT_EQ(1, FormCopyEntry((name127 + " $windows").c_str(), SystemDir, WindowsDir, &entry));
  EXPECT_EQ(name127, entry.FileName);
  EXPECT_EQ(0, FormCopyEntry((name127 + "n $windows").c_str(), SystemDir, WindowsDir, &entry));
}

TEST(FormCopyEntry, RefusesADestinationOverItsLimitRatherThanCutIt) {
  CopyEntry entry;
  // "C:\" and a word of 252 characters: 255.
  ASSERT_EQ(1,
            FormCopyEntry(("f " + std::string(252, 'd')).c_str(), SystemDir, WindowsDir, &entry));
  EXPECT_EQ(255u, std::string(entry.Destination).size());
  EXPECT_EQ(0,
            FormCopyEntry(("f " + std::string(253, 'd')).c_str(), SystemDir, WindowsDir, &entry));
  EXPECT_STREQ("", entry.Destination);
  // A system directory that is itself too long for a destination.
  const std::string longSystem = "C:\\" + std::string(253, 's');
  EXPECT_EQ(0, FormCopyEntry("f", longSystem.c_str(), WindowsDir, &entry));
}

TEST(FormCopyEntry, OnlyTheFinishedDestinationCountsAgainstTheLimit) {
  const std::string windows = "C:\\" + std::string(237, 'w');  // 240 characters
  const std::string word20(20, 'a');
  CopyEntry entry;
  // 240 + "\" + 20 would not fit, but "$windows" drops it again.
  ASSERT_EQ(1, FormCopyEntry(("f $windows " + word20 + " $windows b").c_str(), SystemDir,
                             windows.c_str(), &entry));
  EXPECT_EQ(windows + "\\b", entry.Destination);
  EXPECT_EQ(0, FormCopyEntry(("f $windows " + word20).c_str(), SystemDir, windows.c_str(), &entry));
  ASSERT_EQ(1, FormCopyEntry(("f $windows " + std::string(14, 'a')).c_str(), SystemDir,
                             windows.c_str(), &entry));  // 255
  EXPECT_EQ(0, FormCopyEntry(("f $windows " + std::string(15, 'a')).c_str(), SystemDir,
                             windows.c_str(), &entry));  // 256
}

}  // namespace
