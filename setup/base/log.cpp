#include "log.h"

#include "log_rules.h"

bool InstallLogOpen(const Host& host) { return host.log.File != nullptr; }

namespace {

// Appends one line, on disk at once: a driver that stops Windows, or a
// restart, must not take the lines before it along. Another process may
// append to the same file: each line goes to its end.
void WriteLine(Host& host, const char* text) {
  ClockTime time;
  host.system->LocalTime(&time);
  char line[kLogLineSize];
  const size_t length = FormatLogLine(line, time, text);
  host.system->AppendFile(host.log.File, line, static_cast<unsigned long>(length));
}

void AddPath(LogText* log, const char* name, const char* path) {
  AddLogText(log, ", ");
  AddLogText(log, name);
  AddLogText(log, "=");
  AddLogQuoted(log, path);
}

void WriteStartLine(Host& host, const char* computer, const SetupPaths& paths, OsClass osClass,
                    const CommandSwitches& switches) {
  LogText log;
  StartLogText(&log, "start: computer ");
  AddLogQuoted(&log, computer);
  AddLogText(&log, ", class ");
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
  WriteLine(host, log.Text);
}

// Room for the longest computer name that Windows gives (15 characters).
const unsigned long kComputerNameSize = 32;

// The log file's name with the computer's name and the environment's
// variables put in, so that one medium on a share gives each machine its
// own log. False when the name does not fit after that.
bool ExpandLogFileName(System& system, const char* name, const char* computer, char* out) {
  char withComputer[kSetupPathSize];
  if (!(computer[0] ? PutComputerName(withComputer, sizeof withComputer, name, computer)
                    : CopyWholeText(withComputer, sizeof withComputer, name)))
    return false;
  const unsigned long length = system.ExpandVariables(withComputer, out, kSetupPathSize);
  return length > 0 && length <= kSetupPathSize;
}

}  // namespace

void OpenInstallLog(Host& host, const SetupOptions& options, const SetupPaths& paths,
                    OsClass osClass, const CommandSwitches& switches) {
  if (InstallLogOpen(host) || !options.LogFile[0]) return;
  char computer[kComputerNameSize];
  if (!host.system->ComputerName(computer, sizeof computer)) computer[0] = '\0';
  char name[kSetupPathSize], path[kSetupPathSize];
  if (!ExpandLogFileName(*host.system, options.LogFile, computer, name) ||
      !FormLogFilePath(path, sizeof path, paths.SourceDir, name))
    return;
  FileHandle file = nullptr;
  if (host.system->OpenFileToAppend(path, &file) != kStatusSuccess) return;
  host.log.File = file;
  WriteStartLine(host, computer, paths, osClass, switches);
}

void LogEvent(Host& host, const char* text) {
  if (InstallLogOpen(host)) WriteLine(host, text);
}

void ShowDebugMessages(Host& host, bool shown) { host.log.DebugMessagesShown = shown; }

void DebugMessage(Host& host, const char* text, const char* caption) {
  if (InstallLogOpen(host)) {
    LogText log;
    StartLogText(&log, "message [");
    AddLogText(&log, caption);
    AddLogText(&log, "] ");
    AddLogText(&log, text);
    WriteLine(host, log.Text);
  }
  if (host.log.DebugMessagesShown) host.system->ShowMessage(text, caption);
}

void LogOutcome(Host& host, const char* action, const char* subject, const char* target,
                SystemStatus status) {
  if (!InstallLogOpen(host)) return;
  LogText log;
  StartLogText(&log, action);
  AddLogText(&log, " ");
  AddLogText(&log, subject);
  if (target) {
    AddLogText(&log, " -> ");
    AddLogText(&log, target);
  }
  AddLogText(&log, ": ");
  AddLogStatus(&log, static_cast<unsigned long>(status));
  WriteLine(host, log.Text);
}

namespace {

// "registry <action> HKLM\path [name] = data: status"; name and data are
// optional, data already quoted when it is text.
void WriteRegistryLine(Host& host, const char* action, const char* path, const char* name,
                       const LogText* data, SystemStatus status) {
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
  AddLogStatus(&log, static_cast<unsigned long>(status));
  WriteLine(host, log.Text);
}

}  // namespace

SystemStatus LogKeyCreated(Host& host, const char* path, SystemStatus status) {
  if (InstallLogOpen(host)) WriteRegistryLine(host, "create key", path, nullptr, nullptr, status);
  return status;
}

SystemStatus LogKeyDeleted(Host& host, const char* path, SystemStatus status) {
  if (InstallLogOpen(host)) WriteRegistryLine(host, "delete key", path, nullptr, nullptr, status);
  return status;
}

SystemStatus LogValueDeleted(Host& host, const char* path, const char* name, SystemStatus status) {
  if (InstallLogOpen(host)) WriteRegistryLine(host, "delete value", path, name, nullptr, status);
  return status;
}

SystemStatus LogTextValueSet(Host& host, const char* path, const char* name, const char* data,
                             SystemStatus status) {
  if (!InstallLogOpen(host)) return status;
  LogText quoted;
  StartLogText(&quoted, nullptr);
  AddLogQuoted(&quoted, data);
  WriteRegistryLine(host, "set", path, name, &quoted, status);
  return status;
}

SystemStatus LogNumberValueSet(Host& host, const char* path, const char* name, unsigned long data,
                               SystemStatus status) {
  if (!InstallLogOpen(host)) return status;
  LogText number;
  StartLogText(&number, nullptr);
  AddLogNumber(&number, static_cast<long>(data));
  WriteRegistryLine(host, "set", path, name, &number, status);
  return status;
}

void LogProgramRun(Host& host, const char* path, const char* commandLine,
                   const ProgramResult& result) {
  if (!InstallLogOpen(host)) return;
  LogText log;
  StartLogText(&log, "run ");
  AddLogText(&log, path);
  AddLogText(&log, " ");
  AddLogQuoted(&log, commandLine);
  if (result.Started != kStatusSuccess) {
    AddLogText(&log, ": not started, ");
    AddLogStatus(&log, static_cast<unsigned long>(result.Started));
  } else if (result.ExitCodeKnown) {
    AddLogText(&log, ": exit code ");
    AddLogNumber(&log, static_cast<long>(result.ExitCode));
  } else {
    AddLogText(&log, ": exit code unknown");
  }
  WriteLine(host, log.Text);
}

void LogRunEnd(Host& host, int exitCode) {
  if (!InstallLogOpen(host)) return;
  LogText log;
  StartLogText(&log, "end: exit code ");
  AddLogNumber(&log, exitCode);
  WriteLine(host, log.Text);
}
