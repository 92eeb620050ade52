// The installation log of unattended runs and the diagnostic message box.
// With LogFile in INSTALL_OPTIONS, one timestamped line per event of the
// run that has one, appended to that file and on disk at once. Without the
// option the log writes nothing; a log that can not be opened ends the run. The
// log's file and whether message boxes show are the host's InstallLog,
// which hears the run's events as their first listener.
#ifndef SETUP_BASE_LOG_H
#define SETUP_BASE_LOG_H

#include "host.h"
#include "options.h"
#include "paths.h"
#include "platform.h"

// Opens the log that options.LogFile names, with "%COMPUTERNAME%" and the
// environment's variables put in (a relative name lies in SourceDir),
// making its missing directories, and writes the start line (computer,
// class, switches and the paths of the run) and the options as read.
// Called once, after the options are read. False when a log is named but
// can not be opened: the run must not go on without it.
bool OpenInstallLog(Host& host, const SetupOptions& options, const SetupPaths& paths,
                    OsClass osClass, const CommandSwitches& switches);

// Whether DebugMessage shows its box: the Debug option, off until set.
void ShowDebugMessages(Host& host, bool shown);

// A plain message box, shown only when the Debug option is on; the run
// tells it either way, and the log records it ("message [caption] text").
void DebugMessage(Host& host, const char* text, const char* caption);

#endif
