// The fixed driver file sets as tables: each step names an operation, the
// directory of the run that it acts in and a file name or pattern. The sets
// are run from these tables, and the longest Windows directory that a run
// accepts is derived from them, so that every fixed destination fits the
// buffer in which it is formed.
#ifndef SETUP_FILES_DRIVER_SETS_RULES_H
#define SETUP_FILES_DRIVER_SETS_RULES_H

#include <stddef.h>
#include "../base/platform.h"

enum SetDirectory {
  kInWindowsDir,
  kInSystemDir,
  kInDriversDir,
  kInCabsDir,
  kInInfDir,
  kInCatalogDir,  // InfDir\catalog; neither tested nor created
  kInOtherDir,
};

enum SetOperation {
  kCopyByName,     // the name copied from the medium into the directory
  kCopyByPattern,  // every file of the medium that matches, under its own name
  kDeleteByPattern,
};

struct SetStep {
  SetOperation Operation;
  SetDirectory Directory;
  const char* Name;
};

struct DriverSet {
  const SetStep* Steps;
  size_t Count;
};

extern const DriverSet kNT4CopySet;             // NT 4.0 install
extern const DriverSet kVxdCopySet;             // Windows 95 and 98 with the VxD driver
extern const DriverSet kWdmCopySet;             // 98 Second Edition with WDMDriver, ME
extern const DriverSet kNT4DeleteSet;           // NT 4.0, earlier installation found
extern const DriverSet kOld9xDeleteSet;         // Windows 9x, earlier installations
extern const DriverSet kBinDeleteSet;           // every ".bin" of the INF directory
extern const DriverSet kUninstallerSet;         // Windows 98 family: qvremove.exe
extern const DriverSet kWin2000UninstallerSet;  // Windows 2000: qvremove.exe, twice
extern const DriverSet kWin2000MonitorSet;      // Windows 2000: the earlier monitor's files

// Whether `osClass` runs `set` in its removal or install: one table, by
// class, from which the sequences run their sets (a set that the class's row
// lacks is not run) and which LongestWindowsDir measures.
bool ClassRunsSet(OsClass osClass, const DriverSet& set);

// The text that the directory adds to the Windows directory. The system
// directory counts as "\system32", the longer of the names Windows gives it.
const char* SetDirectorySuffix(SetDirectory directory);

// The longest Windows directory with which every directory derived from it
// fits its field, and every fixed destination of the sets of the class's row
// fits the buffer in which it is formed: a copy by name in the copy
// buffer, a deletion's search in a path field. (A copy by pattern takes its
// names from the medium; they are not fixed.)
size_t LongestWindowsDir(OsClass osClass);

#endif
