#include "base/paths_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(JoinRootAware, InsertsABackslashOnlyAfterLongerDirectories) {
  struct Case { const char* dir; const char* name; const char* expected; } cases[] = {
      {"A:\\", "qvsetup.ini", "A:\\qvsetup.ini"},
      {"E:", "setup.exe", "E:setup.exe"},
      {"C:\\W", "x", "C:\\W\\x"},
      {"C:\\WINDOWS", "qvsetup.ini", "C:\\WINDOWS\\qvsetup.ini"},
      {"", "x", "x"},
  };
  for (const Case& c : cases) {
    char out[kSetupPathSize];
    ASSERT_EQ(1, JoinRootAware(out, sizeof out, c.dir, c.name)) << c.dir;
    EXPECT_STREQ(c.expected, out) << c.dir;
  }
}

TEST(JoinRootAware, RefusesWhatDoesNotFit) {
  const std::string dir(250, 'd');
  char out[kSetupPathSize];
  EXPECT_EQ(1, JoinRootAware(out, sizeof out, dir.c_str(), "12345678"));  // 259 characters
  EXPECT_EQ(259u, std::string(out).size());
  EXPECT_EQ(0, JoinRootAware(out, sizeof out, dir.c_str(), "123456789"));  // 260: refused
  EXPECT_STREQ("", out);
  char small[8] = "xxxxxxx";
  EXPECT_EQ(0, JoinRootAware(small, sizeof small, "C:\\WIN", "a"));
  EXPECT_STREQ("", small);
}

TEST(JoinPath, AlwaysInsertsABackslashAndTakesWhatIsGiven) {
  char out[kSetupPathSize] = "untouched";
  EXPECT_EQ(0, JoinPath(out, nullptr, nullptr));
  EXPECT_STREQ("untouched", out);
  EXPECT_EQ(1, JoinPath(out, "A:\\", "x"));
  EXPECT_STREQ("A:\\\\x", out);
  EXPECT_EQ(1, JoinPath(out, "C:\\INF", nullptr));
  EXPECT_STREQ("C:\\INF", out);
  EXPECT_EQ(1, JoinPath(out, nullptr, "*.bin"));
  EXPECT_STREQ("*.bin", out);
  const std::string dir(258, 'd');
  EXPECT_EQ(0, JoinPath(out, dir.c_str(), "x"));  // 260 characters
  EXPECT_STREQ("", out);
}

TEST(DirectoryOfFile, CutsAtTheLastBackslash) {
  struct Case { const char* path; int result; const char* expected; } cases[] = {
      {"E:\\setup.exe", 1, "E:"},
      {"C:\\MEDIUM\\DISK1\\setup.exe", 1, "C:\\MEDIUM\\DISK1"},
      {"\\\\server\\share\\setup.exe", 1, "\\\\server\\share"},
      {"setup.exe", 0, ""},
  };
  for (const Case& c : cases) {
    char out[kSetupPathSize] = "";
    EXPECT_EQ(c.result, DirectoryOfFile(out, sizeof out, c.path)) << c.path;
    EXPECT_STREQ(c.expected, out) << c.path;
  }
}

TEST(WindowsDirFits, LeavesRoomForTheLongestDerivedDirectory) {
  EXPECT_TRUE(WindowsDirFits(std::string(242, 'w').c_str()));
  EXPECT_FALSE(WindowsDirFits(std::string(243, 'w').c_str()));
  char out[kSetupPathSize];
  EXPECT_EQ(1, AppendText(out, sizeof out, std::string(242, 'w').c_str(), kDriversSuffix));
  EXPECT_EQ(0, AppendText(out, sizeof out, std::string(243, 'w').c_str(), kDriversSuffix));
}

}  // namespace
