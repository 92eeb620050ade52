#include "control/platform_class.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
  const char* what;
  unsigned long platform, major, minor, build;
  unsigned char expected;
};

const VersionCase kVersions[] = {
    {"Windows 95", PlatformWin32Windows, 4, 0, 950, OsClassWin95},
    {"Windows 95 with the version in the high word", PlatformWin32Windows, 4, 0, 0x040003B6, OsClassWin95},
    {"Windows 98", PlatformWin32Windows, 4, 10, 1998, OsClassWin98},
    {"Windows 98 build 2221", PlatformWin32Windows, 4, 10, 2221, OsClassWin98},
    {"Windows 98 build 2222 is Second Edition", PlatformWin32Windows, 4, 10, 2222, OsClassWin98SE},
    {"high word ignored for Second Edition", PlatformWin32Windows, 4, 10, 0x040A08AE, OsClassWin98SE},
    {"build 2399", PlatformWin32Windows, 4, 10, 2399, OsClassWin98SE},
    {"build 2400 is ME", PlatformWin32Windows, 4, 90, 2400, OsClassWinME},
    {"ME as Wine reports it", PlatformWin32Windows, 4, 90, 3000, OsClassWinME},
    {"a later 9x major version", PlatformWin32Windows, 5, 0, 100, OsClassWin98},
    {"NT 4.0", PlatformWin32NT, 4, 0, 1381, OsClassNT4},
    {"Windows 2000", PlatformWin32NT, 5, 0, 2195, OsClassWin2000},
    {"NT 5.1", PlatformWin32NT, 5, 1, 2600, OsClassWin2000},
    {"NT 5.2", PlatformWin32NT, 5, 2, 3790, OsClassWin2000},
    {"NT 3.51", PlatformWin32NT, 3, 51, 1057, OsClassUnknown},
    {"NT 6.0", PlatformWin32NT, 6, 0, 6000, OsClassUnknown},
    {"Win32s", 0, 3, 10, 0, OsClassUnknown},
    {"9x major 3", PlatformWin32Windows, 3, 95, 0, OsClassUnknown},
};

TEST(ClassifyPlatform, FollowsTheRulesInOrder) {
  for (const VersionCase& c : kVersions)
    EXPECT_EQ(c.expected, ClassifyPlatform(c.platform, c.major, c.minor, c.build)) << c.what;
}

TEST(ClassifyPlatform, NeverProducesFive) {
  for (unsigned long build = 0; build < 0x10000; build += 7)
    for (unsigned long minor : {0ul, 10ul, 90ul})
      EXPECT_NE(5, ClassifyPlatform(PlatformWin32Windows, 4, minor, build));
}

TEST(IsWindows9xClass, OnlyTheWindows9xClasses) {
  const bool expected[8] = {false, false, false, true, true, false, true, true};
  for (unsigned char osClass = 0; osClass < 8; ++osClass)
    EXPECT_EQ(expected[osClass], IsWindows9xClass(osClass)) << int(osClass);
}

}  // namespace
