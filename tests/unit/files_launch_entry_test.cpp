#include "files/lists_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const SourceDir = "E:\\DRIVERS";
const char* const SystemDir = "C:\\WINDOWS\\SYSTEM";
const char* const WindowsDir = "C:\\WINDOWS";

std::vector<std::string> WordsOf(const LaunchEntry& entry) {
  return std::vector<std::string>(entry.Words, entry.Words + entry.WordCount);
}

TEST(FormLaunchEntry, FormsTheProgramPath) {
  struct Case {
    const char* value;
    const char* path;
  } cases[] = {
      {"qvsmzad.exe", "E:\\DRIVERS\\qvsmzad.exe"},
      {"qvsmzad.exe us.ini", "E:\\DRIVERS\\qvsmzad.exe"},
      {"tool.exe a b,$windows", "C:\\WINDOWS\\tool.exe"},
      {"tool.exe,tools bin", "C:\\tools\\bin\\tool.exe"},
      {"tool.exe,tools\\bin", "C:\\tools\\bin\\tool.exe"},
      {"tool.exe,\\tools\\ \\bin\\", "C:\\tools\\bin\\tool.exe"},
      {"tool.exe,a $windows b", "C:\\WINDOWS\\b\\tool.exe"},
      {"tool.exe,$Windows", "C:\\$Windows\\tool.exe"},
      {",,tool.exe,,$windows,,ignored", "C:\\WINDOWS\\tool.exe"},
      {"tool.exe, ,$windows", "C:\\tool.exe"},  // a blank directory field: the drive root
      {"tool.exe,$windows,tools", "C:\\WINDOWS\\tool.exe"},
  };
  for (const Case& c : cases) {
    LaunchEntry entry;
    ASSERT_EQ(1, FormLaunchEntry(c.value, SourceDir, SystemDir, WindowsDir, &entry)) << c.value;
    EXPECT_STREQ(c.path, entry.ProgramPath) << c.value;
  }
}

TEST(FormLaunchEntry, AMediumAtADriveRootStillGetsItsBackslash) {
  LaunchEntry entry;
  ASSERT_EQ(1, FormLaunchEntry("tool.exe", "E:", SystemDir, WindowsDir, &entry));
  EXPECT_STREQ("E:\\tool.exe", entry.ProgramPath);
}

TEST(FormLaunchEntry, TheArgumentVectorIsTheCommandSplitAtSpaces) {
  struct Case {
    const char* value;
    std::vector<std::string> words;
  } cases[] = {
      {"qvsmzad.exe", {"qvsmzad.exe"}},
      {"  qvsmzad.exe   us.ini  -q ", {"qvsmzad.exe", "us.ini", "-q"}},
      {"tool.exe \"a b\" c,$windows", {"tool.exe", "\"a", "b\"", "c"}},
      {"tool.exe C:\\x\\y.ini", {"tool.exe", "C:\\x\\y.ini"}},
      {"tool.exe\ta b", {"tool.exe\ta", "b"}},
      {"1 2 3 4 5 6 7 8 9", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
  };
  for (const Case& c : cases) {
    LaunchEntry entry;
    ASSERT_EQ(1, FormLaunchEntry(c.value, SourceDir, SystemDir, WindowsDir, &entry)) << c.value;
    EXPECT_EQ(c.words, WordsOf(entry)) << c.value;
  }
}

TEST(FormLaunchEntry, RefusesEntriesOutOfBounds) {
  const std::string name127(127, 'p');
  const std::string source250 = "E:\\" + std::string(247, 's');
  struct Case {
    std::string value;
    const char* source;
    int expected;
  } cases[] = {
      {"", SourceDir, 0},
      {"   ", SourceDir, 0},
      {",,,", SourceDir, 0},
      {" ,$windows", SourceDir, 0},
      {"1 2 3 4 5 6 7 8 9 10", SourceDir, 0},
      {name127, SourceDir, 1},
      {name127 + "p", SourceDir, 0},
      {"12345678", source250.c_str(), 1},   // 250 + "\" + 8 = 259
      {"123456789", source250.c_str(), 0},  // 260
  };
  for (const Case& c : cases) {
    LaunchEntry entry;
    EXPECT_EQ(c.expected, FormLaunchEntry(c.value.c_str(), c.source, SystemDir, WindowsDir, &entry))
        << '"' << c.value << '"';
  }
}

TEST(FormLaunchEntry, OnlyTheFinishedProgramPathCountsAgainstTheLimit) {
  const std::string windows = "C:\\" + std::string(240, 'w');  // 243 characters
  // 243 + "\" + 20 would not fit, but the second "$windows" drops it again.
  const std::string value = "tool.exe,$windows " + std::string(20, 'a') + " $windows";
  LaunchEntry entry;
  ASSERT_EQ(1, FormLaunchEntry(value.c_str(), SourceDir, SystemDir, windows.c_str(), &entry));
  EXPECT_EQ(windows + "\\tool.exe", entry.ProgramPath);
  const std::string tooLong =
      "tool.exe,$windows " + std::string(10, 'a');  // 243 + 1 + 10 + 1 + 8 = 263
  EXPECT_EQ(0, FormLaunchEntry(tooLong.c_str(), SourceDir, SystemDir, windows.c_str(), &entry));
}

}  // namespace
