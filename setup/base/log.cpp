#include "log.h"

#include "log_rules.h"

namespace {

HANDLE LogFile = INVALID_HANDLE_VALUE;
bool DebugMessagesShown = false;

}  // namespace

bool InstallLogOpen() { return LogFile != INVALID_HANDLE_VALUE; }

namespace {

// Appends one line. The log leaves the last error as it found it, so that
// logging changes nothing that the run looks at.
void WriteLine(const char* text) {
  const DWORD lastError = GetLastError();
  SYSTEMTIME now;
  GetLocalTime(&now);
  const LogTime time = {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                        now.wMinute, now.wSecond, now.wMilliseconds};
  char line[kLogLineSize];
  const DWORD length = static_cast<DWORD>(FormatLogLine(line, time, text));
  // Another process may append to the same file: each line goes to its end.
  SetFilePointer(LogFile, 0, nullptr, FILE_END);
  DWORD written;
  WriteFile(LogFile, line, length, &written, nullptr);
  // On disk at once: a driver that stops Windows, or a restart, must not
  // take the lines before it along.
  FlushFileBuffers(LogFile);
  SetLastError(lastError);
}

void AddPath(LogText* log, const char* name, const char* path) {
  AddLogText(log, ", ");
  AddLogText(log, name);
  AddLogText(log, "=");
  AddLogQuoted(log, path);
}

void WriteStartLine(const SetupPaths& paths, OsClass osClass, const CommandSwitches& switches) {
  LogText log;
  StartLogText(&log, "start: class ");
  AddLogOsClass(&log, osClass);
  AddLogText(&log, ", switches ");
  AddLogSwitches(&log, switches);
  AddPath(&log, "StartDir", paths.StartDir);
  AddPath(&log, "WindowsDir", paths.WindowsDir);
  AddPath(&log, "SystemDir", paths.SystemDir);
  AddPath(&log, "DriversDir", paths.DriversDir);
  AddPath(&log, "CabsDir", paths.CabsDir);
  AddPath(&log, "SourceDir", paths.SourceDir);
  AddPath(&log, "InfDir", paths.InfDir);
  AddPath(&log, "OtherDir", paths.OtherDir);
  AddPath(&log, "SavedSourcePath", paths.SavedSourcePath);
  WriteLine(log.Text);
}

}  // namespace

void OpenInstallLog(const SetupOptions& options, const SetupPaths& paths, OsClass osClass,
                    const CommandSwitches& switches) {
  char path[kSetupPathSize];
  if (InstallLogOpen() || !FormLogFilePath(path, sizeof path, paths.SourceDir, options.LogFile))
    return;
  LogFile = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (InstallLogOpen()) WriteStartLine(paths, osClass, switches);
}

void LogEvent(const char* text) {
  if (InstallLogOpen()) WriteLine(text);
}

void ShowDebugMessages(bool shown) { DebugMessagesShown = shown; }

void DebugMessage(HWND owner, const char* text, const char* caption, UINT type) {
  if (InstallLogOpen()) {
    LogText log;
    StartLogText(&log, "message [");
    AddLogText(&log, caption);
    AddLogText(&log, "] ");
    AddLogText(&log, text);
    WriteLine(log.Text);
  }
  if (DebugMessagesShown) MessageBoxA(owner, text, caption, type);
}

void LogOutcome(const char* action, const char* subject, const char* target, DWORD status) {
  if (!InstallLogOpen()) return;
  LogText log;
  StartLogText(&log, action);
  AddLogText(&log, " ");
  AddLogText(&log, subject);
  if (target) {
    AddLogText(&log, " -> ");
    AddLogText(&log, target);
  }
  AddLogText(&log, ": ");
  AddLogStatus(&log, status);
  WriteLine(log.Text);
}

namespace {

// "registry <action> HKLM\path [name] = data: status"; name and data are
// optional, data already quoted when it is text.
void WriteRegistryLine(const char* action, const char* path, const char* name, const LogText* data,
                       LONG status) {
  LogText log;
  StartLogText(&log, "registry ");
  AddLogText(&log, action);
  AddLogText(&log, " HKLM\\");
  AddLogText(&log, path);
  if (name) {
    AddLogText(&log, " [");
    AddLogText(&log, name);
    AddLogText(&log, "]");
  }
  if (data) {
    AddLogText(&log, " = ");
    AddLogText(&log, data->Text);
  }
  AddLogText(&log, ": ");
  AddLogStatus(&log, static_cast<DWORD>(status));
  WriteLine(log.Text);
}

}  // namespace

LONG LogKeyCreated(const char* path, LONG status) {
  if (InstallLogOpen()) WriteRegistryLine("create key", path, nullptr, nullptr, status);
  return status;
}

LONG LogKeyDeleted(const char* path, LONG status) {
  if (InstallLogOpen()) WriteRegistryLine("delete key", path, nullptr, nullptr, status);
  return status;
}

LONG LogValueDeleted(const char* path, const char* name, LONG status) {
  if (InstallLogOpen()) WriteRegistryLine("delete value", path, name, nullptr, status);
  return status;
}

LONG LogTextValueSet(const char* path, const char* name, const char* data, LONG status) {
  if (!InstallLogOpen()) return status;
  LogText quoted;
  StartLogText(&quoted, nullptr);
  AddLogQuoted(&quoted, data);
  WriteRegistryLine("set", path, name, &quoted, status);
  return status;
}

LONG LogNumberValueSet(const char* path, const char* name, DWORD data, LONG status) {
  if (!InstallLogOpen()) return status;
  LogText number;
  StartLogText(&number, nullptr);
  AddLogNumber(&number, static_cast<long>(data));
  WriteRegistryLine("set", path, name, &number, status);
  return status;
}

void LogProgramRun(const char* path, const char* commandLine, HANDLE process) {
  if (!InstallLogOpen()) return;
  const DWORD startError = GetLastError();
  LogText log;
  StartLogText(&log, "run ");
  AddLogText(&log, path);
  AddLogText(&log, " ");
  AddLogQuoted(&log, commandLine);
  DWORD exitCode;
  if (!process) {
    AddLogText(&log, ": not started, ");
    AddLogStatus(&log, startError);
  } else if (GetExitCodeProcess(process, &exitCode)) {
    AddLogText(&log, ": exit code ");
    AddLogNumber(&log, static_cast<long>(exitCode));
  } else {
    AddLogText(&log, ": exit code unknown");
  }
  WriteLine(log.Text);
  SetLastError(startError);
}

void LogRunEnd(int exitCode) {
  if (!InstallLogOpen()) return;
  LogText log;
  StartLogText(&log, "end: exit code ");
  AddLogNumber(&log, exitCode);
  WriteLine(log.Text);
}
