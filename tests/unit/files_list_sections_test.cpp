#include "files/lists_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "base/platform.h"

namespace {

std::string OrNone(const char* section) { return section ? section : "none"; }

TEST(ListSections, EachPlatformClassReadsItsFamilysSections) {
  struct Case {
    OsClass osClass;
    const char* copy;
    const char* launch;
  } cases[] = {
      {kOsClassNT4, "COPY_FILES_NT", "LAUNCH_FILES_NT"},
      {kOsClassWin2000, "none", "LAUNCH_FILES_Win2K"},
      {kOsClassWin95, "COPY_FILES_9X", "LAUNCH_FILES_9X"},
      {kOsClassWin98, "COPY_FILES_9X", "LAUNCH_FILES_9X"},
      {kOsClassWin98SE, "COPY_FILES_9X", "LAUNCH_FILES_9X"},
      {kOsClassWinME, "COPY_FILES_9X", "LAUNCH_FILES_9X"},
      {kOsClassUnknown, "none", "none"},
      {static_cast<OsClass>(5), "none", "none"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.copy, OrNone(CopyListSection(c.osClass))) << int(c.osClass);
    EXPECT_EQ(c.launch, OrNone(LaunchListSection(c.osClass))) << int(c.osClass);
  }
}

TEST(WholeKeyListLength, DropsOnlyTheNameThatAFullBufferCut) {
  // Names as the reader leaves them in a 12-byte buffer.
  const char notFull[12] = "abc\0def\0\0";
  EXPECT_EQ(8u, WholeKeyListLength(notFull, 8, 12));
  const char full[12] = "abc\0def\0ghi";  // "ghi" cut, 10 returned
  EXPECT_EQ(8u, WholeKeyListLength(full, 10, 12));
  const char oneCutName[12] = "abcdefghij";
  EXPECT_EQ(0u, WholeKeyListLength(oneCutName, 10, 12));
  EXPECT_EQ(0u, WholeKeyListLength("", 0, 12));
}

}  // namespace
