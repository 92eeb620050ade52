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
  // Names as each family's reader leaves them in a 12-byte buffer.
  const struct {
    const char* what;
    char list[12];
    size_t returned;
    bool nineX;
    size_t whole;
  } cases[] = {
      {"not full", "abc\0def\0\0", 8, false, 8},
      {"not full, 9x", "abc\0def\0\0", 8, true, 8},
      {"NT cuts \"ghijk\" to the room", "abc\0def\0ghi", 10, false, 8},
      {"9x cuts it one shorter, terminated", "abc\0def\0gh\0", 10, true, 8},
      {"NT leaves no room for a character", "abc\0defgh\0", 10, false, 10},
      // A whole name looks like one that 9x cut: it is dropped too.
      {"9x: a name that ends where a cut one would", "abc\0defgh\0\0", 10, true, 4},
      {"9x leaves no room for a character", "abc\0defg\0\0\0", 10, true, 9},
      {"one name cut", "abcdefghij", 10, false, 0},
      {"one name cut, 9x", "abcdefghi\0", 10, true, 0},
      {"empty", "", 0, false, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.whole, WholeKeyListLength(c.list, c.returned, sizeof c.list, c.nineX)) << c.what;
}

}  // namespace
