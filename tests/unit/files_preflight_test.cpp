// The checks before a run's first change, as decisions on bytes and names:
// what counts as a program, whether a library's file exports an entry, and
// the room that the copies need per drive.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "files/preflight_rules.h"
#include "program_image.h"
#include "table_cases.h"

namespace {

TEST(ProgramKind, ByExtensionAndHeader) {
  struct Case {
    const char* path;
    const char* head;
    ProgramKind kind;
  };
  const Case cases[] = {
      {"C:\\medium\\tool.exe", "MZ\x90", kExecutableFile},
      {"C:\\medium\\TOOL.EXE", "MZ", kExecutableFile},
      {"C:\\medium\\tool.com", "MZ", kExecutableFile},
      {"C:\\medium\\tool.exe", "PK\x03\x04", kNotAProgram},  // an archive renamed
      {"C:\\medium\\tool.exe", "M", kNotAProgram},           // cut after one byte
      {"C:\\medium\\tool.exe", "", kNotAProgram},            // empty
      {"C:\\medium\\readme.txt", "MZ", kNotAProgram},
      {"C:\\medium\\setup.bat", "@echo off", kBatchFile},
      {"C:\\medium\\setup.CMD", "", kBatchFile},
      {"C:\\medium\\noextension", "MZ", kNotAProgram},
  };
  ForEachCase(cases, &Case::path, [](const Case& c) {
    EXPECT_EQ(c.kind, ProgramKindOf(c.path, reinterpret_cast<const unsigned char*>(c.head),
                                    strlen(c.head)));
  });
}

// Whether the library's file exports the entry, as the preflight reads it:
// the head first, then the export data from its offset.
bool Exports(const std::string& file, const char* entry) {
  ExportLocation location;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.data());
  if (!FindExportDirectory(bytes, std::min<size_t>(file.size(), 4096), &location)) return false;
  if (location.FileOffset >= file.size()) return false;
  const size_t size = std::min<size_t>(location.Size, file.size() - location.FileOffset);
  return ExportsName(bytes + location.FileOffset, size, location, entry);
}

TEST(LibraryExports, NamedEntriesOnly) {
  const std::string library = LibraryImage({"InstallClassDevice", "UpdateNT5Device"});
  EXPECT_TRUE(Exports(library, "InstallClassDevice"));
  EXPECT_TRUE(Exports(library, "UpdateNT5Device"));
  EXPECT_FALSE(Exports(library, "InstallClass")) << "a prefix of a name is no name";
  EXPECT_FALSE(Exports(library, "installclassdevice")) << "names are compared exactly";
  EXPECT_FALSE(Exports(LibraryImage({"UpdateNT5Device"}), "InstallClassDevice"));
  EXPECT_FALSE(Exports(LibraryImage(std::vector<std::string>()), "InstallClassDevice"));
}

TEST(LibraryExports, DamagedFilesExportNothing) {
  struct Case {
    const char* name;
    size_t at;
    unsigned long value;
    bool bytes32;
  };
  const Case cases[] = {
      {"no MZ", 0, 0x5A4C, false},
      {"PE header past the end", 0x3C, 0x7FFFFFFF, true},
      {"PE64 magic", 0x80 + 24, 0x20B, false},
      {"no export directory", 0x80 + 24 + 96, 0, true},
      {"export directory in no section", 0x80 + 24 + 96, 0x9000, true},
      {"more names than the data holds", 0x400 + 24, 0x40000000, true},
      {"name table before the directory", 0x400 + 32, 0x10, true},
  };
  ForEachCase(cases, &Case::name, [](const Case& c) {
    std::string library = LibraryImage({"InstallClassDevice"});
    PutLittleEndian(&library, c.at, c.value, c.bytes32 ? 4 : 2);
    EXPECT_FALSE(Exports(library, "InstallClassDevice"));
  });
}

TEST(RoomNeeded, PerDriveWithTheLargestFileOnceMore) {
  RoomNeeded room = {};
  EXPECT_TRUE(AddToRoom(&room, "C:\\WINDOWS\\SYSTEM", 1000));
  EXPECT_TRUE(AddToRoom(&room, "c:\\WINDOWS\\INF", 3000));
  EXPECT_TRUE(AddToRoom(&room, "D:\\TOOLS", 10));
  ASSERT_EQ(2, room.Count);
  EXPECT_STREQ("C:", room.Drives[0].Drive);
  EXPECT_STREQ("C:\\WINDOWS\\SYSTEM", room.Drives[0].Directory);
  EXPECT_EQ(4000u + 3000u, RoomOf(room.Drives[0]));
  EXPECT_EQ(20u, RoomOf(room.Drives[1]));
  EXPECT_TRUE(AddToRoom(&room, "\\\\server\\share", 5));
  EXPECT_TRUE(AddToRoom(&room, "E:\\", 5));
  EXPECT_FALSE(AddToRoom(&room, "F:\\", 5)) << "a fifth drive has no row";
  EXPECT_EQ(4, room.Count);
}

}  // namespace
