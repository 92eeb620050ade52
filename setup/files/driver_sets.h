// The fixed driver file sets of each platform family, copied from the
// source directory on install and deleted on removal of an earlier one.
// Each runs its steps in a fixed order; no step depends on an earlier one.
#ifndef SETUP_FILES_DRIVER_SETS_H
#define SETUP_FILES_DRIVER_SETS_H

#include "../base/host.h"
#include "../base/paths.h"
#include "driver_sets_rules.h"

const unsigned kNT4InfNameSize = 256;  // the NT 4.0 INF name of the install sequence

// Runs the steps of a set in order, each file one progress step, when the
// class's row of the sets table holds it.
void RunClassSet(Host& host, const SetupPaths& paths, OsClass osClass, const DriverSet& set);

// The directory of the run that a step acts in; the catalog directory is
// formed into catalogDir (kSetupPathSize bytes).
const char* StepDirectory(const SetupPaths& paths, SetDirectory directory, char* catalogDir);

// Windows NT 4.0: sets infName (kNT4InfNameSize bytes) to "qvsmnt4.inf",
// then copies that INF, the kernel driver, catalogs, cabinets and the
// uninstaller.
void CopyNT4DriverFiles(Host& host, const SetupPaths& paths, OsClass osClass, char* infName);

// Windows 95 and 98 with the VxD driver.
void CopyVxdDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass);

// Windows 98 Second Edition with the WDM driver, and Windows ME.
void CopyWdmDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass);

// Windows NT 4.0: the files of an earlier installation.
void DeleteNT4DriverFiles(Host& host, const SetupPaths& paths, OsClass osClass);

// Windows 9x: the files of earlier installations, OEM-named INF copies included.
void DeleteOld9xDriverFiles(Host& host, const SetupPaths& paths, OsClass osClass);

// Every ".bin" file of the INF directory, whoever installed it.
void DeleteBinFile(Host& host, const SetupPaths& paths, OsClass osClass);

#endif
