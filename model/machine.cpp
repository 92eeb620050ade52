#include "machine.h"

#include "profile.h"

const ClassName kClassNames[6] = {
    {"95", kOsClassWin95, "Windows 95"},
    {"98", kOsClassWin98, "Windows 98"},
    {"98se", kOsClassWin98SE, "Windows 98 Second Edition"},
    {"me", kOsClassWinME, "Windows ME"},
    {"nt4", kOsClassNT4, "Windows NT 4.0"},
    {"2000", kOsClassWin2000, "Windows 2000"},
};

const ClassName* FindClassName(const char* name) {
  for (const ClassName& each : kClassNames) {
    if (SameNameIgnoringCase(name, each.name)) return &each;
  }
  return nullptr;
}

namespace {

RegistryPlatform PlatformOfClass(OsClass osClass, bool testPlatform) {
  if (IsWindows9xClass(osClass)) return testPlatform ? kPlatformWine9x : kPlatform9x;
  return testPlatform ? kPlatformWineNt : kPlatformNt;
}

}  // namespace

void StartMachine(Machine* machine, OsClass osClass, bool testPlatform) {
  machine->osClass = osClass;
  machine->testPlatform = testPlatform;
  machine->administrator = true;
  machine->restartStatus = kStatusSuccess;
  machine->windowsDir = "C:\\WINDOWS";
  machine->systemDir = IsWindows9xClass(osClass) ? "C:\\WINDOWS\\SYSTEM" : "C:\\WINDOWS\\system32";
  machine->programDir = "C:\\";
  machine->programName = "setup.exe";
  machine->computerName = "SIMULATED";
  machine->anotherSetupRuns = false;
  machine->currentDir = "C:\\";
  machine->startTime = 0;
  StartRegistryModel(&machine->registry, PlatformOfClass(osClass, testPlatform), kWesternCodePage);
  StartDisk(&machine->disk, 0,
            testPlatform                ? kShortNamesHashed
            : IsWindows9xClass(osClass) ? kShortNamesNumberedCapitals
                                        : kShortNamesNumbered);
  machine->programs.clear();
  machine->services.clear();
}

void CopyMachine(const Machine& from, Machine* to) {
  to->osClass = from.osClass;
  to->testPlatform = from.testPlatform;
  to->administrator = from.administrator;
  to->restartStatus = from.restartStatus;
  to->windowsDir = from.windowsDir;
  to->systemDir = from.systemDir;
  to->programDir = from.programDir;
  to->programName = from.programName;
  to->computerName = from.computerName;
  to->anotherSetupRuns = from.anotherSetupRuns;
  to->currentDir = from.currentDir;
  to->startTime = from.startTime;
  CopyRegistryModel(from.registry, &to->registry);
  CopyDisk(from.disk, &to->disk);
  to->programs = from.programs;
  to->services = from.services;
}

PlatformVersion VersionOfClass(OsClass osClass) {
  // Windows 9x repeats the major and minor version in the build number's
  // high word.
  switch (osClass) {
    case kOsClassWin95:
      return {kPlatformWin32Windows, 4, 0, 0x04000000ul | 950};
    case kOsClassWin98:
      return {kPlatformWin32Windows, 4, 10, 0x040A0000ul | 1998};
    case kOsClassWin98SE:
      return {kPlatformWin32Windows, 4, 10, 0x040A0000ul | 2222};
    case kOsClassWinME:
      return {kPlatformWin32Windows, 4, 90, 0x045A0000ul | 3000};
    case kOsClassNT4:
      return {kPlatformWin32NT, 4, 0, 1381};
    case kOsClassWin2000:
      return {kPlatformWin32NT, 5, 0, 2195};
    case kOsClassUnknown:
      break;
  }
  return {kPlatformWin32NT, 6, 0, 6000};  // a version that setup does not know
}
