// The installation log of unattended runs and the diagnostic message box.
// With LogFile in INSTALL_OPTIONS, one timestamped line per event, appended
// to that file and on disk at once. Without the option, or when the file can
// not be opened, every log function here does nothing. The log's file and
// whether message boxes show are the host's InstallLog.
#ifndef SETUP_BASE_LOG_H
#define SETUP_BASE_LOG_H

#include "host.h"
#include "options.h"
#include "paths.h"
#include "platform.h"

// Opens the log that options.LogFile names, with "%COMPUTERNAME%" and the
// environment's variables put in (a relative name lies in SourceDir), and
// writes the start line: computer, class, switches and the paths of the
// run. Called once, after the options are read.
void OpenInstallLog(Host& host, const SetupOptions& options, const SetupPaths& paths,
                    OsClass osClass, const CommandSwitches& switches);

bool InstallLogOpen(const Host& host);

// One event, its text as it stands.
void LogEvent(Host& host, const char* text);

// Whether DebugMessage shows its box: the Debug option, off until set.
void ShowDebugMessages(Host& host, bool shown);

// A plain message box, shown only when the Debug option is on; the log
// records it either way ("message [caption] text").
void DebugMessage(Host& host, const char* text, const char* caption);

// "action subject -> target: status"; target may be null. Status 0 is
// success, otherwise a Win32 error code.
void LogOutcome(Host& host, const char* action, const char* subject, const char* target,
                SystemStatus status);

// Registry records below HKLM, written or removed. Each returns status, so
// that it can wrap the registry call whose result it logs.
SystemStatus LogKeyCreated(Host& host, const char* path, SystemStatus status);
SystemStatus LogKeyDeleted(Host& host, const char* path, SystemStatus status);
SystemStatus LogValueDeleted(Host& host, const char* path, const char* name, SystemStatus status);
SystemStatus LogTextValueSet(Host& host, const char* path, const char* name, const char* data,
                             SystemStatus status);
SystemStatus LogNumberValueSet(Host& host, const char* path, const char* name, unsigned long data,
                               SystemStatus status);

// A program that setup started and waited for: its exit code, or why it
// could not be started.
void LogProgramRun(Host& host, const char* path, const char* commandLine,
                   const ProgramResult& result);

// The end of the run, with the exit code that the quit carries.
void LogRunEnd(Host& host, int exitCode);

#endif
