#include "base/paths_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "base/log_rules.h"
#include "table_cases.h"

namespace {

// JoinRootAware and the log file's path built on it: where a name lands
// relative to a directory, or "refused".
struct JoinCase {
  bool (*join)(char* out, size_t outSize, const char* dir, const char* name);
  std::string dir, name, expected;
};

TEST(JoinRootAware, InsertsABackslashOnlyAfterLongerDirectoriesAsTheLogFilePathDoes) {
  const std::string d250(250, 'd'), dir253 = "C:\\" + d250;
  const JoinCase cases[] = {
      {JoinRootAware, "A:\\", "qvsetup.ini", "A:\\qvsetup.ini"},
      {JoinRootAware, "E:", "setup.exe", "E:setup.exe"},
      {JoinRootAware, "C:\\W", "x", "C:\\W\\x"},
      {JoinRootAware, "C:\\WINDOWS", "qvsetup.ini", "C:\\WINDOWS\\qvsetup.ini"},
      {JoinRootAware, "", "x", "x"},
      {JoinRootAware, d250, "12345678", d250 + "\\12345678"},  // 259 characters
      // Relative log file names lie in the source directory; others stand as they are.
      {FormLogFilePath, "C:\\MEDIUM", "setup.log", "C:\\MEDIUM\\setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "logs\\setup.log", "C:\\MEDIUM\\logs\\setup.log"},
      {FormLogFilePath, "A:\\", "setup.log", "A:\\setup.log"},
      {FormLogFilePath, "E:", "setup.log", "E:setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "D:\\logs\\setup.log", "D:\\logs\\setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "d:setup.log", "d:setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "\\setup.log", "\\setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "\\\\server\\share\\setup.log",
       "\\\\server\\share\\setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "/tmp/setup.log", "/tmp/setup.log"},
      {FormLogFilePath, "C:\\MEDIUM", "", "refused"},
      {FormLogFilePath, dir253, "12345", dir253 + "\\12345"},  // 259 characters
      {FormLogFilePath, dir253, "123456", "refused"},
      {FormLogFilePath, "C:\\MEDIUM", "C:\\" + std::string(257, 'x'), "refused"},
  };
  ForEachCase(cases, &JoinCase::name, [](const JoinCase& c) {
    char out[kSetupPathSize];
    EXPECT_EQ(c.expected, c.join(out, sizeof out, c.dir.c_str(), c.name.c_str()) ? out : "refused");
  });
}

TEST(JoinRootAware, RefusesWhatDoesNotFitAndLeavesNothing) {
  char out[kSetupPathSize] = "stale";
  EXPECT_EQ(0, JoinRootAware(out, sizeof out, std::string(250, 'd').c_str(), "123456789"));  // 260
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
  struct Case {
    const char* path;
    int result;
    const char* expected;
  } cases[] = {
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
