// The checks before a run's first change. They only read: every file that
// the run copies from the medium is read to its end, every destination is
// looked at (its directory, its room, a file there held open by another
// program), every program that the run starts is looked at, and every path
// formed. A run that can know that it would fail fails here, with the
// machine as it was.
#ifndef SETUP_FILES_PREFLIGHT_H
#define SETUP_FILES_PREFLIGHT_H

#include "../base/paths.h"
#include "../base/platform.h"
#include "driver_sets_rules.h"

// What this run will copy and start, by class and mode.
struct PreflightScope {
  const DriverSet* Sets[2];  // the driver sets copied from the medium
  int SetCount;
  const char* ExtraMediumFile;  // a file copied by name into InfDir besides the sets, or null
  bool CopyList;                // the class's copy list is carried out
  bool LaunchList;              // the class's launch list is carried out
  const char* DeviceProgram;    // a program of the medium that the run starts, or null
  const char* LateLibrary;      // a library of the medium loaded after the copies, or null
  const char* LateEntry;        // the entry that the run binds from it
};

enum PreflightCheck {
  kPreflightPassed,
  kMediumFileMissing,            // a file of a driver set is not on the medium
  kMediumFileUnreadable,         // a file copied from the medium can not be read to its end
  kDestinationDirectoryMissing,  // the directory that a driver file goes to is missing
  kDestinationUnusable,          // a destination that can not be looked at
  kDestinationInUse,             // a destination file that another program holds open
  kDestinationFull,              // a destination drive without room for the copies
  kPathDoesNotFit,               // a path that the run forms does not fit its buffer
  kNotStartable,                 // a program that the run starts is none
  kLibraryMissing,               // the late library is not on the medium
  kLibraryLacksEntry             // its export table does not name the entry
};

struct PreflightFailure {
  PreflightCheck Check;
  char Path[kSetupPathSize];  // the file, directory or drive checked
  SystemStatus Status;        // what Windows answered, 0 where it answered nothing wrong
};

// The words of a failed check, as the log and the plan say it of its path.
const char* PreflightCheckText(PreflightCheck check);

// Runs the checks of scope in order; false at the first that fails, told
// in failure.
bool PassPreflight(System& system, const SetupPaths& paths, OsClass osClass,
                   const PreflightScope& scope, PreflightFailure* failure);

#endif
