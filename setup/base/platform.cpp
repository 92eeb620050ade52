#include "platform.h"

OsClass ClassifyPlatform(unsigned long platformId, unsigned long major, unsigned long minor,
                         unsigned long buildNumber) {
  const unsigned long build = buildNumber & 0xFFFF;
  OsClass osClass = kOsClassUnknown;
  // Each later rule overrides an earlier match.
  if (platformId == kPlatformWin32Windows && (major > 4 || (major == 4 && minor > 0))) {
    osClass = kOsClassWin98;
    if (build > 2221) osClass = kOsClassWin98SE;
    if (build >= 2400) osClass = kOsClassWinME;
  }
  if (platformId == kPlatformWin32Windows && major == 4 && minor == 0) osClass = kOsClassWin95;
  if (platformId == kPlatformWin32NT && major == 4) osClass = kOsClassNT4;
  if (platformId == kPlatformWin32NT && major == 5) osClass = kOsClassWin2000;
  return osClass;
}

bool IsWindows9xClass(OsClass osClass) {
  return osClass == kOsClassWin95 || osClass == kOsClassWin98 || osClass == kOsClassWin98SE ||
         osClass == kOsClassWinME;
}

OsClass ClassifyRunningPlatform(System& system) {
  PlatformVersion version;
  if (!system.Version(&version)) return kOsClassUnknown;
  return ClassifyPlatform(version.PlatformId, version.Major, version.Minor, version.Build);
}
