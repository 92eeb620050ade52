// The copy and launch lists of qvsetup.ini: extra files of the source
// directory that a platform family installs, and the programs it runs at
// the end of its installation.
#ifndef SETUP_FILES_LISTS_H
#define SETUP_FILES_LISTS_H

#include "../base/host.h"
#include "../base/paths.h"
#include "../base/platform.h"
#include "lists_rules.h"

// Copies every entry of the platform's copy list ("COPY_FILES_NT" on NT 4.0,
// "COPY_FILES_9X" on Windows 9x; none on Windows 2000) with CopySourceFile.
void CopyFileList(Host& host, const SetupPaths& paths, OsClass osClass);

// Starts every program of the platform's launch list ("LAUNCH_FILES_NT",
// "LAUNCH_FILES_Win2K" or "LAUNCH_FILES_9X") with its argument vector, one
// after another, each waited for to its end; a program that can not be
// started is skipped.
void RunLaunchList(Host& host, const SetupPaths& paths, OsClass osClass);

// The entries of the lists as the run would carry them out, visited
// without doing or telling anything: each usable entry in the order of the
// file, until visit answers false. False when it did.
typedef bool (*CopyEntryVisitor)(void* context, const CopyEntry& entry);
typedef bool (*LaunchEntryVisitor)(void* context, const LaunchEntry& entry);
bool VisitCopyList(System& system, const SetupPaths& paths, OsClass osClass, CopyEntryVisitor visit,
                   void* context);
bool VisitLaunchList(System& system, const SetupPaths& paths, OsClass osClass,
                     LaunchEntryVisitor visit, void* context);

#endif
