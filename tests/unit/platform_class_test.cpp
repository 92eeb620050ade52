#include "base/platform.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
  const char* what;
  unsigned long platform, major, minor, build;
  OsClass expected;
};

const VersionCase kVersions[] = {
    {"Windows 95", kPlatformWin32Windows, 4, 0, 950, kOsClassWin95},
    {"Windows 95 with the version in the high word", kPlatformWin32Windows, 4, 0, 0x040003B6,
     kOsClassWin95},
    {"Windows 98", kPlatformWin32Windows, 4, 10, 1998, kOsClassWin98},
    {"Windows 98 build 2221", kPlatformWin32Windows, 4, 10, 2221, kOsClassWin98},
    {"Windows 98 build 2222 is Second Edition", kPlatformWin32Windows, 4, 10, 2222,
     kOsClassWin98SE},
    {"high word ignored for Second Edition", kPlatformWin32Windows, 4, 10, 0x040A08AE,
     kOsClassWin98SE},
    {"build 2399", kPlatformWin32Windows, 4, 10, 2399, kOsClassWin98SE},
    {"build 2400 is ME", kPlatformWin32Windows, 4, 90, 2400, kOsClassWinME},
    {"ME as Wine reports it", kPlatformWin32Windows, 4, 90, 3000, kOsClassWinME},
    {"a later 9x major version", kPlatformWin32Windows, 5, 0, 100, kOsClassWin98},
    {"NT 4.0", kPlatformWin32NT, 4, 0, 1381, kOsClassNT4},
    {"Windows 2000", kPlatformWin32NT, 5, 0, 2195, kOsClassWin2000},
    {"NT 5.1", kPlatformWin32NT, 5, 1, 2600, kOsClassWin2000},
    {"NT 5.2", kPlatformWin32NT, 5, 2, 3790, kOsClassWin2000},
    {"NT 3.51", kPlatformWin32NT, 3, 51, 1057, kOsClassUnknown},
    {"NT 6.0", kPlatformWin32NT, 6, 0, 6000, kOsClassUnknown},
    {"Win32s", 0, 3, 10, 0, kOsClassUnknown},
    {"9x major 3", kPlatformWin32Windows, 3, 95, 0, kOsClassUnknown},
};

TEST(ClassifyPlatform, FollowsTheRulesInOrder) {
  for (const VersionCase& c : kVersions)
    EXPECT_EQ(c.expected, ClassifyPlatform(c.platform, c.major, c.minor, c.build)) << c.what;
}

TEST(ClassifyPlatform, NeverProducesFive) {
  for (unsigned long build = 0; build < 0x10000; build += 7)
    for (unsigned long minor : {0ul, 10ul, 90ul})
      EXPECT_NE(5, ClassifyPlatform(kPlatformWin32Windows, 4, minor, build));
}

TEST(IsWindows9xClass, OnlyTheWindows9xClasses) {
  const bool expected[8] = {false, false, false, true, true, false, true, true};
  for (unsigned code = 0; code < 8; ++code)
    EXPECT_EQ(expected[code], IsWindows9xClass(static_cast<OsClass>(code))) << code;
}

}  // namespace
