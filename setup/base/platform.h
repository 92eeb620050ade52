// Platform classes of the Windows versions that setup knows, and the class
// of the Windows this process runs on.
#ifndef SETUP_BASE_PLATFORM_H
#define SETUP_BASE_PLATFORM_H

#include "system.h"

// The platform class computed at start-up; 5 is never produced.
enum OsClass : unsigned char {
  kOsClassUnknown = 0,
  kOsClassNT4 = 1,
  kOsClassWin2000 = 2,
  kOsClassWin95 = 3,
  kOsClassWin98 = 4,
  kOsClassWin98SE = 6,
  kOsClassWinME = 7,
};

// Platform identifiers as the version query reports them.
const unsigned long kPlatformWin32Windows = 1;
const unsigned long kPlatformWin32NT = 2;

// Classifies a version-query result; only the low 16 bits of the build
// number count (Windows 9x keeps the version in the high word).
OsClass ClassifyPlatform(unsigned long platformId, unsigned long major, unsigned long minor,
                         unsigned long buildNumber);

// Windows 95, 98, 98 Second Edition and ME.
bool IsWindows9xClass(OsClass osClass);

// The class of the version that the system reports; unknown when the
// version query fails.
OsClass ClassifyRunningPlatform(System& system);

#endif
