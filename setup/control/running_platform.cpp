#include "running_platform.h"

#include <windows.h>

#include "platform_class.h"

unsigned char ClassifyRunningPlatform() {
  // The basic version record (148 bytes): Windows 95 and NT 4.0 know no other.
  OSVERSIONINFOA version;
  ZeroMemory(&version, sizeof version);
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return OsClassUnknown;
  return ClassifyPlatform(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                          version.dwBuildNumber);
}
