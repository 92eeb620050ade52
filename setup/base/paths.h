// The directories of a run, computed once at start-up, and the plain tests
// and attribute resets on the files in them.
#ifndef SETUP_BASE_PATHS_H
#define SETUP_BASE_PATHS_H

#include "host.h"
#include "paths_rules.h"
#include "platform.h"

struct SetupPaths {
  char StartDir[kSetupPathSize];  // current directory at start-up
  char WindowsDir[kSetupPathSize];
  char SystemDir[kSetupPathSize];
  char DriversDir[kSetupPathSize];       // WindowsDir\system32\drivers
  char CabsDir[kSetupPathSize];          // WindowsDir\Options\CABS
  char SourceDir[kSetupPathSize];        // where setup.exe lies; short form on Windows 9x
  char InfDir[kSetupPathSize];           // WindowsDir\INF, or WindowsDir without one
  char OtherDir[kSetupPathSize];         // InfDir\OTHER
  char SavedSourcePath[kSetupPathSize];  // SourcePath before this run
};

// The longest name of the files that a run reads, copies or starts from the
// medium by name.
const char* const kLongestMediumFileName = "qvremove.exe";

enum PathsOutcome {
  kPathsComputed,
  kSetupNotFound,
  kPathTooLong,
  // The source directory could not be made current, or whether the INF
  // directory exists not be told.
  kDirectoryUnusable
};

// Fills paths and makes the source directory current, telling the
// directory made current. A Windows directory longer than
// longestWindowsDir characters (what the run forms below it must fit) is
// refused. When setup.exe can not be found, a path would not fit or a
// directory is unusable, nothing on the disk has been changed, and paths
// holds only the source directory where it was formed (empty otherwise),
// for the log of that run.
PathsOutcome ComputeSetupPaths(Host& host, OsClass osClass, size_t longestWindowsDir,
                               SetupPaths* paths);

// Makes the cabinet store (WindowsDir\Options\CABS) where it is missing,
// telling each directory made; false when it could not be made whole.
bool MakeCabinetStore(Host& host, const SetupPaths& paths);

bool PathExists(System& system, const char* path);

// text with the environment's variables put in, into out (outSize bytes);
// false when the call fails or the answer does not fit.
bool ExpandWholeText(System& system, const char* text, char* out, size_t outSize);

// Clears read-only, hidden and system, so that the file can be overwritten
// or deleted.
void SetNormalAttributes(System& system, const char* path);

#endif
