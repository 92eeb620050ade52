// The directories of a run, computed once at start-up.
#pragma once

#include "path_text.h"

struct SetupPathsRecord {
  char StartDir[SetupPathSize];         // current directory at start-up
  char WindowsDir[SetupPathSize];
  char SystemDir[SetupPathSize];
  char DriversDir[SetupPathSize];       // WindowsDir\system32\drivers
  char CabsDir[SetupPathSize];          // WindowsDir\Options\CABS
  char SourceDir[SetupPathSize];        // where setup.exe lies; short form on Windows 9x
  char InfDir[SetupPathSize];           // WindowsDir\INF, or WindowsDir without one
  char OtherDir[SetupPathSize];         // InfDir\OTHER
  char SavedSourcePath[SetupPathSize];  // SourcePath before this run
};

extern SetupPathsRecord SetupPaths;

// Fills SetupPaths, creates the cabinet store, makes the source directory
// current and points SourcePath at it. Returns 1, or 0 when setup.exe can
// not be found or a path would not fit; then nothing has been changed.
int ComputeSetupPaths();
