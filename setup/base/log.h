// The installation log of unattended runs and the diagnostic message box.
// With LogFile in INSTALL_OPTIONS, one timestamped line per event, appended
// to that file and on disk at once. Without the option, or when the file can
// not be opened, every log function here does nothing. The log's file and
// whether message boxes show belong to this unit alone.
#ifndef SETUP_BASE_LOG_H
#define SETUP_BASE_LOG_H

#include <windows.h>

#include "options_rules.h"
#include "paths.h"
#include "platform_rules.h"

// Opens the log that options.LogFile names (a relative name lies in
// SourceDir) and writes the start line: class, switches and the paths of
// the run. Called once, after the options are read.
void OpenInstallLog(const SetupOptions& options, const SetupPaths& paths, OsClass osClass,
                    const CommandSwitches& switches);

bool InstallLogOpen();

// One event, its text as it stands.
void LogEvent(const char* text);

// Whether DebugMessage shows its box: the Debug option, off until set.
void ShowDebugMessages(bool shown);

// A plain message box, shown only when the Debug option is on; the log
// records it either way ("message [caption] text").
void DebugMessage(HWND owner, const char* text, const char* caption, UINT type);

// "action subject -> target: status"; target may be null. Status 0 is
// success, otherwise a Win32 error code.
void LogOutcome(const char* action, const char* subject, const char* target, DWORD status);

// Registry records below HKLM, written or removed. Each returns status, so
// that it can wrap the registry call whose result it logs.
LONG LogKeyCreated(const char* path, LONG status);
LONG LogKeyDeleted(const char* path, LONG status);
LONG LogValueDeleted(const char* path, const char* name, LONG status);
LONG LogTextValueSet(const char* path, const char* name, const char* data, LONG status);
LONG LogNumberValueSet(const char* path, const char* name, DWORD data, LONG status);

// A program that setup started and waited for: its exit code. A null
// process means it could not be started; the reason is the last error.
void LogProgramRun(const char* path, const char* commandLine, HANDLE process);

// The end of the run, with the exit code that the quit carries.
void LogRunEnd(int exitCode);

#endif
