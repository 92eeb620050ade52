#include "platform_class.h"

unsigned char ClassifyPlatform(unsigned long platformId, unsigned long major,
                               unsigned long minor, unsigned long buildNumber) {
  const unsigned long build = buildNumber & 0xFFFF;
  unsigned char osClass = OsClassUnknown;
  // Each later rule overrides an earlier match.
  if (platformId == PlatformWin32Windows && (major > 4 || (major == 4 && minor > 0))) {
    osClass = OsClassWin98;
    if (build > 2221) osClass = OsClassWin98SE;
    if (build >= 2400) osClass = OsClassWinME;
  }
  if (platformId == PlatformWin32Windows && major == 4 && minor == 0) osClass = OsClassWin95;
  if (platformId == PlatformWin32NT && major == 4) osClass = OsClassNT4;
  if (platformId == PlatformWin32NT && major == 5) osClass = OsClassWin2000;
  return osClass;
}

bool IsWindows9xClass(unsigned char osClass) {
  return osClass == OsClassWin95 || osClass == OsClassWin98 || osClass == OsClassWin98SE ||
         osClass == OsClassWinME;
}
