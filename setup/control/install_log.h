// The installation log of unattended runs: with LogFile in INSTALL_OPTIONS,
// one timestamped line per event, appended to that file and on disk at once.
// Without the option, or when the file can not be opened, every function
// here does nothing.
#pragma once
#include <windows.h>

// Opens the log that SetupOptions.LogFile names (a relative name lies in
// SourceDir) and writes the start line: class, switches and the paths of
// the run. Called once, after the options are read.
void OpenInstallLog();

bool InstallLogOpen();

// One event, its text as it stands.
void LogEvent(const char* text);

// A diagnostic message, shown or not: "message [caption] text".
void LogDebugMessage(const char* caption, const char* text);

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
