#include "base/paths_rules.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "base/log_rules.h"
#include "base/platform.h"
#include "files/driver_sets_rules.h"
#include "table_cases.h"

namespace {

// JoinRootAware and the log file's path built on it: where a name lands
// relative to a directory, or "refused".
struct JoinCase {
  bool (*join)(char* out, size_t outSize, const char* dir, const char* name);
  std::string dir, name, expected;
};

TEST(PutComputerName, EveryVariableInAnyCaseAndNothingThatDoesNotFit) {
  const std::string long255(255, 'l');
  const Row<std::string, std::string> rows[] = {
      {"\\\\srv\\logs\\%COMPUTERNAME%.log", "\\\\srv\\logs\\PC-7.log"},
      {"C:\\%computername%\\%ComputerName%.log", "C:\\PC-7\\PC-7.log"},
      {"C:\\%COMPUTER%.log", "C:\\%COMPUTER%.log"},
      {"C:\\%COMPUTERNAME", "C:\\%COMPUTERNAME"},
      {long255 + "%COMPUTERNAME%", long255 + "PC-7"},  // 259 characters
      {long255 + "x%COMPUTERNAME%", "refused"},
  };
  ExpectEach(rows, [](const std::string& name) {
    char out[kSetupPathSize];
    return PutComputerName(out, sizeof out, name.c_str(), "PC-7") ? std::string(out)
                                                                  : std::string("refused");
  });
}

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

TEST(DriveRootOf, TheRootThatGetDiskFreeSpaceTakesOrRefused) {
  const std::string server250(250, 's');
  const Row<std::string, std::string> rows[] = {
      {"C:\\WINDOWS\\SYSTEM", "C:\\"},
      {"E:", "E:\\"},
      {"\\\\server\\share\\dir\\sub", "\\\\server\\share\\"},
      {"\\\\server\\share", "\\\\server\\share\\"},
      {"\\\\" + server250 + "\\share\\x", "\\\\" + server250 + "\\share\\"},  // 259 characters
      {"\\\\" + server250 + "\\shares", "refused"},
      {"\\\\server", "refused"},
      {"\\\\\\share\\dir", "refused"},
      {"\\\\.\\C:\\dir", "refused"},
      {"\\WINDOWS", "refused"},
      {"WINDOWS\\SYSTEM", "refused"},
      {"", "refused"},
  };
  ExpectEach(rows, [](const std::string& path) {
    char out[kSetupPathSize] = "stale";
    return DriveRootOf(out, sizeof out, path.c_str()) ? std::string(out)
                                                      : "refused" + std::string(out);
  });
}

// What a 16-byte buffer holds after the call (\x01: unwritten), and the
// call's answer.
TEST(ExpansionFits, TakesTheAnswerOfEitherCountAndNothingUnwritten) {
  const std::string unwritten(16, kUnwrittenByte);
  const Row<std::pair<std::string, unsigned long>, bool> rows[] = {
      {{std::string("C:\\x\0", 5) + unwritten.substr(5), 5}, true},
      {{std::string("C:\\x\0", 5) + unwritten.substr(5), 10}, true},  // NT 4.0
      {{std::string(15, 'a') + '\0', 16}, true},
      {{std::string(15, 'a') + '\0', 32}, true},  // NT 4.0, the whole buffer
      {{unwritten, 17}, false},
      {{unwritten, 34}, false},  // NT 4.0 counts what did not fit twice too
      {{std::string("C:\\x\0", 5) + unwritten.substr(5), 18}, false},
      {{std::string("C:\\x\0", 5) + unwritten.substr(5), 0}, false},
      {{unwritten, 16}, false},  // an answer without its terminator
  };
  ExpectEach(rows, [](const std::pair<std::string, unsigned long>& call) {
    return ExpansionFits(call.first.data(), call.first.size(), call.second);
  });
}

TEST(WindowsDirFits, LeavesRoomForTheLongestDerivedDirectory) {
  // A class that runs no set: only the derived directories count.
  EXPECT_EQ(242u, LongestWindowsDir(kOsClassUnknown));
  char out[kSetupPathSize];
  EXPECT_EQ(1, AppendText(out, sizeof out, std::string(242, 'w').c_str(), kDriversSuffix));
  EXPECT_EQ(0, AppendText(out, sizeof out, std::string(243, 'w').c_str(), kDriversSuffix));
}

// Forms every fixed destination of the sets below a Windows directory of
// the given length as the run forms it: a copy by name root-aware in the
// copy buffer, a deletion's search with JoinPath. True when all fit.
bool DestinationsFit(size_t windowsDirLength, const std::vector<const DriverSet*>& sets) {
  const std::string windowsDir = "C:\\" + std::string(windowsDirLength - 3, 'w');
  bool fit = true;
  for (const DriverSet* set : sets) {
    for (size_t i = 0; i < set->Count; ++i) {
      const SetStep& step = set->Steps[i];
      const std::string dir = windowsDir + SetDirectorySuffix(step.Directory);
      char out[kSetupPathSize];
      if (step.Operation == kCopyByName)
        fit &= JoinRootAware(out, kCopyPathSize, dir.c_str(), step.Name);
      else if (step.Operation == kDeleteByPattern)
        fit &= JoinPath(out, dir.c_str(), step.Name);
    }
  }
  return fit;
}

TEST(LongestWindowsDir, EveryFixedDestinationOfTheClassFitsAtTheLimitAndOneNotAbove) {
  struct Case {
    OsClass osClass;
    size_t longest;
    std::vector<const DriverSet*> sets;  // what the class runs
  };
  const Case cases[] = {
      // "\\system32\\drivers\\qvsm.sys" in the copy buffer.
      {kOsClassNT4, 229, {&kNT4DeleteSet, &kNT4CopySet}},
      // "\\Options\\CABS\\qvremove.exe" in the copy buffer.
      {kOsClassWin2000, 229, {&kWin2000UninstallerSet, &kWin2000MonitorSet}},
      // "\\Options\\CABS\\qvsmvxd.inf" in the copy buffer.
      {kOsClassWin95, 230, {&kBinDeleteSet, &kOld9xDeleteSet, &kVxdCopySet}},
      {kOsClassWin98, 230, {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet}},
      {kOsClassWin98SE,
       230,
       {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet, &kWdmCopySet}},
      {kOsClassWinME,
       230,
       {&kOld9xDeleteSet, &kBinDeleteSet, &kUninstallerSet, &kVxdCopySet, &kWdmCopySet}},
      // No set: "\\system32\\drivers" in its path field.
      {kOsClassUnknown, 242, {}},
  };
  ForEachCase(cases, &Case::osClass, [](const Case& c) {
    EXPECT_EQ(c.longest, LongestWindowsDir(c.osClass));
    EXPECT_TRUE(DestinationsFit(c.longest, c.sets));
    // The class runs exactly these sets: the sequences run a set only
    // through the table that LongestWindowsDir measures.
    for (const DriverSet* set :
         {&kNT4CopySet, &kVxdCopySet, &kWdmCopySet, &kNT4DeleteSet, &kOld9xDeleteSet,
          &kBinDeleteSet, &kUninstallerSet, &kWin2000UninstallerSet, &kWin2000MonitorSet}) {
      const bool listed = std::find(c.sets.begin(), c.sets.end(), set) != c.sets.end();
      EXPECT_EQ(listed, ClassRunsSet(c.osClass, *set)) << set->Steps[0].Name;
    }
    if (!c.sets.empty()) {
      EXPECT_FALSE(DestinationsFit(c.longest + 1, c.sets));
    }
  });
}

}  // namespace
