// Platform classes of the Windows versions that setup knows.
#pragma once

enum : unsigned char {
  OsClassUnknown = 0,
  OsClassNT4 = 1,
  OsClassWin2000 = 2,
  OsClassWin95 = 3,
  OsClassWin98 = 4,
  OsClassWin98SE = 6,
  OsClassWinME = 7,
};

// Platform identifiers as the version query reports them.
const unsigned long PlatformWin32Windows = 1;
const unsigned long PlatformWin32NT = 2;

// Classifies a version-query result; only the low 16 bits of the build
// number count (Windows 9x keeps the version in the high word).
unsigned char ClassifyPlatform(unsigned long platformId, unsigned long major,
                               unsigned long minor, unsigned long buildNumber);

// Windows 95, 98, 98 Second Edition and ME.
bool IsWindows9xClass(unsigned char osClass);
